// The simulated unit's side of the protocol and its fault switches.

#include "link/sim/simulated_unit.h"

#include "link/link_engine.h"
#include "link/transfer_identification.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

Frame command(std::uint8_t c, std::uint8_t fill = 0)
{
    Frame f{};
    f[0] = c;
    if (c != kPollCommand)
        for (int i = 1; i <= 150; ++i)
            f[static_cast<std::size_t>(i)] = fill;
    seal(f);
    return f;
}

std::vector<Frame> frames(const std::vector<std::uint8_t>& bytes)
{
    std::vector<Frame> out;
    for (std::size_t i = 0; i + kFrameSize <= bytes.size(); i += kFrameSize) {
        Frame f;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i), kFrameSize, f.begin());
        out.push_back(f);
    }
    return out;
}

std::vector<Frame> talk(SimulatedUnit& unit, const Frame& f)
{
    unit.receive(f);
    return frames(unit.takeOutput());
}

TEST(SimulatedUnit, StoresWrittenBlocksEchoesThemAndNeverStoresBlockZero)
{
    SimulatedUnit unit;
    auto r = talk(unit, command(0x05, 0xAB));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0], 0x85);
    EXPECT_TRUE(isIntact(r[0]));
    EXPECT_EQ(r[0][1], 0xAB);
    EXPECT_EQ(unit.stored().byte(4 * 150 + 149), 0xAB);

    r = talk(unit, command(0x45));
    EXPECT_EQ(r[0][0], 0xC5);
    EXPECT_EQ(r[0][150], 0xAB);

    const ParameterImage before = unit.stored();
    r = talk(unit, command(0x00, 0x11));
    EXPECT_EQ(r[0][0], 0x80);
    EXPECT_EQ(unit.stored(), before);
    EXPECT_EQ(r[0][1 + ident::ProgramVersion], 82);
}

TEST(SimulatedUnit, IdentificationDecodesToItsConfiguredTexts)
{
    SimIdentity id;
    id.programVersion = 81;
    id.programName = "";
    id.day = 5;
    id.month = 5;
    id.year = 2007;
    id.hour = 9;
    id.minute = 30;
    SimulatedUnit unit({}, id);
    const auto r = talk(unit, command(0x40));
    Block b;
    std::copy(r[0].begin() + 1, r[0].begin() + 151, b.begin());
    EXPECT_EQ(b[ident::ProgramVersion], 81);
    const auto t = decodeIdentification(b);
    EXPECT_EQ(t.version, "KST07");
    EXPECT_EQ(t.date, " 5. 5.2007");
    EXPECT_EQ(t.time, "09:30");
}

TEST(SimulatedUnit, FirstPollAfterWritesStartsSavingAndCountsAProgramming)
{
    SimulatedUnit unit;
    talk(unit, command(0x03, 1));
    auto r = talk(unit, command(kPollCommand));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0], kMonitorReply);
    EXPECT_EQ(r[0][150], 82);
    EXPECT_EQ(r[0][148] | (r[0][149] << 8), kSavingCountdownStart);
    EXPECT_EQ(r[0][76], 1);
    EXPECT_EQ(unit.programmings(), 1);

    unit.advance(SimulatedUnit::kSavingMs / 2);
    EXPECT_NEAR(unit.savingCountdown(), kSavingCountdownStart / 2, 2);
    unit.advance(SimulatedUnit::kSavingMs);
    EXPECT_EQ(unit.savingCountdown(), 0);
    talk(unit, command(kPollCommand));
    EXPECT_EQ(unit.programmings(), 1);  // nothing new to store
}

TEST(SimulatedUnit, MonitorSourceFillsTheFrameAndMayTuneTheStoredMaps)
{
    struct Source : MonitorSource {
        int polls = 0;
        void fillMonitor(const MonitorContext& ctx, std::span<std::uint8_t, kFrameSize> f) override
        {
            ++polls;
            f[48] = 0x10;      // engine speed, low byte
            f[150] = 0;        // the unit puts its version over this
            f[26] = ctx.poll[1];  // echo "Tuning on" for the test
            ctx.stored.setByte(7 * 150, 0x77);
        }
    } source;
    SimulatedUnit unit;
    unit.setMonitorSource(&source);
    Frame poll = command(kPollCommand);
    poll[1] = 1;
    seal(poll);
    const auto r = talk(unit, poll);
    EXPECT_EQ(source.polls, 1);
    EXPECT_EQ(r[0][48], 0x10);
    EXPECT_EQ(r[0][26], 1);
    EXPECT_EQ(r[0][150], 82);
    EXPECT_TRUE(isIntact(r[0]));
    EXPECT_EQ(unit.stored().byte(7 * 150), 0x77);
}

TEST(SimulatedUnit, IgnoresFramesThatFailTheirCheckAndStaleHalfFrames)
{
    SimulatedUnit unit;
    Frame bad = command(0x05, 0xAB);
    bad[151] ^= 1;
    EXPECT_TRUE(talk(unit, bad).empty());
    EXPECT_EQ(unit.stored().byte(4 * 150), 0);

    const Frame good = command(0x45);
    unit.receive(std::span(good).first(100));
    unit.advance(SimulatedUnit::kStaleInputMs + 1);
    unit.receive(good);  // the old 100 bytes are dropped, not glued in front
    const auto r = frames(unit.takeOutput());
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][0], 0xC5);
}

TEST(SimulatedUnit, TimingFaultsDelaySplitAndRepeatReplies)
{
    SimulatedUnit delayed({}, {}, SimFaults{.delayTicks = 3});
    delayed.receive(command(0x41));
    delayed.advance(3 * kTickMs - 1);
    EXPECT_EQ(delayed.pendingOutput(), 0u);
    delayed.advance(1);
    EXPECT_EQ(delayed.pendingOutput(), 152u);

    SimulatedUnit split({}, {}, SimFaults{.split = true});
    split.receive(command(0x41));
    EXPECT_EQ(split.pendingOutput(), 76u);
    split.advance(kTickMs);
    EXPECT_EQ(split.pendingOutput(), 152u);

    SimulatedUnit burst({}, {}, SimFaults{.burst = 3});
    const auto r = talk(burst, command(0x41));
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], r[2]);
}

TEST(SimulatedUnit, ContentFaults)
{
    SimulatedUnit silent({}, {}, SimFaults{.silentAfter = 2});
    EXPECT_EQ(talk(silent, command(0x41)).size(), 1u);
    EXPECT_EQ(talk(silent, command(kPollCommand)).size(), 1u);
    EXPECT_TRUE(talk(silent, command(0x41)).empty());
    EXPECT_EQ(silent.framesReceived(), 3);

    SimulatedUnit dropFive({}, {}, SimFaults{.dropBlock = 5});
    EXPECT_TRUE(talk(dropFive, command(0x05)).empty());
    EXPECT_TRUE(talk(dropFive, command(0x45)).empty());
    EXPECT_EQ(talk(dropFive, command(0x46)).size(), 1u);
    EXPECT_EQ(dropFive.stored().byte(4 * 150), 0);  // stored all the same: only the reply is lost

    SimulatedUnit corrupt({}, {}, SimFaults{.corruptRate = 1.0});
    EXPECT_FALSE(isIntact(talk(corrupt, command(0x41))[0]));

    SimulatedUnit wrong({}, {}, SimFaults{.wrongCodeRate = 1.0});
    const auto w = talk(wrong, command(0x41));
    EXPECT_TRUE(isIntact(w[0]));
    EXPECT_NE(w[0][0], 0xC1);
}

TEST(SimulatedUnit, DropsAtARateRepeatForTheSameSeed)
{
    auto pattern = [](std::uint32_t seed) {
        SimulatedUnit unit({}, {}, SimFaults{.seed = seed, .dropRate = 0.5});
        std::string answered;
        for (int i = 0; i < 64; ++i)
            answered += talk(unit, command(0x41)).empty() ? '.' : 'x';
        return answered;
    };
    const std::string a = pattern(42);
    EXPECT_EQ(a, pattern(42));
    EXPECT_NE(a, pattern(43));
    EXPECT_NE(a.find('.'), std::string::npos);
    EXPECT_NE(a.find('x'), std::string::npos);
}

}  // namespace
}  // namespace kestrin
