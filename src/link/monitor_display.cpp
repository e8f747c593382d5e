#include "link/monitor_display.h"

#include <algorithm>

namespace kestrin {

namespace {

constexpr MonitorControlInfo kControls[] = {
#define KESTRIN_MONITOR_INFO(name, props) {#name, static_cast<std::uint8_t>(props)},
    KESTRIN_MONITOR_CONTROLS(KESTRIN_MONITOR_INFO)
#undef KESTRIN_MONITOR_INFO
};
static_assert(std::size(kControls) == kMonitorControlCount);

}  // namespace

std::string_view colourName(MonitorColour colour)
{
    switch (colour) {
    case MonitorColour::Normal: return "normal";
    case MonitorColour::Red: return "red";
    case MonitorColour::Fuchsia: return "fuchsia";
    case MonitorColour::Lime: return "lime";
    case MonitorColour::Aqua: return "aqua";
    case MonitorColour::Yellow: return "yellow";
    case MonitorColour::White: return "white";
    case MonitorColour::Blue: return "blue";
    case MonitorColour::Black: return "black";
    case MonitorColour::Background: return "background";
    }
    return "normal";
}

const MonitorControlInfo& monitorControlInfo(MonitorControl control)
{
    return kControls[static_cast<std::size_t>(control)];
}

bool findMonitorControl(std::string_view objectName, MonitorControl& control)
{
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        if (objectName == kControls[i].objectName) {
            control = static_cast<MonitorControl>(i);
            return true;
        }
    }
    return false;
}

MonitorDisplay::MonitorDisplay()
{
    // Gauges start empty on a 0..100 scale; the data error label starts
    // hidden, as the window hides it at start-up.
    views_[index(MonitorControl::LabelEeDataErr)].visible = false;
    views_[index(MonitorControl::CGaugeRpm)].colour = MonitorColour::Fuchsia;
    views_[index(MonitorControl::CGaugeTps)].colour = MonitorColour::Background;
    views_[index(MonitorControl::CGaugeLambda)].colour = MonitorColour::Black;
    views_[index(MonitorControl::CGaugeVoda)].colour = MonitorColour::Aqua;
    views_[index(MonitorControl::CGaugeDuty)].colour = MonitorColour::Blue;
}

void MonitorDisplay::setText(MonitorControl c, std::string_view text)
{
    ControlView& v = views_[index(c)];
    if (v.text != text) {
        v.text.assign(text);
        changed_.set(index(c));
    }
}

void MonitorDisplay::setColour(MonitorControl c, MonitorColour colour)
{
    ControlView& v = views_[index(c)];
    if (v.colour != colour) {
        v.colour = colour;
        changed_.set(index(c));
    }
}

void MonitorDisplay::setVisible(MonitorControl c, bool visible)
{
    ControlView& v = views_[index(c)];
    if (v.visible != visible) {
        v.visible = visible;
        changed_.set(index(c));
    }
}

void MonitorDisplay::setGauge(MonitorControl c, int value, MonitorColour colour)
{
    ControlView& v = views_[index(c)];
    // The bar stops at its ends, like the gauge it stands for.
    value = std::clamp(value, v.minimum, v.maximum);
    if (v.value != value || v.colour != colour) {
        v.value = value;
        v.colour = colour;
        changed_.set(index(c));
    }
}

}  // namespace kestrin
