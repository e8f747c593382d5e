// Old-format files: which sections start or cancel the percent conversion,
// and where the coupled and IAP percent maps land. Compare All New with a
// folder where a bike's file should be.

#include "files/service_compare.h"
#include "files/service_folders.h"
#include "files/service_old_maps.h"

#include "model/document.h"
#include "model/field_offsets.h"

#include "files_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sstream>
#include <string>

namespace kestrin {
namespace {

// A section of the old file: an axis takes 15 numbers, a map 150.
std::string section(const std::string& keyword, int value)
{
    std::string out = keyword;
    const int count = keyword.starts_with("RPM_") ? 15 : 150;
    for (int i = 0; i < count; ++i)
        out += " " + std::to_string(value);
    return out + "\r\n";
}

std::string oldFile(const std::string& keywords)
{
    std::string text = "VALDORIX_KEY 60\r\n";
    std::istringstream words(keywords);
    for (std::string keyword; words >> keyword;)
        text += section(keyword, 1200);
    return text;
}

TEST(OldMapsCheck, SectionsThatStartOrCancelTheConversion)
{
    const struct {
        const char* keywords;
        bool converted;
    } cases[] = {
        {"", true},  // pending from the start
        {"JET_14A", true},
        {"JET_14A JET_1A", false},
        {"JET_1A JET_14A", true},  // a percent map sets it pending again
        {"JET_1A JET_23A", true},
        {"JET_1A JET_IAP", false},  // the IAP percent map does not
        {"JET_14A RPM_JET_1A", true},
        {"JET_14A RPM_JET_2A", true},
        {"JET_14A JET_2A", false},
        {"JET_14A RPM_JET_3A", false},  // both Inj-3A sections cancel
        {"JET_14A JET_3A", false},
        {"JET_14A RPM_JET_4A", true},
        {"JET_14A JET_4A", false},
    };
    for (const auto& c : cases) {
        Document doc;
        EXPECT_EQ(ReadOldMapsFile(doc, oldFile(c.keywords), false).converted, c.converted) << c.keywords;
    }
}

TEST(OldMapsCheck, CoupledAndIapPercentMapsLandInTheirOwnArrays)
{
    Document doc;
    for (auto& percent : doc.derived.percent)
        percent.fill(7);
    const std::string text = "VALDORIX_KEY 60\r\n" + section("RPM_JET_23A", 1500) + section("JET_23A", 300) +
                             section("RPM_JET_IAP", 900) + section("JET_IAP", 90) + section("JET_1A", 2000);
    ReadOldMapsFile(doc, text, false);

    EXPECT_EQ(doc.derived.percent[0][149], 7);  // Inj-1A: only its microsecond map was read
    EXPECT_EQ(doc.derived.percent[1][149], 300 % 256);
    EXPECT_EQ(doc.derived.percent[2][0], 300 % 256);
    EXPECT_EQ(doc.derived.percent[3][0], 7);
    EXPECT_EQ(doc.derived.percent[4][149], 90);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(doc.image.byte(off::RpmJet2A + i), 15);
        EXPECT_EQ(doc.image.byte(off::RpmJet3A + i), 15);
        EXPECT_EQ(doc.image.byte(off::RpmIap + i), 9);
        EXPECT_EQ(doc.image.byte(off::RpmJet1A + i), 0);
        EXPECT_EQ(doc.image.byte(off::RpmJet4A + i), 0);
    }
}

// A folder opens for reading on Linux and reads as nothing; taken for an
// empty file it would make the bike look unchanged.
TEST(CompareAllNewCheck, AFolderInPlaceOfABikeFileIsNoFile)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    const char* const names[] = {"Old is a folder", "New is a folder"};
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(newIgnFolder(base))));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(bikeFilePath(oldIgnFolder(base), names[0]))));
    testing::writeFile(bikeFilePath(newIgnFolder(base), names[0]), "x\r\n");
    testing::writeFile(bikeFilePath(oldIgnFolder(base), names[1]), "x\r\n");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(bikeFilePath(newIgnFolder(base), names[1]))));

    CompareAllResult result;
    EXPECT_EQ(compareAllNewReport(base, names, result),
              "------------------------------------------------------   Old is a folder\r\n"
              "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \r\n"
              "------------------------------------------------------   New is a folder\r\n"
              "!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!\r\n");
    EXPECT_FALSE(result.allEqual());
}

}  // namespace
}  // namespace kestrin
