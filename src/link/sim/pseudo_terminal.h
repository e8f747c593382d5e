#pragma once
// A pseudo-terminal that stands in for a serial line: the simulated unit
// holds the master side and a client opens the slave by its device path, as
// it would open a real port. The slave is set to raw mode (no echo, no line
// editing, no character translation) at 57600 baud, 8N1, and kept open by
// us as well, so that the master keeps working while no client is connected
// and between one client and the next.

#include <cstdint>
#include <span>
#include <string>

namespace kestrin::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair. False (with `error()` set) when the system has none.
    bool open();
    void close();
    bool isOpen() const { return master_ >= 0; }

    // The path a client opens, e.g. /dev/pts/4.
    const std::string& devicePath() const { return path_; }
    // The master side, non-blocking, for poll().
    int masterFd() const { return master_; }
    const std::string& error() const { return error_; }

    // Reads what the client has written, without waiting; 0 when nothing.
    int read(std::span<std::uint8_t> buffer);
    // Writes all bytes towards the client, waiting while the line is full
    // (at most `timeoutMs`). False when the bytes could not be written.
    bool write(std::span<const std::uint8_t> bytes, int timeoutMs = 1000);

    // Throws away what the client has not read (a client that went away
    // leaves nobody to read it).
    void discardUnread();
    // A client that opens the port takes it for itself (as QSerialPort
    // does); a client that crashed never gives it back, and since we hold
    // the slave open the device is never closed either. Called when the
    // line has been quiet for a while, so the next client can open it.
    void releaseExclusive();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string error_;
};

}  // namespace kestrin::sim
