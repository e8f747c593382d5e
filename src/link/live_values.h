#pragma once
// Values kept from the last monitor frame, read by the transfer logic, the
// live highlight and the visibility rules.

namespace kestrin {

struct LiveValues {
    int rpm = 0;              // present engine speed, RPM
    int throttle = 0;         // throttle position
    int manifoldPressure = 0; // manifold pressure
    int gear = 0;
    int tpsShare = 0;         // TPS share of the injection (TPS vs IAP map)
    int sensorErrors = 0;
    int lambdaMode = 0;
    int savingCountdown = 0;  // the unit's saving countdown after a program run
    int version = 0;          // program version the unit reports
};

}  // namespace kestrin
