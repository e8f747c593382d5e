#include "files/service_save_all.h"

#include "files/ign_writer.h"
#include "files/service_folders.h"
#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include "files_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>


namespace kestrin {
namespace {

using testing::readFile;

Document workingDocument()
{
    Document doc;
    for (int i = 0; i < kImageSize; ++i)
        doc.image.setByte(i, static_cast<std::uint8_t>(i % 251));
    doc.activePage = 9;
    return doc;
}

TEST(SaveAllNew, WritesEveryBikesDefaultsAndGivesTheDocumentBack)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString();
    Document doc = workingDocument();
    int shown = 0;
    FileStepHooks hooks;
    hooks.showControls = [&] { ++shown; };

    const SaveAllNewResult result = SaveAllNew(doc, base, hooks);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.written, static_cast<int>(serviceBikeNames().size()));
    EXPECT_EQ(QDir(QString::fromStdString(result.folder)).entryList(QDir::Files).size(), result.written);
    EXPECT_GT(shown, 0);

    const Document before = workingDocument();
    EXPECT_EQ(doc.image, before.image);
    EXPECT_EQ(doc.activePage, 9);

    // Each file holds what the defaults of its bike give, under the bike's
    // list text (with its inner and trailing blanks).
    for (int code : {0, 11, 38, 60}) {
        const int item = ItemOfBikeCode(code);
        if (item < 0 || item >= static_cast<int>(serviceBikeNames().size()))
            continue;
        Document expected;
        PrepareDefaultSet(expected, code);
        EXPECT_EQ(readFile(bikeFilePath(result.folder, serviceBikeNames()[static_cast<std::size_t>(item)])),
                  WriteParameterFile(expected.image, ignInfoTexts(expected)))
            << code;
    }
}

TEST(SaveAllNew, ReportsWhatCouldNotBeWritten)
{
    QTemporaryDir dir;
    Document doc = workingDocument();
    // No base folder: nothing is created, nothing written.
    const SaveAllNewResult missing = SaveAllNew(doc, dir.filePath("no/such").toStdString());
    EXPECT_FALSE(missing.folderReady);
    EXPECT_EQ(missing.written, 0);
    EXPECT_FALSE(QDir(dir.filePath("no")).exists());

    if (serviceBikeNames().empty())
        GTEST_SKIP() << "no bike list";
    // A folder in the place of one bike's file: that file fails, the rest go on.
    const std::string base = dir.path().toStdString();
    const std::string blocked = bikeFilePath(newIgnFolder(base), serviceBikeNames()[5]);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(blocked)));
    const SaveAllNewResult result = SaveAllNew(doc, base);
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0], blocked);
    EXPECT_EQ(result.written, static_cast<int>(serviceBikeNames().size()) - 1);
    EXPECT_EQ(doc.image, workingDocument().image);
}

}  // namespace
}  // namespace kestrin
