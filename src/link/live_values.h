#pragma once
// Values kept from the last accepted monitor frame, read by the transfer
// logic, the live highlight, the visibility rules and the capture buttons of
// the option pages. Every accepted frame overwrites all of them.

namespace kestrin {

struct LiveValues {
    // Sensor error bits of `sensorErrors` (as the unit reports them).
    static constexpr int kTpsError = 0x01;
    static constexpr int kIapError = 0x02;
    static constexpr int kApsError = 0x04;

    bool received = false;     // at least one frame was accepted since start-up

    int rpm = 0;               // present engine speed, RPM
    int throttle = 0;          // present throttle position, 0.1 %
    int manifoldPressure = 0;  // present manifold pressure, kPa
    int tpsVoltage = 0;        // mV, for the "<- TPS 0 %" / "<- TPS 100 %" buttons
    int lambdaVoltage = 0;     // mV
    int ambientPressure = 0;   // 0.1 kPa
    int coolantRaw = 0;        // °C + 100; 180 while the sensor reports an error
    int airRaw = 0;            // °C + 100 as received; 0 is a sensor error
    int gear = 0;
    int tpsShare = 0;          // % of the injection taken from the TPS map
    bool tpsMapInUse = false;
    bool iapMapInUse = false;
    int airFuelRatio = 0;      // A/F × 10
    int afterStartTimer = 0;   // 5 counts per second
    int gearVoltage = 0;       // mV, for the "<- Gear n" buttons
    int rpmSpeedRatio = 0;     // RPM / speed × 10, for the "<- Gear n" buttons
    int savingCountdown = 0;   // 5782 .. 0 while the unit stores programmed data
    bool lambdaMode = false;   // Tacho/Lambda output in lambda mode: tuning by the switch
    int sensorErrors = 0;      // kTpsError | kIapError | kApsError
    bool outputTestsBlocked = false;
    bool ignLimiter = false;
    bool jetLimiter = false;
    bool retardLimiter = false;
    bool mapUseSuppressed = false;
    bool baseAdvance = false;
    int version = 0;           // program version the unit reports

    bool tpsError() const { return (sensorErrors & kTpsError) != 0; }
    bool iapError() const { return (sensorErrors & kIapError) != 0; }
    bool apsError() const { return (sensorErrors & kApsError) != 0; }
};

}  // namespace kestrin
