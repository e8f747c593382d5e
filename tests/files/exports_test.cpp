#include "files/service_compare.h"
#include "files/service_folders.h"
#include "files/service_percent.h"
#include "model/fields.h"

#include "files_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>


namespace kestrin {
namespace {

using testing::readFile;
using testing::writeFile;

TEST(CompareLines, BlanksEverythingButTheDifferences)
{
    const struct {
        const char* name;
        std::vector<std::string> oldLines;
        std::vector<std::string> newLines;
        std::string report;
    } cases[] = {
        {"equal", {"a", "b"}, {"a", "b"}, ""},
        {"one character", {"x", "LIMITER   105"}, {"x", "LIMITER   106"},
         "....line:2\r\n            5\r\nLIMITER   106\r\n"},
        // Characters of the old line beyond the new line's length stay.
        {"old longer", {"ABCDEF"}, {"ABX"}, "....line:1\r\n  CDEF\r\nABX\r\n"},
        {"new longer", {"AB"}, {"AXYZ"}, "....line:1\r\n B\r\nAXYZ\r\n"},
        // Lines beyond the shorter file are not reported.
        {"different lengths", {"same", "old only"}, {"same"}, ""},
        {"several", {"1", "2", "3"}, {"1", "9", "8"}, "....line:2\r\n2\r\n9\r\n....line:3\r\n3\r\n8\r\n"},
    };
    for (const auto& c : cases) {
        int differences = 0;
        EXPECT_EQ(compareLines(c.oldLines, c.newLines, &differences), c.report) << c.name;
        EXPECT_EQ(differences == 0, c.report.empty()) << c.name;
    }
}

TEST(CompareLines, SplitsLinesAsAnEditorShowsThem)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(splitTextLines(""), V{});
    EXPECT_EQ(splitTextLines("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(splitTextLines("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(splitTextLines("a\r\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(splitTextLines("\r\n\r\n"), (V{"", ""}));
}

TEST(CompareAllNew, ReportsEachBikeAndMissingFiles)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(newIgnFolder(base))));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(oldIgnFolder(base))));
    // Bike names keep their inner and trailing blanks in the file names.
    const char* const names[] = {"Honda CBR 600 F               01-02", "Same  ", "No old", "No new"};
    writeFile(bikeFilePath(oldIgnFolder(base), names[0]), "VALDORIX_KEY    82 \r\n\r\nBIKE             2 \r\n");
    writeFile(bikeFilePath(newIgnFolder(base), names[0]), "VALDORIX_KEY    82 \r\n\r\nBIKE             3 \r\n");
    writeFile(bikeFilePath(oldIgnFolder(base), names[1]), "x\r\ny");
    writeFile(bikeFilePath(newIgnFolder(base), names[1]), "x\r\ny");
    writeFile(bikeFilePath(newIgnFolder(base), names[2]), "x");
    writeFile(bikeFilePath(oldIgnFolder(base), names[3]), "x");

    CompareAllResult result;
    const std::string report = compareAllNewReport(base, names, result);
    EXPECT_EQ(report,
              "------------------------------------------------------   Honda CBR 600 F               01-02\r\n"
              "....line:3\r\n"
              "                 2 \r\n"
              "BIKE             3 \r\n"
              "------------------------------------------------------   Same  \r\n"
              "------------------------------------------------------   No old\r\n"
              "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \r\n"
              "------------------------------------------------------   No new\r\n"
              "!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!\r\n");
    EXPECT_EQ(result.differingLines, 1);
    EXPECT_EQ(result.missingOld, 1);
    EXPECT_EQ(result.missingNew, 1);
    EXPECT_FALSE(result.allEqual());
}

TEST(CompareAllNew, ReportFileAndItsFailure)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    // Without a new_ign folder there is nowhere to put the report: that is
    // reported rather than passed over.
    CompareAllResult missing = CompareAllNew(base);
    EXPECT_FALSE(missing.reportWritten);

    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(newIgnFolder(base))));
    writeFile(compareReportPath(base), "an old report that is much longer than the new one");
    const CompareAllResult result = CompareAllNew(base);
    ASSERT_TRUE(result.reportWritten);
    CompareAllResult expected;
    EXPECT_EQ(readFile(result.reportPath), compareAllNewReport(base, serviceBikeNames(), expected));
    EXPECT_EQ(compareResultMessage("./new_ign/compare_all_new.txt"),
              "Results in file \"" + QDir::toNativeSeparators("./new_ign/compare_all_new.txt").toStdString() + "\"");
}

TEST(PercentExport, EachInjectorMapAfterItsOwnAxis)
{
    ParameterImage image;
    std::array<InjectionTable, 5> percent{};
    for (int m = 0; m < 5; ++m) {
        const MapDescriptor& map = injectionMap(m);
        for (int c = 0; c < kMapColumns; ++c)
            image.setByte(map.axisOffset + c, static_cast<std::uint8_t>(10 * (m + 1) + c));
        for (int i = 0; i < kMapCells; ++i)
            percent[static_cast<std::size_t>(m)][static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(m * 1000 + i);
    }
    percent[4][149] = 65535;
    const std::string text = percentExportText(image, percent);

    // The file starts with the first head's line break and has no key line.
    EXPECT_EQ(text.find("VALDORIX_KEY"), std::string::npos);
    EXPECT_TRUE(text.starts_with("\r\nRPM_JET_1A    1000  1100  1200 "));
    // The keyword order and each section's first values.
    std::size_t at = 0;
    for (const char* head : {"\r\nRPM_JET_1A    1000 ", "\r\nJET_1A           0     1 ", "\r\nRPM_JET_2A    2000 ",
                             "\r\nJET_2A        1000  1001 ", "\r\nRPM_JET_3A    3000 ", "\r\nJET_3A        2000 ",
                             "\r\nRPM_JET_4A    4000 ", "\r\nJET_4A        3000 ", "\r\nRPM_IAP       5000 ",
                             "\r\nIAP           4000 "}) {
        const std::size_t found = text.find(head, at);
        ASSERT_NE(found, std::string::npos) << head;
        at = found + 1;
    }
    // Fifteen values a line, each map closed by a line of 13 blanks.
    EXPECT_NE(text.find(std::string("   14 \r\n") + std::string(13, ' ') + "   15 "), std::string::npos);
    EXPECT_TRUE(text.ends_with(" 4148 65535 \r\n             "));
}

}  // namespace
}  // namespace kestrin
