#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "ign_test_support.h"
#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

using namespace kestrin;
using kestrin::testing::ignText;

namespace {

// A document whose image is a recognisable pattern, so that untouched bytes
// can be told from loaded ones.
Document patternDocument()
{
    Document doc;
    for (int i = 0; i < kImageSize; ++i)
        doc.image.setByte(i, static_cast<std::uint8_t>(i * 7 + 3));
    return doc;
}

std::string numbers(int count, int value)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += " " + std::to_string(value);
    return out;
}

}  // namespace

TEST(IgnReader, KeySearchAndVersions)
{
    struct Case {
        const char* name;
        std::string text;
        int version;
        std::vector<int> notices;
    };
    const Case cases[] = {
        {"current", "junk words VALDORIX_KEY 82 COOLING 90", 82, {}},
        {"older", "VALDORIX_KEY 74 COOLING 90", 74, {kMsgOlderIgnFile}},
        {"unmatched then current", "VALDORIX_KEY 99 VALDORIX_KEY 82 COOLING 90", 82, {kMsgUnmatchedIgnFile}},
        {"unmatched only", "VALDORIX_KEY 99 COOLING 90", 0, {kMsgUnmatchedIgnFile}},
        {"two unmatched", "VALDORIX_KEY 70 VALDORIX_KEY 83", 0, {kMsgUnmatchedIgnFile, kMsgUnmatchedIgnFile}},
        {"no key is refused aloud too", "COOLING 90", 0, {kMsgUnmatchedIgnFile}},
        {"key is case-sensitive", "valdorix_key 82 COOLING 90", 0, {kMsgUnmatchedIgnFile}},
        {"key without number", "VALDORIX_KEY", 0, {kMsgUnmatchedIgnFile}},
        {"empty", "", 0, {kMsgUnmatchedIgnFile}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc = patternDocument();
        const Document before = doc;
        std::vector<int> shown;
        IgnReadOptions options;
        options.notify = [&](int entry) { shown.push_back(entry); };
        const IgnReadResult result = ReadParameterFile(doc, c.text, options);
        EXPECT_EQ(result.version, c.version);
        EXPECT_EQ(result.notices, c.notices);
        EXPECT_EQ(shown, c.notices);
        if (c.version == 0)
            EXPECT_EQ(doc.image, before.image);
        else
            EXPECT_EQ(doc.image.byte(off::CoolingTemp), 90);
    }
}

TEST(IgnReader, SectionsDependOnTheFileVersion)
{
    // WATER from 66, AIR from 69, IDLE from 70, TUNING from 74 and its first
    // value (TuningByTls) from 81; CLUTCH times ÷10 before 70, else ÷5.
    const std::string body = "WATER_TEMP_SENSOR" + numbers(9, 4000) + " AIR_TEMP_SENSOR" + numbers(9, 3000) +
                             " IDLE 7" + numbers(31, 1) + " TUNING 1 2 30 4 5 6 70 8 9 10" +
                             " CLUTCH 1 2000 3 -4" + numbers(6, 100) + numbers(6, 50);
    struct Case {
        int version;
        bool water, air, idle, tuning;
        int tuningMode;  // b[340] after the load
        int clutchTime;
    };
    const Case cases[] = {
        {82, true, true, true, true, 2, 20},
        {74, true, true, true, true, 1, 20},
        {69, true, true, false, false, 0, 10},
        {66, true, false, false, false, 0, 10},
        {65, false, false, false, false, 0, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        Document doc = patternDocument();
        const Document before = doc;
        const IgnReadResult result = ReadParameterFile(doc, ignText(c.version, body));
        ASSERT_EQ(result.version, c.version);
        EXPECT_EQ(result.notices.size(), c.version == 82 ? 0u : 1u);
        auto loaded = [&](int offset) { return doc.image.byte(offset) != before.image.byte(offset); };
        EXPECT_EQ(doc.image.word(off::WaterSensorMv + 16) == 4000, c.water);
        EXPECT_EQ(doc.image.word(off::AirSensorMv) == 3000, c.air);
        EXPECT_EQ(loaded(off::IdleMode), c.idle);
        if (c.tuning) {
            EXPECT_EQ(doc.image.byte(off::TuningMode), c.tuningMode);
            EXPECT_EQ(doc.image.byte(off::TuningByTls), c.version >= 81 ? 1 : before.image.byte(off::TuningByTls));
            EXPECT_EQ(doc.image.byte(off::TuningMaxAcc), c.version >= 81 ? 10 : 9);
        } else {
            EXPECT_FALSE(loaded(off::TuningMode));
        }
        EXPECT_EQ(doc.image.byte(off::ClutchTime), c.clutchTime);
        EXPECT_EQ(doc.image.byte(off::ClutchPause + 5), 5);
        EXPECT_EQ(doc.image.byte(off::ClutchAdv), 0xFC);  // -4 as a signed byte
    }
}

TEST(IgnReader, BikeSectionStartsFromThatBikesDefaults)
{
    // An old file without IDLE: the idle settings are bike 53's defaults,
    // not what the image held before; the sections present still win.
    Document expected;
    expected.image.setByte(off::BikeCode, 53);
    ApplyBikeDefaults(expected, kWholeImage);
    ASSERT_NE(expected.image.byte(off::IdleRpmRange), 0);

    Document doc;
    SetStartupImage(doc);
    ASSERT_NE(doc.image.byte(off::IdleRpmRange), expected.image.byte(off::IdleRpmRange));
    ASSERT_EQ(ReadParameterFile(doc, ignText(69, "COOLING 33 BIKE 53 IDLE 9 9 9 COOLING 44")).version, 69);
    EXPECT_EQ(doc.image.byte(off::BikeCode), 53);
    for (int i = off::IdleMode; i <= off::IdleStart + 1; ++i)
        EXPECT_EQ(doc.image.byte(i), expected.image.byte(i)) << "offset " << i;
    EXPECT_EQ(doc.image.byte(off::CoolingTemp), 44);
}

TEST(IgnReader, PageRestrictedLoads)
{
    const std::string text = ignText(82, "BIKE 5 COOLING 90 TPS 500 3000 JET1_MISC 2 10 20 300 400"
                                         " RPM_JET_2A" + numbers(15, 1000) + " JET_2A" + numbers(150, 1234) +
                                         " MEMO  note");
    struct Case {
        const char* name;
        int page;
        int coupling;  // JetCouplingMode before the load
        std::vector<int> changed;  // offsets expected to change
        std::vector<int> kept;
    };
    const Case cases[] = {
        {"Bike page: its sections and the memo", 0, 0, {off::CoolingTemp, off::MemoText},
         {off::BikeCode, off::Tps0, off::IapTpTpsMin, off::RpmJet2A}},
        {"Čidla: TPS only", 10, 0, {off::Tps0, off::Tps100}, {off::CoolingTemp, off::MemoText, off::BikeCode}},
        {"Inj-1A keeps the coupling mode", 2, 0, {off::IapTpTpsMin, off::IapTpRpmMax},
         {off::JetCouplingMode, off::RpmJet2A}},
        {"Inj-2A loads while not coupled", 3, 0, {off::RpmJet2A, off::MapJet2A}, {off::JetCouplingMode}},
        {"Inj-2A loads nothing while coupled", 3, 1, {}, {off::RpmJet2A, off::MapJet2A, off::MapJet2A + 298}},
        {"Monitor: nothing of this file", 18, 0, {}, {off::CoolingTemp, off::MemoText}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc = patternDocument();
        doc.image.setByte(off::JetCouplingMode, static_cast<std::uint8_t>(c.coupling));
        doc.activePage = c.page;
        const Document before = doc;
        IgnReadOptions options;
        options.restrictToPage = true;
        ASSERT_EQ(ReadParameterFile(doc, text, options).version, 82);
        for (int offset : c.changed)
            EXPECT_NE(doc.image.byte(offset), before.image.byte(offset)) << "offset " << offset;
        for (int offset : c.kept)
            EXPECT_EQ(doc.image.byte(offset), before.image.byte(offset)) << "offset " << offset;
    }
}

TEST(IgnReader, LambdaTypeIsAnnouncedBeforeTheRestOfItsSection)
{
    Document doc = patternDocument();
    std::vector<int> seen;
    IgnReadOptions options;
    options.lambdaTypeLoaded = [&](int type) {
        seen.push_back(type);
        seen.push_back(doc.image.byte(off::LambdaAf));  // not yet loaded
    };
    ReadParameterFile(doc, ignText(82, "SENSOR_LAMBDA 1 101 102 103 104 105"), options);
    EXPECT_EQ(seen, (std::vector<int>{1, patternDocument().image.byte(off::LambdaAf)}));
    EXPECT_EQ(doc.image.byte(off::LambdaAf), 101);
}

TEST(IgnReader, ShortSectionsReuseTheLastNumber)
{
    Document doc = patternDocument();
    // LIMITER wants five numbers: the last parsed one fills the gap, each
    // field transforming it its own way; the next keyword still counts.
    ReadParameterFile(doc, ignText(82, "LIMITER 9000 TPS 100 xyz COOLING 77 RPM 3"));
    EXPECT_EQ(doc.image.byte(off::StartLimiter1), 90);
    EXPECT_EQ(doc.image.byte(off::IgnLimiter), 90);
    EXPECT_EQ(doc.image.byte(off::RetardLimiterRpm), 90);
    EXPECT_EQ(doc.image.byte(off::RetardLimiterAdv), 9000 & 0xFF);
    EXPECT_EQ(doc.image.byte(off::Tps0), 10);
    EXPECT_EQ(doc.image.byte(off::Tps100), static_cast<std::uint8_t>((100 - 2500) / 10));
    EXPECT_EQ(doc.image.byte(off::CoolingTemp), 77);
    // The file ends inside RPM: RpmCorrection gets 3 read as "value - 100".
    EXPECT_EQ(doc.image.byte(off::RpmPulses), 3);
    EXPECT_EQ(doc.image.byte(off::RpmCorrection), 103);
}

TEST(IgnReader, NumbersAreTakenModulo65536)
{
    Document doc = patternDocument();
    ReadParameterFile(doc, ignText(82, "ACC_CORR 65537 -1 +7 123456789012345678901234567890 "
                                       "CLUTCH 0 0 0 -128 PIT_SPEED_CONTROL 1 2 3 127x 5"));
    EXPECT_EQ(doc.image.word(off::AccKPlus), 1);
    EXPECT_EQ(doc.image.word(off::AccKMinus), 65535);
    EXPECT_EQ(doc.image.word(off::AccT0), 7);
    unsigned big = 0;
    for (char ch : std::string("123456789012345678901234567890"))
        big = (big * 10 + static_cast<unsigned>(ch - '0')) % 65536;
    EXPECT_EQ(doc.image.word(off::AccT100), big);
    EXPECT_EQ(doc.image.byte(off::ClutchAdv), 0x80);
    // "127x": the number ends at the letter; the rest is a token of its own.
    EXPECT_EQ(doc.image.byte(off::PitMinAdv), 127);
    EXPECT_EQ(doc.image.byte(off::PitMinRpm), 127 / 100);
}

TEST(IgnReader, MemoRules)
{
    struct Case {
        const char* name;
        std::string memo;  // everything after the MEMO keyword
        std::string stored;  // expected bytes from MemoText on (the rest zero)
    };
    const Case cases[] = {
        {"empty memo", "", ""},
        {"leading blanks of the first line are lost", "\r\n   first\r\n  second", std::string("first\0  second", 14)},
        {"LF or CR LF, a lone CR is kept", "\na\r\nb\rc\n", std::string("a\0b\rc\0", 6)},
        {"NUL and binary bytes kept", std::string(" x\0\xff\x01y", 6), std::string("x\0\xff\x01y", 5)},
        {"keywords in the memo are text", "\r\nTPS 100 200", "TPS 100 200"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc = patternDocument();
        ReadParameterFile(doc, ignText(82, "COOLING 5 MEMO" + c.memo));
        const std::uint8_t tps = patternDocument().image.byte(off::Tps0);
        EXPECT_EQ(doc.image.byte(off::Tps0), tps);
        for (int i = 0; i < 150; ++i) {
            const int expected = i < static_cast<int>(c.stored.size()) ? static_cast<std::uint8_t>(c.stored[i]) : 0;
            ASSERT_EQ(doc.image.byte(off::MemoText + i), expected) << "memo byte " << i;
        }
    }
}

TEST(IgnReader, MemoLongerThanTheAreaIsCut)
{
    Document doc = patternDocument();
    ReadParameterFile(doc, ignText(82, "MEMO " + std::string(5000, 'm')));
    for (int i = off::MemoText; i < kImageSize - 1; ++i)
        ASSERT_EQ(doc.image.byte(i), 'm');
    EXPECT_EQ(doc.image.byte(kImageSize - 1), 0);
}

TEST(IgnReader, NothingOnTheInformationLinesIsRead)
{
    // A firmware name or a date that happens to be a keyword is no section.
    Document doc = patternDocument();
    const Document before = doc;
    ReadParameterFile(doc, ignText(82, "LAMBDA_BAR 1 2 3 4\r\nVERSIONS\r\nHEX   5. 5.2007  14:07   TPS RPM\r\n"
                                       "EXE  COOLING 11 2026   09:05:33\r\n\r\nMEMO         "));
    EXPECT_EQ(doc.image.byte(off::Tps0), before.image.byte(off::Tps0));
    EXPECT_EQ(doc.image.byte(off::RpmPulses), before.image.byte(off::RpmPulses));
    EXPECT_EQ(doc.image.byte(off::CoolingTemp), before.image.byte(off::CoolingTemp));
    EXPECT_EQ(doc.image.byte(off::LambdaBar + 3), 4);

    // Lines ended by CR alone: the memo after the information lines stays.
    ReadParameterFile(doc, ignText(82, "VERSIONS\rHEX  x  y   z\rEXE  a   b\r\rMEMO         \rnote"));
    EXPECT_EQ(doc.image.byte(off::MemoText), 'n');
}

TEST(IgnReader, MemoTextIsNeverReadAsSectionsInAPageLoad)
{
    Document doc = patternDocument();
    doc.activePage = 10;  // Čidla: TPS belongs to it, the memo does not
    const Document before = doc;
    IgnReadOptions options;
    options.restrictToPage = true;
    ReadParameterFile(doc, ignText(82, "MEMO\r\nTPS 100 3000"), options);
    EXPECT_EQ(doc.image, before.image);
}

TEST(IgnReader, UntrustedBytesNeverBreakTheReader)
{
    // Long tokens, NULs and bytes of every value around real sections.
    std::string junk = std::string(100000, 'K') + std::string("\0\0\xff\x80", 4) + " VALDORIX_KEY" +
                       std::string(300, '9');
    Document doc = patternDocument();
    const Document before = doc;
    EXPECT_EQ(ReadParameterFile(doc, junk).version, 0);
    EXPECT_EQ(doc.image, before.image);

    std::string text = ignText(82, std::string(1000, 'Z') + " COOLING" + std::string("\0", 1) + " 5 " +
                                       std::string(70000, 'T') + " RPM 1 2");
    EXPECT_EQ(ReadParameterFile(doc, text).version, 82);
    EXPECT_EQ(doc.image.byte(off::RpmPulses), 1);
    EXPECT_EQ(doc.image.byte(off::CoolingTemp), before.image.byte(off::CoolingTemp));  // "COOLING\0" is no keyword
}

TEST(IgnReader, ReadingInPiecesGivesTheSameImage)
{
    // A source that hands out one byte at a time puts every token, sign and
    // line end across a piece boundary.
    const std::string text = ignText(82, "TPS -5 +7 LIMITER 1 2 3 4 5 CLUTCH 1 2 3 -4\r\nMEMO  ab\r\ncd");
    Document whole = patternDocument();
    ReadParameterFile(whole, text);
    Document pieces = patternDocument();
    std::size_t at = 0;
    ign::Input input([&](char* data, std::size_t) -> long long {
        if (at == text.size())
            return 0;
        *data = text[at++];
        return 1;
    });
    EXPECT_EQ(ReadParameterFile(pieces, input).version, 82);
    EXPECT_EQ(pieces.image, whole.image);
    EXPECT_FALSE(input.readFailed());

    std::size_t calls = 0;
    ign::Input failing([&](char* data, std::size_t) -> long long {
        if (calls++ < 20) {
            *data = text[calls - 1];
            return 1;
        }
        return -1;
    });
    ReadParameterFile(pieces, failing);
    EXPECT_TRUE(failing.readFailed());
}
