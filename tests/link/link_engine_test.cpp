// The tick of the link engine: collecting and dispatching frames, polling,
// the tuning read-back, the status line countdown and the connection watch.

#include "link_fixture.h"

#include "link/link_engine_monitor.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

Frame monitorFrame(int savingCountdown = 0)
{
    Frame f{};
    f[0] = kMonitorReply;
    f[148] = static_cast<std::uint8_t>(savingCountdown & 0xFF);
    f[149] = static_cast<std::uint8_t>(savingCountdown >> 8);
    f[150] = 82;
    seal(f);
    return f;
}

// A line with nothing on the other end: only injected bytes arrive.
struct BareRig : LinkRig {
    BareRig() : LinkRig({}, {}, SimFaults{.silentAfter = 0}) {}
};

TEST(LinkTick, AFrameIsDispatchedOnlyOnceAll152BytesAreQueued)
{
    BareRig rig;
    const Frame f = monitorFrame();
    rig.channel.inject(std::span(f).first(151));
    rig.tick();
    EXPECT_EQ(rig.sink.frames, 0);
    EXPECT_EQ(rig.channel.queuedBytes(), 151);  // left waiting
    rig.channel.inject(std::span(f).last(1));
    rig.tick();
    EXPECT_EQ(rig.sink.frames, 1);
    EXPECT_EQ(rig.engine.connectionCounter(), 1);  // reset, then one tick of the watch
}

TEST(LinkTick, ABurstYieldsItsFirstFrameOnlyAndNoFrameSearchIsMade)
{
    BareRig rig;
    const Frame f = monitorFrame();
    for (int i = 0; i < 3; ++i)
        rig.channel.inject(f);
    rig.tick();
    EXPECT_EQ(rig.sink.frames, 1);
    EXPECT_EQ(rig.channel.queuedBytes(), 0);

    // One stray byte in front shifts the frame: it is not found.
    const std::uint8_t junk = 0x00;
    rig.channel.inject(std::span(&junk, 1));
    rig.channel.inject(f);
    rig.tick();
    EXPECT_EQ(rig.sink.frames, 1);
}

TEST(LinkTick, MonitorFrameThatFailsTheCheckChangesNothing)
{
    BareRig rig;
    rig.tick(3);
    Frame f = monitorFrame();
    f[151] ^= 0x04;
    rig.channel.inject(f);
    rig.tick();
    EXPECT_EQ(rig.sink.frames, 0);
    EXPECT_EQ(rig.engine.connectionCounter(), kConnectionStart + 4);
}

TEST(LinkTick, IdleLinkPollsEverySixTicksCarryingTestRequestsOnce)
{
    BareRig rig;
    rig.engine.setTuningOn(false);
    rig.engine.outputTests().request(OutputTest::Jet1A);
    rig.engine.outputTests().request(OutputTest::Ign2);
    rig.tick(5);
    EXPECT_TRUE(rig.channel.written().empty());
    rig.tick();
    rig.engine.outputTests().request(OutputTest::ServoExMinus);
    rig.engine.outputTests().request(OutputTest::ServoExMinus);
    rig.tick(6);
    rig.tick(6);
    const auto& w = rig.channel.written();
    ASSERT_EQ(w.size(), 3u);
    for (const auto& f : w)
        EXPECT_EQ(f[0], kPollCommand);
    EXPECT_EQ(w[0][20], 0x01);
    EXPECT_EQ(w[0][21], 0x02);
    EXPECT_EQ(w[1][20], 0x00);
    EXPECT_EQ(w[1][21], 0x00);
    EXPECT_EQ(w[1][23], 0x08);
    EXPECT_EQ(w[2][23], 0x00);
}

TEST(LinkTick, TuningReadBackFetchesTheTunedMapByTheTpsShare)
{
    struct Case {
        int tpsShare, channel;
        bool byTlsSwitch;
        std::uint8_t first;
    } cases[] = {
        {49, 2, false, 0x40 | 15},
        {50, 2, false, 0x40 | 8},
        {100, 1, false, 0x40 | 6},
        {80, 4, false, 0x40 | 12},
        {0, 3, true, 0x40 | 15},   // switched on by the Tacho/Lambda switch in lambda mode
        {60, 0, false, 0x40 | 6},  // a channel out of range reads channel 1's map
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tpsShare);
        ParameterImage unitImage = patternImage(9);  // the unit's tuned maps
        LinkRig rig(unitImage);
        rig.doc.image.setByte(off::TuningChannel, static_cast<std::uint8_t>(c.channel));
        rig.unit.stored().setByte(off::TuningChannel, static_cast<std::uint8_t>(c.channel));
        rig.live.tpsShare = c.tpsShare;
        if (c.byTlsSwitch) {
            rig.engine.setTuningByTls(true);
            rig.live.lambdaMode = true;
        } else {
            rig.engine.setTuningOn(true);
        }
        rig.tick(8);
        const auto cmds = rig.commandsWritten();
        ASSERT_EQ(cmds.size(), 3u);
        EXPECT_EQ(cmds[0], c.first);
        EXPECT_EQ(cmds[1], c.first + 1);
        EXPECT_EQ(cmds[2], kPollCommand);
        EXPECT_EQ(rig.channel.written()[2][c.byTlsSwitch ? 3 : 1], 1);
        const int block = c.first & 0x3F;
        EXPECT_EQ(rig.doc.image.block(block), unitImage.block(block));
        EXPECT_EQ(rig.doc.image.block(block + 1), unitImage.block(block + 1));
        EXPECT_EQ(rig.events.refreshes, 1);
        EXPECT_EQ(rig.engine.tuningStep(), 0);
    }
}

TEST(LinkTick, TachoLambdaSwitchWithoutLambdaModeOnlyPolls)
{
    LinkRig rig;
    rig.engine.setTuningByTls(true);
    rig.live.lambdaMode = false;
    rig.tick(6);
    EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{kPollCommand}));
}

TEST(LinkTick, StatusLineHides200TicksAfterItsLastMessage)
{
    BareRig rig;
    rig.engine.read();
    rig.tick(36);  // the read fails: "Read error!" restarts the countdown
    ASSERT_EQ(rig.engine.status().text, "Read error!");
    rig.tick(kStatusHideTicks - 2);
    EXPECT_TRUE(rig.engine.status().visible);
    rig.tick();
    EXPECT_FALSE(rig.engine.status().visible);
    EXPECT_FALSE(rig.engine.status().gaugeVisible);
}

TEST(LinkTick, SavingProgressFollowsTheCountdownAndStaysOnTheGauge)
{
    struct Case {
        int countdown, gauge;
    } cases[] = {{5782, 0}, {2891, 10}, {1, 19}, {60000, 0}};  // the last one is no real countdown
    for (const auto& c : cases) {
        SCOPED_TRACE(c.countdown);
        BareRig rig;
        rig.channel.inject(monitorFrame(c.countdown));
        rig.tick();
        EXPECT_EQ(rig.engine.status().text, "Saving:");
        EXPECT_EQ(rig.engine.status().gauge, c.gauge);
        EXPECT_EQ(rig.engine.status().hideCountdown, kStatusHideTicks - 1);
    }
}

TEST(LinkTick, NoConnectionOnTheSeventhTickThenTheSamePortReopensEvery30Ticks)
{
    BareRig rig;
    rig.doc.outside.portIndex = 2;
    rig.tick(6);
    EXPECT_FALSE(rig.engine.connectionLost());
    EXPECT_TRUE(rig.events.connection.empty());
    rig.tick();
    EXPECT_EQ(rig.events.connection, (std::vector<bool>{true}));

    // The lost tick counts as the first of the 30.
    const std::size_t opensBefore = rig.channel.opened().size();
    rig.tick(28);
    EXPECT_EQ(rig.channel.opened().size(), opensBefore);
    rig.tick();
    EXPECT_EQ(rig.channel.opened().size(), opensBefore + 1);
    EXPECT_EQ(rig.channel.opened().back(), comPortDevice(3));
    rig.tick(30);
    EXPECT_EQ(rig.channel.opened().size(), opensBefore + 2);

    // A valid frame hides "No Connection" on the next tick.
    rig.channel.inject(monitorFrame());
    rig.tick();
    EXPECT_EQ(rig.events.connection, (std::vector<bool>{true, false}));
    EXPECT_TRUE(rig.events.portErrors.empty());
}

TEST(LinkTick, ComAutoWithNoPortsTriesTheNextPortEveryTickSilently)
{
    BareRig rig;
    std::vector<std::string> all;
    for (int n = 1; n <= kScanPortCount; ++n)
        all.push_back(comPortDevice(n));
    rig.channel.setMissing(all);
    rig.doc.outside.portScanIndex = 19;
    rig.engine.selectPort(kAutoPortIndex);
    EXPECT_EQ(rig.channel.opened().back(), comPortDevice(20));

    rig.tick(6);  // the connection is still within its start-up grace
    const std::size_t opens = rig.channel.opened().size();
    rig.tick(3);
    ASSERT_EQ(rig.channel.opened().size(), opens + 3);
    EXPECT_EQ(rig.channel.opened()[opens], comPortDevice(21));
    EXPECT_EQ(rig.channel.opened()[opens + 1], comPortDevice(1));  // wraps
    EXPECT_EQ(rig.channel.opened()[opens + 2], comPortDevice(2));
    EXPECT_TRUE(rig.events.portErrors.empty());
    EXPECT_EQ(rig.events.portLabels.back(), "COM= COM2");
}

TEST(LinkTick, MissingPortChosenFromTheMenuIsReportedOnceThenReopenedSilently)
{
    BareRig rig;
    rig.channel.setMissing({comPortDevice(12)});
    rig.engine.selectPort(11);
    ASSERT_EQ(rig.events.portErrors.size(), 1u);
    EXPECT_EQ(rig.events.portErrors[0], rig.text(23));
    EXPECT_EQ(rig.events.portLabels.back(), "COM= COM12");
    rig.tick(100);
    EXPECT_EQ(rig.events.portErrors.size(), 1u);
    EXPECT_GT(rig.channel.opened().size(), 3u);
    EXPECT_EQ(rig.channel.opened().back(), comPortDevice(12));
}

}  // namespace
}  // namespace kestrin::test

namespace kestrin::test {
namespace {

// The engine, the real decoder and the simulated unit together: the unit's
// saving countdown reaches the status line through the decoded live values.
TEST(LinkWithDecoder, SavingAfterAProgramRunComesThroughTheDecoder)
{
    Document doc;
    doc.image = patternImage(4);
    MessageTable messages{English};
    MonitorDecoder decoder(doc, messages);
    SimulatedUnit unit(patternImage(5));
    MemoryChannel channel(&unit);
    LinkEngine engine(doc, channel, messages, decoder.live());
    int decoded = 0;
    DecoderSink sink(decoder, [&] { ++decoded; });
    engine.setMonitorSink(&sink);
    engine.openPort();

    engine.program();
    bool sawSaving = false;
    for (int i = 0; i < 150; ++i) {
        unit.advance(kTickMs);
        engine.tick();
        sawSaving = sawSaving || engine.status().text == "Saving:";
    }
    EXPECT_TRUE(sawSaving);
    EXPECT_GT(decoded, 0);
    EXPECT_EQ(decoder.live().version, 82);
    EXPECT_EQ(unit.stored(), doc.image);
    EXPECT_EQ(engine.status().text, "Program device: OK");
}

}  // namespace
}  // namespace kestrin::test
