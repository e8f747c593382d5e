#include "app/ui/speed_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kestrin::ui {

SpeedButton::SpeedButton(const QString& objectName, QWidget* parent) : QToolButton(parent)
{
    setObjectName(objectName);
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(22, 22));
}

void SpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    modifiers_ = event->modifiers();
    QToolButton::mouseReleaseEvent(event);
}

void SpeedButton::keyPressEvent(QKeyEvent* event)
{
    modifiers_ = event->modifiers();
    QToolButton::keyPressEvent(event);
}

}  // namespace kestrin::ui
