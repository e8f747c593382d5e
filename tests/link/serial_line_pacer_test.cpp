// The line timing the simulated unit imposes on a pseudo-terminal.

#include "link/sim/line_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrin::sim {
namespace {

constexpr std::int64_t kByte = LinePacer::kByteTimeUs57600;

TEST(LinePacer, FrameFromThePcArrivesAfterItsLineTime)
{
    LinePacer line;
    const std::vector<std::uint8_t> frame(152, 0x30);
    line.fromPc(frame, 1000);
    EXPECT_EQ(line.nextDue(), 1000 + 152 * kByte);
    EXPECT_EQ(line.arrivedAt(1000 + 151 * kByte).size(), 151u);
    EXPECT_EQ(line.arrivedAt(1000 + 152 * kByte).size(), 1u);
    EXPECT_TRUE(line.idle());
    EXPECT_FALSE(line.nextDue());
    // 152 bytes at 57600 baud: about 26 ms.
    EXPECT_NEAR(152 * kByte, 26'400, 300);
}

TEST(LinePacer, ReplyGoesOutInChunksAndQueuesBehindTheLastOne)
{
    LinePacer line;
    const std::vector<std::uint8_t> reply(152, 0xB0);
    line.toPc(reply, 0);
    line.toPc(reply, 10);  // a burst: the second frame follows the first
    std::int64_t now = 0;
    std::size_t sent = 0;
    int wakeups = 0;
    while (auto due = line.nextDue()) {
        ASSERT_GE(*due, now);
        now = *due;
        const auto chunk = line.sentBy(now);
        EXPECT_LE(chunk.size(), 16u);
        sent += chunk.size();
        ++wakeups;
        if (sent == 152) {
            EXPECT_EQ(now, 152 * kByte) << "the first frame is complete exactly on time";
        }
    }
    EXPECT_EQ(sent, 304u);
    EXPECT_EQ(now, 304 * kByte);
    EXPECT_LT(wakeups, 30);
}

TEST(LinePacer, BytesNeverArriveBeforeTheyWereRead)
{
    LinePacer line;
    line.fromPc(std::vector<std::uint8_t>(10, 1), 0);
    line.fromPc(std::vector<std::uint8_t>(1, 2), 1'000'000);  // long after the line went quiet
    EXPECT_EQ(line.arrivedAt(10 * kByte).size(), 10u);
    EXPECT_TRUE(line.arrivedAt(1'000'000).empty());
    EXPECT_EQ(line.arrivedAt(1'000'000 + kByte).size(), 1u);
}

}  // namespace
}  // namespace kestrin::sim
