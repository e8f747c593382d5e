#pragma once
// A small engine for the simulated control unit: it idles, blips, pulls
// through the gears, cruises and sweeps the throttle on a repeating script,
// and fills the monitor frame from that state and from the unit's stored
// maps, so the live display behaves like a bike on the dyno. When the poll
// switches tuning on, it tunes the injection map the PC reads back (the TPS
// map of the tuning channel, or the IAP map) around the operating point and
// reports the tuning status. Output-test requests show (pilot light, fan,
// injectors, servos). Deterministic for a seed; advanced by elapsed time.

#include "link/sim/simulated_unit.h"
#include "model/image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <span>

namespace kestrin {

// The tuning switches and parameters a poll carries (bytes 1..13) and its
// one-shot output-test requests (bytes 20..23).
struct PollRequest {
    bool tuningOn = false;
    int tuningMode = 0;     // 0 points, 1 all
    bool tuningByTls = false;
    int lambdaTarget = 130; // A/F × 10
    int hysteresis = 0;     // A/F × 10
    int rpmTolerance = 0;   // RPM
    int loadTolerance = 1;  // % TPS or kPa
    int stepTimeMs = 10;
    int stepPercent = 0;
    int channel = 1;        // 1..4
    int maxAcc = 0;         // % acceleration correction above which tuning waits
    std::array<std::uint8_t, 4> tests{};

    static PollRequest fromPoll(std::span<const std::uint8_t> poll);
};

// The engine as the model sees it (the monitor frame reports it).
struct EngineState {
    bool running = false;
    int rpm = 0;
    int throttle = 0;       // 0.1 %
    int manifoldKpa = 30;
    int gear = 0;           // 0 neutral, 1..6
    int speedKmh = 0;
    double coolantC = 20.0;
    double airC = 24.0;
    int airFuelRatio = 130; // A/F × 10
    int tpsShare = 0;       // % from the TPS map
    int accCorr = 1000;     // acceleration correction, 0.1 %
    int tuningStatus = 2;
    bool fan = false;
    bool ignLimiter = false;
    std::int64_t sinceStartMs = 0;
};

class EngineModel : public MonitorSource {
public:
    explicit EngineModel(std::uint32_t seed = 1);

    // Time passes (any chunk size; the model steps in fixed 10 ms steps).
    void advance(int ms) override;

    // The simulated unit's monitor source: answers its poll from the
    // unit's stored blocks.
    void fillMonitor(const MonitorContext& context, std::span<std::uint8_t, kFrameSize> frame) override
    {
        fill(context.poll, context.stored, frame);
    }

    // Answers one poll: takes its requests, tunes the stored map when tuning
    // is on, and fills frame offsets 1..150 (the reply code and the check
    // byte are the unit's; it also owns the programming count, the saving
    // countdown and the version, which get plain defaults here).
    void fill(std::span<const std::uint8_t> poll, ParameterImage& stored, std::span<std::uint8_t, 152> frame);

    // The Tacho/Lambda switch on the handlebar: puts the unit's output in
    // lambda mode, which lets "Tuning on by Tacho/Lambda switch" tune.
    void setTachoLambdaSwitch(bool on) { tachoLambdaSwitch_ = on; }

    const EngineState& state() const { return s_; }

    static constexpr int kStepMs = 10;
    static constexpr int kScriptMs = 40000;   // one round of the throttle script
    static constexpr int kCrankMs = 1500;     // cranking before the engine fires
    static constexpr int kNaturalAfr = 130;   // A/F × 10 when the map meets the engine's need

private:
    void step();
    int scriptThrottle(std::int64_t ms) const;
    int noise(int amplitude);  // -amplitude .. +amplitude

    // Operating point in the map the unit injects from and tunes.
    struct MapPoint {
        int mapIndex;  // 0..3 TPS map of channel 1..4, 4 the IAP map
        int row, col;
        int rpmDistance, loadDistance;  // to the nearest cell
        int belowRpm, aboveRpm, belowLoad, aboveLoad;  // outside the axes, by how much
    };
    MapPoint locate(const ParameterImage& stored, int mapIndex) const;
    int tune(const PollRequest& poll, ParameterImage& stored, const MapPoint& point);
    int need(const ParameterImage& stored, int mapIndex, int row, int col);

    std::mt19937 rng_;
    std::uint32_t seed_;
    EngineState s_;
    double rpmF_ = 0.0, speedF_ = 0.0, mapF_ = 30.0;
    int lastThrottle_ = 0;
    std::int64_t nowMs_ = 0;
    std::int64_t remainderMs_ = 0;
    std::int64_t lastTuneMs_ = -1000000;
    std::int64_t shiftUntilMs_ = 0;
    std::int64_t pilotTestUntilMs_ = 0;
    std::int64_t fanTestUntilMs_ = 0;
    std::int64_t servoTestUntilMs_ = 0;
    int servoTestBits_ = 0;
    std::array<std::int64_t, 8> injectorTestUntilMs_{};
    int answered_ = 0;
    bool tachoLambdaSwitch_ = false;
    int coolingOnC_ = 95;
    int limiterRpm_ = 0;
    // The fuel each cell really needs, fixed when the map is first seen.
    std::array<std::optional<std::array<int, 150>>, 5> need_;
};

}  // namespace kestrin
