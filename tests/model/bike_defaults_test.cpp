#include "model/bike_defaults.h"

#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <string>
#include <vector>

namespace kestrin {
namespace {

using Ints = std::vector<int>;

Document defaultsFor(int code)
{
    Document doc;
    doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(code));
    ApplyBikeDefaults(doc);
    return doc;
}

const FieldInfo& field(const char* name)
{
    const FieldInfo* f = findField(name);
    EXPECT_NE(f, nullptr) << name;
    static const FieldInfo none{};
    return f ? *f : none;
}

Ints stored(const ParameterImage& image, const char* name)
{
    for (const auto& m : mapDescriptors())
        if (std::string(m.axisName) == name) {
            Ints axis;
            for (int i = 0; i < kMapColumns; ++i)
                axis.push_back(image.byte(m.axisOffset + i));
            return axis;
        }
    const FieldInfo& f = field(name);
    Ints out;
    for (int i = 0; i < f.count; ++i)
        out.push_back(readStored(image, f, i));
    return out;
}

// Stored values of whole-image defaults, including the edge cases the
// bike groups are known by.
TEST(BikeDefaults, StoredValuesPerBike)
{
    struct Case {
        int code;
        const char* field;
        Ints expected;
    };
    const Case cases[] = {
        // BikeMaxRpm 150 seeds the limiters and pilot lights.
        {3, "BikeMaxRpm", {150}},
        {3, "IgnLimiter", {150}},
        {3, "StartLimiter1", {75}},
        {3, "StartLimiter2", {125}},
        {3, "JetLimiter", {153}},
        {3, "RetardLimiterRpm", {153}},
        {3, "PilotLightRpm1", {130, 130, 130, 130, 130, 130}},
        {3, "PilotLightRpm2", {135, 135, 135, 135, 135, 135}},
        {43, "BikeMaxRpm", {113}},
        {39, "BikeMaxRpm", {115}},
        {54, "BikeMaxRpm", {115}},
        {50, "AccelThreshold", {22}},
        {50, "AccelAmount", {40}},
        {60, "AccelThreshold", {12}},
        {60, "AccelAmount", {41}},
        // Idle step pulse stored in units of 250 µs.
        {46, "IdleStepPulse", {100}},
        {46, "IdleStepPeriod", {100}},
        {38, "IdleStepPulse", {6}},
        {38, "IdleStepPeriod", {2}},
        {38, "IdleHysteresis", {160}},
        {53, "IdleAdvRpm", {36, 36, 35, 30, 30, 30, 26, 26, 26}},
        {43, "ApsVoltage1", {1556}},
        {43, "IapsVoltage1", {2305}},
        {50, "AirSensorMv", {4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416}},
        // Bike 0 is a bike like any other.
        {0, "Tps0", {65}},
        {0, "Tps100", {153}},
        {0, "PickupType", {0}},
        {0, "CylinderCount", {2}},
        {0, "JetCouplingMode", {1}},
        {57, "JetCouplingMode", {2}},
        {57, "BlockEnable", {1}},
        {57, "IapTpRpmMin", {30}},
        {55, "IntakePortRpm", {100}},
        {11, "IntakePortRpm", {90}},
        {53, "ChokeCorr", {50, 20, 15, 10}},
        {11, "ChokeCorr", {150, 50, 30, 10}},
        {54, "GearRatio", {821, 607, 476, 419, 372, 345}},
        {60, "GearSystem", {1}},
        {60, "TuningLambda", {130}},
        {11, "TuningLambda", {145}},
        {47, "AccKPlus", {100}},
        {47, "AccKMinus", {100}},
        {47, "AccT100", {100}},
        {47, "SpeedPulses", {869}},
        {11, "PitMinAdv", {-20}},
        {33, "LobeWidth", {40}},
        {44, "LobeWidth", {60}},
        // Tables converted into fields: RPM / 100, degrees / 5, mV / 5 and / 20.
        {8, "PositionADeg", {92, 93, 90, 91, 90, 89, 86, 80, 79, 85, 82, 78, 77, 77, 77}},
        {8, "PositionAMode", {1}},
        {11, "ServoInHyster", {80}},
        {11, "RpmServoIn", {10, 20, 30, 40, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160}},
        {11, "ServoInMode", {1}},
        {8, "ServoInMode", {0}},
        {8, "ServoInPercent", {1}},
        {54, "ServoExHyster", {80}},
        {60, "RpmAdvance", {10, 13, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80, 90, 100}},
        {60, "RpmJet1A", {13, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80, 90}},
        {60, "RpmIap", {13, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80, 90}},
        {60, "PositionBRpm", {10, 13, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80, 90, 100}},
        {11, "IapAxis", {30, 50, 60, 70, 75, 80, 85, 90, 95, 100}},
        {11, "LambdaMv", {900, 840, 760, 50, 0}},
        {11, "InjCorrWater", {112, 107, 103, 100, 97}},
        {11, "InjCorrAir", {106, 103, 100, 100, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " " + c.field);
        EXPECT_EQ(stored(defaultsFor(c.code).image, c.field), c.expected);
    }
}

TEST(BikeDefaults, MapsFromTheReferenceTables)
{
    const MapDescriptor& advance = *findMap("MapAdvance");
    const Document row = defaultsFor(0);  // 15-value table: the same on every row
    for (int r = 0; r < kMapRows; ++r)
        EXPECT_EQ(readCell(row.image, advance, r, 6), 33) << r;
    const Document full = defaultsFor(8);
    EXPECT_EQ(readCell(full.image, advance, 0, 3), 38);
    EXPECT_EQ(readCell(full.image, advance, 9, 3), 27);
    // Raw defaults keep the 82 degrees; the consistency rules bring them down.
    const Document r6 = defaultsFor(34);
    int over = 0;
    for (int k = 0; k < kMapCells; ++k)
        over += r6.image.byte(off::MapAdvance + k) == 82;
    EXPECT_GT(over, 0);

    const Document bankB = defaultsFor(21);
    const MapDescriptor& injB = *findMap("MapJetB");
    EXPECT_EQ(readCell(bankB.image, injB, 9, 14), 60);
    EXPECT_EQ(readCell(defaultsFor(11).image, injB, 9, 14), 0);

    // Servo maps: percent as is, mV in units of 20; a one-row table on every row.
    const MapDescriptor& servoIn = *findMap("MapServoIn");
    const Document common = defaultsFor(11);
    for (int r = 0; r < kMapRows; ++r) {
        EXPECT_EQ(readCell(common.image, servoIn, r, 0), 100);
        EXPECT_EQ(readCell(common.image, servoIn, r, 14), 145);
    }
    const Document zx10 = defaultsFor(36);
    EXPECT_EQ(readCell(zx10.image, servoIn, 0, 0), 0);
    EXPECT_EQ(readCell(zx10.image, servoIn, 9, 14), 100);
}

TEST(BikeDefaults, PercentArraysStartAtHundred)
{
    Document doc;
    for (auto& p : doc.derived.percent)
        p.fill(37);
    doc.image.setByte(off::BikeCode, 11);
    ApplyBikeDefaults(doc);
    for (const auto& p : doc.derived.percent)
        for (auto v : p)
            ASSERT_EQ(v, 100);
}

TEST(BikeDerived, ConstantsFromTheBike)
{
    struct Case {
        int code;
        int pickup, const3, const4, flag5, maxRpm, const191, const253, const254, flag255, cylinders;
        Ints cylinderMap;
    };
    const Case cases[] = {
        {0, 0, 75, 30, 0, 110, 0, 4, 50, 0, 2, {0, 1, 0, 1}},
        {11, 12, 85, 19, 0, 150 - 10, 1, 11, 25, 0, 4, {0, 1, 2, 3}},
        {16, 13, 75, 19, 0, 105, 2, 4, 25, 1, 2, {0, 1, 0, 1}},
        {33, 7, 60, 19, 0, 150, 0, 4, 25, 0, 1, {0, 0, 0, 0}},
        {53, 23, 65, 19, 0, 100, 0, 11, 50, 0, 3, {0, 1, 2, 0}},
        {55, 14, 50, 19, 1, 158, 3, 11, 25, 0, 4, {0, 1, 2, 3}},
        {60, 27, 50, 30, 0, 80, 3, 11, 25, 0, 2, {0, 1, 0, 1}},
        {61, 4, 70, 19, 0, 150, 0, 11, 25, 0, 4, {0, 1, 2, 3}},  // beyond the list
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        Document doc;
        doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(c.code));
        ApplyBikeDerived(doc);
        const ParameterImage& im = doc.image;
        EXPECT_EQ(im.byte(off::PickupType), c.pickup);
        EXPECT_EQ(im.byte(off::BikeConst3), c.const3);
        EXPECT_EQ(im.byte(off::BikeConst4), c.const4);
        EXPECT_EQ(im.byte(off::BikeFlag5), c.flag5);
        EXPECT_EQ(im.byte(off::BikeMaxRpm), c.maxRpm);
        EXPECT_EQ(im.byte(off::BikeConst191), c.const191);
        EXPECT_EQ(im.byte(off::BikeConst253), c.const253);
        EXPECT_EQ(im.byte(off::BikeConst254), c.const254);
        EXPECT_EQ(im.byte(off::BikeFlag255), c.flag255);
        EXPECT_EQ(im.byte(off::CylinderCount), c.cylinders);
        EXPECT_EQ(stored(im, "CylinderMap"), c.cylinderMap);
        EXPECT_EQ(doc.chokeFlag, false);
    }
}

TEST(BikeDerived, ChokeFlagAndTheKeptPairOf52)
{
    Document doc;
    doc.image.setByte(off::BikeCode, 38);
    ApplyBikeDerived(doc);
    EXPECT_TRUE(doc.chokeFlag);
    EXPECT_EQ(doc.image.byte(off::BikeConst192), 55);
    EXPECT_EQ(doc.image.byte(off::BikeConst193), 103);

    doc.image.setByte(off::BikeCode, 52);
    doc.image.setByte(off::BikeConst192, 7);
    doc.image.setByte(off::BikeConst193, 9);
    ApplyBikeDerived(doc);
    EXPECT_FALSE(doc.chokeFlag);
    EXPECT_EQ(doc.image.byte(off::BikeConst192), 7);
    EXPECT_EQ(doc.image.byte(off::BikeConst193), 9);

    doc.image.setByte(off::BikeCode, 7);
    ApplyBikeDerived(doc);
    EXPECT_EQ(doc.image.byte(off::BikeConst192), 48);
    EXPECT_EQ(doc.image.byte(off::BikeConst193), 107);
}

TEST(BikeDerived, PickupGeometryKeepsTheDashBytesAndTakesLobeWidth)
{
    struct Case {
        int code;  // its pickup type in the comment
        Ints geometry;
    };
    const int kept = 0xAA;
    const Case cases[] = {
        {0, {5, 10, kept, kept, 4, 1, 60, 6, 0, 12, 5, 10, kept, kept}},      // 0
        {11, {10, 14, 6, 2, 4, 2, 45, 8, 0, 16, 10, 14, 6, 2}},                // 12
        {33, {3, kept, kept, kept, 2, 1, 47, 2, 0, 24, 14, 20, 8, 2}},         // 7: LobeWidth
        {53, {34, 20, 4, kept, 12, 4, 15, 22, 2, 16, 12, 7, 1, kept}},         // 23
        {60, {10, 19, kept, kept, 6, 2, 30, 12, 0, 24, 10, 19, kept, kept}},   // 27
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        Document doc;
        for (int i = 0; i < 14; ++i)
            doc.image.setByte(off::PickupGeometry + i, kept);
        doc.image.setByte(off::LobeWidth, 47);
        doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(c.code));
        ApplyBikeDerived(doc);
        EXPECT_EQ(stored(doc.image, "PickupGeometry"), c.geometry);
    }
}

TEST(BikeDefaults, GeometryFollowsTheLobeWidthTheDefaultsSet)
{
    Document doc;
    doc.image.setByte(off::LobeWidth, 47);
    doc.image.setByte(off::BikeCode, 44);  // pickup 22 takes LobeWidth
    ApplyBikeDefaults(doc);
    EXPECT_EQ(doc.image.byte(off::LobeWidth), 60);
    EXPECT_EQ(doc.image.byte(off::PickupGeometry + 6), 60);
}

TEST(BikeDefaults, PilotLightsNeverWrapBelowALowLimiter)
{
    Document doc = defaultsFor(11);
    doc.image.setByte(off::IgnLimiter, 12);
    ApplyBikeDefaults(doc, 15);
    EXPECT_EQ(stored(doc.image, "PilotLightRpm1"), Ints(6, 9));
    EXPECT_EQ(stored(doc.image, "PilotLightRpm2"), Ints(6, 9));
}

TEST(LambdaCharacteristic, StandardAndUego)
{
    ParameterImage im;
    SetLambdaCharacteristic(im, kLambdaUego);
    EXPECT_EQ(stored(im, "LambdaAf"), (Ints{100, 120, 140, 160, 180}));
    EXPECT_EQ(stored(im, "LambdaMv"), (Ints{0, 1190, 2500, 3750, 5000}));
    SetLambdaCharacteristic(im, kLambdaStandard);
    EXPECT_EQ(stored(im, "LambdaAf"), (Ints{100, 130, 140, 150, 180}));
    EXPECT_EQ(stored(im, "LambdaMv"), (Ints{900, 840, 760, 50, 0}));
}

// ---- page mode ----------------------------------------------------------

// The fields each page section sets.
const std::vector<std::vector<const char*>> kPageFields = {
    /* 0 */ {"FallDisable", "BlockEnable", "ActFall", "ActClutch", "ActStartLimiter", "ActRpmLambda", "CoolingTemp",
             "RpmPulses", "RpmCorrection", "IntakePortRpm", "IgnLimiter", "StartLimiter1", "StartLimiter2",
             "JetLimiter", "RetardLimiterRpm", "RetardLimiterAdv", "LambdaTachoAf", "LambdaTachoRpm"},
    /* 1 */ {"RpmAdvance", "MapAdvance", "AdvanceTps", "AdvCylCorr", "BaseAdvance", "LobeWidth"},
    /* 2 */ {"RpmJet1A", "IapTpTpsMin", "IapTpTpsMax", "IapTpRpmMin", "IapTpRpmMax"},
    /* 3 */ {"RpmJet2A"},
    /* 4 */ {"RpmJet3A"},
    /* 5 */ {"RpmJet4A"},
    /* 6 */ {"RpmJetB", "MapJetB"},
    /* 7 */ {"IapAxis", "RpmIap", "IapCylCorr"},
    /* 8 */ {"PositionARpm", "PositionBRpm", "PositionAMode", "PositionBMode", "PositionADeg", "PositionBDeg"},
    /* 9 */ {"ChokeTime", "ChokeCorr", "AccelThreshold", "AccelAmount", "InjCorrWater", "InjCorrAir", "AdvCorrWater",
             "StartInjection", "AccKPlus", "AccKMinus", "AccT100", "AccT0"},
    /* 10 */ {"ApsPressure1", "ApsVoltage1", "ApsPressure2", "ApsVoltage2", "IapsPressure1", "IapsVoltage1",
              "IapsPressure2", "IapsVoltage2", "Tps0", "Tps100", "LambdaType", "LambdaAf", "LambdaMv", "PotencMode",
              "PotencRange", "WaterSensorMv", "AirSensorMv"},
    /* 11 */ {"ServoInMode", "ServoInEnable", "ServoInPercent", "ServoInStepMotor", "StepMotorPeriod",
              "StepMotorExcitation", "ServoInHyster", "RpmServoIn", "MapServoIn"},
    /* 12 */ {"ServoExMode", "ServoExEnable", "ServoExPercent", "ServoExHyster", "RpmServoEx", "MapServoEx"},
    /* 13 */ {"IdleMode", "IdleRpmRange", "IdleTpsRange", "IdleInverse", "IdleStepPulse", "IdleStepPeriod",
              "IdleHysteresis", "IdleStart", "IdleServoRpm", "IdleAdvOn", "IdleAdvPerRpm", "IdleAdvPerTime",
              "IdleMaxAdv", "IdleAdvRpm", "SpeedMode", "SpeedPulses"},
    /* 14 */ {"N2oEnable", "Gas1", "Gas2", "GasBuildUp", "GasDelay", "Retard1", "Retard2", "RetardBuildUp",
              "RetardDelay", "GasJetCorr1", "GasJetCorr2"},
    /* 15 */ {"PilotLightRpm1", "PilotLightRpm2", "ClutchTime", "ClutchPause", "ClutchMode", "ClutchMinRpm",
              "ClutchJet", "ClutchAdv", "TempDisplay", "PilotLightInvOut", "PitSpeed", "PitRetardP", "PitRetardI",
              "PitMinAdv", "PitMinRpm"},
    /* 16 */ {"GearSystem", "GearVoltage", "GearCount", "GearRatio", "GearAutoTime", "GearAutoRpm", "GearAutoTps",
              "GearAutoBand", "GearAdvCorr", "GearJetCorr"},
    /* 17 */ {"TuningMode", "TuningByTls", "TuningLambda", "TuningHysteresis", "TuningRpmTol", "TuningTpsTol",
              "TuningStepTime", "TuningStep", "TuningChannel", "TuningMaxAcc", "TestRpm", "TestServoTime"},
    /* 18 */ {"LambdaBar"},
};

// What the defaults set in both modes: the bike-derived constants and the
// reserved byte.
const std::vector<const char*> kDerivedFields = {
    "Reserved1", "PickupType", "BikeConst3", "BikeConst4", "BikeFlag5", "BikeMaxRpm", "BikeConst191",
    "BikeConst192", "BikeConst193", "BikeConst253", "BikeConst254", "BikeFlag255", "CylinderCount",
    "CylinderMap", "BikeTempCurve", "PickupGeometry"};

void addOffsets(std::set<int>& to, const char* name)
{
    if (const MapDescriptor* map = findMap(name)) {
        const int bytes = kMapCells * (map->kind == MapKind::Injection ? 2 : 1);
        for (int i = 0; i < bytes; ++i)
            to.insert(map->cellsOffset + i);
        return;
    }
    const FieldInfo* f = findField(name);
    if (!f) {
        // An RPM axis of a map: 15 bytes.
        for (const auto& m : mapDescriptors())
            if (std::string(m.axisName) == name)
                for (int i = 0; i < kMapColumns; ++i)
                    to.insert(m.axisOffset + i);
        return;
    }
    for (int i = 0; i < f->byteLength(); ++i)
        to.insert(f->offset + i);
}

TEST(BikeDefaultsPageMode, EachPageSetsOnlyItsOwnFieldsAsTheWholeDefaultsDo)
{
    for (int code : {11, 57, 53}) {
        const Document whole = defaultsFor(code);
        for (int page = 0; page < kPageCount; ++page) {
            SCOPED_TRACE("bike " + std::to_string(code) + " page " + std::to_string(page));
            Document doc;
            for (auto& b : doc.image.bytes())
                b = 0x55;  // not coupled: JetCouplingMode 85
            doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(code));
            doc.image.setByte(off::IgnLimiter, whole.image.byte(off::IgnLimiter));  // the pilot lights follow it
            doc.image.setByte(off::LobeWidth, whole.image.byte(off::LobeWidth));
            for (auto& p : doc.derived.percent)
                p.fill(55);
            const ParameterImage before = doc.image;
            ApplyBikeDefaults(doc, page);

            std::set<int> allowed, own;
            for (const char* name : kPageFields[page])
                addOffsets(own, name);
            if (page == 0)
                for (int i = off::MemoText; i < kImageSize; ++i)
                    own.insert(i);
            allowed = own;
            for (const char* name : kDerivedFields)
                addOffsets(allowed, name);
            const MapDescriptor* map = mapOfPage(page);
            if (map && map->injectionIndex >= 0)
                addOffsets(allowed, map->name);  // the map follows its percent array
            for (int offset = 0; offset < kImageSize; ++offset) {
                if (!allowed.count(offset)) {
                    EXPECT_EQ(doc.image.byte(offset), before.byte(offset)) << "offset " << offset;
                }
                if (own.count(offset)) {
                    EXPECT_EQ(doc.image.byte(offset), whole.image.byte(offset)) << "offset " << offset;
                }
            }
            for (int i = 0; i < 5; ++i) {
                const bool reset = map && map->injectionIndex == i;
                EXPECT_EQ(doc.derived.percent[i][0], reset ? 100 : 55) << "percent array " << i;
            }
        }
    }
}

TEST(BikeDefaultsPageMode, CoupledBankAPagesAreLeftAlone)
{
    Document doc = defaultsFor(11);  // JetCouplingMode 1
    ASSERT_EQ(doc.image.byte(off::JetCouplingMode), 1);
    doc.image.setByte(off::RpmJet3A + 4, 77);
    doc.derived.percent[2][7] = 130;
    const ParameterImage before = doc.image;
    EXPECT_FALSE(ApplyNewDefaults(doc, 4));
    ApplyBikeDefaults(doc, 4);  // the section itself does not run either
    EXPECT_EQ(doc.image, before);
    EXPECT_EQ(doc.derived.percent[2][7], 130);

    doc.image.setByte(off::JetCouplingMode, 0);
    EXPECT_TRUE(ApplyNewDefaults(doc, 4));
    EXPECT_EQ(doc.image.byte(off::RpmJet3A + 4), 60);
    EXPECT_EQ(doc.derived.percent[2][7], 100);
    EXPECT_EQ(doc.image.byte(off::JetCouplingMode), 0);  // set by the whole defaults only
}

TEST(BikeDefaultsPageMode, NewDoesNothingForAnUnlistedBike)
{
    Document doc = defaultsFor(11);
    doc.image.setByte(off::BikeCode, 61);
    doc.image.setByte(off::Gas1, 99);
    const ParameterImage before = doc.image;
    EXPECT_FALSE(ApplyNewDefaults(doc));
    EXPECT_FALSE(ApplyNewDefaults(doc, 14));
    EXPECT_EQ(doc.image, before);
}

// ---- bike list and bike change ------------------------------------------

TEST(BikeList, ItemsAndCodesRoundTrip)
{
    const auto texts = bikeItemTexts();
    ASSERT_EQ(texts.size(), 62u);
    EXPECT_STREQ(texts[0], "Aprilia RSV MILLE                98-");
    EXPECT_STREQ(texts[19], "Kawasaki  ZX 6R PCE         02");
    EXPECT_STREQ(texts[25], "Kawasaki  ZX10 R               08-   ");
    EXPECT_STREQ(texts[60], "Yamaha YP 400");
    EXPECT_STREQ(texts[61], "-------------");

    std::set<int> codes;
    for (int item = 0; item < kPlaceholderBikeItem; ++item) {
        const auto code = BikeCodeOfItem(item);
        ASSERT_TRUE(code.has_value()) << item;
        EXPECT_TRUE(isListedBike(*code));
        EXPECT_EQ(ItemOfBikeCode(*code), item);
        codes.insert(*code);
    }
    EXPECT_EQ(codes.size(), 61u);  // every bike 0..60 exactly once
    EXPECT_EQ(BikeCodeOfItem(0), 0);
    EXPECT_EQ(BikeCodeOfItem(30), 38);
    EXPECT_EQ(BikeCodeOfItem(60), 59);
    for (int item : {-1, 61, 62, 1000})
        EXPECT_FALSE(BikeCodeOfItem(item).has_value()) << item;
    for (int code : {61, 99, 255, -1})
        EXPECT_EQ(ItemOfBikeCode(code), kPlaceholderBikeItem) << code;
}

TEST(BikeChange, AnsweringNoKeepsOptionsAndPercentagesButNotTheBikeConstants)
{
    Document doc = defaultsFor(11);
    doc.image.setByte(off::Gas1, 42);
    doc.derived.percent[0][5] = 120;
    ApplyPercentArrays(doc);
    const int item57 = ItemOfBikeCode(57);
    ASSERT_TRUE(ChangeBike(doc, item57, false));
    EXPECT_EQ(doc.image.byte(off::BikeCode), 57);
    EXPECT_EQ(doc.image.byte(off::Gas1), 42);
    EXPECT_EQ(doc.derived.percent[0][5], 120);
    EXPECT_EQ(doc.image.byte(off::IgnLimiter), 140);  // option: kept from bike 11
    EXPECT_EQ(doc.image.byte(off::BikeMaxRpm), 131);  // constant: follows the new bike
    EXPECT_EQ(doc.image.byte(off::PickupType), 10);
    EXPECT_EQ(doc.bike.code, 57);
}

TEST(BikeChange, AnsweringYesAppliesTheDefaultsOfTheNewBike)
{
    Document doc = defaultsFor(11);
    doc.image.setByte(off::Gas1, 42);
    ASSERT_TRUE(ChangeBike(doc, ItemOfBikeCode(38), true));
    const Document fresh = defaultsFor(38);
    for (int offset = 0; offset < kImageSize; ++offset) {
        // Pickup 11 leaves five geometry bytes as they were.
        const bool keptGeometry = offset >= off::PickupGeometry + 1 && offset <= off::PickupGeometry + 3;
        const bool keptTail = offset >= off::PickupGeometry + 12 && offset <= off::PickupGeometry + 13;
        if (!keptGeometry && !keptTail) {
            EXPECT_EQ(doc.image.byte(offset), fresh.image.byte(offset)) << offset;
        }
    }
    EXPECT_TRUE(doc.chokeFlag);
}

TEST(BikeChange, ThePlaceholderItemChangesNothing)
{
    Document doc = defaultsFor(11);
    const ParameterImage before = doc.image;
    EXPECT_FALSE(ChangeBike(doc, kPlaceholderBikeItem, true));
    EXPECT_EQ(doc.image, before);
}

}  // namespace
}  // namespace kestrin

// ---- together with the derived tables -------------------------------------

namespace kestrin {
namespace {

int injectionCell(const ParameterImage& im, int map, int k) { return im.word(injectionMap(map).cellsOffset + 2 * k); }

TEST(BikeDefaultsDerived, FreshInjectionMapsEqualTheirBaseMaps)
{
    for (int code : {11, 53, 60}) {
        SCOPED_TRACE(code);
        const Document doc = defaultsFor(code);
        for (int map = 0; map < 5; ++map)
            for (int k = 0; k < kMapCells; ++k)
                ASSERT_EQ(injectionCell(doc.image, map, k), doc.derived.baseMaps[map][k]) << map << " " << k;
        EXPECT_GE(doc.derived.baseMaps[0][0], 100);
    }
}

// What the consistency rules make of the raw defaults.
TEST(BikeDefaultsDerived, ConsistencyRulesOnTheDefaults)
{
    for (int code : {26, 34, 47, 55}) {
        SCOPED_TRACE(code);
        Document doc = defaultsFor(code);
        std::vector<int> was82;
        for (int k = 0; k < kMapCells; ++k)
            if (doc.image.byte(off::MapAdvance + k) == 82)
                was82.push_back(k);
        ASSERT_FALSE(was82.empty());
        ApplyConsistencyRules(doc);
        for (int k : was82)
            EXPECT_EQ(doc.image.byte(off::MapAdvance + k), 60);
    }
    // 46: pulse 100 within period 100; 38: pulse 6 over period 2, exempt.
    for (auto [code, pulse, period] : {std::tuple{46, 100, 100}, std::tuple{38, 6, 2}}) {
        SCOPED_TRACE(code);
        Document doc = defaultsFor(code);
        ApplyConsistencyRules(doc);
        EXPECT_EQ(doc.image.byte(off::IdleStepPulse), pulse);
        EXPECT_EQ(doc.image.byte(off::IdleStepPeriod), period);
    }
    // 50: the air curve falls by 1 mV a point and stays as it is.
    Document doc = defaultsFor(50);
    ApplyConsistencyRules(doc);
    EXPECT_EQ(stored(doc.image, "AirSensorMv"), (Ints{4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416}));
}

TEST(BikeDefaultsDerived, EveryBikesDefaultsSurviveTheConsistencyRulesUnchangedButTheKnownCells)
{
    for (int code = 0; code <= kLastBikeCode; ++code) {
        SCOPED_TRACE(code);
        Document doc = defaultsFor(code);
        const ParameterImage raw = doc.image;
        ApplyConsistencyRules(doc);
        for (int offset = 0; offset < kImageSize; ++offset) {
            const bool advance = offset >= off::MapAdvance && offset < off::MapAdvance + kMapCells;
            if (advance && raw.byte(offset) == 82)
                continue;
            ASSERT_EQ(doc.image.byte(offset), raw.byte(offset)) << "offset " << offset;
        }
    }
}

TEST(BikeChange, AnsweringNoMovesTheMicrosecondsWithTheNewBaseMaps)
{
    Document doc = defaultsFor(11);
    doc.derived.percent[0][20] = 120;
    ApplyPercentArrays(doc);
    const auto percentBefore = doc.derived.percent;
    const auto baseBefore = doc.derived.baseMaps;
    const ParameterImage before = doc.image;
    ASSERT_TRUE(ChangeBike(doc, ItemOfBikeCode(26), false));
    EXPECT_EQ(doc.derived.percent, percentBefore);
    EXPECT_NE(doc.derived.baseMaps, baseBefore);
    EXPECT_NE(injectionCell(doc.image, 0, 20), injectionCell(before, 0, 20));
    // Each cell is its percentage of the new base map.
    for (int k = 0; k < kMapCells; ++k)
        ASSERT_EQ(injectionCell(doc.image, 0, k), (percentBefore[0][k] * doc.derived.baseMaps[0][k] + 50) / 100) << k;
}

TEST(BikeChange, AnsweringNoTakesThePercentagesFromTheMapsAsTheyStand)
{
    // A map changed in the image (a file, a read from the unit) without its
    // percent array being read back still keeps what the user sees.
    Document doc = defaultsFor(11);
    const int base = doc.derived.baseMaps[0][30];
    doc.image.setWord(injectionMap(0).cellsOffset + 2 * 30, static_cast<std::uint16_t>(base * 3 / 2));
    ASSERT_TRUE(ChangeBike(doc, ItemOfBikeCode(26), false));
    EXPECT_EQ(doc.derived.percent[0][30], 150);
}

}  // namespace
}  // namespace kestrin
