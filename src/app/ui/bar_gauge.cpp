#include "app/ui/bar_gauge.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace kestrin::ui {

BarGauge::BarGauge(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BarGauge::setMinimum(int value)
{
    if (value == minimum_)
        return;
    minimum_ = value;
    progress_ = std::max(progress_, minimum_);
    update();
}

void BarGauge::setMaximum(int value)
{
    if (value == maximum_)
        return;
    maximum_ = value;
    progress_ = std::min(progress_, std::max(minimum_, maximum_));
    update();
}

void BarGauge::setProgress(int value)
{
    value = std::clamp(value, minimum_, std::max(minimum_, maximum_));
    if (value == progress_)
        return;
    progress_ = value;
    update();
}

void BarGauge::setBarColour(ColourName colour)
{
    if (colour == barColour_)
        return;
    barColour_ = colour;
    update();
}

void BarGauge::setShowText(bool show)
{
    if (show == showText_)
        return;
    showText_ = show;
    update();
}

int BarGauge::percent() const
{
    const long span = static_cast<long>(maximum_) - minimum_;
    if (span <= 0)
        return 0;
    return static_cast<int>((static_cast<long>(progress_) - minimum_) * 100 / span);
}

QSize BarGauge::sizeHint() const
{
    return {120, fontMetrics().height() + 6};
}

void BarGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    painter.fillRect(outer, Qt::white);

    const QRect inner = outer.adjusted(2, 2, -2, -2);
    const long span = static_cast<long>(maximum_) - minimum_;
    if (span > 0 && progress_ > minimum_) {
        const int width = static_cast<int>(inner.width() * (static_cast<long>(progress_) - minimum_) / span);
        painter.fillRect(QRect(inner.left(), inner.top(), width, inner.height()), colourOf(barColour_));
    }
    if (showText_) {
        painter.setPen(barColour_ == ColourName::Black || barColour_ == ColourName::Blue ? Qt::gray : Qt::black);
        painter.drawText(outer, Qt::AlignCenter, QString::number(percent()) + QLatin1Char('%'));
    }

    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = 1;
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    frame.frameShape = QFrame::StyledPanel;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
}

}  // namespace kestrin::ui
