#include "files/ign_codepage.h"
#include "files/ign_memo.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(Memo, PacksAndUnpacksLines)
{
    ParameterImage image;
    EXPECT_TRUE(packMemo(image, {"A", "BC", ""}));
    EXPECT_EQ(image.byte(off::MemoText), 'A');
    EXPECT_EQ(image.byte(off::MemoText + 1), 0);
    EXPECT_EQ(image.byte(off::MemoText + 2), 'B');
    EXPECT_EQ(memoLines(image), (std::vector<std::string>{"A", "BC"}));

    packMemo(image, {"", "x"});
    EXPECT_EQ(memoLines(image), (std::vector<std::string>{"", "x"}));
    packMemo(image, {});
    EXPECT_TRUE(memoLines(image).empty());
}

TEST(Memo, TextBeyondTheAreaIsCutAndTheLastByteStaysZero)
{
    ParameterImage image;
    image.setByte(off::MemoText - 1, 0x55);
    EXPECT_TRUE(packMemo(image, {std::string(149, 'a')}));
    EXPECT_FALSE(packMemo(image, {std::string(100, 'a'), std::string(100, 'b')}));
    EXPECT_EQ(image.byte(kImageSize - 1), 0);
    EXPECT_EQ(image.byte(off::MemoText - 1), 0x55);
    const auto lines = memoLines(image);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], std::string(48, 'b'));

    // An image from the unit whose area is full to the last byte still
    // unpacks within the image.
    for (int i = off::MemoText; i < kImageSize; ++i)
        image.setByte(i, 'z');
    EXPECT_EQ(memoLines(image), (std::vector<std::string>{std::string(150, 'z')}));
}

TEST(Memo, Windows1250Conversion)
{
    // "Příliš žluťoučký kůň" with the euro sign: all in the code page.
    const std::string utf8 = "P\xc5\x99\xc3\xad" "li\xc5\xa1 \xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88 \xe2\x82\xac";
    const std::string cp1250 = "P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2 \x80";
    EXPECT_EQ(utf8ToCp1250(utf8), cp1250);
    EXPECT_EQ(cp1250ToUtf8(cp1250), utf8);
    EXPECT_EQ(utf8ToCp1250("\xe2\x9c\x93 ok"), "? ok");  // a check mark is not in the code page
}
