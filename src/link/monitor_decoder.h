#pragma once
// The monitor decoder: checks each monitor frame, keeps the live values and
// writes the live display (labels and gauges as data) in the language of the
// message table. It reads the parameter image for the few settings that
// shape the display (number of cylinders, ignition limiter, servo enables,
// lambda bar, N2O enable) and the choke flag of the bike.

#include "link/link_engine.h"
#include "link/live_values.h"
#include "link/monitor_display.h"

#include <cstdint>
#include <span>
#include <string>

namespace kestrin {

class Document;
class MessageTable;

class MonitorDecoder : public MonitorSink {
public:
    // Both are read at every decode, so edits and language switches show
    // with the next frame. They must outlive the decoder.
    MonitorDecoder(const Document& document, const MessageTable& texts);

    // "Extended Monitor": the sensor texts also show the raw sensor voltage.
    void setExtendedMonitor(bool on) { extended_ = on; }
    bool extendedMonitor() const { return extended_; }

    // Decodes one received frame. A frame that is not 152 bytes, does not
    // start with 0xB0 or fails its check byte changes nothing and gives
    // false; the caller resets its connection counter and runs the page
    // visibility rules only on true.
    bool decode(std::span<const std::uint8_t> frame);
    // The link engine hands over every intact monitor frame here.
    void monitorFrame(FrameView frame) override { decode(frame); }
    // Frames accepted so far: when it moves, the window applies the
    // changed controls and runs the page visibility rules.
    int framesDecoded() const { return framesDecoded_; }

    // The texts the monitor labels show while no unit answers: each head
    // word with a "---" placeholder, and an empty tuning label.
    void showNoConnection();

    const LiveValues& live() const { return live_; }
    const MonitorDisplay& display() const { return display_; }
    MonitorDisplay& display() { return display_; }

private:
    void decodeFlagsAB(std::span<const std::uint8_t> f);
    void decodeFlagsC(std::span<const std::uint8_t> f);
    void decodeVersion(std::span<const std::uint8_t> f);
    void decodeFlagsD(std::span<const std::uint8_t> f);
    void decodeAdvance(std::span<const std::uint8_t> f, int cylinders);
    void decodeInjection(std::span<const std::uint8_t> f, int cylinders);
    void decodeEngine(std::span<const std::uint8_t> f);
    void decodeSensors(std::span<const std::uint8_t> f);
    void decodeCorrections(std::span<const std::uint8_t> f);

    void setYesNo(MonitorControl c, const std::string& head, bool active, MonitorColour activeColour);
    // The scratch text, reused so that a frame allocates nothing once warm.
    std::string& text();
    void put(MonitorControl c) { display_.setText(c, scratch_); }

    const Document& document_;
    const MessageTable& texts_;
    bool extended_ = false;
    int framesDecoded_ = 0;
    LiveValues live_;
    MonitorDisplay display_;
    std::string scratch_;
};

}  // namespace kestrin
