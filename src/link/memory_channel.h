#pragma once
// A serial channel in memory: what the PC writes goes to a SimulatedUnit
// (when one is attached) and what the unit answers is queued for reading.
// Time does not pass by itself: the caller advances the unit, so a test
// ticks the link engine deterministically and without waiting.

#include "link/frame.h"
#include "link/serial_channel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

class SimulatedUnit;

class MemoryChannel : public SerialChannel {
public:
    explicit MemoryChannel(SimulatedUnit* unit = nullptr) : unit_(unit) {}

    bool open(const std::string& device) override;
    void close() override;
    bool isOpen() const override { return open_; }
    long queuedBytes() override;
    int read(std::span<std::uint8_t> buffer) override;
    bool write(std::span<const std::uint8_t> bytes) override;

    // Devices that fail to open; every other name opens.
    void setMissing(std::vector<std::string> devices) { missing_ = std::move(devices); }
    // Bytes placed in the input queue as if they had arrived on the line.
    void inject(std::span<const std::uint8_t> bytes);

    const std::vector<std::string>& opened() const { return opened_; }  // every open attempt
    const std::vector<Frame>& written() const { return written_; }       // every 152-byte write
    void clearWritten() { written_.clear(); }

private:
    void pullFromUnit();

    SimulatedUnit* unit_;
    bool open_ = false;
    std::vector<std::string> missing_;
    std::vector<std::string> opened_;
    std::vector<std::uint8_t> input_;
    std::vector<Frame> written_;
};

}  // namespace kestrin
