#include "files/file_steps.h"
#include "files/ign_memo.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "ign_test_support.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

using namespace kestrin;
using namespace kestrin::testing;

namespace {

const IgnInfoTexts kInfo{" 1. 1.2007", "00:00", "TEST", "Jan  1 2007", "00:00:00"};

// Writes `source`, reads it back over the start-up image and checks every
// byte the format carries (flags come back as 0 or 1).
void expectRoundTrip(const ParameterImage& source)
{
    Document doc;
    SetStartupImage(doc);
    const std::string text = WriteParameterFile(source, kInfo);
    ASSERT_EQ(ReadParameterFile(doc, text).version, 82);
    for (const auto& carried : carriedBytes()) {
        const int expected = carried.flag ? (source.byte(carried.offset) != 0) : source.byte(carried.offset);
        ASSERT_EQ(doc.image.byte(carried.offset), expected) << "offset " << carried.offset;
    }
    for (int i = off::MemoText; i < kImageSize; ++i)
        ASSERT_EQ(doc.image.byte(i), source.byte(i)) << "memo offset " << i;
    // Written again, the file is the same text.
    EXPECT_EQ(WriteParameterFile(doc.image, kInfo), text);
}

// A memo of random 8-bit lines whose first character is no blank (leading
// blanks of the first line are not kept by the format).
void setRandomMemo(ParameterImage& image, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<std::string> lines;
    std::size_t used = 0;
    while (used < 120) {
        std::string line;
        const std::size_t n = rng() % 30;
        for (std::size_t i = 0; i < n; ++i) {
            char c = static_cast<char>(rng() % 255 + 1);
            if (c == '\n')
                c = 'n';
            line.push_back(c);
        }
        used += line.size() + 1;
        lines.push_back(line);
    }
    lines.front().insert(0, "#");
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    packMemo(image, lines);
}

}  // namespace

TEST(IgnRoundTrip, EveryCarriedByteOfEveryBike)
{
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE(code);
        ParameterImage image = randomImage(static_cast<unsigned>(code));
        image.setByte(off::BikeCode, static_cast<std::uint8_t>(code));
        // Both scalings of the servo maps across the bikes.
        image.setByte(off::ServoInPercent, static_cast<std::uint8_t>(code % 2));
        image.setByte(off::ServoExPercent, static_cast<std::uint8_t>((code / 2) % 2 * 9));
        setRandomMemo(image, static_cast<unsigned>(code));
        expectRoundTrip(image);
    }
}

TEST(IgnRoundTrip, ExtremeValues)
{
    for (std::uint8_t fill : {std::uint8_t{0}, std::uint8_t{0xFF}, std::uint8_t{0x80}, std::uint8_t{0x7F}}) {
        SCOPED_TRACE(static_cast<int>(fill));
        ParameterImage image;
        for (auto& b : image.bytes())
            b = fill;
        image.setByte(off::BikeCode, 11);
        packMemo(image, fill == 0 ? std::vector<std::string>{} : std::vector<std::string>{std::string(149, 'x')});
        expectRoundTrip(image);
    }
}

TEST(IgnRoundTrip, DefaultSetsOfEveryBike)
{
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE(code);
        Document doc;
        PrepareDefaultSet(doc, code);
        expectRoundTrip(doc.image);
    }
}
