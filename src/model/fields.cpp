#include "model/fields.h"

#include <algorithm>
#include <array>

namespace kestrin {

namespace {

// name, offset, count, type, factor, addend, shown min, shown max, has range, file section
constexpr FieldInfo kFields[] = {
    {"BikeCode", 0, 1, FieldType::U8, 1, 0, 0, 60, true, "BIKE"},
    {"Reserved1", 1, 1, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"PickupType", 2, 1, FieldType::U8, 1, 0, 0, 27, true, ""},
    {"BikeConst3", 3, 1, FieldType::U8, 1, 0, 35, 85, true, ""},
    {"BikeConst4", 4, 1, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"BikeFlag5", 5, 1, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"ApsPressure1", 6, 1, FieldType::U16, 1, 0, 0, 1000, true, "APS_IAPS"},
    {"ApsVoltage1", 8, 1, FieldType::U16, 1, 0, 0, 25000, true, "APS_IAPS"},
    {"ApsPressure2", 10, 1, FieldType::U16, 1, 0, 0, 1000, true, "APS_IAPS"},
    {"ApsVoltage2", 12, 1, FieldType::U16, 1, 0, 0, 25000, true, "APS_IAPS"},
    {"IapsPressure1", 14, 1, FieldType::U16, 1, 0, 0, 1000, true, "APS_IAPS"},
    {"IapsVoltage1", 16, 1, FieldType::U16, 1, 0, 0, 25000, true, "APS_IAPS"},
    {"IapsPressure2", 18, 1, FieldType::U16, 1, 0, 0, 1000, true, "APS_IAPS"},
    {"IapsVoltage2", 20, 1, FieldType::U16, 1, 0, 0, 25000, true, "APS_IAPS"},
    {"FallDisable", 22, 1, FieldType::U8, 1, 0, 0, 0, false, "INPUTS"},
    {"BlockEnable", 23, 1, FieldType::U8, 1, 0, 0, 0, false, "INPUTS"},
    {"ActFall", 24, 1, FieldType::U8, 1, 0, 0, 0, false, "INPUTS"},
    {"ActClutch", 25, 1, FieldType::U8, 1, 0, 0, 0, false, "INPUTS"},
    {"ActStartLimiter", 26, 1, FieldType::U8, 1, 0, 0, 0, false, "INPUTS"},
    {"ActRpmLambda", 27, 1, FieldType::U8, 1, 0, 0, 0, false, "INPUTS"},
    {"StartLimiter1", 28, 1, FieldType::U8, 100, 0, 900, 25000, true, "LIMITER"},
    {"IgnLimiter", 29, 1, FieldType::U8, 100, 0, 900, 25000, true, "LIMITER"},
    {"JetLimiter", 30, 1, FieldType::U8, 100, 0, 900, 25000, true, "LIMITER"},
    {"RetardLimiterRpm", 31, 1, FieldType::U8, 100, 0, 900, 25000, true, "LIMITER"},
    {"RetardLimiterAdv", 32, 1, FieldType::U8, 1, 0, 1, 250, true, "LIMITER"},
    {"Tps0", 33, 1, FieldType::U8, 10, 0, 0, 2500, true, "TPS"},
    {"Tps100", 34, 1, FieldType::U8, 10, -250, 2500, 5000, true, "TPS"},
    {"CoolingTemp", 35, 1, FieldType::U8, 1, 0, 0, 150, true, "COOLING"},
    {"RpmPulses", 36, 1, FieldType::U8, 1, 0, 0, 6, true, "RPM"},
    {"RpmCorrection", 37, 1, FieldType::U8, 1, 100, -60, 60, true, "RPM"},
    {"IntakePortRpm", 38, 1, FieldType::U8, 100, 0, 900, 25000, true, "INTAKE_PORT"},
    {"StartLimiter2", 39, 1, FieldType::U8, 100, 0, 900, 25000, true, "LIMITER2"},
    {"AdvanceTps", 40, 1, FieldType::U8, 1, 0, 0, 0, false, "ADVANCE_MISC"},
    {"AdvCylCorr", 41, 4, FieldType::U8, 1, 100, -15, 15, true, "ADVANCE_MISC"},
    {"BaseAdvance", 45, 1, FieldType::U8, 1, 0, 0, 40, true, "ADVANCE_MISC"},
    {"LobeWidth", 46, 1, FieldType::U8, 1, 0, 0, 0, false, "ADVANCE_MISC"},
    {"JetCouplingMode", 47, 1, FieldType::U8, 1, 0, 0, 0, false, "JET1_MISC"},
    {"IapTpTpsMin", 48, 1, FieldType::U8, 1, 0, 0, 101, true, "JET1_MISC"},
    {"IapTpTpsMax", 49, 1, FieldType::U8, 1, 0, 0, 101, true, "JET1_MISC"},
    {"IapTpRpmMin", 50, 1, FieldType::U8, 100, 0, 0, 25000, true, "JET1_MISC"},
    {"IapTpRpmMax", 51, 1, FieldType::U8, 100, 0, 0, 25000, true, "JET1_MISC"},
    {"IapCylCorr", 52, 4, FieldType::U8, 1, 0, 0, 255, true, "IAP_MISC"},
    {"PositionAMode", 56, 1, FieldType::U8, 1, 0, 0, 0, false, "POSITION_A"},
    {"PositionBMode", 57, 1, FieldType::U8, 1, 0, 0, 0, false, "POSITION_B"},
    {"ServoExEnable", 58, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_EX"},
    {"ServoInEnable", 59, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_IN"},
    {"ServoExHyster", 60, 1, FieldType::U8, 5, 0, 0, 1000, true, "SERVO_EX"},
    {"ServoInHyster", 61, 1, FieldType::U8, 5, 0, 0, 1000, true, "SERVO_IN"},
    {"ServoExPercent", 62, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_EX"},
    {"ServoInPercent", 63, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_IN"},
    {"ServoExMode", 64, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_EX"},
    {"ServoInMode", 65, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_IN"},
    {"ServoInStepMotor", 66, 1, FieldType::U8, 1, 0, 0, 0, false, "SERVO_IN"},
    {"ChokeTime", 67, 4, FieldType::U8, 1, 0, 0, 250, true, "CHOKE"},
    {"ChokeCorr", 71, 4, FieldType::U8, 1, -100, 100, 350, true, "CHOKE"},
    {"PotencMode", 75, 1, FieldType::U8, 1, 0, 0, 0, false, "POTENTIOMETER"},
    {"PotencRange", 76, 1, FieldType::U8, 1, 0, 0, 60, true, "POTENTIOMETER"},
    {"StepMotorPeriod", 77, 1, FieldType::U8, 1, 0, 1, 100, true, "SERVO_IN"},
    {"StepMotorExcitation", 78, 1, FieldType::U8, 250, 0, 250, 25000, true, "SERVO_IN"},
    {"InjCorrWater", 80, 5, FieldType::U8, 1, 0, 10, 250, true, "INJ_CORR"},
    {"InjCorrAir", 85, 5, FieldType::U8, 1, 0, 10, 250, true, "INJ_CORR"},
    {"AccelThreshold", 90, 1, FieldType::U8, 10, 0, 10, 2500, true, "ACCEL"},
    {"AccelAmount", 91, 1, FieldType::U8, 50, 0, 0, 7500, true, "ACCEL"},
    {"StartInjection", 92, 1, FieldType::U8, 1, 0, 0, 50, true, "START_INJ"},
    {"AdvCorrWater", 93, 5, FieldType::U8, 1, 100, -20, 20, true, "ADVANCE_CORR"},
    {"N2oEnable", 98, 1, FieldType::U8, 1, 0, 0, 0, false, "N2O"},
    {"Gas1", 99, 1, FieldType::U8, 1, 0, 0, 100, true, "N2O"},
    {"Gas2", 100, 1, FieldType::U8, 1, 0, 0, 100, true, "N2O"},
    {"GasBuildUp", 101, 1, FieldType::U8, 100, 0, 0, 25500, true, "N2O"},
    {"GasDelay", 102, 1, FieldType::U8, 100, 0, 0, 25500, true, "N2O"},
    {"Retard1", 103, 1, FieldType::U8, 1, 0, 0, 25, true, "N2O"},
    {"Retard2", 104, 1, FieldType::U8, 1, 0, 0, 25, true, "N2O"},
    {"RetardBuildUp", 105, 1, FieldType::U8, 100, 0, 0, 25500, true, "N2O"},
    {"RetardDelay", 106, 1, FieldType::U8, 100, 0, 0, 25500, true, "N2O"},
    {"TempDisplay", 107, 1, FieldType::U8, 1, 0, 0, 0, false, "DISPLAY"},
    {"PilotLightRpm1", 108, 6, FieldType::U8, 100, 0, 900, 25000, true, "PILOT_LIGHT"},
    {"PilotLightRpm2", 114, 6, FieldType::U8, 100, 0, 900, 25000, true, "PILOT_LIGHT"},
    {"ClutchMode", 120, 1, FieldType::U8, 1, 0, 0, 0, false, "CLUTCH"},
    {"ClutchTime", 121, 6, FieldType::U8, 5, 0, 0, 1250, true, "CLUTCH"},
    {"ClutchPause", 127, 6, FieldType::U8, 10, 0, 0, 2500, true, "CLUTCH"},
    {"ClutchMinRpm", 133, 1, FieldType::U8, 100, 0, 1000, 25000, true, "CLUTCH"},
    {"ClutchJet", 134, 1, FieldType::U8, 1, 0, 0, 100, true, "CLUTCH"},
    {"ClutchAdv", 135, 1, FieldType::S8, 1, 0, -60, 60, true, "CLUTCH"},
    {"GearSystem", 136, 1, FieldType::U8, 1, 0, 0, 0, false, "GEAR"},
    {"GearCount", 137, 1, FieldType::U8, 1, 0, 1, 6, true, "GEAR"},
    {"SpeedMode", 138, 1, FieldType::U8, 1, 0, 0, 0, false, "SPEED_PULSES"},
    {"PilotLightInvOut", 139, 1, FieldType::U8, 1, 0, 0, 0, false, "PILOT_LIGHT_INV_OUT"},
    {"GearVoltage", 140, 7, FieldType::U16, 1, 0, 0, 5000, true, "GEAR"},
    {"GearAutoTime", 154, 1, FieldType::U8, 1, 0, 1, 100, true, "GEAR_AUTO"},
    {"GearAutoRpm", 155, 1, FieldType::U8, 100, 0, 300, 25000, true, "GEAR_AUTO"},
    {"GearAutoTps", 156, 1, FieldType::U8, 1, 0, 0, 100, true, "GEAR_AUTO"},
    {"GearAutoBand", 157, 1, FieldType::U8, 1, 0, 1, 100, true, "GEAR_AUTO"},
    {"GasJetCorr1", 158, 1, FieldType::U8, 1, -100, 100, 350, true, "N2O"},
    {"GasJetCorr2", 159, 1, FieldType::U8, 1, -100, 100, 350, true, "N2O"},
    {"SpeedPulses", 160, 1, FieldType::U16, 1, 0, 1, 32000, true, "SPEED_PULSES"},
    {"GearRatio", 162, 6, FieldType::U16, 1, 0, 1, 32000, true, "GEAR"},
    {"GearAdvCorr", 174, 6, FieldType::U8, 1, 100, -20, 20, true, "GEAR_CORR"},
    {"GearJetCorr", 180, 6, FieldType::U8, 1, 0, 0, 250, true, "GEAR_CORR"},
    {"PitSpeed", 186, 1, FieldType::U8, 1, 0, 20, 200, true, "PIT_SPEED_CONTROL"},
    {"PitRetardP", 187, 1, FieldType::U8, 1, 0, 0, 250, true, "PIT_SPEED_CONTROL"},
    {"PitRetardI", 188, 1, FieldType::U8, 1, 0, 0, 250, true, "PIT_SPEED_CONTROL"},
    {"PitMinAdv", 189, 1, FieldType::S8, 1, 0, -60, 60, true, "PIT_SPEED_CONTROL"},
    {"PitMinRpm", 190, 1, FieldType::U8, 100, 0, 600, 25000, true, "PIT_SPEED_CONTROL"},
    {"BikeConst191", 191, 1, FieldType::U8, 1, 0, 0, 4, true, ""},
    {"BikeConst192", 192, 1, FieldType::U8, 1, 0, 48, 63, true, ""},
    {"BikeConst193", 193, 1, FieldType::U8, 1, 0, 103, 107, true, ""},
    {"WaterSensorMv", 194, 9, FieldType::U16, 1, 0, 0, 5000, true, "WATER_TEMP_SENSOR"},
    {"AirSensorMv", 212, 9, FieldType::U16, 1, 0, 0, 5000, true, "AIR_TEMP_SENSOR"},
    {"BikeTempCurve", 230, 9, FieldType::U16, 1, 0, 0, 0, false, ""},
    {"BikeMaxRpm", 252, 1, FieldType::U8, 100, 0, 8000, 15800, true, ""},
    {"BikeConst253", 253, 1, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"BikeConst254", 254, 1, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"BikeFlag255", 255, 1, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"CylinderCount", 256, 1, FieldType::U8, 1, 0, 1, 4, true, ""},
    {"CylinderMap", 257, 4, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"PickupGeometry", 261, 14, FieldType::U8, 1, 0, 0, 0, false, ""},
    {"IdleMode", 290, 1, FieldType::U8, 1, 0, 0, 0, false, "IDLE"},
    {"IdleRpmRange", 291, 1, FieldType::U8, 100, 0, 300, 20000, true, "IDLE"},
    {"IdleTpsRange", 292, 1, FieldType::U8, 1, 0, 1, 100, true, "IDLE"},
    {"IdleInverse", 293, 1, FieldType::U8, 1, 0, 0, 0, false, "IDLE"},
    {"IdleStepPulse", 294, 1, FieldType::U8, 250, 0, 250, 25000, true, "IDLE"},
    {"IdleStepPeriod", 295, 1, FieldType::U8, 1, 0, 1, 250, true, "IDLE"},
    {"IdleHysteresis", 296, 1, FieldType::U8, 10, 0, 0, 2500, true, "IDLE"},
    {"IdleServoRpm", 298, 9, FieldType::U16, 1, 0, 0, 12000, true, "IDLE"},
    {"IdleAdvOn", 317, 1, FieldType::U8, 1, 0, 0, 0, false, "IDLE"},
    {"IdleAdvPerRpm", 318, 1, FieldType::U8, 1, 0, 1, 100, true, "IDLE"},
    {"IdleAdvPerTime", 319, 1, FieldType::U8, 1, 0, 0, 250, true, "IDLE"},
    {"IdleMaxAdv", 320, 1, FieldType::U8, 1, 0, 1, 100, true, "IDLE"},
    {"IdleAdvRpm", 321, 9, FieldType::U8, 50, 0, 0, 12000, true, "IDLE"},
    {"IdleStart", 330, 1, FieldType::U16, 1, 0, 0, 30000, true, "IDLE"},
    {"AccKPlus", 332, 1, FieldType::U16, 1, 0, 0, 30000, true, "ACC_CORR"},
    {"AccKMinus", 334, 1, FieldType::U16, 1, 0, 0, 30000, true, "ACC_CORR"},
    {"AccT100", 336, 1, FieldType::U16, 1, 0, 10, 30000, true, "ACC_CORR"},
    {"AccT0", 338, 1, FieldType::U16, 1, 0, 10, 30000, true, "ACC_CORR"},
    {"TuningMode", 340, 1, FieldType::U8, 1, 0, 0, 0, false, "TUNING"},
    {"TuningByTls", 341, 1, FieldType::U8, 1, 0, 0, 0, false, "TUNING"},
    {"TuningLambda", 342, 1, FieldType::U8, 1, 0, 100, 200, true, "TUNING"},
    {"TuningHysteresis", 344, 1, FieldType::U8, 1, 0, 0, 50, true, "TUNING"},
    {"TuningRpmTol", 345, 1, FieldType::U8, 10, 0, 10, 2000, true, "TUNING"},
    {"TuningTpsTol", 346, 1, FieldType::U8, 1, 0, 1, 20, true, "TUNING"},
    {"TuningStepTime", 347, 1, FieldType::U8, 10, 0, 10, 2500, true, "TUNING"},
    {"TuningStep", 348, 1, FieldType::U8, 1, 0, 0, 255, true, "TUNING"},
    {"TuningChannel", 350, 1, FieldType::U8, 1, 0, 0, 0, false, "TUNING"},
    {"TuningMaxAcc", 351, 1, FieldType::U8, 1, 0, 0, 255, true, "TUNING"},
    {"LambdaType", 352, 1, FieldType::U8, 1, 0, 0, 0, false, "SENSOR_LAMBDA"},
    {"LambdaAf", 353, 5, FieldType::U8, 1, 0, 100, 200, true, "SENSOR_LAMBDA"},
    {"LambdaMv", 358, 5, FieldType::U16, 1, 0, 0, 5000, true, "SENSOR_LAMBDA"},
    {"LambdaTachoAf", 368, 2, FieldType::U8, 1, 0, 100, 200, true, "LAMBDA_TACHO"},
    {"LambdaTachoRpm", 370, 2, FieldType::U8, 100, 0, 0, 25000, true, "LAMBDA_TACHO"},
    {"LambdaBar", 372, 4, FieldType::U8, 1, 0, 100, 200, true, "LAMBDA_BAR"},
    {"TestRpm", 376, 1, FieldType::U8, 100, 0, 200, 25000, true, "TEST_OUT"},
    {"TestServoTime", 377, 1, FieldType::U8, 10, 0, 10, 2500, true, "TEST_OUT"},
    {"IapAxis", 384, 10, FieldType::U16, 1, 0, 0, 1000, true, "IAP_IAP"},
    {"PositionARpm", 405, 15, FieldType::U8, 100, 0, 300, 25000, true, "POSITION_A"},
    {"PositionADeg", 420, 15, FieldType::U8, 5, 0, 0, 720, true, "POSITION_A"},
    {"PositionBRpm", 435, 15, FieldType::U8, 100, 0, 300, 25000, true, "POSITION_B"},
    {"PositionBDeg", 450, 15, FieldType::U8, 5, 0, 0, 720, true, "POSITION_B"},
};

constexpr MapDescriptor kMaps[] = {
    {1, "Advance", "MapAdvance", "RpmAdvance", MapKind::Byte, off::RpmAdvance, off::MapAdvance, "ADVANCE", "RPM_ADV", false, -1},
    {2, "Inj-1A", "MapJet1A", "RpmJet1A", MapKind::Injection, off::RpmJet1A, off::MapJet1A, "JET_1A", "RPM_JET_1A", false, 0},
    {3, "Inj-2A", "MapJet2A", "RpmJet2A", MapKind::Injection, off::RpmJet2A, off::MapJet2A, "JET_2A", "RPM_JET_2A", false, 1},
    {4, "Inj-3A", "MapJet3A", "RpmJet3A", MapKind::Injection, off::RpmJet3A, off::MapJet3A, "JET_3A", "RPM_JET_3A", false, 2},
    {5, "Inj-4A", "MapJet4A", "RpmJet4A", MapKind::Injection, off::RpmJet4A, off::MapJet4A, "JET_4A", "RPM_JET_4A", false, 3},
    {6, "Inj-B", "MapJetB", "RpmJetB", MapKind::Byte, off::RpmJetB, off::MapJetB, "JET_B", "RPM_JET_B", false, -1},
    {7, "Inj-IAP", "MapIap", "RpmIap", MapKind::Injection, off::RpmIap, off::MapIap, "IAP", "RPM_IAP", true, 4},
    {11, "Intake Servo", "MapServoIn", "RpmServoIn", MapKind::Byte, off::RpmServoIn, off::MapServoIn, "SERVO_IN_VALUE", "RPM_SERVO_IN", false, -1},
    {12, "Exhaust Servo", "MapServoEx", "RpmServoEx", MapKind::Byte, off::RpmServoEx, off::MapServoEx, "SERVO_EX_VALUE", "RPM_SERVO_EX", false, -1},
};

constexpr const char* kPageCaptions[kPageCount] = {
    "Bike", "Advance", "Inj-1A", "Inj-2A", "Inj-3A", "Inj-4A", "Inj-B", "Inj-IAP",
    "Poloha", "Korekce", "Čidla", "Intake Servo", "Exhaust Servo", "Volnoběh",
    "N2O", "Race", "Gear", "Ladění", "Monitor"};

}  // namespace

std::span<const FieldInfo> scalarFields() { return kFields; }

const FieldInfo* findField(std::string_view name)
{
    for (const auto& f : kFields)
        if (name == f.name)
            return &f;
    return nullptr;
}

const FieldInfo* fieldAtOffset(int offset)
{
    for (const auto& f : kFields)
        if (offset >= f.offset && offset < f.offset + f.byteLength())
            return &f;
    return nullptr;
}

int readStored(const ParameterImage& image, const FieldInfo& field, int index)
{
    const int at = field.elementOffset(index);
    switch (field.type) {
    case FieldType::U8: return image.byte(at);
    case FieldType::S8: return static_cast<std::int8_t>(image.byte(at));
    case FieldType::U16: return image.word(at);
    }
    return 0;
}

void writeStored(ParameterImage& image, const FieldInfo& field, int index, int stored)
{
    if (index < 0 || index >= field.count)
        return;
    const int at = field.elementOffset(index);
    if (field.type == FieldType::U16)
        image.setWord(at, static_cast<std::uint16_t>(stored & 0xFFFF));
    else
        image.setByte(at, static_cast<std::uint8_t>(stored & 0xFF));
}

int encodeShown(const FieldInfo& field, int shown)
{
    if (field.type == FieldType::U16)
        return shown & 0xFFFF;
    return (shown / field.factor + field.addend) & 0xFF;
}

int decodeStored(const FieldInfo& field, int stored)
{
    if (field.type == FieldType::U16)
        return stored;
    return (stored - field.addend) * field.factor;
}

int readShown(const ParameterImage& image, const FieldInfo& field, int index)
{
    return decodeStored(field, readStored(image, field, index));
}

void writeShown(ParameterImage& image, const FieldInfo& field, int index, int shown)
{
    writeStored(image, field, index, encodeShown(field, shown));
}

std::span<const MapDescriptor> mapDescriptors() { return kMaps; }

const MapDescriptor* mapOfPage(int page)
{
    for (const auto& m : kMaps)
        if (m.page == page)
            return &m;
    return nullptr;
}

const MapDescriptor* findMap(std::string_view name)
{
    for (const auto& m : kMaps)
        if (name == m.name)
            return &m;
    return nullptr;
}

const MapDescriptor& injectionMap(int injectionIndex)
{
    static constexpr int kPages[5] = {2, 3, 4, 5, 7};
    return *mapOfPage(kPages[std::clamp(injectionIndex, 0, 4)]);
}

int readCell(const ParameterImage& image, const MapDescriptor& map, int row, int col)
{
    const int at = map.cellOffset(row, col);
    return map.kind == MapKind::Injection ? image.word(at) : image.byte(at);
}

void writeCell(ParameterImage& image, const MapDescriptor& map, int row, int col, int value)
{
    if (row < 0 || row >= kMapRows || col < 0 || col >= kMapColumns)
        return;
    const int at = map.cellOffset(row, col);
    if (map.kind == MapKind::Injection)
        image.setWord(at, static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF)));
    else
        image.setByte(at, static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF)));
}

const char* pageCaption(int page)
{
    if (page < 0 || page >= kPageCount)
        return "";
    return kPageCaptions[page];
}

std::optional<int> pageOfCaption(std::string_view caption)
{
    for (int p = 0; p < kPageCount; ++p)
        if (caption == kPageCaptions[p])
            return p;
    return std::nullopt;
}

}  // namespace kestrin
