#include "app/ui/up_down_edit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrin::ui {

NumberEdit::NumberEdit(const QString& objectName, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(objectName);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void NumberEdit::setTextIfChanged(const QString& text)
{
    if (text != QLineEdit::text())
        setText(text);
}

void NumberEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    emit committed();
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit committed();
        // Enter moves on to the next control, as technicians type a column.
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(16);
    return button;
}

}  // namespace

UpDown::UpDown(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    up_ = makeArrow(this, Qt::UpArrow);
    down_ = makeArrow(this, Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setAssociate(NumberEdit* edit)
{
    edit_ = edit;
    if (edit_)
        edit_->setTextIfChanged(QString::number(position_));
}

void UpDown::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

int UpDown::position() const
{
    if (edit_) {
        bool ok = false;
        const int typed = edit_->text().trimmed().toInt(&ok);
        if (ok)
            return std::clamp(typed, minimum_, maximum_);
    }
    return position_;
}

void UpDown::setPosition(int value)
{
    position_ = std::clamp(value, minimum_, maximum_);
    if (edit_)
        edit_->setTextIfChanged(QString::number(position_));
}

void UpDown::step(int direction)
{
    const long next = static_cast<long>(position()) + static_cast<long>(direction) * increment_;
    setPosition(static_cast<int>(std::clamp<long>(next, minimum_, maximum_)));
    emit clicked(direction > 0);
}

UpDownEdit::UpDownEdit(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel") + name);
    edit_ = new NumberEdit(QStringLiteral("Edit") + name, this);
    upDown_ = new UpDown(QStringLiteral("UpDown") + name, this);
    upDown_->setAssociate(edit_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(upDown_);
}

}  // namespace kestrin::ui
