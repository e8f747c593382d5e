#include "link/frame.h"
#include "link/output_tests.h"
#include "link/transfer_identification.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

Frame reply(std::uint8_t code)
{
    Frame f{};
    f[0] = code;
    f[40] = 0x5A;
    seal(f);
    return f;
}

TEST(Frame, CheckByteMakesTheFrameIntactAndAnyFlippedBitBreaksIt)
{
    Frame f = reply(0xC5);
    EXPECT_TRUE(isIntact(f));
    for (int pos : {0, 1, 75, 150, 151})
        for (int bit = 0; bit < 8; ++bit) {
            Frame g = f;
            g[static_cast<std::size_t>(pos)] ^= static_cast<std::uint8_t>(1 << bit);
            EXPECT_FALSE(isIntact(g)) << "byte " << pos << " bit " << bit;
        }
}

TEST(Frame, PollWithNothingCheckedCarriesOnlyTheTuningParameters)
{
    ParameterImage im;
    im.setByte(off::TuningMode, 1);
    im.setByte(off::TuningLambda, 145);
    im.setByte(off::TuningHysteresis, 3);
    im.setByte(off::TuningRpmTol, 20);
    im.setByte(off::TuningTpsTol, 4);
    im.setByte(off::TuningStepTime, 21);
    im.setByte(off::TuningStep, 2);
    im.setByte(off::TuningChannel, 3);
    im.setByte(off::TuningMaxAcc, 10);
    im.setByte(off::TuningByTls, 1);  // the check box decides byte 3, not the image
    const Frame f = buildPollFrame({}, im);

    Frame expected{};
    expected[0] = 0x30;
    expected[2] = 1;
    expected[4] = 145;
    expected[6] = 3;
    expected[7] = 20;
    expected[8] = 4;
    expected[9] = 21;
    expected[10] = 2;
    expected[12] = 3;
    expected[13] = 10;
    expected[151] = 0xFF ^ 0x30 ^ 1 ^ 145 ^ 3 ^ 20 ^ 4 ^ 21 ^ 2 ^ 3 ^ 10;
    EXPECT_EQ(f, expected);

    PollSwitches s;
    s.tuningOn = true;
    s.tuningByTls = true;
    s.testRequests = {0x01, 0x02, 0x00, 0x08};
    const Frame g = buildPollFrame(s, im);
    EXPECT_EQ(g[1], 1);
    EXPECT_EQ(g[3], 1);
    EXPECT_EQ(g[20], 0x01);
    EXPECT_EQ(g[21], 0x02);
    EXPECT_EQ(g[23], 0x08);
    EXPECT_TRUE(isIntact(g));
}

TEST(Frame, BlockFramesCarryTheImageExceptForBlockZeroAndReads)
{
    ParameterImage im;
    for (int i = 0; i < kImageSize; ++i)
        im.setByte(i, static_cast<std::uint8_t>(i % 251 + 1));

    const Frame write0 = buildBlockFrame(0x00, im, false);
    const Frame read5 = buildBlockFrame(0x45, im, true);
    for (int i = 1; i <= 150; ++i) {
        EXPECT_EQ(write0[static_cast<std::size_t>(i)], 0);
        EXPECT_EQ(read5[static_cast<std::size_t>(i)], 0);
    }
    const Frame verify12 = buildBlockFrame(0x4C, im, false);
    const Frame write19 = buildBlockFrame(0x13, im, false);
    for (int i = 0; i < 150; ++i) {
        EXPECT_EQ(verify12[static_cast<std::size_t>(i + 1)], im.byte(11 * 150 + i));
        EXPECT_EQ(write19[static_cast<std::size_t>(i + 1)], im.byte(18 * 150 + i));
    }
    for (const Frame* f : {&write0, &read5, &verify12, &write19})
        EXPECT_TRUE(isIntact(*f));
}

TEST(Frame, BlockReplyAcceptance)
{
    struct Case {
        std::uint8_t code, lastCommand;
        bool accepted;
    } cases[] = {
        {0xC5, 0x45, true},  {0xC5, 0x46, false}, {0xC5, 0x05, false},
        {0x85, 0x06, false}, {0x86, 0x06, true},  {0x80, 0x00, true},
        {0xD3, 0x53, true},  {0x94, 0x14, false},  // block 20 is no block
        {0xB0, 0x30, false},                         // a monitor frame is not a block reply
    };
    for (const auto& c : cases)
        EXPECT_EQ(acceptBlockReply(reply(c.code), c.lastCommand), c.accepted)
            << std::hex << int(c.code) << " after " << int(c.lastCommand);

    Frame bad = reply(0xC5);
    bad[151] ^= 0x01;
    EXPECT_FALSE(acceptBlockReply(bad, 0x45));
}

TEST(OutputTests, RequestsAccumulateUntilThePollTakesThem)
{
    OutputTestRequests r;
    r.request(OutputTest::Jet1A);
    r.request(OutputTest::Ign2);
    r.request(OutputTest::ServoExMinus);
    r.request(OutputTest::ServoExMinus);
    EXPECT_EQ(r.take(), (std::array<std::uint8_t, 4>{0x01, 0x02, 0x00, 0x08}));
    EXPECT_EQ(r.take(), (std::array<std::uint8_t, 4>{}));
}

TEST(OutputTests, EveryButtonHasItsOwnBitAndIsFoundByName)
{
    std::array<std::uint8_t, 4> seen{};
    for (const auto& b : outputTestButtons()) {
        auto& byte = seen[static_cast<std::size_t>(b.requestByte)];
        EXPECT_EQ(byte & b.bit, 0) << b.objectName;
        byte |= b.bit;
        EXPECT_EQ(outputTestByName(b.objectName), b.test);
    }
    EXPECT_EQ(seen, (std::array<std::uint8_t, 4>{0xFF, 0x0F, 0x1F, 0x0F}));
    EXPECT_EQ(outputTestByName("ButtonRead"), std::nullopt);
}

TEST(Identification, DecodedTexts)
{
    struct Case {
        int day, monthCode, year, hour, minute;
        const char* date;
        const char* time;
    } cases[] = {
        {5, 39, 7, 9, 5, " 5. 5.2007", "09:05"},
        {1, 38, 8, 23, 59, " 1.10.2008", "23:59"},
        {12, 12, 26, 0, 0, "12.12.2026", "00:00"},
        {10, 99, 0, 14, 7, "10.00.2000", "14:07"},  // unknown month code
        {0, 25, 9, 0, 0, " 0. 1.2009", "00:00"},
    };
    for (const auto& c : cases) {
        Block id{};
        id[ident::Day] = static_cast<std::uint8_t>(c.day);
        id[ident::MonthCode] = static_cast<std::uint8_t>(c.monthCode);
        id[ident::Year] = static_cast<std::uint8_t>(c.year);
        id[ident::Hour] = static_cast<std::uint8_t>(c.hour);
        id[ident::Minute] = static_cast<std::uint8_t>(c.minute);
        const auto t = decodeIdentification(id);
        EXPECT_EQ(t.date, c.date);
        EXPECT_EQ(t.time, c.time);
    }
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(std::stoi(monthText(monthCode(m))), m);
}

TEST(Identification, VersionTextAndProgramNameFromUntrustedBytes)
{
    Block id{};
    id[0] = 'K';
    id[1] = 0x01;  // control characters are dropped
    id[2] = 'T';
    id[3] = 7;
    EXPECT_EQ(decodeIdentification(id).version, "KT07");

    const char name[] = "Race map \xE8";  // Windows-1250 č
    std::copy(name, name + sizeof name - 1, id.begin() + ident::ProgramName);
    EXPECT_EQ(decodeIdentification(id).version, "Race map \xE8");

    id.fill('A');  // no terminating zero: at most 30 characters
    EXPECT_EQ(decodeIdentification(id).version, std::string(30, 'A'));
}

}  // namespace
}  // namespace kestrin
