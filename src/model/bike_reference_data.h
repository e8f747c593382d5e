#pragma once
// The compiled per-bike tables, looked up by bike code. Every lookup returns
// the entry of the code's group; codes outside 0..60 get the entry for all
// other codes, so a lookup never fails. Internal to the model: the rest of
// the program reads the entries selected into BikeTables.

#include <array>
#include <cstdint>
#include <span>

namespace kestrin::refdata {

using Values = std::span<const std::uint16_t>;
using SensorCurve = std::array<std::uint16_t, 9>;

// RPM axes, 15 values in RPM.
Values defaultRpmAxis(int code);
Values injectionRpmAxis(int code);
Values injBRpmAxis(int code);
Values iapRpmAxis(int code);
Values positionRpmAxis(int code);

// Advance in degrees: the full 150-cell map of a bike that has one (empty
// span otherwise) and the 15-value row of every other bike.
Values advanceMap(int code);
Values advanceRow(int code);

Values injBTable(int code);            // 150 cells, % of the fuel on bank B
Values positionTable(int code);        // 32: modes A, B, 15 angles A, 15 angles B (degrees)
Values tempCorrectionTable(int code);  // 10: water then air, %
Values idleTable(int code);            // 8
Values idleServoRpmTable(int code);    // 9
Values idleAdvanceTable(int code);     // 4
Values idleAdvanceRpmTable(int code);  // 9, RPM
Values gearVoltageTable(int code);     // 7, mV
Values apSensorTable(int code);        // 4: pressure, mV, pressure, mV
Values iapSensorTable(int code);       // 4
Values tempCurveTable(int code);       // 9
// Servo tables: hysteresis mV, 15 RPM, then 150 cells ("R + T") or 15 values.
Values servoInTable(int code);
Values servoExTable(int code);

SensorCurve waterSensorCurve(int code);
SensorCurve airSensorCurve(int code);

}  // namespace kestrin::refdata
