#pragma once
// The serial port to the control unit on Qt Serial Port, used synchronously
// from one thread: the link calls it once per 55 ms tick and no event loop
// has to run in between. Incoming bytes are pulled from the device whenever
// the queued count is asked for, so the count is what the driver holds now.

#include "link/serial_channel.h"

#include <memory>

class QSerialPort;

namespace kestrin {

class QtSerialChannel : public SerialChannel {
public:
    QtSerialChannel();
    ~QtSerialChannel() override;
    QtSerialChannel(const QtSerialChannel&) = delete;
    QtSerialChannel& operator=(const QtSerialChannel&) = delete;

    // `device` is a COM name ("COM3", "\\.\COM3", mapped by port_names.h) or
    // a device path such as a pseudo-terminal. Opens at 57600 baud, 8N1, no
    // flow control, and discards whatever was waiting from before.
    bool open(const std::string& device) override;
    void close() override;
    bool isOpen() const override;

    long queuedBytes() override;
    int read(std::span<std::uint8_t> buffer) override;
    // Returns once the bytes have left the driver (about 26 ms for a frame
    // at 57600 baud); false when the port is closed or the write failed or
    // did not finish within a second.
    bool write(std::span<const std::uint8_t> bytes) override;

    // Why the last open failed, for messages; empty after a good open.
    const std::string& lastError() const { return lastError_; }

private:
    void pullPending();

    std::unique_ptr<QSerialPort> port_;
    std::string lastError_;
};

}  // namespace kestrin
