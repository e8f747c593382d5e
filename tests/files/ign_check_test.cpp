// Checks of the parameter file against the format as documented, written
// without reference to the format table in ign_format.cpp: a whole written
// file compared with a file laid out by hand from the format, the sections
// every page loads, and the reader's rules on hand-written files.

#include "files/atomic_file.h"
#include "files/file_steps.h"
#include "files/ign_memo.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "files_test_support.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace kestrin;

namespace {

std::string readFixture(const std::string& name)
{
    return kestrin::testing::readFile(std::string(KESTRIN_SOURCE_DIR) + "/tests/files/data/" + name);
}

// The line (1-based) holding byte `at`, for a readable failure.
int lineOf(const std::string& text, std::size_t at)
{
    int line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i)
        line += text[i] == '\n';
    return line;
}

// Byte i = i × 7 + 3: every row gets values of its own, D and I fields get
// negative and positive values, flags get bytes other than 1, words run up
// to five digits. The intake servo map is written ×20, the exhaust one ×1.
ParameterImage patternImage()
{
    ParameterImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + 3));
    image.setByte(off::BikeCode, 11);
    image.setByte(off::ServoInPercent, 0);
    image.setByte(off::ServoExPercent, 5);
    packMemo(image, {"Kestrin", "", "\xe8\xe1st 2007", "  x"});
    return image;
}

}  // namespace

TEST(IgnCheck, WrittenFileIsTheDocumentedLayoutByteForByte)
{
    // pattern_written.ign was laid out row by row from the documented format
    // for patternImage(): key line, every section head with its padding,
    // value formats, continuation and blank lines, the information lines
    // and the memo, CR LF throughout and no final line break.
    const std::string expected = readFixture("pattern_written.ign");
    ASSERT_GT(expected.size(), 10000u);
    const IgnInfoTexts info{" 5. 5.2007", "14:07", "K2007 v82", "May  5 2007", "14:07:00"};
    const std::string written = WriteParameterFile(patternImage(), info);
    std::size_t at = 0;
    while (at < expected.size() && at < written.size() && expected[at] == written[at])
        ++at;
    EXPECT_EQ(at, expected.size()) << "first difference on line " << lineOf(expected, at);
    EXPECT_EQ(written.size(), expected.size());
}

namespace {

using Range = std::pair<int, int>;  // first and last image offset

// What a page-restricted load may change, page by page, as the format
// documents it (JetCouplingMode, offset 47, is never loaded for a page).
const std::vector<Range> kPageBytes[kPageCount] = {
    /* 0 Bike */ {{22, 32}, {35, 39}, {368, 371}, {2700, 2848}},
    /* 1 Advance */ {{40, 46}, {465, 479}, {600, 749}},
    /* 2 Inj-1A */ {{48, 51}, {480, 494}, {750, 1049}},
    /* 3 Inj-2A */ {{495, 509}, {1050, 1349}},
    /* 4 Inj-3A */ {{510, 524}, {1350, 1649}},
    /* 5 Inj-4A */ {{525, 539}, {1650, 1949}},
    /* 6 Inj-B */ {{540, 554}, {1950, 2099}},
    /* 7 Inj-IAP */ {{52, 55}, {384, 403}, {555, 569}, {2100, 2399}},
    /* 8 Poloha */ {{56, 57}, {405, 464}},
    /* 9 Korekce */ {{67, 74}, {80, 97}, {332, 339}},
    /* 10 Čidla */ {{6, 21}, {33, 34}, {75, 76}, {194, 229}, {352, 367}},
    /* 11 Intake Servo */ {{59, 59}, {61, 61}, {63, 63}, {65, 66}, {77, 78}, {585, 599}, {2550, 2699}},
    /* 12 Exhaust Servo */ {{58, 58}, {60, 60}, {62, 62}, {64, 64}, {570, 584}, {2400, 2549}},
    /* 13 Volnoběh */ {{290, 296}, {298, 315}, {317, 331}},
    /* 14 N2O */ {{98, 106}, {158, 159}},
    /* 15 Race */ {{107, 135}, {139, 139}, {186, 190}},
    /* 16 Gear */ {{136, 138}, {140, 157}, {160, 185}},
    /* 17 Ladění */ {{340, 342}, {344, 348}, {350, 351}, {376, 377}},
    /* 18 Monitor */ {{372, 375}},
};

// Bytes 0x21..0xFE only: no byte of the written file turns into white
// space or a line end, so every carried byte comes back non-zero, and the
// memo is one 150-byte line of which the area keeps 149.
ParameterImage nonZeroImage()
{
    std::mt19937 rng(2007);
    ParameterImage image;
    for (auto& b : image.bytes())
        b = static_cast<std::uint8_t>(0x21 + rng() % 0xDE);
    return image;
}

}  // namespace

TEST(IgnCheck, PageLoadChangesExactlyThatPagesBytes)
{
    const std::string text = WriteParameterFile(nonZeroImage(), {});
    for (int coupling : {0, 1}) {
        for (int page = 0; page < kPageCount; ++page) {
            SCOPED_TRACE("page " + std::to_string(page) + ", coupling " + std::to_string(coupling));
            Document doc;
            doc.image.setByte(off::JetCouplingMode, static_cast<std::uint8_t>(coupling));
            doc.activePage = page;
            const ParameterImage before = doc.image;
            IgnReadOptions options;
            options.restrictToPage = true;
            ASSERT_EQ(ReadParameterFile(doc, text, options).version, 82);

            std::vector<bool> mayChange(kImageSize, false);
            const bool coupledAway = coupling == 1 && page >= 3 && page <= 5;
            if (!coupledAway)
                for (const auto& [first, last] : kPageBytes[page])
                    for (int i = first; i <= last; ++i)
                        mayChange[static_cast<std::size_t>(i)] = true;
            for (int i = 0; i < kImageSize; ++i) {
                const bool changed = doc.image.byte(i) != before.byte(i);
                ASSERT_EQ(changed, mayChange[static_cast<std::size_t>(i)]) << "offset " << i;
            }
        }
    }
}

namespace {

struct Expect {
    int offset;
    int value;  // byte value; -1: as before the load
};

struct ReaderCase {
    const char* name;
    std::string text;
    int page;  // -1: full load
    std::vector<Expect> before;  // bytes set before the load
    std::vector<Expect> after;
    int version = 82;
    std::vector<int> notices = {};
};

std::string repeat(int count, const std::string& value)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += " " + value;
    return out;
}

}  // namespace

TEST(IgnCheck, ReaderRulesOnHandWrittenFiles)
{
    const std::string key = "VALDORIX_KEY 82\r\n";
    const ReaderCase cases[] = {
        {"a servo map before its SERVO_IN uses the scaling standing then", key +
             "SERVO_IN_VALUE 400 SERVO_IN 1 1 5 0 0 9 250 SERVO_EX_VALUE 400",
         -1, {{off::ServoInPercent, 0}, {off::ServoExPercent, 3}},
         {{off::MapServoIn, 20}, {off::MapServoIn + 149, 20}, {off::ServoInPercent, 1},
          {off::MapServoEx, 400 & 0xFF}}},
        {"a section twice: the later wins; unknown words and their numbers are skipped", key +
             "COOLING 50 FOO 1 2 3 COOLING 60 cooling 70 COOLING5 BAR",
         -1, {}, {{off::CoolingTemp, 60}}},
        {"white space of every kind separates tokens", key + "COOLING\t5\rRPM\v2\f-3\n\nTPS  \r\n 20 2510",
         -1, {}, {{off::CoolingTemp, 5}, {off::RpmPulses, 2}, {off::RpmCorrection, 97}, {off::Tps0, 2},
                  {off::Tps100, 1}}},
        {"a minus sign for a plain byte and a flag", key + "COOLING -1 DISPLAY -2", -1, {},
         {{off::CoolingTemp, 255}, {off::TempDisplay, 254}}},
        {"a section right at the end takes the version as its last number", key + "JET_1A", -1, {},
         {{off::MapJet1A, 82}, {off::MapJet1A + 1, 0}, {off::MapJet1A + 298, 82}}},
        {"a short map section repeats its last value up to the next keyword", key + "ADVANCE 1 2 3 RPM 4 5",
         -1, {}, {{off::MapAdvance + 2, 3}, {off::MapAdvance + 149, 3}, {off::RpmPulses, 4}}},
        {"the memo after a short section", key + "LAMBDA_BAR 7 MEMO x", -1, {},
         {{off::LambdaBar + 3, 7}, {off::MemoText, 'x'}, {off::MemoText + 1, 0}}},
        {"nothing before the accepted key is read",
         "COOLING 1 VALDORIX_KEY 99 COOLING 2 VALDORIX_KEY junk VALDORIX_KEY 82 RPM 3", -1,
         {{off::CoolingTemp, 9}}, {{off::CoolingTemp, 9}, {off::RpmPulses, 3}}, 82,
         {kMsgUnmatchedIgnFile, kMsgUnmatchedIgnFile}},
        {"JET1_MISC in a full load stores the coupling mode", key + "JET1_MISC 2 10 20 300 400", -1, {},
         {{off::JetCouplingMode, 2}, {off::IapTpTpsMin, 10}, {off::IapTpRpmMax, 4}}},
        {"JET1_MISC on the Inj-1A page drops only the coupling mode", key + "JET1_MISC 2 10 20 300 400", 2, {},
         {{off::JetCouplingMode, -1}, {off::IapTpTpsMin, 10}, {off::IapTpTpsMax, 20}, {off::IapTpRpmMin, 3},
          {off::IapTpRpmMax, 4}}},
        {"version 69 on the Volnoběh page: IDLE is not in such a file", "VALDORIX_KEY 69 IDLE 1 2 3", 13,
         {{off::IdleMode, 9}}, {{off::IdleMode, 9}}, 69, {kMsgOlderIgnFile}},
        {"version 74 on the Ladění page: TUNING starts with TuningMode", "VALDORIX_KEY 74 TUNING 1 2 30", 17,
         {{off::TuningByTls, 9}}, {{off::TuningByTls, 9}, {off::TuningMode, 1}, {off::TuningRpmTol, 0}}, 74,
         {kMsgOlderIgnFile}},
        {"version 69 on the Race page: clutch times in units of 10 ms",
         "VALDORIX_KEY 69 CLUTCH 0 0 0 0" + repeat(6, "50") + repeat(6, "50"), 15, {},
         {{off::ClutchTime, 5}, {off::ClutchTime + 5, 5}, {off::ClutchPause, 5}}, 69, {kMsgOlderIgnFile}},
        {"a bike code beyond the list loads, and so do the sections after it", key + "BIKE 255 COOLING 7", -1, {},
         {{off::BikeCode, 255}, {off::CoolingTemp, 7}}},
        {"a bike code is taken modulo 65536 and to its low byte", key + "BIKE 65547 COOLING 7", -1, {},
         {{off::BikeCode, 11}, {off::CoolingTemp, 7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        SetStartupImage(doc);
        for (const auto& [offset, value] : c.before)
            doc.image.setByte(offset, static_cast<std::uint8_t>(value));
        const ParameterImage before = doc.image;
        IgnReadOptions options;
        options.restrictToPage = c.page >= 0;
        doc.activePage = c.page >= 0 ? c.page : 0;
        const IgnReadResult result = ReadParameterFile(doc, c.text, options);
        EXPECT_EQ(result.version, c.version);
        EXPECT_EQ(result.notices, c.notices);
        for (const auto& [offset, value] : c.after)
            EXPECT_EQ(doc.image.byte(offset), value < 0 ? before.byte(offset) : value) << "offset " << offset;
        // Whatever was loaded, the steps after a load cope with it.
        RunAfterLoadSteps(doc);
        EXPECT_EQ(doc.image.byte(kImageSize - 1), 0);
    }
}

TEST(IgnCheck, LoadingFromDiskOpensOnlyPlainFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string good = dir.filePath(QStringLiteral("good.ign")).toStdString();
    {
        std::ofstream out(good, std::ios::binary);
        out << "VALDORIX_KEY 82\r\nCOOLING 61";
    }
    struct Case {
        const char* name;
        std::string path;
        bool opened;
    };
    std::vector<Case> cases = {
        {"a parameter file", good, true},
        {"a missing file", dir.filePath(QStringLiteral("missing.ign")).toStdString(), false},
        {"a folder", dir.path().toStdString(), false},
    };
    // A device without an end: refused instead of read for ever.
    if (QFileInfo::exists(QStringLiteral("/dev/zero")))
        cases.push_back({"an endless device", "/dev/zero", false});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        SetStartupImage(doc);
        const ParameterImage before = doc.image;
        const IgnLoadResult result = loadParameterFile(doc, c.path, {});
        EXPECT_EQ(result.opened, c.opened);
        EXPECT_EQ(result.loaded(), c.opened);
        EXPECT_EQ(doc.image.byte(off::CoolingTemp), c.opened ? 61 : before.byte(off::CoolingTemp));
    }
}

// Ticks go on while the reader's message box is open: what the link writes
// into the document meanwhile (the unit's identification, confirmed blocks)
// survives the load.
TEST(IgnCheck, LoadKeepsWhatTheLinkWroteDuringItsMessage)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("old.ign")).toStdString();
    Document source;
    SetStartupImage(source);
    std::string text = WriteParameterFile(source.image, {});
    text.replace(text.find(" 82 "), 4, " 74 ");  // an older file: notice 27 comes
    ASSERT_TRUE(writeFileAtomically(path, text));

    Document doc;
    SetStartupImage(doc);
    doc.undo.pending[5] = true;
    IgnReadOptions options;
    options.notify = [&doc](int) {
        doc.identification[0] = 'K';
        doc.undo.pending[5] = false;
    };
    const IgnLoadResult result = loadParameterFile(doc, path, options);
    ASSERT_TRUE(result.loaded());
    EXPECT_EQ(result.read.notices, std::vector<int>{27});
    EXPECT_EQ(doc.identification[0], 'K');
    EXPECT_FALSE(doc.undo.pending[5]);
}
