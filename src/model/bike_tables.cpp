// The small per-bike reference tables, in plain units. In each table the
// last entry is the one for every code not listed before it.

#include "model/bike_codes.h"
#include "model/bike_reference_data.h"

namespace kestrin::refdata {

namespace {

using R = CodeSet;

// Advance in degrees per RPM column, the same on every load row. Every code
// without a full advance map is listed; the last entry also serves codes
// beyond the list.
constexpr CodeEntry<15> kAdvanceRow[] = {
    {{0, 43}, {13, 14, 20, 28, 31, 32, 33, 32, 31, 31, 31, 31, 31, 31, 31}},
    {{1, 30}, {9, 19, 30, 36, 36, 35, 34, 34, 34, 34, 34, 34, 34, 34, 34}},
    {{2}, {7, 15, 25, 29, 35, 34, 32, 32, 31, 31, 30, 32, 33, 33, 33}},
    {{4, 22, 31}, {5, 10, 23, 40, 40, 40, 40, 40, 40, 39, 37, 37, 37, 37, 37}},
    {{5, 42, 59}, {13, 16, 31, 39, 39, 39, 39, 39, 38, 38, 38, 38, 38, 38, 38}},
    {{6, 11, 20, 32, 33, 41, 44, 49}, {16, 30, 38, 35, 39, 40, 40, 40, 39, 39, 39, 37, 34, 34, 34}},
    {{7, 19, 48}, {18, 19, 29, 31, 33, 32, 31, 32, 32, 32, 31, 31, 30, 30, 30}},
    {{9, 10}, {19, 23, 30, 33, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31}},
    {{12, 23}, {4, 17, 43, 37, 44, 42, 39, 39, 39, 38, 37, 36, 35, 34, 32}},
    {R::range(13, 15) | R{29, 38, 50}, {10, 25, 28, 26, 29, 30, 31, 30, 29, 29, 29, 29, 29, 29, 29}},
    {{16, 25, 37, 40, 52}, {10, 10, 25, 35, 40, 40, 40, 41, 41, 41, 41, 41, 41, 41, 41}},
    {{17, 27, 51}, {6, 14, 30, 35, 40, 39, 38, 38, 38, 37, 35, 35, 35, 35, 35}},
    {{18, 35}, {14, 22, 38, 39, 38, 39, 40, 38, 35, 34, 32, 32, 32, 30, 28}},
    {{24, 58}, {13, 14, 20, 28, 31, 32, 33, 32, 31, 33, 34, 34, 34, 34, 34}},
    {{54}, {17, 10, 12, 33, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31}},
    {{3, 21, 28, 46, 56}, {10, 15, 27, 32, 36, 34, 31, 31, 30, 30, 30, 30, 30, 30, 30}},
};

// IdleMode, idle range RPM, IdleTpsRange, IdleInverse, step pulse µs,
// IdleStepPeriod, hysteresis RPM, IdleStart.
constexpr CodeEntry<8> kIdle[] = {
    {{7, 8, 19, 26, 36, 48, 49}, {1, 1500, 40, 0, 1500, 7, 200, 2000}},
    {{34, 47, 55}, {1, 2000, 5, 0, 1500, 6, 100, 2000}},
    {{38}, {0, 3000, 40, 1, 1500, 2, 1600, 2000}},
    {{45}, {3, 5000, 40, 1, 1500, 20, 200, 2000}},
    {{46}, {2, 2000, 3, 1, 25000, 100, 100, 2000}},
    {{50, 52}, {1, 1500, 40, 0, 1500, 6, 200, 2000}},
    {{53}, {3, 5000, 12, 1, 1500, 6, 200, 2000}},
    {{54}, {0, 1500, 10, 1, 1500, 6, 200, 2000}},
    {{57}, {1, 1500, 25, 0, 1500, 7, 200, 2000}},
    {{}, {0, 1500, 40, 1, 1500, 6, 200, 2000}},
};

// Desired idle at the nine temperatures, in the unit of the bike's idle mode.
constexpr CodeEntry<9> kIdleServoRpm[] = {
    {{7, 19, 26, 48, 49}, {95, 95, 90, 80, 70, 40, 40, 40, 40}},
    {{8, 36}, {40, 40, 40, 45, 50, 50, 60, 60, 60}},
    {{34, 47, 55}, {760, 760, 760, 760, 760, 760, 700, 700, 700}},
    {{38}, {45, 42, 40, 37, 33, 30, 30, 30, 30}},
    {{45}, {475, 475, 470, 440, 400, 390, 390, 390, 390}},
    {{50, 52}, {4780, 4780, 4600, 4300, 3300, 2420, 1960, 1960, 1960}},
    {{53}, {550, 550, 520, 510, 500, 490, 400, 400, 400}},
    {{54}, {100, 100, 100, 100, 100, 100, 100, 100, 100}},
    {{57}, {60, 60, 55, 53, 50, 46, 41, 40, 40}},
    {{}, {1800, 1800, 1800, 1550, 1400, 1200, 1200, 1200, 1200}},
};

// IdleAdvOn, IdleAdvPerRpm, IdleAdvPerTime, IdleMaxAdv.
constexpr CodeEntry<4> kIdleAdvance[] = {
    {{7, 8, 19, 26, 36, 48, 49}, {0, 1, 10, 25}},
    {{53}, {1, 25, 3, 24}},
    {{54}, {1, 10, 10, 25}},
    {{57}, {0, 11, 8, 25}},
    {{}, {0, 13, 3, 22}},
};

// Desired idle RPM of the advance control at the nine temperatures.
constexpr CodeEntry<9> kIdleAdvanceRpm[] = {
    {{7, 8, 19, 26, 36, 48, 49, 57}, {1800, 1800, 1800, 1550, 1400, 1200, 1200, 1200, 1200}},
    {{53}, {1800, 1800, 1750, 1500, 1500, 1500, 1300, 1300, 1300}},
    {{54}, {1500, 1500, 1500, 1500, 1400, 1300, 1200, 1200, 1200}},
    {{}, {1800, 1800, 1750, 1600, 1550, 1550, 1550, 1550, 1450}},
};

// Gear sensor voltage in mV for gears 0..6.
constexpr CodeEntry<7> kGearVoltage[] = {
    {{8, 36}, {4623, 3851, 3592, 3128, 3015, 2360, 1969}},
    {{45}, {4877, 879, 1564, 2204, 2922, 3572, 4252}},
    {{48}, {4428, 3450, 2952, 2468, 1979, 1485, 987}},
    {{53}, {2400, 2600, 4200, 4300, 4400, 4500, 4600}},
    {{57}, {4521, 3519, 3015, 2507, 2018, 1456, 1006}},
    {{}, {5000, 1797, 2260, 2998, 3662, 4360, 4687}},
};

// Pressure sensor calibration: pressure 1, voltage 1 (mV), pressure 2, voltage 2.
constexpr CodeSet kSensor1643 = R::range(2, 5) | R{21, 22, 28, 31, 46, 56};
constexpr CodeSet kSensor2162 = R::range(17, 19) | R{7, 8, 27, 35, 36, 40, 45, 48, 50, 52, 53, 57};

constexpr CodeEntry<4> kApSensor[] = {
    {{1, 30}, {55, 2247, 105, 4744}},
    {kSensor1643, {55, 1643, 105, 3005}},
    {kSensor2162, {55, 2162, 105, 4160}},
    {{24, 58}, {55, 2108, 105, 5124}},
    {{43}, {55, 1556, 105, 4116}},
    {{}, {55, 2305, 105, 3756}},
};

constexpr CodeEntry<4> kIapSensor[] = {
    {{1, 30}, {55, 2247, 105, 4744}},
    {kSensor1643, {55, 1643, 105, 3005}},
    {kSensor2162, {55, 2162, 105, 4160}},
    {{24, 58}, {55, 2108, 105, 5124}},
    {{}, {55, 2305, 105, 3756}},
};

// Injection correction in %: water at -10, 20, 50, 80, 110 °C, then air.
constexpr CodeEntry<10> kTempCorrection[] = {
    {{0, 24, 43, 58}, {150, 138, 111, 100, 92, 121, 110, 100, 92, 84}},
    {{2, 3, 21, 28, 46, 56}, {136, 125, 111, 100, 99, 119, 109, 100, 100, 100}},
    {{4, 22, 31}, {160, 139, 126, 100, 100, 121, 105, 100, 98, 98}},
    {{5}, {139, 110, 104, 100, 99, 121, 110, 100, 97, 97}},
    {{6, 11, 20, 32, 33, 41, 44}, {112, 107, 103, 100, 97, 106, 103, 100, 100, 100}},
    {{7, 19, 48}, {134, 118, 110, 100, 100, 111, 107, 100, 95, 95}},
    {R::range(8, 10) | R{36, 45, 53, 57}, {125, 114, 107, 100, 98, 113, 107, 100, 97, 93}},
    {{12, 23}, {117, 111, 104, 100, 99, 110, 105, 100, 100, 100}},
    {{16, 25, 37, 40, 52}, {125, 107, 100, 100, 100, 105, 102, 100, 100, 100}},
    {{17, 27, 51}, {115, 107, 104, 100, 96, 105, 101, 100, 90, 85}},
    {{18, 35, 42, 59, 60}, {124, 120, 109, 100, 98, 115, 109, 100, 98, 93}},
    {{}, {113, 109, 105, 100, 97, 109, 105, 100, 100, 100}},
};

constexpr CodeEntry<9> kTempCurve[] = {
    {{0, 24, 43, 58}, {270, 207, 179, 151, 132, 115, 100, 90, 81}},
    {{1, 30}, {194, 166, 149, 136, 126, 114, 100, 95, 91}},
    {{2, 3, 21, 28, 46, 56}, {227, 188, 155, 130, 112, 100, 100, 93, 84}},
    {{4, 31}, {379, 269, 190, 150, 127, 114, 100, 91, 86}},
    {{5}, {249, 208, 164, 143, 122, 112, 100, 88, 80}},
    {{6, 11, 20, 32, 33, 41, 44}, {193, 168, 149, 131, 119, 109, 100, 94, 86}},
    {{7, 19, 48}, {226, 186, 156, 140, 123, 113, 100, 92, 87}},
    {R::range(8, 10) | R{36, 45, 53, 54, 57}, {248, 195, 175, 150, 133, 118, 100, 95, 88}},
    {{16, 25, 37, 40, 52}, {234, 184, 154, 137, 125, 115, 100, 91, 86}},
    {{17, 27, 51}, {225, 190, 160, 140, 125, 115, 100, 90, 80}},
    {{18, 35, 42, 59, 60}, {230, 185, 160, 140, 125, 110, 100, 90, 90}},
    {{22}, {379, 269, 190, 150, 127, 114, 100, 92, 86}},
    {{}, {220, 165, 148, 135, 125, 113, 100, 94, 82}},
};

// Temperature sensor voltages in mV at -10, 5, 20, ... 110 °C.
constexpr SensorCurve kCommonSensor = {4049, 3401, 2713, 2037, 1420, 981, 642, 443, 299};
constexpr SensorCurve kWaterSensor50 = {4100, 3501, 2913, 2050, 1191, 753, 511, 406, 266};
constexpr SensorCurve kAirSensor50 = {4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416};

// A curve measured as five converter counts (10-bit, 5 V reference) at
// -10, 20, 50, 80 and 110 °C; the points between are the means of their
// neighbours.
constexpr SensorCurve converterCurve(const std::array<int, 5>& counts)
{
    SensorCurve curve{};
    for (int i = 0; i < 5; ++i)
        curve[2 * i] = static_cast<std::uint16_t>(counts[i] * 5000 / 1023);
    for (int i = 1; i < 9; i += 2)
        curve[i] = static_cast<std::uint16_t>((curve[i - 1] + curve[i + 1]) / 2);
    return curve;
}

constexpr SensorCurve kConverterCurveA = converterCurve({838, 648, 300, 164, 122});
constexpr SensorCurve kConverterCurveB = converterCurve({841, 521, 243, 112, 57});

static_assert(kConverterCurveA == SensorCurve{4095, 3631, 3167, 2316, 1466, 1133, 801, 698, 596});
static_assert(kConverterCurveB == SensorCurve{4110, 3328, 2546, 1866, 1187, 867, 547, 412, 278});

}  // namespace

Values advanceRow(int code) { return pickEntry(kAdvanceRow, code); }
Values idleTable(int code) { return pickEntry(kIdle, code); }
Values idleServoRpmTable(int code) { return pickEntry(kIdleServoRpm, code); }
Values idleAdvanceTable(int code) { return pickEntry(kIdleAdvance, code); }
Values idleAdvanceRpmTable(int code) { return pickEntry(kIdleAdvanceRpm, code); }
Values gearVoltageTable(int code) { return pickEntry(kGearVoltage, code); }
Values apSensorTable(int code) { return pickEntry(kApSensor, code); }
Values iapSensorTable(int code) { return pickEntry(kIapSensor, code); }
Values tempCorrectionTable(int code) { return pickEntry(kTempCorrection, code); }
Values tempCurveTable(int code) { return pickEntry(kTempCurve, code); }

SensorCurve waterSensorCurve(int code)
{
    switch (code) {
    case 1:
    case 30: return kConverterCurveA;
    case 28:
    case 46: return kConverterCurveB;
    case 50: return kWaterSensor50;
    default: return kCommonSensor;
    }
}

SensorCurve airSensorCurve(int code)
{
    switch (code) {
    case 1:
    case 30: return kConverterCurveA;
    case 50: return kAirSensor50;
    default: return kCommonSensor;
    }
}

}  // namespace kestrin::refdata
