#include "model/fields.h"
#include "model/image.h"

#include <gtest/gtest.h>

#include <string>

using namespace kestrin;

TEST(ParameterImage, BlocksMeetAtTheirBoundaries)
{
    ParameterImage image;
    image.setByte(149, 0xAA);
    image.setByte(150, 0xBB);
    EXPECT_EQ(image.block(1)[149], 0xAA);
    EXPECT_EQ(image.block(2)[0], 0xBB);
    EXPECT_EQ(ParameterImage::blockOfOffset(149), 1);
    EXPECT_EQ(ParameterImage::blockOfOffset(150), 2);

    // The last cell of MapIap is the last word of block 16.
    image.setWord(2398, 0x1234);
    EXPECT_EQ(image.block(16)[148], 0x34);
    EXPECT_EQ(image.block(16)[149], 0x12);
    EXPECT_EQ(image.wordAtIndex(1199), 0x1234);
}

TEST(ParameterImage, NeverWritesOutsideTheImage)
{
    ParameterImage image;
    const ParameterImage before = image;
    image.setByte(-1, 1);
    image.setByte(kImageSize, 1);
    image.setWord(kImageSize - 1, 0xFFFF);
    image.setBlock(0, Block{1});
    image.setBlock(20, Block{1});
    EXPECT_EQ(image, before);
    EXPECT_EQ(image.block(0), Block{});
}

TEST(FieldTable, FieldsDoNotOverlapAndStayInTheirArea)
{
    int end = 0;
    for (const auto& f : scalarFields()) {
        EXPECT_GE(f.offset, end) << f.name;
        end = f.offset + f.byteLength();
        if (f.type == FieldType::U16) {
            EXPECT_EQ(f.offset % 2, 0) << f.name;
        }
    }
    EXPECT_EQ(end, 465);
    // Arrays that cross block boundaries.
    EXPECT_EQ(ParameterImage::blockOfOffset(off::GearVoltage), 1);
    EXPECT_EQ(ParameterImage::blockOfOffset(off::GearVoltage + 13), 2);
    EXPECT_EQ(fieldAtOffset(79), nullptr);
    EXPECT_EQ(fieldAtOffset(153)->name, std::string("GearVoltage"));
}

struct EncodingCase {
    const char* field;
    int shown;
    int stored;
};

class Encoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, RoundTrips)
{
    const auto& c = GetParam();
    const FieldInfo* f = findField(c.field);
    ASSERT_NE(f, nullptr);
    ParameterImage image;
    writeShown(image, *f, 0, c.shown);
    EXPECT_EQ(image.byte(f->offset), c.stored);
    EXPECT_EQ(readShown(image, *f, 0), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Fields, Encoding,
                         testing::Values(EncodingCase{"Tps100", 2500, 0}, EncodingCase{"Tps100", 5000, 250},
                                         EncodingCase{"Tps0", 2500, 250}, EncodingCase{"RpmCorrection", -60, 40},
                                         EncodingCase{"RpmCorrection", 0, 100}, EncodingCase{"ChokeCorr", 100, 0},
                                         EncodingCase{"ChokeCorr", 350, 250}, EncodingCase{"IgnLimiter", 25000, 250},
                                         EncodingCase{"ClutchAdv", -60, 196}, EncodingCase{"StepMotorExcitation", 500, 2}),
                         [](const testing::TestParamInfo<EncodingCase>& info) {
                             return std::string(info.param.field) + "_" + std::to_string(info.index);
                         });

TEST(MapDescriptors, PagesAndPlaces)
{
    EXPECT_EQ(mapDescriptors().size(), 9u);
    EXPECT_EQ(mapOfPage(0), nullptr);
    EXPECT_EQ(mapOfPage(11)->cellsOffset, off::MapServoIn);
    EXPECT_EQ(mapOfPage(12)->axisOffset, off::RpmServoEx);
    EXPECT_EQ(injectionMap(4).cellsOffset / 2, 1050);
    EXPECT_EQ(mapOfPage(7)->cellOffset(9, 14), 2398);
    EXPECT_EQ(pageOfCaption("Monitor"), 18);
}
