#pragma once
// The colour names the unit's displays are specified in (lime, fuchsia, ...)
// mapped onto a widget's own palette. Every live label and gauge takes its
// colour by name, so a page never spells out an RGB value.

#include <QColor>

class QWidget;

namespace kestrin::ui {

enum class ColourName {
    ButtonFace,  // the normal face colour of the window and its labels
    Window,      // the background of edits
    Desktop,     // the system background colour of the throttle gauge
    Lime,
    Fuchsia,
    Aqua,
    Yellow,
    Red,
    White,
    Blue,
    Black,
};

QColor colourOf(ColourName name);

// Gives `widget` the named background through its own palette (no style
// sheet, so the style keeps drawing frames and focus as usual). ButtonFace
// returns the widget to the inherited palette.
void applyBackground(QWidget* widget, ColourName name);

}  // namespace kestrin::ui
