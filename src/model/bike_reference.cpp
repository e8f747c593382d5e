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
    BikeTables& t = *this;
    t.code = bikeCode;
    t.defaultRpm = defaultRpmAxis(bikeCode);
    t.injectionRpm = injectionRpmAxis(bikeCode);
    t.injBRpm = injBRpmAxis(bikeCode);
    t.iapRpm = iapRpmAxis(bikeCode);
    t.positionRpm = positionRpmAxis(bikeCode);
    const TableValues map = advanceMap(bikeCode);
    t.advance = map.empty() ? advanceRow(bikeCode) : map;
    t.injB = injBTable(bikeCode);
    t.position = positionTable(bikeCode);
    t.tempCorrection = tempCorrectionTable(bikeCode);
    t.idle = idleTable(bikeCode);
    t.idleServoRpm = idleServoRpmTable(bikeCode);
    t.idleAdvance = idleAdvanceTable(bikeCode);
    t.idleAdvanceRpm = idleAdvanceRpmTable(bikeCode);
    t.gearVoltage = gearVoltageTable(bikeCode);
    t.apSensor = apSensorTable(bikeCode);
    t.iapSensor = iapSensorTable(bikeCode);
    t.servoIn = servoInTable(bikeCode);
    t.servoEx = servoExTable(bikeCode);
    t.tempCurve = tempCurveTable(bikeCode);
    t.waterSensorMv = waterSensorCurve(bikeCode);
    t.airSensorMv = airSensorCurve(bikeCode);
}

void SelectBikeTables(Document& doc) { doc.bike = BikeTables(doc.image.byte(off::BikeCode)); }

RpmAxisStored bikeInjectionRpmAxis(int bikeCode) { return storedAxis(refdata::injectionRpmAxis(bikeCode)); }

RpmAxisStored bikeIapRpmAxis(int bikeCode) { return storedAxis(refdata::iapRpmAxis(bikeCode)); }

}  // namespace kestrin
