#include "link/sim/engine_model.h"

#include "app/messages.h"
#include "link/monitor_decoder.h"
#include "link/monitor_frame.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

using namespace kestrin;

namespace {

using Frame152 = std::array<std::uint8_t, kMonitorFrameSize>;

struct Tuning {
    bool on = false;
    int mode = 1;
    int target = 130;
    int hysteresis = 2;
    int rpmTol = 500;
    int loadTol = 10;
    int stepTimeMs = 100;
    int step = 3;
    int channel = 1;
};

Frame152 poll(const Tuning& t = {}, std::array<std::uint8_t, 4> tests = {})
{
    Frame152 p{};
    p[0] = 0x30;
    p[1] = t.on ? 1 : 0;
    p[2] = static_cast<std::uint8_t>(t.mode);
    p[4] = static_cast<std::uint8_t>(t.target);
    p[6] = static_cast<std::uint8_t>(t.hysteresis);
    p[7] = static_cast<std::uint8_t>(t.rpmTol / 10);
    p[8] = static_cast<std::uint8_t>(t.loadTol);
    p[9] = static_cast<std::uint8_t>(t.stepTimeMs / 10);
    p[10] = static_cast<std::uint8_t>(t.step);
    p[12] = static_cast<std::uint8_t>(t.channel);
    for (int i = 0; i < 4; ++i)
        p[static_cast<std::size_t>(20 + i)] = tests[static_cast<std::size_t>(i)];
    return p;
}

// The unit's part of the answer: reply code and check byte.
Frame152 answer(EngineModel& engine, const Frame152& request, ParameterImage& stored)
{
    Frame152 f{};
    engine.fill(request, stored, f);
    f[0] = kMonitorReplyCode;
    std::uint8_t x = 0xFF;
    for (int i = 0; i < mon::Check; ++i)
        x ^= f[static_cast<std::size_t>(i)];
    f[mon::Check] = x;
    return f;
}

// A plausible stored image: RPM axes 1000..15000, IAP axis 10..100 kPa,
// every injection map 3000 µs, bank B 100 %, advance 20 °.
ParameterImage storedImage()
{
    ParameterImage image;
    image.setByte(off::CylinderCount, 4);
    image.setByte(off::IgnLimiter, 130);
    image.setByte(off::CoolingTemp, 95);
    for (int r = 0; r < kMapRows; ++r)
        image.setWord(off::IapAxis + 2 * r, 10 + 10 * r);
    for (const MapDescriptor& map : mapDescriptors()) {
        for (int c = 0; c < kMapColumns; ++c)
            image.setByte(map.axisOffset + c, 10 + 10 * c);
        const int value = map.kind == MapKind::Injection ? 3000 : map.name == std::string("MapJetB") ? 100 : 20;
        for (int r = 0; r < kMapRows; ++r)
            for (int c = 0; c < kMapColumns; ++c)
                writeCell(image, map, r, c, value);
    }
    return image;
}

TEST(EngineModel, RunsThroughItsScriptWithinRange)
{
    EngineModel engine(7);
    ParameterImage stored = storedImage();
    Document doc;
    doc.image = stored;
    MessageTable texts(English);
    MonitorDecoder decoder(doc, texts);

    std::set<int> gears;
    int maxRpm = 0, maxThrottle = 0, minMap = 1000, maxMap = 0, firstCoolant = -1, lastCoolant = 0;
    bool fanSeen = false, idleSeen = false;
    for (int i = 0; i < 1000; ++i) {  // 330 s of polls
        engine.advance(330);
        const Frame152 f = answer(engine, poll(), stored);
        ASSERT_TRUE(decoder.decode(f)) << "frame " << i;
        const LiveValues& v = decoder.live();
        ASSERT_GE(v.rpm, 0);
        ASSERT_LE(v.rpm, 13000);  // never past the ignition limiter
        ASSERT_GE(v.throttle, 0);
        ASSERT_LE(v.throttle, 1000);
        ASSERT_GE(v.manifoldPressure, 10);
        ASSERT_LE(v.manifoldPressure, 105);
        ASSERT_LE(v.gear, 6);
        ASSERT_LE(v.tpsShare, 100);
        ASSERT_NE(f[mon::Coolant], 0);  // never a sensor error
        ASSERT_GE(v.airFuelRatio, 90);
        ASSERT_LE(v.airFuelRatio, 220);
        ASSERT_EQ(f[mon::TuningStatus], 2);  // tuning is off
        ASSERT_EQ(v.version, kProgramVersion);
        gears.insert(v.gear);
        maxRpm = std::max(maxRpm, v.rpm);
        maxThrottle = std::max(maxThrottle, v.throttle);
        minMap = std::min(minMap, v.manifoldPressure);
        maxMap = std::max(maxMap, v.manifoldPressure);
        if (i > 10 && firstCoolant < 0)
            firstCoolant = v.coolantRaw;
        lastCoolant = v.coolantRaw;
        fanSeen = fanSeen || (f[mon::FlagsC] & monbit::CoolingFan);
        idleSeen = idleSeen || (v.gear == 0 && v.rpm > 900 && v.rpm < 2200);
    }
    // Worth watching: it idles, revs, uses the gears, warms up and cools.
    EXPECT_TRUE(idleSeen);
    EXPECT_GT(maxRpm, 10000);
    EXPECT_EQ(maxThrottle, 1000);
    EXPECT_LT(minMap, 30);
    EXPECT_GT(maxMap, 90);
    EXPECT_TRUE(gears.count(0) && gears.count(1) && gears.count(4));
    EXPECT_GT(lastCoolant, firstCoolant + 40);
    EXPECT_TRUE(fanSeen);
    // Without tuning the stored maps stay as they are.
    EXPECT_EQ(stored, storedImage());
}

TEST(EngineModel, IsDeterministicForASeedWhateverTheTimeChunks)
{
    EngineModel a(3), b(3), c(4);
    ParameterImage sa = storedImage(), sb = storedImage(), sc = storedImage();
    bool differs = false;
    for (int i = 0; i < 200; ++i) {
        a.advance(330);
        for (int k = 0; k < 33; ++k)
            b.advance(10);
        c.advance(330);
        const Frame152 request = poll(Tuning{.on = true});
        const Frame152 fa = answer(a, request, sa);
        ASSERT_EQ(fa, answer(b, request, sb)) << "frame " << i;
        differs = differs || fa != answer(c, request, sc);
    }
    EXPECT_EQ(sa, sb);
    EXPECT_TRUE(differs);
}

// Tuning changes only the map the PC reads back: the TPS map of the tuning
// channel while the TPS share is at least 50 %, else the IAP map.
TEST(EngineModel, TuningChangesTheMapOfTheChannelOrTheIapMap)
{
    EngineModel engine(11);
    ParameterImage stored = storedImage();
    const ParameterImage before = stored;
    const Tuning tuning{.on = true, .mode = 1, .channel = 2};
    const MapDescriptor& tpsMap = injectionMap(1);  // Inj-2A
    const MapDescriptor& iapMap = injectionMap(4);  // Inj-IAP

    std::set<int> statuses;
    int firstError = -1, lastError = 0;
    for (int i = 0; i < 2000; ++i) {
        engine.advance(110);
        const ParameterImage prior = stored;
        const int share = engine.state().tpsShare;
        const Frame152 f = answer(engine, poll(tuning), stored);
        const int status = f[mon::TuningStatus];
        statuses.insert(status);
        if (prior != stored) {
            ASSERT_TRUE(status == 11 || status == 12) << "a change is reported as adding or decreasing";
            const MapDescriptor& expected = share >= 50 ? tpsMap : iapMap;
            for (int offset = 0; offset < kImageSize; ++offset) {
                const bool inMap = offset >= expected.cellsOffset && offset < expected.cellsOffset + 300;
                if (!inMap) {
                    ASSERT_EQ(prior.byte(offset), stored.byte(offset)) << "offset " << offset << " share " << share;
                }
            }
        }
        if (engine.state().running && engine.state().sinceStartMs > 20000 && status >= 11) {
            const int error = std::abs(f[mon::AirFuelRatio] - tuning.target);
            if (firstError < 0)
                firstError = error;
            lastError = error;
        }
    }
    EXPECT_NE(stored, before);
    // Both maps were worked on, the others left alone.
    for (const int index : {0, 2, 3}) {
        const MapDescriptor& m = injectionMap(index);
        for (int k = 0; k < kMapCells; ++k)
            ASSERT_EQ(readCell(stored, m, k / kMapColumns, k % kMapColumns), 3000);
    }
    EXPECT_TRUE(statuses.count(11) || statuses.count(12));
    EXPECT_TRUE(statuses.count(13));
    EXPECT_TRUE(statuses.count(6));  // lambda sensor still heating after the start
    EXPECT_GE(firstError, 0);
    EXPECT_LE(lastError, firstError);
}

TEST(EngineModel, TuningOffOrOutOfThePointLeavesTheMaps)
{
    // Points mode with a tolerance no operating point meets.
    EngineModel engine(5);
    ParameterImage stored = storedImage();
    std::set<int> statuses;
    for (int i = 0; i < 600; ++i) {
        engine.advance(110);
        const Frame152 f = answer(engine, poll(Tuning{.on = true, .mode = 0, .rpmTol = 0, .loadTol = 0}), stored);
        statuses.insert(f[mon::TuningStatus]);
    }
    EXPECT_TRUE(statuses.count(5));
    EXPECT_FALSE(statuses.count(11) || statuses.count(12));
    EXPECT_EQ(stored, storedImage());
}

TEST(EngineModel, TuningByTheTachoLambdaSwitch)
{
    EngineModel engine(2);
    ParameterImage stored = storedImage();
    Tuning byTls{.on = false};
    auto request = poll(byTls);
    request[3] = 1;  // "Tuning on by Tacho/Lambda switch"
    engine.advance(30000);
    Frame152 f = answer(engine, request, stored);
    EXPECT_EQ(f[mon::TuningStatus], 2);
    EXPECT_TRUE(f[mon::FlagsB] & monbit::TachoOutput);
    engine.setTachoLambdaSwitch(true);
    f = answer(engine, request, stored);
    EXPECT_NE(f[mon::TuningStatus], 2);
    EXPECT_FALSE(f[mon::FlagsB] & monbit::TachoOutput);  // lambda mode
    EXPECT_FALSE(f[mon::FlagsB] & monbit::RpmLambdaIn);   // switch input active
}

TEST(EngineModel, OutputTestsShowInTheMonitor)
{
    EngineModel engine(9);
    ParameterImage stored = storedImage();
    engine.advance(3000);  // idling, coolant cold: no fan
    Frame152 f = answer(engine, poll(), stored);
    ASSERT_EQ(f[mon::PilotLight], 0);
    ASSERT_FALSE(f[mon::FlagsC] & monbit::CoolingFan);

    f = answer(engine, poll({}, {0x01, 0x00, 0x05, 0x00}), stored);  // injector 1A, pilot light, cooling
    EXPECT_EQ(f[mon::PilotLight], 2);
    EXPECT_TRUE(f[mon::FlagsC] & monbit::CoolingFan);
    EXPECT_EQ(f[mon::InjectionA], 50);
    // The requests are one-shot; their effect fades after a few seconds.
    engine.advance(4000);
    f = answer(engine, poll(), stored);
    EXPECT_EQ(f[mon::PilotLight], 0);
    EXPECT_FALSE(f[mon::FlagsC] & monbit::CoolingFan);
}

}  // namespace
