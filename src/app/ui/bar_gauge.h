#pragma once
// A horizontal bar gauge: minimum, maximum, progress, bar colour and an
// optional percentage text. The live display moves it several times a
// second; an unchanged value or colour does not repaint.

#include "app/ui/colour_names.h"

#include <QWidget>

namespace kestrin::ui {

class BarGauge : public QWidget {
    Q_OBJECT
public:
    explicit BarGauge(const QString& objectName, QWidget* parent = nullptr);

    void setMinimum(int value);
    void setMaximum(int value);
    // Clamped to minimum..maximum, as the bar cannot draw past its ends.
    void setProgress(int value);
    void setBarColour(ColourName colour);
    void setShowText(bool show);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int progress() const { return progress_; }
    ColourName barColour() const { return barColour_; }
    bool showText() const { return showText_; }
    // The share of the bar that is filled, 0..100.
    int percent() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int minimum_ = 0;
    int maximum_ = 100;
    int progress_ = 0;
    ColourName barColour_ = ColourName::Black;
    bool showText_ = false;
};

}  // namespace kestrin::ui
