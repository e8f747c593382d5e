#pragma once
// Per-bike reference tables: fixed data in plain units (RPM, mV, degrees,
// percent), one entry per group of bike codes. SelectBikeTables picks the
// entries of the current BikeCode; the bike defaults copy from them.

#include <array>
#include <cstdint>
#include <span>

namespace kestrin {

class Document;

inline constexpr int kAxisPoints = 15;
using RpmAxisStored = std::array<std::uint8_t, kAxisPoints>;  // RPM / 100, as in the image
using TableValues = std::span<const std::uint16_t>;

// The bike the program starts with.
inline constexpr int kStartupBikeCode = 11;

// The entries of every per-bike table for one bike, as read-only views of
// the compiled tables (so a copy is cheap and never dangles).
struct BikeTables {
    // The entries of the start-up bike, so that no entry is ever empty.
    BikeTables() : BikeTables(kStartupBikeCode) {}
    // The entries for a bike code. Codes beyond the list (above 60) get the
    // entries of the bikes that have no entry of their own.
    explicit BikeTables(int bikeCode);

    int code = kStartupBikeCode;  // the bike the entries were selected for

    // RPM axes, 15 values in RPM.
    TableValues defaultRpm;    // RpmAdvance, and the others unless the bike has its own
    TableValues injectionRpm;  // RpmJet1A..RpmJet4A
    TableValues injBRpm;       // RpmJetB
    TableValues iapRpm;        // RpmIap
    TableValues positionRpm;   // PositionARpm and PositionBRpm

    TableValues advance;         // degrees: 15 (one per RPM column) or 150 (a full map)
    TableValues injB;            // 150 cells, %
    TableValues position;        // 32: mode A, mode B, 15 angles A, 15 angles B (degrees)
    TableValues tempCorrection;  // 10: water at -10, 20, 50, 80, 110 °C, then air; %
    TableValues idle;            // 8: mode, range RPM, TPS range, inverse, pulse µs, period, hysteresis RPM, start
    TableValues idleServoRpm;    // 9
    TableValues idleAdvance;     // 4: on, per RPM, per time, max advance
    TableValues idleAdvanceRpm;  // 9, RPM
    TableValues gearVoltage;     // 7, mV
    TableValues apSensor;        // 4: pressure 1, mV 1, pressure 2, mV 2
    TableValues iapSensor;       // 4
    TableValues servoIn;         // hysteresis mV, 15 RPM, then 150 cells ("R + T") or 15 values
    TableValues servoEx;
    TableValues tempCurve;       // 9, BikeTempCurve

    std::array<std::uint16_t, 9> waterSensorMv{};  // mV at -10, 5, 20, ... 110 °C
    std::array<std::uint16_t, 9> airSensorMv{};
};

// The parts of a servo table.
inline int servoHysteresisMv(TableValues servo) { return servo[0]; }
inline TableValues servoRpm(TableValues servo) { return servo.subspan(1, kAxisPoints); }
inline TableValues servoPositions(TableValues servo) { return servo.subspan(1 + kAxisPoints); }

// Selects the entries for the image's BikeCode into doc.bike.
void SelectBikeTables(Document& doc);

// Injection RPM axis of the bike (RpmJet1A..RpmJet4A), stored RPM / 100:
// codes 53, 54 and 60 have their own, all others use the default RPM axis.
RpmAxisStored bikeInjectionRpmAxis(int bikeCode);
// IAP RPM axis of the bike (RpmIap), stored RPM / 100: codes 53 and 54 have
// their own, code 60 uses its injection RPM axis, all others the default one.
RpmAxisStored bikeIapRpmAxis(int bikeCode);

}  // namespace kestrin
