#include "app/ui/spin_button.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kestrin::ui {

namespace {

QToolButton* makeHalf(QWidget* parent, Qt::ArrowType arrow, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    button->setMinimumSize(14, 9);
    return button;
}

}  // namespace

SpinButton::SpinButton(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    up_ = makeHalf(this, Qt::UpArrow, objectName + QStringLiteral("_Up"));
    down_ = makeHalf(this, Qt::DownArrow, objectName + QStringLiteral("_Down"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &SpinButton::upClick);
    connect(down_, &QToolButton::clicked, this, &SpinButton::downClick);
}

}  // namespace kestrin::ui
