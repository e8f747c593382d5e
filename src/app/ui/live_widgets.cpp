#include "app/ui/live_widgets.h"

#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"

namespace kestrin::ui {

void LiveWidgets::add(ColourLabel* label)
{
    labels_.insert(label->objectName(), label);
}

void LiveWidgets::add(BarGauge* gauge)
{
    gauges_.insert(gauge->objectName(), gauge);
}

}  // namespace kestrin::ui
