#include "link/sim/engine_model.h"

#include "link/monitor_frame.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kestrin {

namespace {

// Engine RPM per km/h in gears 1..6 (index 0 is neutral).
constexpr int kRpmPerKmh[7] = {0, 110, 80, 64, 54, 48, 44};
constexpr int kShiftUpRpm = 10500;
constexpr int kShiftDownRpm = 3500;
constexpr int kShiftMs = 80;           // clutch master cut during an up-shift
constexpr int kLambdaWarmMs = 15000;   // lambda sensor heating after the start
constexpr int kIapIndex = 4;           // injection map index of Inj-IAP

void putByte(std::span<std::uint8_t, 152> f, int offset, int value)
{
    f[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}
void putSigned(std::span<std::uint8_t, 152> f, int offset, int value)
{
    f[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(static_cast<std::int8_t>(std::clamp(value, -128, 127)));
}
void putWord(std::span<std::uint8_t, 152> f, int offset, int value)
{
    const int v = std::clamp(value, 0, 0xFFFF);
    f[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(v & 0xFF);
    f[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Piecewise-linear throttle script, in 0.1 % over milliseconds.
struct ScriptPoint {
    int ms;
    int throttle;
};
constexpr ScriptPoint kScript[] = {
    {0, 0},         {6000, 0},      {6100, 500},   {6400, 500},   {6600, 0},     // idle, blip
    {10000, 0},     {10200, 150},   {11500, 150},  {13500, 1000}, {22000, 1000}, // pull-away, full throttle
    {23000, 250},   {26000, 250},   {26300, 0},    {29000, 0},                   // cruise, engine braking
    {30000, 50},    {31500, 400},   {32800, 50},   {33000, 0},    {40000, 0},    // part-throttle sweep, brake, idle
};
constexpr int kDriveFromMs = 10000;
constexpr int kDriveToMs = 33000;
constexpr double kBrakeKmhPerS = 30.0;

std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

}  // namespace

PollRequest PollRequest::fromPoll(std::span<const std::uint8_t> poll)
{
    PollRequest r;
    if (poll.size() < 24)
        return r;
    r.tuningOn = poll[1] == 1;
    r.tuningMode = poll[2];
    r.tuningByTls = poll[3] == 1;
    r.lambdaTarget = poll[4] != 0 ? poll[4] : 130;
    r.hysteresis = poll[6];
    r.rpmTolerance = poll[7] * 10;
    r.loadTolerance = poll[8];
    r.stepTimeMs = std::max(10, poll[9] * 10);
    r.stepPercent = poll[10];
    r.channel = std::clamp<int>(poll[12], 1, 4);
    r.maxAcc = poll[13];
    for (int i = 0; i < 4; ++i)
        r.tests[static_cast<std::size_t>(i)] = poll[static_cast<std::size_t>(20 + i)];
    return r;
}

EngineModel::EngineModel(std::uint32_t seed) : rng_(seed), seed_(seed)
{
    s_.coolantC = 18.0 + static_cast<double>(seed % 7);
    s_.airC = 22.0 + static_cast<double>(seed % 5);
    s_.coolantC = std::min(s_.coolantC, s_.airC);
}

int EngineModel::noise(int amplitude)
{
    if (amplitude <= 0)
        return 0;
    return static_cast<int>(rng_() % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
}

int EngineModel::scriptThrottle(std::int64_t ms) const
{
    const int t = static_cast<int>(ms % kScriptMs);
    for (std::size_t i = 1; i < std::size(kScript); ++i) {
        const ScriptPoint a = kScript[i - 1], b = kScript[i];
        if (t < b.ms)
            return a.throttle + (b.throttle - a.throttle) * (t - a.ms) / (b.ms - a.ms);
    }
    return 0;
}

void EngineModel::advance(int ms)
{
    if (ms <= 0)
        return;
    remainderMs_ += ms;
    while (remainderMs_ >= kStepMs) {
        remainderMs_ -= kStepMs;
        step();
    }
}

void EngineModel::step()
{
    nowMs_ += kStepMs;
    const double dt = kStepMs / 1000.0;

    // Cranking, then the engine fires and runs the script for good.
    if (nowMs_ < kCrankMs) {
        s_.running = false;
        rpmF_ = 250.0 + noise(30);
        s_.rpm = static_cast<int>(rpmF_);
        s_.throttle = 0;
        mapF_ = 95.0;
        s_.manifoldKpa = 95;
        return;
    }
    s_.running = true;
    s_.sinceStartMs += kStepMs;
    const std::int64_t t = nowMs_ - kCrankMs;
    const int phase = static_cast<int>(t % kScriptMs);

    // The twist grip moves quickly but not in no time.
    const int target = std::clamp(scriptThrottle(t) + (phase < kDriveFromMs ? 0 : noise(3)), 0, 1000);
    lastThrottle_ = s_.throttle;
    s_.throttle += std::clamp(target - s_.throttle, -25, 25);
    const int opening = s_.throttle - lastThrottle_;
    // Enrichment for a real opening of the grip, not for the rider's jitter.
    s_.accCorr = std::max(1000 + std::max(0, opening - 5) * 40, s_.accCorr - (s_.accCorr - 1000) / 15 - 1);
    s_.accCorr = std::max(1000, s_.accCorr);

    const double warmExtra = s_.coolantC < 70.0 ? (70.0 - s_.coolantC) * 8.0 : 0.0;
    const double idleRpm = 1250.0 + warmExtra;
    const bool driving = phase >= kDriveFromMs && phase < kDriveToMs;
    double rpmTarget;
    if (!driving && speedF_ < 5.0) {
        s_.gear = 0;
        speedF_ = std::max(0.0, speedF_ - 15.0 * dt);
        rpmTarget = idleRpm + s_.throttle * 10.0;
    } else {
        if (s_.gear == 0)
            s_.gear = 1;
        if (driving) {
            const double vTarget = 260.0 * std::sqrt(s_.throttle / 1000.0);
            const double k = (vTarget > speedF_ ? 0.4 : 0.35) / s_.gear;
            speedF_ = std::max(0.0, speedF_ + (vTarget - speedF_) * k * dt);
        } else {
            speedF_ = std::max(0.0, speedF_ - kBrakeKmhPerS * dt);  // braking to a stop
        }
        const double ratio = kRpmPerKmh[s_.gear];
        // Below the gear's lowest speed the clutch slips.
        rpmTarget = std::max(speedF_ * ratio, idleRpm + (s_.gear == 1 ? 600.0 + s_.throttle * 3.0 : 0.0));
        if (rpmTarget > kShiftUpRpm && s_.gear < 6) {
            ++s_.gear;
            shiftUntilMs_ = nowMs_ + kShiftMs;
        } else if (speedF_ * ratio < kShiftDownRpm && s_.gear > 1) {
            --s_.gear;
        }
    }
    rpmF_ += (rpmTarget - rpmF_) * std::min(1.0, dt / 0.15);
    s_.ignLimiter = limiterRpm_ > 0 && rpmF_ >= limiterRpm_;
    if (s_.ignLimiter)
        rpmF_ = limiterRpm_ - 50.0;
    s_.rpm = std::max(0, static_cast<int>(rpmF_) + noise(s_.gear == 0 && s_.throttle < 20 ? 25 : 8));
    s_.speedKmh = static_cast<int>(speedF_);

    const double mapTarget = (s_.throttle < 10 && s_.rpm > 3000) ? 22.0 : 32.0 + 66.0 * std::sqrt(s_.throttle / 1000.0);
    mapF_ += (mapTarget - mapF_) * std::min(1.0, dt / 0.08);
    s_.manifoldKpa = std::clamp(static_cast<int>(mapF_), 10, 105);

    // Heat from combustion against the radiator; the fan switches with a
    // little hysteresis (or while its output test runs).
    s_.fan = nowMs_ < fanTestUntilMs_ || s_.coolantC > coolingOnC_ || (s_.fan && s_.coolantC > coolingOnC_ - 4);
    const double heat = 0.25 + s_.rpm * 0.00006;
    const double cooling = (s_.coolantC - s_.airC) * (0.002 + s_.speedKmh * 0.00004 + (s_.fan ? 0.006 : 0.0));
    s_.coolantC = std::clamp(s_.coolantC + (heat - cooling) * dt, -20.0, 130.0);

    // The TPS map takes over from the IAP map as the throttle opens.
    s_.tpsShare = std::clamp((s_.throttle - 30) * 100 / 120, 0, 100);
}

EngineModel::MapPoint EngineModel::locate(const ParameterImage& stored, int mapIndex) const
{
    const MapDescriptor& map = injectionMap(mapIndex);
    MapPoint p{mapIndex, 0, 0, 1 << 30, 1 << 30, 0, 0, 0, 0};
    int lowRpm = 1 << 30, highRpm = 0;
    for (int c = 0; c < kMapColumns; ++c) {
        const int axis = stored.byte(map.axisOffset + c) * 100;
        lowRpm = std::min(lowRpm, axis);
        highRpm = std::max(highRpm, axis);
        if (std::abs(s_.rpm - axis) < p.rpmDistance) {
            p.rpmDistance = std::abs(s_.rpm - axis);
            p.col = c;
        }
    }
    const int load = map.iapLoad ? s_.manifoldKpa : s_.throttle / 10;
    int lowLoad = 1 << 30, highLoad = 0;
    for (int r = 0; r < kMapRows; ++r) {
        const int rowLoad = map.iapLoad ? stored.word(off::IapAxis + 2 * r) : kTpsBreakpoints[r];
        lowLoad = std::min(lowLoad, rowLoad);
        highLoad = std::max(highLoad, rowLoad);
        if (std::abs(load - rowLoad) < p.loadDistance) {
            p.loadDistance = std::abs(load - rowLoad);
            p.row = r;
        }
    }
    p.belowRpm = std::max(0, lowRpm - s_.rpm);
    p.aboveRpm = std::max(0, s_.rpm - highRpm);
    p.belowLoad = std::max(0, lowLoad - load);
    p.aboveLoad = std::max(0, load - highLoad);
    return p;
}

int EngineModel::need(const ParameterImage& stored, int mapIndex, int row, int col)
{
    auto& table = need_[static_cast<std::size_t>(mapIndex)];
    if (!table) {
        // The engine needs what the map says, give or take 12 % per cell,
        // so that tuning has something to find.
        const MapDescriptor& map = injectionMap(mapIndex);
        std::array<int, 150> cells{};
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c) {
                const int k = r * kMapColumns + c;
                const std::uint32_t h = mix(seed_ * 977u + static_cast<std::uint32_t>(mapIndex * 150 + k));
                const double factor = 0.88 + 0.24 * (h % 1001) / 1000.0;
                const int base = readCell(stored, map, r, c);
                cells[static_cast<std::size_t>(k)] = std::max(1, static_cast<int>(std::lround((base > 0 ? base : 2000) * factor)));
            }
        }
        table = cells;
    }
    return (*table)[static_cast<std::size_t>(row * kMapColumns + col)];
}

int EngineModel::tune(const PollRequest& poll, ParameterImage& stored, const MapPoint& p)
{
    const bool active = poll.tuningOn || (poll.tuningByTls && tachoLambdaSwitch_);
    if (!active)
        return 2;
    if (s_.rpm == 0)
        return 0;
    if (!s_.running)
        return 1;  // cranking: no map in use
    if (s_.sinceStartMs < kLambdaWarmMs)
        return 6;
    if (poll.maxAcc > 0 && (s_.accCorr - 1000) / 10 > poll.maxAcc)
        return 3;
    if (s_.tpsShare > 35 && s_.tpsShare < 65)
        return 4;
    if (p.belowRpm > poll.rpmTolerance)
        return 7;
    if (p.aboveRpm > poll.rpmTolerance)
        return 8;
    if (p.belowLoad > poll.loadTolerance)
        return 9;
    if (p.aboveLoad > poll.loadTolerance)
        return 10;
    if (poll.tuningMode == 0 && (p.rpmDistance > poll.rpmTolerance || p.loadDistance > poll.loadTolerance))
        return 5;

    const int error = s_.airFuelRatio - poll.lambdaTarget;
    if (std::abs(error) <= poll.hysteresis)
        return 13;
    const bool lean = error > 0;
    if (nowMs_ - lastTuneMs_ < poll.stepTimeMs)
        return lean ? 11 : 12;
    lastTuneMs_ = nowMs_;

    const MapDescriptor& map = injectionMap(p.mapIndex);
    const auto adjust = [&](int r, int c, int percent) {
        if (r < 0 || r >= kMapRows || c < 0 || c >= kMapColumns)
            return;
        const int cell = readCell(stored, map, r, c);
        const int delta = std::max(1, cell * percent / 100);
        writeCell(stored, map, r, c, std::clamp(cell + (lean ? delta : -delta), 0, 0xFFFF));
    };
    adjust(p.row, p.col, poll.stepPercent);
    if (poll.tuningMode == 1) {
        // "All": the neighbours follow by half a step.
        adjust(p.row - 1, p.col, poll.stepPercent / 2);
        adjust(p.row + 1, p.col, poll.stepPercent / 2);
        adjust(p.row, p.col - 1, poll.stepPercent / 2);
        adjust(p.row, p.col + 1, poll.stepPercent / 2);
    }
    return lean ? 11 : 12;
}

void EngineModel::fill(std::span<const std::uint8_t> pollFrame, ParameterImage& stored, std::span<std::uint8_t, 152> f)
{
    const PollRequest poll = PollRequest::fromPoll(pollFrame);
    ++answered_;

    // Settings of the unit that the step between polls uses.
    limiterRpm_ = stored.byte(off::IgnLimiter) * 100;
    coolingOnC_ = stored.byte(off::CoolingTemp) != 0 ? stored.byte(off::CoolingTemp) : 95;

    // One-shot output tests.
    if (poll.tests[2] & 0x01)
        pilotTestUntilMs_ = nowMs_ + 2000;
    if (poll.tests[2] & 0x04)
        fanTestUntilMs_ = nowMs_ + 3000;
    for (int i = 0; i < 8; ++i)
        if (poll.tests[0] & (1 << i))
            injectorTestUntilMs_[static_cast<std::size_t>(i)] = nowMs_ + 1000;
    if (poll.tests[3] & 0x0F) {
        servoTestBits_ = poll.tests[3] & 0x0F;
        const int ms = stored.byte(off::TestServoTime) * 10;
        servoTestUntilMs_ = nowMs_ + (ms > 0 ? ms : 500);
    }
    if (nowMs_ < fanTestUntilMs_)
        s_.fan = true;

    // The map the unit injects from at this point, and the mixture it gives.
    const int mapIndex = s_.tpsShare >= 50 ? poll.channel - 1 : kIapIndex;
    const MapPoint point = locate(stored, mapIndex);
    const MapDescriptor& map = injectionMap(mapIndex);
    const int actual = readCell(stored, map, point.row, point.col);
    const int needed = need(stored, mapIndex, point.row, point.col);
    if (!s_.running)
        s_.airFuelRatio = 200;
    else if (actual <= 0)
        s_.airFuelRatio = 220;
    else
        s_.airFuelRatio = std::clamp(static_cast<int>(static_cast<long>(kNaturalAfr) * needed / actual) + noise(2), 90, 220);
    s_.tuningStatus = tune(poll, stored, point);

    std::fill(f.begin() + 1, f.begin() + mon::Check, std::uint8_t{0});

    // Switch inputs idle (bits set), servos in order.
    const bool shifting = nowMs_ < shiftUntilMs_;
    int a = monbit::FallIn | monbit::BlockIn | monbit::StartLimiterIn | monbit::ClutchIn;
    if (shifting)
        a = (a & ~monbit::ClutchIn) | monbit::ClutchOut;
    putByte(f, mon::FlagsA, a);
    int b = monbit::ExhaustServoOk | monbit::IntakeServoOk;
    if (!tachoLambdaSwitch_)
        b |= monbit::RpmLambdaIn | monbit::TachoOutput;
    if (s_.ignLimiter)
        b |= monbit::IgnLimiter;
    putByte(f, mon::FlagsB, b);
    int c = 0;
    if (s_.rpm > 0)
        c |= monbit::CkpsSignal | monbit::CmpsSignal;
    if (!s_.running)
        c |= monbit::MapUseSuppressed;
    if (s_.fan)
        c |= monbit::CoolingFan;
    if (stored.byte(off::N2oEnable) != 0 && s_.throttle > 950 && s_.gear >= 2)
        c |= monbit::N2oActive;
    putByte(f, mon::FlagsC, c);
    int d = 0;
    if (s_.rpm > 4000)
        d |= monbit::OutputTestsBlocked;
    if (stored.byte(off::IdleMode) == 1)
        d |= monbit::IntakeServoIdle;
    putByte(f, mon::FlagsD, d);

    // Advance from the advance map, a little more on a cold engine.
    const MapDescriptor& advanceMap = *findMap("MapAdvance");
    const MapPoint advancePoint = locate(stored, 0);
    const int coldAdvance = s_.coolantC < 60.0 ? static_cast<int>((60.0 - s_.coolantC) / 10.0) : 0;
    const int advance = readCell(stored, advanceMap, advancePoint.row, advancePoint.col) + coldAdvance;
    for (int i = 0; i < 4; ++i)
        putSigned(f, mon::Advance + i, s_.running ? advance + noise(1) : 5);

    // Injection per injector: TPS and IAP maps blended by the share, with
    // the warm-up and after-start enrichment.
    const double coolantCorr = s_.coolantC < 80.0 ? 1.0 + (80.0 - s_.coolantC) * 0.005 : 1.0;
    const double afterStart = s_.sinceStartMs < 30000 ? 1.0 + 0.3 * (30000 - s_.sinceStartMs) / 30000.0 : 1.0;
    const MapPoint iapPoint = locate(stored, kIapIndex);
    const int iapUs = readCell(stored, injectionMap(kIapIndex), iapPoint.row, iapPoint.col);
    const MapDescriptor& bankB = *findMap("MapJetB");
    const MapPoint tpsPoint = locate(stored, 0);
    const int bankBPercent = readCell(stored, bankB, tpsPoint.row, tpsPoint.col);
    for (int i = 0; i < 4; ++i) {
        const MapPoint pi = locate(stored, i);
        const int tpsUs = readCell(stored, injectionMap(i), pi.row, pi.col);
        const double us = (tpsUs * s_.tpsShare + iapUs * (100 - s_.tpsShare)) / 100.0 * coolantCorr * afterStart;
        int raw = s_.running ? static_cast<int>(us / 100.0) : 30;
        if (nowMs_ < injectorTestUntilMs_[static_cast<std::size_t>(i)])
            raw = 50;
        putByte(f, mon::InjectionA + i, raw);
        int rawB = raw * bankBPercent / 100;
        if (nowMs_ < injectorTestUntilMs_[static_cast<std::size_t>(4 + i)])
            rawB = 50;
        putByte(f, mon::InjectionB + i, rawB);
    }

    putByte(f, mon::Coolant, std::max(1, static_cast<int>(std::lround(s_.coolantC)) + 100));
    putByte(f, mon::Air, std::max(1, static_cast<int>(std::lround(s_.airC)) + 100));
    putByte(f, mon::Gear, s_.gear);
    putByte(f, mon::TpsShare, s_.tpsShare);
    int pilot = 0;
    if (s_.gear >= 1 && s_.gear <= 6) {
        const int warn = stored.byte(off::PilotLightRpm1 + s_.gear - 1) * 100;
        const int shift = stored.byte(off::PilotLightRpm2 + s_.gear - 1) * 100;
        if (shift > 0 && s_.rpm >= shift)
            pilot = 2;
        else if (warn > 0 && s_.rpm >= warn)
            pilot = 1;
    }
    if (nowMs_ < pilotTestUntilMs_)
        pilot = 2;
    putByte(f, mon::PilotLight, pilot);
    putByte(f, mon::TuningStatus, s_.tuningStatus);
    putByte(f, mon::AirFuelRatio, s_.airFuelRatio);

    putWord(f, mon::Rpm, s_.rpm);
    const int ambient = 1008 + noise(1);
    putWord(f, mon::AmbientVoltage, 1500 + ambient * 25 / 10);
    putWord(f, mon::AmbientPressure, ambient);
    putWord(f, mon::ManifoldVoltage, s_.manifoldKpa * 45 + noise(5));
    putWord(f, mon::TpsVoltage, 600 + s_.throttle * 36 / 10 + noise(3));
    putWord(f, mon::LambdaVoltage, (s_.airFuelRatio - 90) * 38);
    putWord(f, mon::CoolantVoltage, 4500 - static_cast<int>(s_.coolantC * 30.0));
    putWord(f, mon::AirVoltage, 4500 - static_cast<int>(s_.airC * 30.0));
    const int supply = !s_.running ? 10400 + noise(200) : s_.rpm < 2000 ? 13200 + noise(60) : 14100 + noise(60);
    putWord(f, mon::SupplyVoltage, supply);
    // Servos open with the engine speed; a test request moves them for a while.
    int exhaust = 800 + std::min(s_.rpm, 12000) / 4;
    int intake = 1000 + s_.throttle * 2;
    if (nowMs_ < servoTestUntilMs_) {
        intake += (servoTestBits_ & 0x01 ? 400 : 0) - (servoTestBits_ & 0x02 ? 400 : 0);
        exhaust += (servoTestBits_ & 0x04 ? 400 : 0) - (servoTestBits_ & 0x08 ? 400 : 0);
    }
    putWord(f, mon::ExhaustServo1, exhaust);
    putWord(f, mon::ExhaustServo2, exhaust + noise(10));
    putWord(f, mon::IntakeServo1, intake);
    putWord(f, mon::IntakeServo2, intake + noise(10));
    putWord(f, mon::PotentiometerVoltage, 2500);
    putWord(f, mon::Test1, answered_);
    putWord(f, mon::Test1 + 2, s_.rpm / 10);
    putWord(f, mon::Test1 + 4, s_.throttle);
    putWord(f, mon::AfterStartTimer, static_cast<int>(std::min<std::int64_t>(s_.sinceStartMs / 200, 0xFFFF)));
    putWord(f, mon::PositionA, 24);
    putWord(f, mon::PositionB, 48);
    putWord(f, mon::CoolantJetCorr, static_cast<int>(std::lround(coolantCorr * 1000.0)));
    putWord(f, mon::AirJetCorr, 1000 + static_cast<int>((25.0 - s_.airC) * 2.0));
    putWord(f, mon::AmbientJetCorr, 1000 + (1013 - ambient) / 2);
    putWord(f, mon::AfterStartJetCorr, static_cast<int>(std::lround(afterStart * 1000.0)));
    putWord(f, mon::SupplyJetCorr, 1000 + (14000 - supply) / 20);
    putWord(f, mon::CoolantIgnCorr, 1000 + coldAdvance * 10);
    putWord(f, mon::PotencIgnCorr, 1000);
    putWord(f, mon::PotencJetCorr, 1000);
    putWord(f, mon::RoadSpeed, s_.speedKmh);
    putWord(f, mon::GearVoltage, s_.gear == 0 ? 300 : 300 + s_.gear * 600);
    putWord(f, mon::RpmSpeedRatio, s_.speedKmh > 0 ? s_.rpm * 10 / s_.speedKmh : 0);
    for (int g = 1; g <= 6; ++g)
        putWord(f, mon::AutoGearRatio1 + 2 * (g - 1), kRpmPerKmh[g] * 10);
    const int idleCorr = (s_.running && s_.gear == 0 && s_.throttle < 20) ? (1250 - s_.rpm) / 5 : 0;
    putWord(f, mon::IdleIgnCorr, 1000 + std::clamp(idleCorr, -100, 100));
    putWord(f, mon::ManifoldPressure, s_.manifoldKpa);
    putWord(f, mon::Throttle, s_.throttle);
    putWord(f, mon::AccJetCorr, s_.accCorr);
    putWord(f, mon::StepServoPosition, s_.running ? 40 + static_cast<int>(std::max(0.0, 70.0 - s_.coolantC)) : 120);
    putByte(f, mon::Version, kProgramVersion);
}

}  // namespace kestrin
