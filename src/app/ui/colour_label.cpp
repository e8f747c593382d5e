#include "app/ui/colour_label.h"

namespace kestrin::ui {

ColourLabel::ColourLabel(const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setMargin(1);
}

void ColourLabel::setTextIfChanged(const QString& text)
{
    if (text != QLabel::text())
        setText(text);
}

void ColourLabel::setColour(ColourName colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    applyBackground(this, colour);
}

void setVisibleIfChanged(QWidget* widget, bool visible)
{
    // isHidden() is the widget's own flag, independent of its parents.
    if (widget->isHidden() == visible)
        widget->setVisible(visible);
}

}  // namespace kestrin::ui
