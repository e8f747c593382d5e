#include "files/service_old_maps.h"

#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace kestrin {
namespace {

// `count` numbers, value(i) each, fifteen a line as the old files had them.
std::string numbers(int count, const std::function<int(int)>& value)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += std::to_string(value(i)) + ((i % 15 == 14) ? "\r\n" : " ");
    return out;
}

int cellOf(const Document& doc, int injection, int i)
{
    return readCell(doc.image, injectionMap(injection), i / kMapColumns, i % kMapColumns);
}

std::string coupled14File(int key = 60)
{
    return "VALDORIX_KEY " + std::to_string(key) + "\r\n" +
           "RPM_JET_14A " + numbers(15, [](int i) { return 1000 + 700 * i; }) +
           "JET_14A " + numbers(150, [](int i) { return i == 0 ? 300 : 50 + i % 100; });  // 300: modulo 256
}

TEST(OldMaps, CoupledPercentMapsAreConvertedToMicroseconds)
{
    Document doc;
    for (auto& base : doc.derived.baseMaps)
        base.fill(40000);  // what the base maps hold when they are not recomputed
    const OldMapsReadResult read = ReadOldMapsFile(doc, coupled14File(), false);
    EXPECT_EQ(read.keyVersion, 60);
    EXPECT_TRUE(read.converted);

    for (int i = 0; i < kMapColumns; ++i) {
        EXPECT_EQ(doc.image.byte(off::RpmJet1A + i), (1000 + 700 * i) / 100 & 0xFF);
        EXPECT_EQ(doc.image.byte(off::RpmJet4A + i), doc.image.byte(off::RpmJet1A + i));
    }
    EXPECT_EQ(doc.derived.percent[0][0], 300 - 256);
    EXPECT_EQ(doc.derived.percent[3][0], 300 - 256);
    EXPECT_EQ(doc.derived.percent[0][7], 57);
    // Every injection map follows from its percent array and the base map the
    // new axes give; large products are held at the word's top.
    for (int m = 0; m < 5; ++m) {
        for (int i = 0; i < kMapCells; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const std::uint64_t expected =
                (std::uint64_t{doc.derived.percent[static_cast<std::size_t>(m)][at]} *
                     doc.derived.baseMaps[static_cast<std::size_t>(m)][at] +
                 50) /
                100;
            ASSERT_EQ(cellOf(doc, m, i), std::min<std::uint64_t>(expected, 65535)) << m << " " << i;
        }
    }
    // The presets of the old format.
    const int iapAxis[10] = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(doc.image.word(off::IapAxis + 2 * i), iapAxis[i]);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.image.byte(off::AdvCylCorr + i), 100);
        EXPECT_EQ(doc.image.byte(off::IapCylCorr + i), 100);
    }
}

TEST(OldMaps, AKeyBelow35StopsReadingAndConverting)
{
    Document doc;
    doc.image.setByte(off::RpmJet1A, 77);
    const OldMapsReadResult read = ReadOldMapsFile(doc, coupled14File(34), false);
    EXPECT_TRUE(read.stoppedAtKey);
    EXPECT_FALSE(read.converted);
    EXPECT_EQ(doc.image.byte(off::RpmJet1A), 77);
    EXPECT_EQ(doc.image.word(off::IapAxis), 30);  // the presets stay
}

TEST(OldMaps, CurrentMicrosecondSectionsCancelTheConversion)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 17);
    const std::string text = coupled14File() + "JET_1A " + numbers(150, [](int i) { return 2000 + i; }) +
                             "BIKE 3\r\nLIMITER 100 100 100 100 7\r\n";
    const OldMapsReadResult read = ReadOldMapsFile(doc, text, false);
    EXPECT_FALSE(read.converted);
    EXPECT_EQ(cellOf(doc, 0, 149), 2149);
    // Sections the old format did not carry are left alone.
    EXPECT_EQ(doc.image.byte(off::BikeCode), 17);
    EXPECT_EQ(doc.image.byte(off::RetardLimiterAdv), 0);
}

TEST(OldMaps, OldAdvanceNamesAndCurrentSections)
{
    Document doc;
    const std::string text = "VALDORIX_KEY 50\r\nRPM_IGN " + numbers(15, [](int i) { return 800 + 100 * i; }) +
                             "IGN " + numbers(150, [](int i) { return i % 60; }) +
                             "ADVANCE_MISC 5 90 95 105 110 20 30\r\n"
                             "JET1_MISC 1 0 90 10 100\r\n"
                             "POSITION_A 2 " + numbers(15, [](int i) { return 1000 * i; }) +
                             numbers(15, [](int i) { return 5 * i; }) +
                             "MEMO\r\nIGN 1 2 3\r\n";
    ReadOldMapsFile(doc, text, false);
    EXPECT_EQ(doc.image.byte(off::RpmAdvance + 14), 22);
    EXPECT_EQ(doc.image.byte(off::MapAdvance + 149), 149 % 60);
    EXPECT_EQ(doc.image.byte(off::AdvCylCorr), 190);  // written as value - 100
    EXPECT_EQ(doc.image.byte(off::JetCouplingMode), 1);  // stored in every load here
    EXPECT_EQ(doc.image.byte(off::PositionAMode), 2);
    EXPECT_EQ(doc.image.byte(off::PositionARpm + 3), 30);
    // Words of the memo are text, not sections.
    EXPECT_EQ(doc.image.byte(off::MapAdvance), 0);
}

TEST(OldMaps, PageLoadTakesOnlyTheActivePage)
{
    const std::string text = "VALDORIX_KEY 60\r\nRPM_ADV " + numbers(15, [](int) { return 1200; }) +
                             "RPM_JET_23A " + numbers(15, [](int) { return 900; }) +
                             "RPM_JET_IAP " + numbers(15, [](int) { return 1500; });
    const struct {
        const char* name;
        int page;
        int coupling;
        int advance, jet2, jet3, iap;
    } cases[] = {
        {"whole set", -1, 0, 12, 9, 9, 15},
        {"advance page", 1, 0, 12, 0, 0, 0},
        {"Inj-2A page", 3, 0, 0, 9, 9, 0},
        {"Inj-2A page, coupled", 3, 1, 0, 0, 0, 0},
        {"Inj-IAP page", 7, 0, 0, 0, 0, 15},
    };
    for (const auto& c : cases) {
        Document doc;
        doc.activePage = std::max(c.page, 0);
        doc.image.setByte(off::JetCouplingMode, static_cast<std::uint8_t>(c.coupling));
        ReadOldMapsFile(doc, text, c.page >= 0);
        EXPECT_EQ(doc.image.byte(off::RpmAdvance), c.advance) << c.name;
        EXPECT_EQ(doc.image.byte(off::RpmJet2A), c.jet2) << c.name;
        EXPECT_EQ(doc.image.byte(off::RpmJet3A), c.jet3) << c.name;
        EXPECT_EQ(doc.image.byte(off::RpmIap), c.iap) << c.name;
    }
}

TEST(OldMaps, OpenFailsWithoutChangingTheDocument)
{
    QTemporaryDir dir;
    Document doc;
    doc.image.setByte(off::IapAxis, 1);
    // A missing file, a folder and a device that never ends are all refused.
    for (const std::string& path : {dir.filePath("missing.ign").toStdString(), dir.path().toStdString(),
                                   std::string("/dev/zero")}) {
        EXPECT_FALSE(OpenOldMaps(doc, path, false)) << path;
        EXPECT_EQ(doc.image.byte(off::IapAxis), 1) << path;
    }
}

// An information line ends at CR or LF, as in the parameter file reader:
// with CR-only line ends the sections after it are still read.
TEST(OldMaps, InformationLineEndsAtACarriageReturn)
{
    Document doc;
    ReadOldMapsFile(doc, "VALDORIX_KEY 50\rHEX 1.1.2007 IGN 12\rPOSITION_A 2\r", false);
    EXPECT_EQ(doc.image.byte(off::PositionAMode), 2);
    EXPECT_EQ(doc.image.byte(off::MapAdvance), 0);  // "IGN 12" on the HEX line is text
}

}  // namespace
}  // namespace kestrin
