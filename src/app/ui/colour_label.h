#pragma once
// A label whose text and background colour are set many times a second by
// the live display. Setting the text or colour it already has costs a
// comparison and nothing else: no relayout, no repaint.

#include "app/ui/colour_names.h"

#include <QLabel>

namespace kestrin::ui {

class ColourLabel : public QLabel {
    Q_OBJECT
public:
    explicit ColourLabel(const QString& objectName, QWidget* parent = nullptr);

    void setTextIfChanged(const QString& text);
    void setColour(ColourName colour);
    ColourName colour() const { return colour_; }

private:
    ColourName colour_ = ColourName::ButtonFace;
};

// Shows or hides a widget only when its state differs (setVisible on an
// unchanged widget still posts layout work on some styles).
void setVisibleIfChanged(QWidget* widget, bool visible);

}  // namespace kestrin::ui
