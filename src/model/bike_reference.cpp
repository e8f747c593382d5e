#include "model/bike_reference.h"

#include "model/bike_reference_data.h"
#include "model/document.h"
#include "model/field_offsets.h"

namespace kestrin {

namespace {

RpmAxisStored storedAxis(TableValues rpm)
{
    RpmAxisStored out{};
    for (int i = 0; i < kAxisPoints; ++i)
        out[i] = static_cast<std::uint8_t>((rpm[i] / 100) & 0xFF);
    return out;
}

}  // namespace

BikeTables::BikeTables(int bikeCode)
{
    using namespace refdata;
    code = bikeCode;
    defaultRpm = defaultRpmAxis(bikeCode);
    injectionRpm = injectionRpmAxis(bikeCode);
    injBRpm = injBRpmAxis(bikeCode);
    iapRpm = iapRpmAxis(bikeCode);
    positionRpm = positionRpmAxis(bikeCode);
    const TableValues map = advanceMap(bikeCode);
    advance = map.empty() ? advanceRow(bikeCode) : map;
    injB = injBTable(bikeCode);
    position = positionTable(bikeCode);
    tempCorrection = tempCorrectionTable(bikeCode);
    idle = idleTable(bikeCode);
    idleServoRpm = idleServoRpmTable(bikeCode);
    idleAdvance = idleAdvanceTable(bikeCode);
    idleAdvanceRpm = idleAdvanceRpmTable(bikeCode);
    gearVoltage = gearVoltageTable(bikeCode);
    apSensor = apSensorTable(bikeCode);
    iapSensor = iapSensorTable(bikeCode);
    servoIn = servoInTable(bikeCode);
    servoEx = servoExTable(bikeCode);
    tempCurve = tempCurveTable(bikeCode);
    waterSensorMv = waterSensorCurve(bikeCode);
    airSensorMv = airSensorCurve(bikeCode);
}

void SelectBikeTables(Document& doc) { doc.bike = BikeTables(doc.image.byte(off::BikeCode)); }

RpmAxisStored bikeInjectionRpmAxis(int bikeCode) { return storedAxis(refdata::injectionRpmAxis(bikeCode)); }

RpmAxisStored bikeIapRpmAxis(int bikeCode) { return storedAxis(refdata::iapRpmAxis(bikeCode)); }

}  // namespace kestrin
