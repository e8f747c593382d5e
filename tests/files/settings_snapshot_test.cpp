#include "files/snapshot.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <vector>

namespace kestrin {
namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (true) {
        const auto end = text.find("\r\n", pos);
        out.push_back(text.substr(pos, end - pos));
        if (end == std::string::npos)
            return out;
        pos = end + 2;
    }
}

ParameterImage patterned()
{
    ParameterImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.setByte(i, static_cast<std::uint8_t>((i * 37 + 11) % 256));
    return image;
}

TEST(Snapshot, NumberLayout)
{
    ParameterImage image;
    image.setByte(0, 11);
    image.setByte(9, 255);
    image.setByte(2849, 7);
    PageFlags flags{};
    flags[0] = 1;
    flags[18] = 1;
    const std::string text = snapshotText(image, flags);
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1) << "CR LF line ends";
    const auto l = lines(text);
    // 285 lines of ten values, an empty line after every hundred values
    // (28 of them), then the flag line without a final line break.
    ASSERT_EQ(l.size(), 285u + 28u + 1u);
    EXPECT_EQ(l[0], "   11     0     0     0     0     0     0     0     0   255 ");
    EXPECT_EQ(l[10], "");
    EXPECT_EQ(l[11], "    0     0     0     0     0     0     0     0     0     0 ");
    EXPECT_EQ(l[311], "    0     0     0     0     0     0     0     0     0     0 ");
    EXPECT_EQ(l[312], "    0     0     0     0     0     0     0     0     0     7 ");
    std::string flagLine = "    1 ";
    for (int i = 1; i < 18; ++i)
        flagLine += "    0 ";
    flagLine += "    1 ";
    EXPECT_EQ(l[313], flagLine);
}

TEST(Snapshot, FileRoundTripIsByteForByte)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("sub/_Kestrin_2007_v82.ini").toStdString();
    const ParameterImage image = patterned();  // covers the memo area 2700..2849 too
    PageFlags flags{};
    for (int i = 0; i < kPageCount; ++i)
        flags[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 2);
    ASSERT_TRUE(saveSnapshotFile(path, image, flags));

    ParameterImage back;
    PageFlags backFlags{};
    ASSERT_TRUE(loadSnapshotFile(path, back, backFlags));
    EXPECT_EQ(back, image);
    EXPECT_EQ(backFlags, flags);
}

TEST(Snapshot, ShortOrDamagedTextFillsOnlyWhatItHolds)
{
    const struct {
        const char* name;
        std::string text;
        int imageBytes;
        int flags;
    } cases[] = {
        {"empty", "", 0, 0},
        {"short", "1 2\n3", 3, 0},
        {"damaged word", "1 2 x3 4", 2, 0},
        {"negative", "1 -2", 1, 0},
        {"LF only", "5\n6\n\n7", 3, 0},
    };
    for (const auto& c : cases) {
        ParameterImage image = patterned();
        const ParameterImage before = image;
        PageFlags flags{};
        const SnapshotRead read = readSnapshotText(c.text, image, flags);
        EXPECT_EQ(read.imageBytes, c.imageBytes) << c.name;
        EXPECT_EQ(read.flags, c.flags) << c.name;
        for (int i = c.imageBytes; i < kImageSize; ++i)
            ASSERT_EQ(image.byte(i), before.byte(i)) << c.name << " offset " << i;
    }

    ParameterImage image;
    PageFlags flags{};
    readSnapshotText("300 65537 4294967297 99999999999999999999", image, flags);
    EXPECT_EQ(image.byte(0), 300 % 256);
    EXPECT_EQ(image.byte(1), 1);
    EXPECT_EQ(image.byte(2), 1);
    EXPECT_EQ(image.byte(3), 255);  // 10^20 - 1 is -1 modulo 256
}

TEST(Snapshot, NumbersAfterTheImageGoToTheFlags)
{
    std::string text;
    for (int i = 0; i < kImageSize + 3; ++i)
        text += "2 ";
    ParameterImage image;
    PageFlags flags{};
    const SnapshotRead read = readSnapshotText(text, image, flags);
    EXPECT_EQ(read.imageBytes, kImageSize);
    EXPECT_EQ(read.flags, 3);
    EXPECT_EQ(flags[2], 2);
    EXPECT_EQ(flags[3], 0);
}

TEST(Snapshot, MissingFileChangesNothing)
{
    QTemporaryDir dir;
    ParameterImage image = patterned();
    PageFlags flags{};
    flags[4] = 1;
    EXPECT_FALSE(loadSnapshotFile(dir.filePath("none").toStdString(), image, flags));
    EXPECT_EQ(image, patterned());
    EXPECT_EQ(flags[4], 1);
}

}  // namespace
}  // namespace kestrin
