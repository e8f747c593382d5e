#include "model/bike_reference.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"
#include "model/reference_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kestrin {
namespace {

TEST(ReferenceLerp, HeldAtTheEdgesAndTruncatedBetween)
{
    struct Case {
        unsigned x0, x1, x, lo, hi, expected;
    };
    const Case cases[] = {
        {1000, 2000, 500, 10, 20, 10},     // below: held at lo
        {1000, 2000, 1000, 10, 20, 10},
        {1000, 2000, 2000, 10, 20, 20},
        {1000, 2000, 25000, 10, 20, 20},   // beyond: held at hi
        {1000, 2000, 1500, 1680, 930, 1305},  // falling
        {1000, 2000, 1333, 0, 10, 3},      // rising, truncated
        {1000, 2000, 1667, 10, 0, 3},      // falling, truncated toward the lower value
        {1000, 2000, 1500, 70, 70, 70},
        {0, 25500, 25499, 0, 65535, 65532},  // no overflow of the product
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReferenceLerp(c.x0, c.x1, c.x, c.lo, c.hi), c.expected)
            << c.x0 << ".." << c.x1 << " at " << c.x;
}

TEST(ReferenceTables, TellingRowsOfCode26)
{
    const BikeReference* ref = bikeReferenceTables(26);
    ASSERT_NE(ref, nullptr);
    const auto values = ref->a.table->values;
    ASSERT_EQ(ref->a.table->columns, 15);
    const std::vector<int> row0(values.begin(), values.begin() + 15);
    const std::vector<int> row9(values.begin() + 135, values.begin() + 150);
    EXPECT_EQ(row0, (std::vector<int>{168, 93, 75, 53, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45}));
    EXPECT_EQ(row9, (std::vector<int>{505, 425, 495, 590, 620, 635, 705, 755, 775, 760, 770, 730, 690, 690, 690}));
}

// Data check of every table of every bike: the right shape, injection time
// rising with load in every column, and a curve over RPM rather than a flat row.
TEST(ReferenceTables, EveryTableHasItsShapeAndRisesWithLoad)
{
    for (int code = 0; code <= 60; ++code) {
        const BikeReference* bike = bikeReferenceTables(code);
        ASSERT_NE(bike, nullptr) << code;
        for (const ReferenceEntry* e : {&bike->a, &bike->b, &bike->iap}) {
            const ReferenceTable& t = *e->table;
            const int n = t.columns;
            ASSERT_TRUE(n == 10 || n == 15) << code;
            ASSERT_EQ(static_cast<int>(t.values.size()), kReferenceRows * n) << code;
            EXPECT_EQ(n == 15, e->rpm != RpmBreakSource::List10) << code;
            for (int c = 0; c < n; ++c)
                for (int r = 1; r < kReferenceRows; ++r)
                    EXPECT_GT(t.values[r * n + c], t.values[(r - 1) * n + c]) << code << " r" << r << " c" << c;
            const auto full = t.values.subspan(9 * n, n);
            EXPECT_NE(*std::min_element(full.begin(), full.end()), *std::max_element(full.begin(), full.end()));
        }
    }
    EXPECT_EQ(bikeReferenceTables(61), nullptr);
    EXPECT_EQ(bikeReferenceTables(-1), nullptr);
}

TEST(SelectReferenceTables, BreakpointListsPerBike)
{
    const std::vector<int> list10 = {1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000};
    const std::vector<int> list15 = {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000,
                                     9000, 10000, 11000, 12000, 13000, 14000, 16000};
    const std::vector<int> inj53 = {1500, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                                    7000, 7500, 8000, 8500, 9000, 9500, 10000};
    const std::vector<int> iap53 = {1100, 1600, 2000, 3000, 4000, 5000, 6000, 7000,
                                    8000, 9000, 10000, 11000, 12000, 13000, 14000};
    const std::vector<int> axis54 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                                     7000, 7500, 8000, 9000, 10000, 11000, 12000};
    const std::vector<int> inj60 = {1300, 1500, 2000, 2500, 3000, 3500, 4000, 4500,
                                    5000, 5500, 6000, 6500, 7000, 8000, 9000};
    struct Case {
        int code;
        bool fifteen;
        std::vector<int> a, iap;
        int iapFirstLoad;
    };
    const Case cases[] = {
        {11, false, list10, list10, 100}, {26, true, list15, list15, 300}, {8, true, list15, list15, 300},
        {53, true, inj53, iap53, 300},    {54, true, list10, axis54, 300}, {60, true, inj60, inj60, 300},
        {0, false, list10, list10, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Document doc;
        doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(c.code));
        SelectReferenceTables(doc);
        const ReferenceSelection& sel = doc.derived.reference;
        EXPECT_EQ(sel.fifteenPointRpm, c.fifteen);
        auto breaks = [](const ReferenceChoice& ch) {
            return std::vector<int>(ch.rpmBreaks.begin(), ch.rpmBreaks.begin() + ch.table->columns);
        };
        EXPECT_EQ(breaks(sel.refs[RefA]), c.a);
        EXPECT_EQ(breaks(sel.refs[RefB]), c.a);
        EXPECT_EQ(breaks(sel.refs[RefIap]), c.iap);
        EXPECT_EQ(sel.refs[RefIap].loadBreaks[0], c.iapFirstLoad);
        EXPECT_EQ(sel.refs[RefA].loadBreaks[9], 1000);
    }
}

TEST(SelectReferenceTables, UnlistedBikeKeepsThePreviousTables)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 26);
    SelectReferenceTables(doc);
    doc.image.setByte(off::BikeCode, 200);
    SelectReferenceTables(doc);
    EXPECT_EQ(doc.derived.reference.refs[RefA].table, bikeReferenceTables(26)->a.table);

    Document fresh;  // nothing chosen yet: the start-up bike's tables stand in
    fresh.image.setByte(off::BikeCode, 200);
    ComputeBaseMaps(fresh);
    EXPECT_EQ(fresh.derived.reference.refs[RefA].table, bikeReferenceTables(11)->a.table);
    EXPECT_GE(fresh.derived.baseMaps[0][0], 100);
}

void setAxis(ParameterImage& im, int offset, const std::vector<int>& stored)
{
    for (int i = 0; i < kMapColumns; ++i)
        im.setByte(offset + i, static_cast<std::uint8_t>(stored[i]));
}

const std::vector<int> kList15Stored = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 160};

// Code 26 on the reference's own breakpoints gives the reference x 10.
TEST(ComputeBaseMaps, OnTheBreakpointsTheReferenceTimesTen)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 26);
    setAxis(doc.image, off::RpmJet1A, kList15Stored);
    SelectReferenceTables(doc);
    ComputeBaseMaps(doc);
    const auto ref = bikeReferenceTables(26)->a.table->values;
    const InjectionTable& base = doc.derived.baseMaps[0];
    for (int c = 0; c < kMapColumns; ++c) {
        EXPECT_EQ(base[c], ref[c] * 10) << c;                          // TPS 0 %
        EXPECT_EQ(base[9 * 15 + c], ref[9 * 15 + c] * 10) << c;        // TPS 100 %
        EXPECT_EQ(base[4 * 15 + c], ref[4 * 15 + c] * 10) << c;        // TPS 20 %
    }
}

TEST(ComputeBaseMaps, BetweenAndBeyondTheBreakpoints)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 26);
    // 1500 RPM between the first two columns, 20000 and 25000 RPM beyond the last.
    setAxis(doc.image, off::RpmJet4A, {15, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 200, 250});
    SelectReferenceTables(doc);
    ComputeBaseMaps(doc);
    const InjectionTable& base = doc.derived.baseMaps[3];  // Inj-4A takes reference A
    EXPECT_EQ(base[0], 1305);                  // 1680 .. 930 halfway
    EXPECT_EQ(base[9 * 15 + 0], 4650);         // 5050 .. 4250 halfway
    EXPECT_EQ(base[9 * 15 + 13], 6900);        // held at the last column
    EXPECT_EQ(base[9 * 15 + 14], 6900);
}

TEST(ComputeBaseMaps, EachMapTakesItsReferenceAndItsOwnAxis)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 26);
    for (int axis : {off::RpmJet1A, off::RpmJet2A, off::RpmJet3A, off::RpmJet4A, off::RpmIap})
        setAxis(doc.image, axis, kList15Stored);
    doc.image.setByte(off::RpmJet3A, 20);  // only Inj-3A sees 2000 RPM in column 0
    SelectReferenceTables(doc);
    ComputeBaseMaps(doc);
    const BikeReference* bike = bikeReferenceTables(26);
    const auto& maps = doc.derived.baseMaps;
    EXPECT_EQ(maps[0], maps[3]);                           // 1A and 4A: reference A
    EXPECT_EQ(maps[1][9 * 15 + 5], bike->b.table->values[9 * 15 + 5] * 10);  // 2A: reference B
    EXPECT_NE(maps[1][9 * 15 + 5], maps[0][9 * 15 + 5]);
    EXPECT_EQ(maps[2][0], bike->b.table->values[1] * 10);  // 3A follows its own axis
    EXPECT_EQ(maps[2][1], maps[1][1]);
}

TEST(ComputeBaseMaps, IapMapRowsAreFixedWhateverTheIapAxis)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 26);  // its IAP reference has the rows 30 .. 100 kPa
    setAxis(doc.image, off::RpmIap, kList15Stored);
    SelectReferenceTables(doc);
    ComputeBaseMaps(doc);
    const auto iap = bikeReferenceTables(26)->iap.table->values;
    const InjectionTable before = doc.derived.baseMaps[4];
    EXPECT_EQ(before[0], iap[0] * 10);
    EXPECT_EQ(before[9 * 15 + 7], iap[9 * 15 + 7] * 10);

    for (int i = 0; i < 10; ++i)
        doc.image.setWord(off::IapAxis + 2 * i, static_cast<std::uint16_t>(10 + 10 * i));
    ComputeBaseMaps(doc);
    EXPECT_EQ(doc.derived.baseMaps[4], before);
}

TEST(PercentArrays, IntegerArithmeticBothWays)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 26);
    setAxis(doc.image, off::RpmJet1A, {15, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 160});
    SelectReferenceTables(doc);
    ComputeBaseMaps(doc);
    ASSERT_EQ(doc.derived.baseMaps[0][0], 1305);

    ApplyPercentArrays(doc);  // all 100 %: the maps equal their base maps
    for (int m = 0; m < 5; ++m)
        for (int cell = 0; cell < kMapCells; ++cell)
            ASSERT_EQ(doc.image.word(injectionMap(m).cellsOffset + 2 * cell), doc.derived.baseMaps[m][cell]);

    doc.derived.percent[0][0] = 150;    // (150 x 1305 + 50) / 100 = 1958
    doc.derived.percent[0][1] = 65535;  // beyond 16 bits: 65535
    ApplyPercentArrays(doc);
    EXPECT_EQ(doc.image.word(off::MapJet1A), 1958);
    EXPECT_EQ(doc.image.word(off::MapJet1A + 2), 65535);

    doc.image.setWord(off::MapJet1A, 1964);  // 1964000 / 1305 = 1504, (1504 + 5) / 10 = 150
    doc.image.setWord(off::MapJet1A + 4, 0);
    ReadPercentArrays(doc);
    EXPECT_EQ(doc.derived.percent[0][0], 150);
    EXPECT_EQ(doc.derived.percent[0][2], 0);
    doc.image.setWord(off::MapJet1A, 1971);  // 1510.3 -> 151
    ReadPercentArrays(doc);
    EXPECT_EQ(doc.derived.percent[0][0], 151);
}

TEST(PercentArrays, ReadingBeforeAnyBaseMapLeavesThePercentages)
{
    Document doc;
    doc.image.setWord(off::MapJet1A, 5000);
    ReadPercentArrays(doc);  // no base maps yet: no division by zero
    EXPECT_EQ(doc.derived.percent[0][0], 100);
}

}  // namespace
}  // namespace kestrin
