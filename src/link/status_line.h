#pragma once
// The status line under the pages (`LabelHlaseni`) with the transfer gauge
// (`CGaugeProgram`): what the link reports about a run. Pure state; the
// window and the command line show it.

#include <string>

namespace kestrin {

enum class StatusColour { Normal, Red };

inline constexpr int kStatusHideTicks = 200;
inline constexpr int kGaugeMax = 20;  // one step per block 0..19

struct StatusLine {
    std::string text;
    StatusColour colour = StatusColour::Normal;
    bool visible = false;
    int gauge = 0;
    int gaugeMax = kGaugeMax;
    bool gaugeVisible = false;
    // Ticks until the line and the gauge hide; 0 means no countdown runs,
    // so a message that sets it to 0 stays on screen.
    int hideCountdown = 0;

    // A message: text and colour, countdown restarted, line shown.
    void show(std::string message, StatusColour c)
    {
        text = std::move(message);
        colour = c;
        hideCountdown = kStatusHideTicks;
        visible = true;
    }
    // The window hides the line (New, Open) or only the gauge (print): the
    // countdown and the texts run on, but later updates leave them hidden
    // until the next message.
    void hide()
    {
        visible = false;
        gaugeVisible = false;
    }
    void hideGauge() { gaugeVisible = false; }
    // One tick of the countdown; true on the tick it hides the line.
    bool tickHide()
    {
        if (hideCountdown <= 0)
            return false;
        if (--hideCountdown > 0)
            return false;
        visible = false;
        gaugeVisible = false;
        return true;
    }

    bool operator==(const StatusLine&) const = default;
};

}  // namespace kestrin
