#pragma once
// The simulated unit's protocol core put on a line: its clock follows the
// serving loop's clock, its answers go out as they become due.

#include "link/sim/sim_server.h"
#include "link/sim/simulated_unit.h"

namespace kestrin::sim {

class UnitOnLine : public LineUnit {
public:
    UnitOnLine(SimulatedUnit& unit, std::int64_t startUs) : unit_(unit), startUs_(startUs) {}

    void received(std::span<const std::uint8_t> bytes, std::int64_t nowUs) override
    {
        follow(nowUs);
        unit_.receive(bytes);
    }

    std::vector<std::uint8_t> transmit(std::int64_t nowUs) override
    {
        follow(nowUs);
        return unit_.takeOutput();
    }

    std::optional<std::int64_t> nextEventUs() const override
    {
        const auto due = unit_.nextDueMs();
        if (!due)
            return std::nullopt;
        return startUs_ + (*due - unit_.nowMs() + elapsedMs_) * 1000;
    }

private:
    // The unit counts whole milliseconds; the remainder waits for the next call.
    void follow(std::int64_t nowUs)
    {
        const std::int64_t ms = (nowUs - startUs_) / 1000;
        if (ms > elapsedMs_) {
            unit_.advance(static_cast<int>(ms - elapsedMs_));
            elapsedMs_ = ms;
        }
    }

    SimulatedUnit& unit_;
    std::int64_t startUs_;
    std::int64_t elapsedMs_ = 0;
};

}  // namespace kestrin::sim
