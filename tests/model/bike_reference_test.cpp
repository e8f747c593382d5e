#include "model/bike_reference.h"

#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <set>
#include <vector>

namespace kestrin {
namespace {

using Ints = std::vector<int>;

Ints asInts(TableValues v) { return {v.begin(), v.end()}; }
Ints asInts(const RpmAxisStored& axis) { return {axis.begin(), axis.end()}; }
template <std::size_t N>
Ints asInts(const std::array<std::uint16_t, N>& a) { return {a.begin(), a.end()}; }

Ints row(TableValues map, int r) { return asInts(map.subspan(r * 15, 15)); }

bool contains(const Ints& list, int code) { return std::find(list.begin(), list.end(), code) != list.end(); }

const Ints kFullAdvanceMapBikes = {8, 26, 34, 36, 39, 45, 47, 53, 55, 57, 60};
const Ints kIntakeRpmTpsBikes = {7, 8, 19, 26, 34, 36, 47, 48, 49, 50, 51, 52, 54, 55, 57};
const Ints kIntakePercentBikes = {7, 8, 19, 26, 36, 48, 49, 51, 54, 57};
const Ints kExhaustPercentBikes = {8, 19, 36, 48, 51, 57};

// The injection and IAP axes differ from the default axis only for a few
// bikes; code 60 shares its injection axis with Inj-IAP.
TEST(BikeReferenceAxes, InjectionAndIapAxesPerBike)
{
    struct Case {
        int code;
        Ints injection;
        Ints iap;
    };
    const Ints others = {10, 20, 30, 40, 50, 55, 60, 70, 80, 90, 100, 110, 120, 130, 140};
    const Ints wideRange = {10, 20, 30, 40, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
    const Ints axis54 = {10, 20, 30, 40, 50, 55, 60, 65, 70, 75, 80, 90, 100, 110, 120};
    const Ints axis60 = {13, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80, 90};
    const Case cases[] = {
        {11, wideRange, wideRange},  // start-up bike: default axis of its group
        {8, others, others},
        {53, {15, 20, 30, 40, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100},
         {11, 16, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140}},
        {54, axis54, axis54},
        {60, axis60, axis60},
        {61, others, others},  // beyond the list: the entry of all other codes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(asInts(bikeInjectionRpmAxis(c.code)), c.injection);
        EXPECT_EQ(asInts(bikeIapRpmAxis(c.code)), c.iap);
    }
}

TEST(BikeReferenceAxes, Bike60HasItsOwnDefaultAxisButSharesTheInjectionAxis)
{
    const BikeTables t(60);
    const Ints injection = {1300, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000, 6500, 7000, 8000, 9000};
    EXPECT_EQ(asInts(t.injectionRpm), injection);
    EXPECT_EQ(asInts(t.injBRpm), injection);
    EXPECT_EQ(asInts(t.iapRpm), injection);
    const Ints own = {1000, 1300, 2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000, 6500, 7000, 8000, 9000, 10000};
    EXPECT_EQ(asInts(t.defaultRpm), own);
    EXPECT_EQ(asInts(t.positionRpm), own);
    // 57 has only an Inj-B axis of its own.
    const BikeTables t57(57);
    EXPECT_EQ(asInts(t57.injBRpm),
              (Ints{1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000}));
    EXPECT_EQ(asInts(t57.injectionRpm), asInts(t57.defaultRpm));
}

// Rows the tables are known by, one case per table and group.
TEST(BikeReferenceTables, TellingEntries)
{
    struct Case {
        const char* what;
        int code;
        TableValues BikeTables::*table;
        Ints expected;
    };
    const Case cases[] = {
        {"advance row", 0, &BikeTables::advance, {13, 14, 20, 28, 31, 32, 33, 32, 31, 31, 31, 31, 31, 31, 31}},
        {"advance row 13..15", 14, &BikeTables::advance, {10, 25, 28, 26, 29, 30, 31, 30, 29, 29, 29, 29, 29, 29, 29}},
        {"advance row 54", 54, &BikeTables::advance, {17, 10, 12, 33, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31}},
        {"idle 46", 46, &BikeTables::idle, {2, 2000, 3, 1, 25000, 100, 100, 2000}},
        {"idle 38", 38, &BikeTables::idle, {0, 3000, 40, 1, 1500, 2, 1600, 2000}},
        {"idle others", 11, &BikeTables::idle, {0, 1500, 40, 1, 1500, 6, 200, 2000}},
        {"idle servo 50", 50, &BikeTables::idleServoRpm, {4780, 4780, 4600, 4300, 3300, 2420, 1960, 1960, 1960}},
        {"idle advance 53", 53, &BikeTables::idleAdvance, {1, 25, 3, 24}},
        {"idle advance RPM 57", 57, &BikeTables::idleAdvanceRpm, {1800, 1800, 1800, 1550, 1400, 1200, 1200, 1200, 1200}},
        {"gear voltage 45", 45, &BikeTables::gearVoltage, {4877, 879, 1564, 2204, 2922, 3572, 4252}},
        {"AP sensor 43", 43, &BikeTables::apSensor, {55, 1556, 105, 4116}},
        {"IAP sensor 43", 43, &BikeTables::iapSensor, {55, 2305, 105, 3756}},
        {"AP sensor 17..19", 18, &BikeTables::apSensor, {55, 2162, 105, 4160}},
        {"temp correction 8..10", 9, &BikeTables::tempCorrection, {125, 114, 107, 100, 98, 113, 107, 100, 97, 93}},
        {"temp curve 22", 22, &BikeTables::tempCurve, {379, 269, 190, 150, 127, 114, 100, 92, 86}},
        {"temp curve 54", 54, &BikeTables::tempCurve, {248, 195, 175, 150, 133, 118, 100, 95, 88}},
        {"temp curve others", 12, &BikeTables::tempCurve, {220, 165, 148, 135, 125, 113, 100, 94, 82}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(asInts(BikeTables(c.code).*c.table), c.expected);
    }
}

TEST(BikeReferenceTables, FullAdvanceMapOf8_36_45HasItsTellingRows)
{
    for (int code : {8, 36, 45}) {
        SCOPED_TRACE(code);
        const TableValues map = BikeTables(code).advance;
        ASSERT_EQ(map.size(), 150u);
        EXPECT_EQ(row(map, 0), (Ints{0, 5, 25, 38, 36, 38, 38, 38, 38, 38, 38, 38, 38, 38, 38}));
        EXPECT_EQ(row(map, 9), (Ints{5, 10, 20, 27, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30}));
    }
}

TEST(BikeReferenceTables, AdvanceMapFormAndShapePerBike)
{
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE(code);
        const TableValues adv = BikeTables(code).advance;
        const bool full = contains(kFullAdvanceMapBikes, code);
        ASSERT_EQ(adv.size(), full ? 150u : 15u);
        const bool carries82 = code == 26 || code == 34 || code == 47 || code == 55;
        EXPECT_EQ(std::count(adv.begin(), adv.end(), 82) > 0, carries82);
        if (!full)
            continue;
        // More advance at part load than at full load, row by row.
        for (int r = 1; r < 10; ++r) {
            const Ints upper = row(adv, r - 1);
            const Ints lower = row(adv, r);
            EXPECT_GE(std::accumulate(upper.begin(), upper.end(), 0), std::accumulate(lower.begin(), lower.end(), 0))
                << "row " << r;
        }
        // A real curve, not a constant: advance rises from idle.
        EXPECT_LT(adv[0], adv[7]);
    }
}

TEST(BikeReferenceTables, InjBIsEmptyExceptForFourGroups)
{
    const std::vector<Ints> groups = {{3, 21, 28, 46, 56}, {19, 48}, {26, 41, 49, 57}, {34, 55}};
    std::set<const std::uint16_t*> maps;
    for (int code = 0; code <= 61; ++code) {
        SCOPED_TRACE(code);
        const TableValues injB = BikeTables(code).injB;
        ASSERT_EQ(injB.size(), 150u);
        const bool own = std::any_of(groups.begin(), groups.end(), [&](const Ints& g) { return contains(g, code); });
        const int cells = static_cast<int>(std::count_if(injB.begin(), injB.end(), [](int v) { return v != 0; }));
        EXPECT_EQ(cells > 0, own);
        EXPECT_TRUE(std::all_of(injB.begin(), injB.end(), [](int v) { return v <= 100; }));
        if (own) {
            maps.insert(injB.data());
            EXPECT_EQ(row(injB, 0), Ints(15, 0));  // nothing on bank B at closed throttle
            EXPECT_GT(injB[149], injB[9 * 15 + 7]);  // more with RPM at full throttle
        }
    }
    EXPECT_EQ(maps.size(), 4u);
    for (const auto& g : groups)
        for (int code : g)
            EXPECT_EQ(BikeTables(code).injB.data(), BikeTables(g.front()).injB.data()) << code;
}

TEST(BikeReferenceTables, PositionTables)
{
    const Ints telling = {461, 466, 452, 459, 450, 448, 433, 404, 397, 426, 413, 390, 389, 389, 389};
    for (int code : {8, 36, 42, 45, 53, 57, 59, 60}) {
        SCOPED_TRACE(code);
        const TableValues t = BikeTables(code).position;
        ASSERT_EQ(t.size(), 32u);
        EXPECT_EQ(t[0], 1);
        EXPECT_EQ(t[1], 1);
        EXPECT_EQ(asInts(t.subspan(2, 15)), telling);
        EXPECT_EQ(asInts(t.subspan(17, 15)), telling);
    }
    std::set<const std::uint16_t*> distinct;
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE(code);
        const TableValues t = BikeTables(code).position;
        distinct.insert(t.data());
        EXPECT_LE(t[0], 2);
        EXPECT_LE(t[1], 2);
        EXPECT_TRUE(std::all_of(t.begin() + 2, t.end(), [](int deg) { return deg <= 720; }));
    }
    EXPECT_EQ(distinct.size(), 19u);
}

TEST(BikeReferenceTables, ServoTables)
{
    const Ints common = {0, 1, 2, 3, 5, 6, 9, 10, 11, 12, 15, 16, 18, 20, 23, 24, 25, 28,
                         29, 30, 32, 33, 35, 41, 43, 44, 58};
    const Ints rpm = {1000, 2000, 3000, 4000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000};
    const Ints mv = {2000, 2100, 2200, 2300, 2400, 2450, 2500, 2550, 2600, 2650, 2700, 2750, 2800, 2850, 2900};
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE(code);
        const BikeTables t(code);
        const bool commonIn = contains(common, code);
        const bool commonEx = commonIn || code == 54;
        for (auto [servo, isCommon] : {std::pair{t.servoIn, commonIn}, std::pair{t.servoEx, commonEx}}) {
            if (!isCommon)
                continue;
            EXPECT_EQ(servoHysteresisMv(servo), 400);
            EXPECT_EQ(asInts(servoRpm(servo)), rpm);
            EXPECT_EQ(asInts(servoPositions(servo)), mv);
        }
        // The intake table has the form of the bike's servo mode; the
        // exhaust servo always works on RPM.
        EXPECT_EQ(t.servoIn.size(), contains(kIntakeRpmTpsBikes, code) ? 166u : 31u);
        EXPECT_EQ(t.servoEx.size(), 31u);
        // Positions fit the map byte: percent as is, else mV / 20.
        for (auto [servo, percent] : {std::pair{t.servoIn, contains(kIntakePercentBikes, code)},
                                      std::pair{t.servoEx, contains(kExhaustPercentBikes, code)}}) {
            const TableValues pos = servoPositions(servo);
            const int top = *std::max_element(pos.begin(), pos.end());
            EXPECT_LE(top, percent ? 100 : 5000);
            const TableValues r = servoRpm(servo);
            EXPECT_TRUE(std::is_sorted(r.begin(), r.end()));
        }
    }
    std::set<const std::uint16_t*> intake, exhaust;
    for (int code = 0; code <= 60; ++code) {
        intake.insert(BikeTables(code).servoIn.data());
        exhaust.insert(BikeTables(code).servoEx.data());
    }
    EXPECT_EQ(intake.size(), 14u);
    EXPECT_EQ(exhaust.size(), 12u);
}

TEST(BikeReferenceTables, TemperatureSensorCurves)
{
    const Ints common = {4049, 3401, 2713, 2037, 1420, 981, 642, 443, 299};
    const Ints curveA = {4095, 3631, 3167, 2316, 1466, 1133, 801, 698, 596};
    const Ints curveB = {4110, 3328, 2546, 1866, 1187, 867, 547, 412, 278};
    struct Case {
        int code;
        Ints water;
        Ints air;
    };
    const Case cases[] = {
        {11, common, common},
        {1, curveA, curveA},
        {30, curveA, curveA},
        {28, curveB, common},
        {46, curveB, common},
        {50, {4100, 3501, 2913, 2050, 1191, 753, 511, 406, 266}, {4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const BikeTables t(c.code);
        EXPECT_EQ(asInts(t.waterSensorMv), c.water);
        EXPECT_EQ(asInts(t.airSensorMv), c.air);
    }
}

TEST(BikeReferenceTables, EveryAxisRisesAndEveryEntryHasItsLength)
{
    for (int code = 0; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const BikeTables t(code);
        for (TableValues axis : {t.defaultRpm, t.injectionRpm, t.injBRpm, t.iapRpm, t.positionRpm}) {
            ASSERT_EQ(axis.size(), 15u);
            EXPECT_TRUE(std::adjacent_find(axis.begin(), axis.end(), std::greater_equal<>()) == axis.end());
        }
        EXPECT_EQ(t.tempCorrection.size(), 10u);
        EXPECT_EQ(t.idle.size(), 8u);
        EXPECT_EQ(t.idleServoRpm.size(), 9u);
        EXPECT_EQ(t.idleAdvance.size(), 4u);
        EXPECT_EQ(t.idleAdvanceRpm.size(), 9u);
        EXPECT_EQ(t.gearVoltage.size(), 7u);
        EXPECT_EQ(t.apSensor.size(), 4u);
        EXPECT_EQ(t.iapSensor.size(), 4u);
        EXPECT_EQ(t.tempCurve.size(), 9u);
    }
}

TEST(BikeReferenceTables, SelectFollowsTheImageBikeCode)
{
    Document doc;
    EXPECT_EQ(doc.bike.code, kStartupBikeCode);
    EXPECT_FALSE(doc.bike.advance.empty());
    doc.image.setByte(off::BikeCode, 53);
    SelectBikeTables(doc);
    EXPECT_EQ(doc.bike.code, 53);
    EXPECT_EQ(doc.bike.idle.data(), BikeTables(53).idle.data());
}

}  // namespace
}  // namespace kestrin
