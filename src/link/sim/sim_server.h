#pragma once
// The serving loop of kestrin-sim: bytes from the pseudo-terminal go through
// the line timing to the unit, the unit's answers go back the same way. The
// loop sleeps until the next byte is due, the unit's next timed event, input
// from the client or a stop signal, whichever comes first.

#include "link/sim/line_pacer.h"
#include "link/sim/pseudo_terminal.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kestrin::sim {

// What the loop drives: a counterpart that takes the bytes that arrived and
// says what it sends. Times are microseconds of a monotonic clock.
class LineUnit {
public:
    virtual ~LineUnit() = default;
    virtual void received(std::span<const std::uint8_t> bytes, std::int64_t nowUs) = 0;
    // Bytes the unit begins to send at `nowUs` (empty when none).
    virtual std::vector<std::uint8_t> transmit(std::int64_t nowUs) = 0;
    // When the unit next wants to be asked even without input (a delayed
    // reply, the second half of a split reply), if ever.
    virtual std::optional<std::int64_t> nextEventUs() const = 0;
};

std::int64_t monotonicMicros();

class SimServer {
public:
    SimServer(PseudoTerminal& pty, LineUnit& unit) : pty_(pty), unit_(unit) {}

    // Serves until `stopFd` (a signalfd or pipe) becomes readable. Returns
    // false when the pseudo-terminal failed.
    bool run(int stopFd);

    // One pass at `nowUs` without sleeping; returns when to come back.
    std::optional<std::int64_t> step(std::int64_t nowUs);

private:
    PseudoTerminal& pty_;
    LineUnit& unit_;
    LinePacer line_;
    std::int64_t lastInputUs_ = 0;
    bool released_ = true;
};

}  // namespace kestrin::sim
