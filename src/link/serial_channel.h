#pragma once
// The byte pipe to the control unit. The link engine owns the frame logic
// (152-byte threshold, one read per tick, dispatch); a channel only moves
// bytes. Implementations: the real serial port (Qt Serial Port) and an
// in-memory channel answered by the simulated unit, for fast tests.

#include <cstdint>
#include <span>
#include <string>

namespace kestrin {

class SerialChannel {
public:
    virtual ~SerialChannel() = default;

    // Opens the named device at 57600 baud, 8N1. False when it cannot be opened.
    virtual bool open(const std::string& device) = 0;
    // Discards pending input and closes. Harmless when not open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Received bytes waiting to be read; -1 when the status query fails.
    virtual long queuedBytes() = 0;
    // Reads up to buffer.size() bytes already queued; returns the count read.
    virtual int read(std::span<std::uint8_t> buffer) = 0;
    // Writes all bytes and returns once they have left the driver.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace kestrin
