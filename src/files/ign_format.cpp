#include "files/ign_format.h"

#include "model/field_offsets.h"

namespace kestrin::ign {

namespace {

// Builders that keep the table below close to the way the file reads.
constexpr Item U(int offset, int count = 1, int factor = 1, int addend = 0)
{
    return {ItemKind::Values, false, offset, count, Format::U, factor, addend, false, Rule::None};
}
constexpr Item W(int offset, int count = 1)
{
    return {ItemKind::Values, true, offset, count, Format::U, 1, 0, false, Rule::None};
}
constexpr Item D(int offset, int count = 1)  // written as value - 100
{
    return {ItemKind::Values, false, offset, count, Format::D, 1, -100, false, Rule::None};
}
constexpr Item I(int offset)
{
    return {ItemKind::Values, false, offset, 1, Format::I, 1, 0, false, Rule::None};
}
constexpr Item Flag(Format format, int offset)
{
    return {ItemKind::Values, false, offset, 1, format, 1, 0, false, Rule::None};
}
constexpr Item MapB(int offset, Rule rule = Rule::None)
{
    return {ItemKind::Values, false, offset, 150, Format::U, 1, 0, true, rule};
}
constexpr Item MapW(int offset)
{
    return {ItemKind::Values, true, offset, 150, Format::U, 1, 0, true, Rule::None};
}
constexpr Item WithRule(Item item, Rule rule)
{
    item.rule = rule;
    return item;
}
constexpr Item C{ItemKind::Continue};
constexpr Item E{ItemKind::Blank};

using namespace kestrin::off;

constexpr Item kBike[] = {U(BikeCode), C};
constexpr Item kApsIaps[] = {W(ApsPressure1, 4), C, W(IapsPressure1, 4)};
constexpr Item kWater[] = {C, W(WaterSensorMv, 9)};
constexpr Item kAir[] = {C, W(AirSensorMv, 9)};
constexpr Item kSensorLambda[] = {WithRule(U(LambdaType), Rule::LambdaType), C, U(LambdaAf, 5), C, W(LambdaMv, 5)};
constexpr Item kLambdaTacho[] = {C, U(LambdaTachoAf, 2), C, U(LambdaTachoRpm, 2, 100)};
constexpr Item kInputs[] = {U(FallDisable, 6)};
constexpr Item kLimiter[] = {U(StartLimiter1, 4, 100), U(RetardLimiterAdv)};
constexpr Item kLimiter2[] = {U(StartLimiter2, 1, 100)};
constexpr Item kTps[] = {U(Tps0, 1, 10), U(Tps100, 1, 10, 2500)};
constexpr Item kPotentiometer[] = {U(PotencMode, 2)};
constexpr Item kCooling[] = {U(CoolingTemp)};
constexpr Item kRpm[] = {U(RpmPulses), D(RpmCorrection)};
constexpr Item kIntakePort[] = {U(IntakePortRpm, 1, 100), E};
constexpr Item kAdvanceMisc[] = {U(AdvanceTps), D(AdvCylCorr, 4), U(BaseAdvance, 2)};
constexpr Item kRpmAdv[] = {U(RpmAdvance, 15, 100)};
constexpr Item kAdvance[] = {MapB(MapAdvance)};
constexpr Item kJet1Misc[] = {WithRule(U(JetCouplingMode), Rule::KeptInPageLoad), U(IapTpTpsMin, 2),
                              U(IapTpRpmMin, 2, 100)};
constexpr Item kRpmJet1A[] = {U(RpmJet1A, 15, 100)};
constexpr Item kJet1A[] = {MapW(MapJet1A)};
constexpr Item kRpmJet2A[] = {U(RpmJet2A, 15, 100)};
constexpr Item kJet2A[] = {MapW(MapJet2A)};
constexpr Item kRpmJet3A[] = {U(RpmJet3A, 15, 100)};
constexpr Item kJet3A[] = {MapW(MapJet3A)};
constexpr Item kRpmJet4A[] = {U(RpmJet4A, 15, 100)};
constexpr Item kJet4A[] = {MapW(MapJet4A)};
constexpr Item kRpmJetB[] = {U(RpmJetB, 15, 100)};
constexpr Item kJetB[] = {MapB(MapJetB)};
constexpr Item kIapMisc[] = {U(IapCylCorr, 4)};
constexpr Item kIapIap[] = {W(IapAxis, 10)};
constexpr Item kRpmIap[] = {U(RpmIap, 15, 100)};
constexpr Item kIap[] = {MapW(MapIap)};
constexpr Item kPositionA[] = {U(PositionAMode), C, U(PositionARpm, 15, 100), C, U(PositionADeg, 15, 5), E};
constexpr Item kPositionB[] = {U(PositionBMode), C, U(PositionBRpm, 15, 100), C, U(PositionBDeg, 15, 5), E};
constexpr Item kServoIn[] = {Flag(Format::F5, ServoInEnable),  Flag(Format::F7, ServoInPercent),
                             U(ServoInHyster, 1, 5),           U(ServoInMode),
                             Flag(Format::F6, ServoInStepMotor), U(StepMotorPeriod),
                             U(StepMotorExcitation, 1, 250)};
constexpr Item kRpmServoIn[] = {U(RpmServoIn, 15, 100)};
constexpr Item kServoInValue[] = {C, MapB(MapServoIn, Rule::ServoInScale), E};
constexpr Item kServoEx[] = {Flag(Format::F5, ServoExEnable), Flag(Format::F7, ServoExPercent),
                             U(ServoExHyster, 1, 5), U(ServoExMode)};
constexpr Item kRpmServoEx[] = {U(RpmServoEx, 15, 100)};
constexpr Item kServoExValue[] = {C, MapB(MapServoEx, Rule::ServoExScale)};
constexpr Item kIdle[] = {U(IdleMode),     U(IdleRpmRange, 1, 100), U(IdleTpsRange), C,
                          U(IdleInverse),  U(IdleStepPulse, 1, 250), U(IdleStepPeriod), U(IdleHysteresis, 1, 10), C,
                          W(IdleStart),    C,
                          W(IdleServoRpm, 9), C,
                          U(IdleAdvOn, 4), C,
                          U(IdleAdvRpm, 9, 50), C, C};
constexpr Item kChoke[] = {U(ChokeTime, 4), C, U(ChokeCorr, 4, 1, 100)};
constexpr Item kStartInj[] = {U(StartInjection), C};
constexpr Item kInjCorr[] = {U(InjCorrWater, 5), C, U(InjCorrAir, 5)};
constexpr Item kAccel[] = {U(AccelThreshold, 1, 10), U(AccelAmount, 1, 50), E};
constexpr Item kAccCorr[] = {W(AccKPlus), W(AccKMinus), W(AccT0), W(AccT100)};
constexpr Item kAdvanceCorr[] = {U(AdvCorrWater, 5), C};
constexpr Item kN2o[] = {Flag(Format::F6, N2oEnable), C,
                         U(Gas1), U(Gas2), U(GasDelay, 1, 100), U(GasBuildUp, 1, 100),
                         U(GasJetCorr1, 1, 1, 100), U(GasJetCorr2, 1, 1, 100), C,
                         U(Retard1), U(Retard2), U(RetardDelay, 1, 100), U(RetardBuildUp, 1, 100)};
constexpr Item kSpeedPulses[] = {U(SpeedMode), W(SpeedPulses), C};
constexpr Item kGear[] = {U(GearSystem, 2), C, W(GearVoltage, 7), C, W(GearRatio, 6)};
constexpr Item kGearAuto[] = {U(GearAutoTime), U(GearAutoRpm, 1, 100), U(GearAutoTps, 2)};
constexpr Item kGearCorr[] = {D(GearAdvCorr, 6), C, U(GearJetCorr, 6)};
constexpr Item kPilotLight[] = {U(PilotLightRpm1, 6, 100), C, U(PilotLightRpm2, 6, 100)};
constexpr Item kPilotLightInvOut[] = {Flag(Format::F5, PilotLightInvOut)};
constexpr Item kClutch[] = {U(ClutchMode), U(ClutchMinRpm, 1, 100), U(ClutchJet), I(ClutchAdv), C,
                            WithRule(U(ClutchTime, 6, 5), Rule::ClutchTime), C, U(ClutchPause, 6, 10), E};
constexpr Item kDisplay[] = {Flag(Format::F5, TempDisplay)};
constexpr Item kPitSpeed[] = {U(PitSpeed, 3), I(PitMinAdv), U(PitMinRpm, 1, 100), E};
constexpr Item kTuning[] = {WithRule(U(TuningByTls), Rule::TuningByTls),
                            U(TuningMode), U(TuningRpmTol, 1, 10), U(TuningTpsTol), U(TuningLambda),
                            U(TuningHysteresis), U(TuningStepTime, 1, 10), U(TuningStep), U(TuningChannel),
                            U(TuningMaxAcc), E};
constexpr Item kTestOut[] = {U(TestRpm, 1, 100), U(TestServoTime, 1, 10), E};
constexpr Item kLambdaBar[] = {U(LambdaBar, 4), C};

// keyword, padding, page, oldest version, only while not coupled, items
constexpr Section kSections[] = {
    {"BIKE", 9, kNoPage, 0, false, kBike},
    {"APS_IAPS", 5, 10, 0, false, kApsIaps},
    {"WATER_TEMP_SENSOR", 0, 10, 66, false, kWater},
    {"AIR_TEMP_SENSOR", 4, 10, 69, false, kAir},
    {"SENSOR_LAMBDA", 6, 10, 0, false, kSensorLambda},
    {"LAMBDA_TACHO", 7, 0, 0, false, kLambdaTacho},
    {"INPUTS", 7, 0, 0, false, kInputs},
    {"LIMITER", 6, 0, 0, false, kLimiter},
    {"LIMITER2", 5, 0, 0, false, kLimiter2},
    {"TPS", 10, 10, 0, false, kTps},
    {"POTENTIOMETER", 6, 10, 0, false, kPotentiometer},
    {"COOLING", 6, 0, 0, false, kCooling},
    {"RPM", 10, 0, 0, false, kRpm},
    {"INTAKE_PORT", 2, 0, 0, false, kIntakePort},
    {"ADVANCE_MISC", 1, 1, 0, false, kAdvanceMisc},
    {"RPM_ADV", 6, 1, 0, false, kRpmAdv},
    {"ADVANCE", 6, 1, 0, false, kAdvance},
    {"JET1_MISC", 4, 2, 0, false, kJet1Misc},
    {"RPM_JET_1A", 3, 2, 0, false, kRpmJet1A},
    {"JET_1A", 7, 2, 0, false, kJet1A},
    {"RPM_JET_2A", 3, 3, 0, true, kRpmJet2A},
    {"JET_2A", 7, 3, 0, true, kJet2A},
    {"RPM_JET_3A", 3, 4, 0, true, kRpmJet3A},
    {"JET_3A", 7, 4, 0, true, kJet3A},
    {"RPM_JET_4A", 3, 5, 0, true, kRpmJet4A},
    {"JET_4A", 7, 5, 0, true, kJet4A},
    {"RPM_JET_B", 4, 6, 0, false, kRpmJetB},
    {"JET_B", 8, 6, 0, false, kJetB},
    {"IAP_MISC", 5, 7, 0, false, kIapMisc},
    {"IAP_IAP", 6, 7, 0, false, kIapIap},
    {"RPM_IAP", 6, 7, 0, false, kRpmIap},
    {"IAP", 10, 7, 0, false, kIap},
    {"POSITION_A", 3, 8, 0, false, kPositionA},
    {"POSITION_B", 3, 8, 0, false, kPositionB},
    {"SERVO_IN", 5, 11, 0, false, kServoIn},
    {"RPM_SERVO_IN", 1, 11, 0, false, kRpmServoIn},
    {"SERVO_IN_VALUE", 0, 11, 0, false, kServoInValue},
    {"SERVO_EX", 5, 12, 0, false, kServoEx},
    {"RPM_SERVO_EX", 1, 12, 0, false, kRpmServoEx},
    {"SERVO_EX_VALUE", 0, 12, 0, false, kServoExValue},
    {"IDLE", 9, 13, 70, false, kIdle},
    {"CHOKE", 8, 9, 0, false, kChoke},
    {"START_INJ", 4, 9, 0, false, kStartInj},
    {"INJ_CORR", 5, 9, 0, false, kInjCorr},
    {"ACCEL", 8, 9, 0, false, kAccel},
    {"ACC_CORR", 5, 9, 0, false, kAccCorr},
    {"ADVANCE_CORR", 1, 9, 0, false, kAdvanceCorr},
    {"N2O", 10, 14, 0, false, kN2o},
    {"SPEED_PULSES", 1, 16, 0, false, kSpeedPulses},
    {"GEAR", 9, 16, 0, false, kGear},
    {"GEAR_AUTO", 4, 16, 0, false, kGearAuto},
    {"GEAR_CORR", 4, 16, 0, false, kGearCorr},
    {"PILOT_LIGHT", 2, 15, 0, false, kPilotLight},
    {"PILOT_LIGHT_INV_OUT", 0, 15, 0, false, kPilotLightInvOut},
    {"CLUTCH", 7, 15, 0, false, kClutch},
    {"DISPLAY", 6, 15, 0, false, kDisplay},
    {"PIT_SPEED_CONTROL", 2, 15, 0, false, kPitSpeed},
    {"TUNING", 7, 17, 74, false, kTuning},
    {"TEST_OUT", 5, 17, 0, false, kTestOut},
    {"LAMBDA_BAR", 3, 18, 0, false, kLambdaBar},
};

}  // namespace

std::span<const Section> sections() { return kSections; }

const Section* findSection(std::string_view keyword)
{
    for (const auto& s : kSections)
        if (keyword == s.keyword)
            return &s;
    return nullptr;
}

bool isOlderAcceptedVersion(int version)
{
    switch (version) {
    case 74: case 73: case 71: case 69: case 68: case 66: case 65:
        return true;
    default:
        return false;
    }
}

int effectiveFactor(const Item& item, std::span<const std::uint8_t> image, int fileVersion)
{
    switch (item.rule) {
    case Rule::ServoInScale:
        return image[off::ServoInPercent] != 0 ? 1 : 20;
    case Rule::ServoExScale:
        return image[off::ServoExPercent] != 0 ? 1 : 20;
    case Rule::ClutchTime:
        return fileVersion < 70 ? 10 : 5;
    default:
        return item.factor;
    }
}

}  // namespace kestrin::ign
