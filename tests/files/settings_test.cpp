#include "files/service_marker.h"
#include "files/settings.h"
#include "files/settings_location.h"
#include "files/settings_store.h"

#include "files_test_support.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>

namespace kestrin {
namespace {

using testing::readFile;
using testing::writeFile;

Settings sample()
{
    Settings s;
    s.left = 120;
    s.top = -4;
    s.height = 700;
    s.width = 1010;
    s.portChoice = 2;
    s.portAutoIndex = 5;
    s.language = 3;
    s.fileName = "/home/tech/maps/race.ign";
    s.rememberedFile = "/home/tech/maps/road.ign";
    s.activePage = 7;
    s.showMilliseconds = true;
    s.extendedMonitor = false;
    s.allPositionsA = true;
    s.allPositionsB = false;
    return s;
}

const char* const kSampleText =
    "[BASIC]\r\n"
    "Left=120\r\n"
    "Top=-4\r\n"
    "Height=700\r\n"
    "Width=1010\r\n"
    "ComPort=3\r\n"
    "ComPortAuto=6\r\n"
    "Language=3\r\n"
    "File=/home/tech/maps/race.ign\r\n"
    "IniDir=/home/tech/maps/road.ign\r\n"
    "PageControl1->ActivePageIndex=7\r\n"
    "CheckBoxZobrMs_Uni->Checked=1\r\n"
    "CheckBoxExtMonitor->Checked=0\r\n"
    "CheckBoxAll_PolohaA->Checked=1\r\n"
    "CheckBoxAll_PolohaB->Checked=0\r\n";

bool operator==(const Settings& a, const Settings& b)
{
    return a.left == b.left && a.top == b.top && a.height == b.height && a.width == b.width &&
           a.portChoice == b.portChoice && a.portAutoIndex == b.portAutoIndex && a.language == b.language &&
           a.fileName == b.fileName && a.rememberedFile == b.rememberedFile && a.activePage == b.activePage &&
           a.showMilliseconds == b.showMilliseconds && a.extendedMonitor == b.extendedMonitor &&
           a.allPositionsA == b.allPositionsA && a.allPositionsB == b.allPositionsB;
}

TEST(SettingsFile, WritesKeysInFixedOrderAndForm)
{
    QTemporaryDir dir;
    const auto where = SettingsLocation::inDirectory(dir.path().toStdString() + "/new/folder");
    ASSERT_TRUE(saveSettingsFile(where.settingsFile, sample()));
    EXPECT_EQ(readFile(where.settingsFile), kSampleText);
    EXPECT_TRUE(where.settingsFile.ends_with("/new/folder/Kestrin_2007_v82.ini"));
}

TEST(SettingsFile, RoundTripsAwkwardTextValues)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("s.ini").toStdString();
    Settings s = sample();
    s.fileName = "  maps/čistá mapa.ign ";  // blanks at both ends, national letters
    s.rememberedFile = "\"quoted\".ign";
    ASSERT_TRUE(saveSettingsFile(path, s));
    Settings back;
    ASSERT_TRUE(loadSettingsFile(path, back));
    EXPECT_TRUE(back == s);

    // A line break cannot be kept in the file; it must not break the file apart.
    s.fileName = "evil\r\nLanguage=1";
    ASSERT_TRUE(saveSettingsFile(path, s));
    ASSERT_TRUE(loadSettingsFile(path, back));
    EXPECT_EQ(back.fileName, "");
    EXPECT_EQ(back.language, 3);
}

TEST(SettingsFile, AbsentKeysKeepPresentValues)
{
    Settings present = sample();
    Settings s = present;
    readSettingsText("", s);
    // Everything keeps its value but the two port keys, which read as COM1
    // and "no port tried yet".
    present.portChoice = 0;
    present.portAutoIndex = 255;
    EXPECT_TRUE(s == present);

    readSettingsText("[BASIC]\nComPort=21\nLanguage=7\n", s);
    EXPECT_EQ(s.portChoice, 20);  // the automatic search
    EXPECT_EQ(s.language, 7);     // brought into range by the consistency rules
}

TEST(SettingsFile, ToleratesDamagedAndForeignText)
{
    struct Case {
        const char* name;
        std::string text;
        int left;
        int page;
        std::string file;
    };
    // sample(): left 120, page 7, file ".../race.ign"
    const std::string keep = sample().fileName;
    const Case cases[] = {
        {"garbage", std::string("\x00\xff[[=\n=\n\x01", 9), 120, 7, keep},
        {"not numbers", "[BASIC]\nLeft=12x\nPageControl1->ActivePageIndex=\nFile=a.ign\n", 120, 7, "a.ign"},
        {"too large", "[BASIC]\nLeft=99999999999\n", 120, 7, keep},
        {"page out of range", "[BASIC]\nPageControl1->ActivePageIndex=19\n", 120, 7, keep},
        {"negative page", "[BASIC]\nPageControl1->ActivePageIndex=-1\n", 120, 7, keep},
        {"other case, blanks, BOM", "\xEF\xBB\xBF [basic] \r\n  left = 5 \r\nfile =  x.ign  \r\n", 5, 7, "x.ign"},
        {"first key wins", "[BASIC]\nLeft=1\nLeft=2\n", 1, 7, keep},
        {"only first section", "[BASIC]\nLeft=1\n[BASIC]\nLeft=2\n", 1, 7, keep},
        {"other section", "[OTHER]\nLeft=1\n[BASIC]\nTop=3\n", 120, 7, keep},
        {"no line end", "[BASIC]\nPageControl1->ActivePageIndex=18", 120, 18, keep},
    };
    for (const Case& c : cases) {
        Settings s = sample();
        readSettingsText(c.text, s);
        EXPECT_EQ(s.left, c.left) << c.name;
        EXPECT_EQ(s.activePage, c.page) << c.name;
        EXPECT_EQ(s.fileName, c.file) << c.name;
    }
}

TEST(SettingsFile, RewriteKeepsWhatOthersStoredInTheFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("s.ini").toStdString();
    writeFile(path, "[BASIC]\r\nLanguage=1\r\nOtherTool=yes\r\nLeft=3\r\n[PRINTER]\r\nName=HP\r\n");
    ASSERT_TRUE(saveSettingsFile(path, sample()));
    EXPECT_EQ(readFile(path), std::string(kSampleText) + "OtherTool=yes\r\n[PRINTER]\r\nName=HP\r\n");
    // Saving again changes nothing.
    ASSERT_TRUE(saveSettingsFile(path, sample()));
    EXPECT_EQ(readFile(path), std::string(kSampleText) + "OtherTool=yes\r\n[PRINTER]\r\nName=HP\r\n");
}

TEST(SettingsFile, MissingOrUnwritableFileIsReported)
{
    QTemporaryDir dir;
    Settings s = sample();
    EXPECT_FALSE(loadSettingsFile(dir.filePath("none.ini").toStdString(), s));
    EXPECT_EQ(s.left, 120);
    // A folder where the file should be cannot be replaced.
    EXPECT_FALSE(saveSettingsFile(dir.path().toStdString(), s));
}

TEST(SettingsStore, SavesAndRestoresSettingsAndImage)
{
    QTemporaryDir dir;
    const auto where = SettingsLocation::inDirectory(dir.path().toStdString());
    ParameterImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + 3));
    PageFlags flags{};
    flags[18] = 1;
    const SettingsSaved saved = SaveSettings(where, sample(), image, flags);
    EXPECT_TRUE(saved.settings);
    EXPECT_TRUE(saved.snapshot);

    Settings s;
    ParameterImage back;
    PageFlags backFlags{};
    EXPECT_TRUE(LoadSettings(where, s, back, backFlags));
    EXPECT_TRUE(s == sample());
    EXPECT_EQ(back, image);
    EXPECT_EQ(backFlags, flags);
}

TEST(SettingsLocation, FollowsTheUsersConfigurationFolder)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    ASSERT_EQ(setenv("XDG_CONFIG_HOME", base.c_str(), 1), 0);
    const auto where = SettingsLocation::standard();
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(where.settingsFile, base + "/Kestrin_2007/Kestrin_2007_v82.ini");
    EXPECT_EQ(where.snapshotFile, base + "/Kestrin_2007/_Kestrin_2007_v82.ini");
    EXPECT_EQ(where.markerFile, base + "/Kestrin_2007/test_hordan.txt");
    EXPECT_EQ(SettingsLocation::choose(std::string("/x")).settingsFile, "/x/Kestrin_2007_v82.ini");
}

TEST(ServiceMarker, NeedsTheExactWord)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("test_hordan.txt").toStdString();
    EXPECT_FALSE(readServiceMarker(path));  // no file
    const struct {
        const char* text;
        bool on;
    } cases[] = {
        {"something MODE_SWITCH else", true},
        {"\r\n\tMODE_SWITCH", true},
        {"mode_switch", false},
        {"MODE_SWITCHED", false},
        {"MODE_SWITCH!", false},
        {"", false},
    };
    for (const auto& c : cases) {
        writeFile(path, c.text);
        EXPECT_EQ(readServiceMarker(path), c.on) << c.text;
    }
}

}  // namespace
}  // namespace kestrin
