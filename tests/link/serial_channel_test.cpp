// The real serial channel over a pseudo-terminal, the way it talks to the
// simulated unit: queued counts, whole reads, writes, purge on close.

#include "link/port_names.h"
#include "link/qt_serial_channel.h"
#include "link/sim/pseudo_terminal.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

namespace kestrin {
namespace {

using namespace std::chrono_literals;

// A pty passes bytes on through a kernel work queue, so what the master
// wrote shows on the slave a moment later.
long waitForQueued(QtSerialChannel& ch, long expected)
{
    long n = -1;
    for (int i = 0; i < 200; ++i) {
        n = ch.queuedBytes();
        if (n >= expected)
            return n;
        std::this_thread::sleep_for(1ms);
    }
    return n;
}

std::vector<std::uint8_t> pattern(int n, int start = 0)
{
    std::vector<std::uint8_t> v(static_cast<std::size_t>(n));
    std::iota(v.begin(), v.end(), static_cast<std::uint8_t>(start));
    return v;
}

// QSerialPort wants an application object for its notifiers, as in the
// programs that use the channel.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "test_serial";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

class SerialChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        if (!pty.open())
            GTEST_SKIP() << "this system gives no pseudo-terminal: " << pty.error();
        ASSERT_TRUE(channel.open(pty.devicePath())) << channel.lastError();
    }
    sim::PseudoTerminal pty;
    QtSerialChannel channel;
};

TEST_F(SerialChannelTest, CountsQueuedBytesAndReadsThemWhole)
{
    const auto frame = pattern(152, 0xB0);
    ASSERT_TRUE(pty.write(std::span(frame).first(151)));
    EXPECT_EQ(waitForQueued(channel, 151), 151);
    std::this_thread::sleep_for(5ms);
    EXPECT_EQ(channel.queuedBytes(), 151) << "nothing more may appear";

    ASSERT_TRUE(pty.write(std::span(frame).last(1)));
    EXPECT_EQ(waitForQueued(channel, 152), 152);

    std::vector<std::uint8_t> buffer(15000);
    ASSERT_EQ(channel.read(buffer), 152);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), buffer.begin()));
    EXPECT_EQ(channel.queuedBytes(), 0);
}

TEST_F(SerialChannelTest, ReadTakesAtMostTheBufferAndLeavesTheRest)
{
    const auto burst = pattern(3 * 152);
    ASSERT_TRUE(pty.write(burst));
    ASSERT_EQ(waitForQueued(channel, 456), 456);
    std::vector<std::uint8_t> buffer(200);
    ASSERT_EQ(channel.read(buffer), 200);
    EXPECT_EQ(buffer[199], burst[199]);
    EXPECT_EQ(channel.queuedBytes(), 256);
}

TEST_F(SerialChannelTest, WriteArrivesWholeAtTheOtherEnd)
{
    const auto frame = pattern(152, 7);
    ASSERT_TRUE(channel.write(frame));
    std::vector<std::uint8_t> got;
    for (int i = 0; i < 200 && got.size() < frame.size(); ++i) {
        std::uint8_t chunk[512];
        const int n = pty.read(chunk);
        got.insert(got.end(), chunk, chunk + n);
        if (n == 0)
            std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(got, frame);
}

TEST_F(SerialChannelTest, CloseDiscardsWhatWasQueuedAndReopenStartsEmpty)
{
    ASSERT_TRUE(pty.write(pattern(100)));
    ASSERT_EQ(waitForQueued(channel, 100), 100);
    channel.close();
    EXPECT_FALSE(channel.isOpen());
    EXPECT_EQ(channel.queuedBytes(), -1);
    EXPECT_FALSE(channel.write(pattern(152)));

    ASSERT_TRUE(channel.open(pty.devicePath())) << channel.lastError();
    std::this_thread::sleep_for(5ms);
    EXPECT_EQ(channel.queuedBytes(), 0);
}

TEST(SerialChannel, MissingDeviceDoesNotOpen)
{
    QtSerialChannel channel;
    EXPECT_FALSE(channel.open("/dev/kestrin-no-such-port"));
    EXPECT_FALSE(channel.isOpen());
    EXPECT_FALSE(channel.lastError().empty());
    EXPECT_EQ(channel.queuedBytes(), -1);
    std::uint8_t buffer[10];
    EXPECT_EQ(channel.read(buffer), 0);
}

TEST(PortNames, MenuScanAndLabel)
{
    EXPECT_EQ(portMenuCaption(0), "Com 1");
    EXPECT_EQ(portMenuCaption(19), "Com 20");
    EXPECT_EQ(portMenuCaption(20), "Com Auto");

    EXPECT_EQ(portNumberFor(0, 5), 1);
    EXPECT_EQ(portNumberFor(19, 5), 20);
    EXPECT_EQ(portNumberFor(20, 0), 1);
    EXPECT_EQ(portNumberFor(20, 20), 21) << "the scan reaches COM21";
    EXPECT_EQ(portNumberFor(77, 99), 21) << "out-of-range settings are clamped";

    EXPECT_EQ(comPortName(12), "\\\\.\\COM12");
    EXPECT_EQ(portLabelText(comPortName(12)), "COM= COM12");
    EXPECT_EQ(portLabelText(comPortName(3)), "COM= COM3");
}

TEST(PortNames, ComNamesMapToDevicesAndPathsPassThrough)
{
    struct Case {
        const char* given;
        const char* device;
    };
    const Case cases[] = {
#ifdef _WIN32
        {"COM3", "\\\\.\\COM3"},
        {"\\\\.\\COM12", "\\\\.\\COM12"},
#else
        {"COM1", "/dev/ttyUSB0"},
        {"com8", "/dev/ttyUSB7"},
        {"COM9", "/dev/ttyACM0"},
        {"\\\\.\\COM12", "/dev/ttyACM3"},
        {"COM13", "/dev/ttyS0"},
        {"COM21", "/dev/ttyS8"},
#endif
        {"/dev/pts/7", "/dev/pts/7"},
        {"COM", "COM"},
        {"COM0", "COM0"},
        {"COMX1", "COMX1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolvePortDevice(c.given), c.device) << c.given;
}

}  // namespace
}  // namespace kestrin
