#pragma once
// The protocol core of a simulated control unit: it stores blocks 1..19,
// reports an identification block, counts programmings, answers polls with
// monitor frames and, on request, misbehaves in the ways a real line does.
// It is driven by bytes in, bytes out and elapsed time, so the in-memory
// channel of the tests and the pseudo-terminal of kestrin-sim share it.

#include "link/frame.h"
#include "model/image.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace kestrin {

// What a monitor frame is built from. The unit fills the reply code, the
// number of programmings (offset 76), the saving countdown (148), the
// program version (150) and the check byte after the source has run.
struct MonitorContext {
    FrameView poll;            // the poll being answered (tuning switches, test requests)
    ParameterImage& stored;    // the unit's blocks; a tuning source changes its maps
    int programmings = 0;
    int savingCountdown = 0;
    std::int64_t nowMs = 0;
};

class MonitorSource {
public:
    virtual ~MonitorSource() = default;
    // Fills frame offsets 1..150 of the answer to one poll.
    virtual void fillMonitor(const MonitorContext& context, std::span<std::uint8_t, kFrameSize> frame) = 0;
    // Time passes in the unit.
    virtual void advance(int /*ms*/) {}
};

// Ways the unit can misbehave. Rates are per reply, drawn from an RNG seeded
// with `seed`, so a run is repeatable.
struct SimFaults {
    std::uint32_t seed = 1;
    double dropRate = 0.0;       // reply not sent
    int dropBlock = -1;          // every reply to this block (0..19) is dropped
    double corruptRate = 0.0;    // one bit of the check byte flipped
    double wrongCodeRate = 0.0;  // intact frame, but a reply code that answers nothing sent
    int delayTicks = 0;          // each reply leaves this many ticks later
    bool split = false;          // each reply arrives in two halves, one tick apart
    int burst = 1;               // each reply is sent this many times back to back
    int silentAfter = -1;        // after this many replies the unit says nothing more
};

struct SimIdentity {
    int programVersion = 82;           // identification byte 10 and monitor byte 150
    std::string versionChars = "KST";  // identification bytes 0..2
    int versionNumber = 7;
    int day = 11, month = 12, year = 2026, hour = 14, minute = 7;
    std::string programName = "Kestrin 2007 simulated unit";
};

class SimulatedUnit {
public:
    explicit SimulatedUnit(const ParameterImage& initial = {}, SimIdentity identity = {},
                           SimFaults faults = {});

    void setMonitorSource(MonitorSource* source) { source_ = source; }
    void setFaults(const SimFaults& faults);
    const SimFaults& faults() const { return faults_; }

    // Bytes from the PC. Complete intact frames are answered; a frame that
    // fails its check is ignored, and input that stalls mid-frame is dropped.
    void receive(std::span<const std::uint8_t> bytes);
    // Time passes: due replies move to the output.
    void advance(int ms);
    std::int64_t nowMs() const { return nowMs_; }
    // When the next scheduled reply (or the second half of a split one)
    // becomes due, so that a real-time host knows when to come back.
    std::optional<std::int64_t> nextDueMs() const
    {
        if (scheduled_.empty())
            return std::nullopt;
        return scheduled_.front().dueMs;
    }

    // Bytes ready for the PC.
    std::size_t pendingOutput() const { return output_.size(); }
    std::size_t takeOutput(std::span<std::uint8_t> buffer);
    std::vector<std::uint8_t> takeOutput();
    void clearOutput();

    // Inspection and set-up.
    const ParameterImage& stored() const { return stored_; }
    ParameterImage& stored() { return stored_; }
    Block identification() const;
    int programmings() const { return programmings_; }
    int savingCountdown() const { return savingCountdown_; }
    int framesReceived() const { return framesReceived_; }
    int repliesSent() const { return repliesSent_; }
    const std::vector<Frame>& received() const { return log_; }  // every intact frame in

    static constexpr int kStaleInputMs = 100;
    static constexpr int kSavingMs = 3000;  // the countdown runs 5782..0 in this time

private:
    void handleFrame(const Frame& frame);
    Frame answer(const Frame& frame);
    void schedule(Frame reply);
    bool chance(double rate);

    ParameterImage stored_;
    SimIdentity identity_;
    SimFaults faults_;
    std::mt19937 rng_;
    MonitorSource* source_ = nullptr;

    std::int64_t nowMs_ = 0;
    std::int64_t lastInputMs_ = 0;
    std::vector<std::uint8_t> input_;
    struct Chunk {
        std::int64_t dueMs;
        std::vector<std::uint8_t> bytes;
    };
    std::deque<Chunk> scheduled_;
    std::vector<std::uint8_t> output_;

    int programmings_ = 0;
    bool unsaved_ = false;          // blocks written since the last save
    int savingCountdown_ = 0;
    double savingProgress_ = 0.0;   // countdown steps not yet taken
    int framesReceived_ = 0;
    int repliesSent_ = 0;
    std::vector<Frame> log_;
};

}  // namespace kestrin
