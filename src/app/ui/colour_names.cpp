#include "app/ui/colour_names.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace kestrin::ui {

QColor colourOf(ColourName name)
{
    switch (name) {
    case ColourName::ButtonFace: return QApplication::palette().color(QPalette::Button);
    case ColourName::Window: return QApplication::palette().color(QPalette::Base);
    // The system background is the desktop colour, a dark blue on the
    // unit's home platform. Qt has no desktop role; Highlight is the system
    // colour nearest to it, and unlike Base it shows against a gauge's face.
    case ColourName::Desktop: return QApplication::palette().color(QPalette::Highlight);
    case ColourName::Lime: return QColor(0, 255, 0);
    case ColourName::Fuchsia: return QColor(255, 0, 255);
    case ColourName::Aqua: return QColor(0, 255, 255);
    case ColourName::Yellow: return QColor(255, 255, 0);
    case ColourName::Red: return QColor(255, 0, 0);
    case ColourName::White: return QColor(255, 255, 255);
    case ColourName::Blue: return QColor(0, 0, 255);
    case ColourName::Black: return QColor(0, 0, 0);
    }
    return {};
}

void applyBackground(QWidget* widget, ColourName name)
{
    if (name == ColourName::ButtonFace) {
        widget->setAutoFillBackground(false);
        widget->setPalette(QPalette());
        return;
    }
    QPalette palette = widget->palette();
    const QColor colour = colourOf(name);
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    // Dark fills need light text to stay readable.
    if (name == ColourName::Red || name == ColourName::Blue || name == ColourName::Black)
        palette.setColor(QPalette::WindowText, Qt::white);
    else
        palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace kestrin::ui
