// The default parameter set of a bike, page by page. Values are written as
// stored in the image; the shown value is in the comment where it differs.

#include "model/bike_defaults.h"

#include "model/bike_codes.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace kestrin {

namespace {

using R = CodeSet;

// ---- per-bike scalar defaults ----------------------------------------------

constexpr CodeValue kActFall[] = {
    {R::range(0, 8) | R{11, 12, 13, 16, 19, 21, 22, 24, 25, 28, 30, 31, 32, 33, 36, 38, 43, 44, 46, 48, 50, 56, 57, 58}, 1},
    {{}, 0},
};
constexpr CodeValue kRpmPulses[] = {
    {R::range(11, 16) | R::range(37, 41) | R{6, 20, 23, 24, 25, 26, 29, 32, 33, 44, 45, 49, 50, 52, 53, 58, 60}, 1},
    {{}, 2},
};
constexpr CodeSet kHondaFours = R::range(2, 5) | R{21, 22, 28, 31, 46, 56};
constexpr CodeValue kTps0[] = {
    {{0}, 65}, {{1, 30}, 34}, {kHondaFours, 50}, {{7, 19, 48}, 103}, {{8, 36, 43}, 62},
    {{9, 10}, 108}, {{17, 18, 27, 35, 38, 42, 51, 59}, 66}, {{24, 58}, 48},
    {{34, 47, 55, 57}, 69}, {{39}, 64}, {{45}, 58}, {{50}, 118}, {{53}, 59}, {{54}, 107},
    {{60}, 75}, {{}, 110},
};
constexpr CodeValue kTps100[] = {
    {{0}, 153}, {{1, 30}, 223}, {kHondaFours, 192}, {{8, 36, 57}, 147}, {{9, 10}, 169},
    {{17, 18, 27, 35, 42, 51, 59}, 139}, {{24, 58}, 198}, {{26, 49}, 195}, {{34, 47, 55}, 158},
    {{38}, 156}, {{39}, 167}, {{43}, 144}, {{45}, 140}, {{53}, 162}, {{60}, 155}, {{}, 180},
};
constexpr CodeValue kBaseAdvance[] = {
    {{0, 5, 43, 44, 45, 53, 58}, 5}, {{1, 24, 30}, 0}, {{2, 3, 6, 21, 28, 46, 56}, 11},
    {{7, 14, 19, 20, 23, 29, 38, 41, 48, 50}, 13}, {{8, 9, 10, 34, 36, 37, 40, 47, 52, 54, 55}, 8},
    {{13, 15, 18, 35}, 12}, {{17, 27, 51}, 7}, {{26, 49}, 15}, {{57}, 14}, {{60}, 16}, {{}, 10},
};
constexpr CodeValue kStartInjection[] = {
    {{8, 12, 23, 36, 42, 45, 59}, 12}, {{13, 14, 15, 26, 29, 34, 38, 39, 47, 49, 50, 54, 55}, 13},
    {{24, 58}, 20}, {{53}, 50}, {{57}, 15}, {{60}, 35}, {{}, 10},
};
// AccelThreshold and AccelAmount (stored), packed as threshold × 256 + amount.
constexpr int pair(int a, int b) { return a * 256 + b; }
constexpr CodeValue kAccel[] = {
    {{7, 19, 26, 34, 47, 48, 49, 55}, pair(20, 36)}, {{8, 36}, pair(20, 34)}, {{45}, pair(30, 30)},
    {{46}, pair(20, 78)}, {{50}, pair(22, 40)}, {{60}, pair(12, 41)}, {{53}, pair(15, 50)},
    {{54}, pair(20, 30)}, {{57}, pair(18, 30)}, {{}, pair(30, 84)},
};
// AccKPlus (= AccKMinus), AccT100, AccT0.
constexpr CodeEntry<3> kAccCorr[] = {
    {{47, 55}, {100, 100, 300}}, {{53}, {150, 50, 60}}, {{54}, {100, 50, 300}},
    {{57}, {20, 300, 300}}, {{60}, {50, 300, 300}}, {{}, {0, 50, 60}},
};
constexpr CodeSet kServoInEnable =
    R::range(11, 14) | R::range(47, 52) | R{7, 8, 17, 19, 20, 23, 26, 27, 34, 36, 41, 54, 55, 57};
constexpr CodeSet kServoInPercent{7, 8, 19, 26, 36, 48, 49, 51, 54, 57};
constexpr CodeSet kServoInStepMotor{7, 19, 26, 36, 45, 48, 49, 53, 54, 57};
constexpr CodeSet kServoInRpmTps{7, 8, 19, 26, 34, 36, 47, 48, 49, 50, 51, 52, 54, 55, 57};  // mode 0 "R + T"
constexpr CodeSet kServoExEnable{4, 7, 8, 13, 14, 17, 19, 21, 26, 27, 34, 36, 42, 45, 47, 48, 49, 51, 55, 56, 57, 59};
constexpr CodeSet kServoExPercent{8, 19, 36, 48, 51, 57};
constexpr CodeValue kGearSystem[] = {
    {R::range(11, 15) | R{8, 20, 23, 26, 29, 36, 41, 45, 48, 49, 53, 57}, 0}, {{54, 60}, 1}, {{}, 3},
};
constexpr CodeValue kSpeedPulses[] = {
    {{8, 36}, 125}, {{17, 27, 51}, 970}, {{34, 47, 55}, 869}, {{48}, 286}, {{54}, 1075},
    {{57}, 952}, {{60}, 210}, {{}, 1000},
};
constexpr CodeSet kJetCoupledPair{47, 50, 53, 54, 55, 57, 60};  // JetCouplingMode 2

// ---- image writing helpers --------------------------------------------------

void put(ParameterImage& image, int offset, int stored)
{
    image.setByte(offset, static_cast<std::uint8_t>(stored & 0xFF));
}

void putWord(ParameterImage& image, int offset, int value)
{
    image.setWord(offset, static_cast<std::uint16_t>(value & 0xFFFF));
}

void putBytes(ParameterImage& image, int offset, std::initializer_list<int> stored)
{
    for (int v : stored)
        put(image, offset++, v);
}

void putWords(ParameterImage& image, int offset, std::initializer_list<int> values)
{
    for (int v : values) {
        putWord(image, offset, v);
        offset += 2;
    }
}

void fillBytes(ParameterImage& image, int offset, int count, int stored)
{
    for (int i = 0; i < count; ++i)
        put(image, offset + i, stored);
}

void putTableWords(ParameterImage& image, int offset, TableValues values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        putWord(image, offset + 2 * static_cast<int>(i), values[i]);
}

// An RPM axis in RPM into a stored axis (RPM / 100).
void putAxis(ParameterImage& image, int offset, TableValues rpm)
{
    for (int i = 0; i < kAxisPoints; ++i)
        put(image, offset + i, rpm[i] / 100);
}

// A table of 15 values (one per RPM column, repeated on every row) or of
// 150 cells into a byte map, each value divided by `divisor`.
void putByteMap(ParameterImage& image, int offset, TableValues values, int divisor)
{
    for (int k = 0; k < kMapCells; ++k) {
        const int v = values.size() >= static_cast<std::size_t>(kMapCells) ? values[k] : values[k % kMapColumns];
        put(image, offset + k, v / divisor);
    }
}

void fillPercent(Document& doc, int injectionIndex) { doc.derived.percent[injectionIndex].fill(100); }

// Lowest stored value of an RPM field, so that a default computed from
// another field never wraps around below it.
int lowestStored(const char* field)
{
    const FieldInfo* f = findField(field);
    return f ? f->shownMin / f->factor : 0;
}

// ---- page sections ----------------------------------------------------------

void sectionBike(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    put(im, off::FallDisable, 1);
    put(im, off::BlockEnable, code == 54 || code == 57 ? 1 : 0);
    put(im, off::ActFall, pickValue(kActFall, code));
    put(im, off::ActClutch, 1);
    put(im, off::ActStartLimiter, 1);
    put(im, off::ActRpmLambda, 1);
    put(im, off::CoolingTemp, 100);
    put(im, off::RpmPulses, pickValue(kRpmPulses, code));
    put(im, off::RpmCorrection, 100);                     // [0]
    put(im, off::IntakePortRpm, code == 55 ? 100 : 90);   // [10000 / 9000 RPM]
    const int m = im.byte(off::BikeMaxRpm);
    put(im, off::IgnLimiter, m);
    put(im, off::StartLimiter1, m / 2);
    put(im, off::StartLimiter2, m / 3 + m / 2);
    put(im, off::JetLimiter, std::min(m + 3, 255));
    put(im, off::RetardLimiterRpm, std::min(m + 3, 255));
    put(im, off::RetardLimiterAdv, 20);
    putBytes(im, off::LambdaTachoAf, {100, 200});
    putBytes(im, off::LambdaTachoRpm, {10, 120});  // [1000, 12000 RPM]
    fillBytes(im, off::MemoText, kImageSize - off::MemoText, 0);
}

void sectionAdvance(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    putAxis(im, off::RpmAdvance, doc.bike.defaultRpm);
    putByteMap(im, off::MapAdvance, doc.bike.advance, 1);
    put(im, off::AdvanceTps, 1);
    fillBytes(im, off::AdvCylCorr, 4, 100);  // [0 °]
    put(im, off::BaseAdvance, pickValue(kBaseAdvance, code));
    put(im, off::LobeWidth, code == 33 ? 40 : code == 44 ? 60 : 50);
}

void sectionInj1A(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    putAxis(im, off::RpmJet1A, doc.bike.injectionRpm);
    fillPercent(doc, 0);
    const bool high = code == 53 || code == 57;
    put(im, off::IapTpTpsMin, high ? 3 : 2);
    put(im, off::IapTpTpsMax, 5);
    put(im, off::IapTpRpmMin, high ? 30 : 20);
    put(im, off::IapTpRpmMax, high ? 40 : 30);
}

void sectionInjBankA(Document& doc, int injectionIndex)
{
    putAxis(doc.image, injectionMap(injectionIndex).axisOffset, doc.bike.injectionRpm);
    fillPercent(doc, injectionIndex);
}

void sectionInjB(Document& doc)
{
    putAxis(doc.image, off::RpmJetB, doc.bike.injBRpm);
    putByteMap(doc.image, off::MapJetB, doc.bike.injB, 1);
}

void sectionInjIap(Document& doc)
{
    ParameterImage& im = doc.image;
    putWords(im, off::IapAxis, {30, 50, 60, 70, 75, 80, 85, 90, 95, 100});
    putAxis(im, off::RpmIap, doc.bike.iapRpm);
    fillPercent(doc, 4);
    fillBytes(im, off::IapCylCorr, 4, 100);
}

void sectionPosition(Document& doc)
{
    ParameterImage& im = doc.image;
    putAxis(im, off::PositionARpm, doc.bike.positionRpm);
    putAxis(im, off::PositionBRpm, doc.bike.positionRpm);
    const TableValues t = doc.bike.position;
    put(im, off::PositionAMode, t[0]);
    put(im, off::PositionBMode, t[1]);
    for (int i = 0; i < kAxisPoints; ++i) {
        put(im, off::PositionADeg + i, t[2 + i] / 5);
        put(im, off::PositionBDeg + i, t[2 + kAxisPoints + i] / 5);
    }
}

void sectionCorrections(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    putBytes(im, off::ChokeTime, {5, 10, 15, 20});
    if (code == 53)
        putBytes(im, off::ChokeCorr, {50, 20, 15, 10});  // [150, 120, 115, 110 %]
    else
        putBytes(im, off::ChokeCorr, {150, 50, 30, 10});  // [250, 150, 130, 110 %]
    const int accel = pickValue(kAccel, code);
    put(im, off::AccelThreshold, accel / 256);
    put(im, off::AccelAmount, accel % 256);
    const TableValues corr = doc.bike.tempCorrection;
    for (int i = 0; i < 5; ++i) {
        put(im, off::InjCorrWater + i, corr[i]);
        put(im, off::InjCorrAir + i, corr[5 + i]);
    }
    putBytes(im, off::AdvCorrWater, {110, 110, 100, 100, 95});  // [+10, +10, 0, 0, -5 °]
    put(im, off::StartInjection, pickValue(kStartInjection, code));
    const auto& acc = pickEntry(kAccCorr, code);
    putWord(im, off::AccKPlus, acc[0]);
    putWord(im, off::AccKMinus, acc[0]);
    putWord(im, off::AccT100, acc[1]);
    putWord(im, off::AccT0, acc[2]);
}

void sectionSensors(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    putTableWords(im, off::ApsPressure1, doc.bike.apSensor);
    putTableWords(im, off::IapsPressure1, doc.bike.iapSensor);
    put(im, off::Tps0, pickValue(kTps0, code));
    put(im, off::Tps100, pickValue(kTps100, code));
    put(im, off::LambdaType, kLambdaStandard);
    SetLambdaCharacteristic(im, kLambdaStandard);
    put(im, off::PotencMode, 0);
    put(im, off::PotencRange, 20);
    putTableWords(im, off::WaterSensorMv, doc.bike.waterSensorMv);
    putTableWords(im, off::AirSensorMv, doc.bike.airSensorMv);
}

// Servo positions are stored as they are when the servo works in percent,
// else in units of 20 mV.
void putServo(ParameterImage& im, TableValues servo, int hysterOffset, int rpmOffset, int mapOffset, bool percent)
{
    put(im, hysterOffset, servoHysteresisMv(servo) / 5);
    putAxis(im, rpmOffset, servoRpm(servo));
    putByteMap(im, mapOffset, servoPositions(servo), percent ? 1 : 20);
}

void sectionIntakeServo(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    const bool percent = kServoInPercent.has(code);
    put(im, off::ServoInMode, kServoInRpmTps.has(code) ? 0 : 1);
    put(im, off::ServoInEnable, kServoInEnable.has(code) ? 1 : 0);
    put(im, off::ServoInPercent, percent ? 1 : 0);
    put(im, off::ServoInStepMotor, kServoInStepMotor.has(code) ? 1 : 0);
    put(im, off::StepMotorPeriod, 8);
    put(im, off::StepMotorExcitation, 8);  // [2000 µs]
    putServo(im, doc.bike.servoIn, off::ServoInHyster, off::RpmServoIn, off::MapServoIn, percent);
}

void sectionExhaustServo(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    const bool percent = kServoExPercent.has(code);
    put(im, off::ServoExMode, 1);
    put(im, off::ServoExEnable, kServoExEnable.has(code) ? 1 : 0);
    put(im, off::ServoExPercent, percent ? 1 : 0);
    putServo(im, doc.bike.servoEx, off::ServoExHyster, off::RpmServoEx, off::MapServoEx, percent);
}

void sectionIdle(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    const TableValues idle = doc.bike.idle;
    put(im, off::IdleMode, idle[0]);
    put(im, off::IdleRpmRange, idle[1] / 100);
    put(im, off::IdleTpsRange, idle[2]);
    put(im, off::IdleInverse, idle[3]);
    put(im, off::IdleStepPulse, idle[4] / 250);
    put(im, off::IdleStepPeriod, idle[5]);
    put(im, off::IdleHysteresis, idle[6] / 10);
    putWord(im, off::IdleStart, idle[7]);
    putTableWords(im, off::IdleServoRpm, doc.bike.idleServoRpm);
    const TableValues adv = doc.bike.idleAdvance;
    put(im, off::IdleAdvOn, adv[0]);
    put(im, off::IdleAdvPerRpm, adv[1]);
    put(im, off::IdleAdvPerTime, adv[2]);
    put(im, off::IdleMaxAdv, adv[3]);
    for (int i = 0; i < 9; ++i)
        put(im, off::IdleAdvRpm + i, doc.bike.idleAdvanceRpm[i] / 50);
    // The speed sensor settings of the "Gear" page reset with the idle page.
    put(im, off::SpeedMode, 0);
    putWord(im, off::SpeedPulses, pickValue(kSpeedPulses, code));
}

void sectionN2o(Document& doc)
{
    ParameterImage& im = doc.image;
    put(im, off::N2oEnable, 0);
    put(im, off::Gas1, 20);
    put(im, off::Gas2, 60);
    put(im, off::GasBuildUp, 30);  // [3000 ms]
    put(im, off::GasDelay, 20);    // [2000 ms]
    put(im, off::Retard1, 0);
    put(im, off::Retard2, 0);
    put(im, off::RetardBuildUp, 30);
    put(im, off::RetardDelay, 20);
    put(im, off::GasJetCorr1, 0);  // [100 %]
    put(im, off::GasJetCorr2, 0);
}

void sectionRace(Document& doc)
{
    ParameterImage& im = doc.image;
    // The pilot light comes 2000 and 1500 RPM below the limiter; a limiter
    // set very low must not wrap the difference round to a high RPM.
    const int limiter = im.byte(off::IgnLimiter);
    const int lowest = lowestStored("PilotLightRpm1");
    for (int gear = 0; gear < 6; ++gear) {
        put(im, off::PilotLightRpm1 + gear, std::max(limiter - 20, lowest));
        put(im, off::PilotLightRpm2 + gear, std::max(limiter - 15, lowest));
        put(im, off::ClutchTime + gear, 20);   // [100 ms]
        put(im, off::ClutchPause + gear, 50);  // [500 ms]
    }
    put(im, off::ClutchMode, 0);
    put(im, off::ClutchMinRpm, 20);
    put(im, off::ClutchJet, 50);
    put(im, off::ClutchAdv, 0);
    put(im, off::TempDisplay, 0);
    put(im, off::PilotLightInvOut, 0);
    put(im, off::PitSpeed, 80);
    put(im, off::PitRetardP, 5);
    put(im, off::PitRetardI, 10);
    put(im, off::PitMinAdv, -20);
    put(im, off::PitMinRpm, 25);
}

void sectionGear(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    put(im, off::GearSystem, pickValue(kGearSystem, code));
    putTableWords(im, off::GearVoltage, doc.bike.gearVoltage);
    put(im, off::GearCount, 6);
    if (code == 54)
        putWords(im, off::GearRatio, {821, 607, 476, 419, 372, 345});
    else if (code == 60)
        putWords(im, off::GearRatio, {990, 702, 561, 449, 373, 335});
    else
        putWords(im, off::GearRatio, {2000, 1000, 666, 500, 400, 333});
    put(im, off::GearAutoTime, 3);
    put(im, off::GearAutoRpm, 15);
    put(im, off::GearAutoTps, 20);
    put(im, off::GearAutoBand, 40);
    fillBytes(im, off::GearAdvCorr, 6, 100);  // [0 °]
    fillBytes(im, off::GearJetCorr, 6, 100);
}

void sectionTuning(Document& doc, int code)
{
    ParameterImage& im = doc.image;
    put(im, off::TuningMode, 1);
    put(im, off::TuningByTls, 0);
    put(im, off::TuningLambda, code == 60 ? 130 : 145);
    put(im, off::TuningHysteresis, 3);
    put(im, off::TuningRpmTol, 20);
    put(im, off::TuningTpsTol, 3);
    put(im, off::TuningStepTime, 20);
    put(im, off::TuningStep, 1);
    put(im, off::TuningChannel, 1);
    put(im, off::TuningMaxAcc, 10);
    put(im, off::TestRpm, 50);
    put(im, off::TestServoTime, 50);
}

void sectionMonitor(Document& doc) { putBytes(doc.image, off::LambdaBar, {100, 120, 140, 180}); }

// Runs the section of `page`; returns whether one ran.
bool runSection(Document& doc, int page, int code, bool pageMode)
{
    const bool bankACoupled = doc.image.byte(off::JetCouplingMode) == 1;
    switch (page) {
    case 0: sectionBike(doc, code); return true;
    case 1: sectionAdvance(doc, code); return true;
    case 2: sectionInj1A(doc, code); return true;
    case 3:
    case 4:
    case 5:
        if (pageMode && bankACoupled)
            return false;
        sectionInjBankA(doc, page - 2);
        return true;
    case 6: sectionInjB(doc); return true;
    case 7: sectionInjIap(doc); return true;
    case 8: sectionPosition(doc); return true;
    case 9: sectionCorrections(doc, code); return true;
    case 10: sectionSensors(doc, code); return true;
    case 11: sectionIntakeServo(doc, code); return true;
    case 12: sectionExhaustServo(doc, code); return true;
    case 13: sectionIdle(doc, code); return true;
    case 14: sectionN2o(doc); return true;
    case 15: sectionRace(doc); return true;
    case 16: sectionGear(doc, code); return true;
    case 17: sectionTuning(doc, code); return true;
    case 18: sectionMonitor(doc); return true;
    default: return false;
    }
}

void selectBikeData(Document& doc)
{
    SelectBikeTables(doc);
    SelectReferenceTables(doc);
}

// The injection map (0..4, as in injectionMap()) whose page is `page`, or -1.
int injectionIndexOfPage(int page)
{
    const MapDescriptor* map = mapOfPage(page);
    return map ? map->injectionIndex : -1;
}

}  // namespace

void SetLambdaCharacteristic(ParameterImage& image, int lambdaType)
{
    put(image, off::LambdaAf, 100);
    if (lambdaType == kLambdaUego) {
        putBytes(image, off::LambdaAf + 1, {120, 140, 160, 180});
        putWords(image, off::LambdaMv, {0, 1190, 2500, 3750, 5000});
    } else {
        putBytes(image, off::LambdaAf + 1, {130, 140, 150, 180});
        putWords(image, off::LambdaMv, {900, 840, 760, 50, 0});
    }
}

void ApplyBikeDefaults(Document& doc, int page)
{
    const bool pageMode = page != kWholeImage;
    ParameterImage& im = doc.image;
    const int code = im.byte(off::BikeCode);

    selectBikeData(doc);
    ApplyBikeDerived(doc);
    put(im, off::Reserved1, 0);
    if (!pageMode)
        put(im, off::JetCouplingMode, kJetCoupledPair.has(code) ? 2 : 1);

    // In page mode only the page's own injection map may follow its new
    // percent array; the others keep their cells exactly as they are.
    std::array<bool, 5> keepMap{};
    if (pageMode) {
        keepMap.fill(true);
        if (runSection(doc, page, code, true)) {
            const int own = injectionIndexOfPage(page);
            if (own >= 0)
                keepMap[own] = false;
        }
    } else {
        for (int p = 0; p < kPageCount; ++p)
            runSection(doc, p, code, false);
    }

    // Two pickups carry LobeWidth in their geometry: follow the value the
    // "Advance" section may just have set.
    ApplyPickupGeometry(im);

    std::array<InjectionTable, 5> kept{};
    for (int i = 0; i < 5; ++i)
        if (keepMap[i])
            for (int k = 0; k < kMapCells; ++k)
                kept[i][k] = im.word(injectionMap(i).cellsOffset + 2 * k);
    ComputeBaseMaps(doc);
    ApplyPercentArrays(doc);
    for (int i = 0; i < 5; ++i)
        if (keepMap[i])
            for (int k = 0; k < kMapCells; ++k)
                im.setWord(injectionMap(i).cellsOffset + 2 * k, kept[i][k]);
}

bool ApplyNewDefaults(Document& doc, int page)
{
    if (!isListedBike(doc.image.byte(off::BikeCode)))
        return false;
    if (page >= 2 && page <= 5 && doc.image.byte(off::JetCouplingMode) == 1)
        return false;
    ApplyBikeDefaults(doc, page);
    return true;
}

bool ChangeBike(Document& doc, int item, bool applyDefaults)
{
    const std::optional<int> code = BikeCodeOfItem(item);
    if (!code)
        return false;
    if (!applyDefaults) {
        // The percentages are what the user keeps: take them from the maps
        // as they stand against the old bike's base maps.
        selectBikeData(doc);
        ComputeBaseMaps(doc);
        ReadPercentArrays(doc);
    }
    put(doc.image, off::BikeCode, *code);
    if (applyDefaults)
        ApplyBikeDefaults(doc, kWholeImage);
    selectBikeData(doc);
    ComputeBaseMaps(doc);
    ApplyPercentArrays(doc);
    ApplyBikeDerived(doc);
    return true;
}

}  // namespace kestrin
