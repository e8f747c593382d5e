#include "model/bike_reference.h"

#include "model/bike_reference_data.h"

namespace kestrin {

namespace {

RpmAxisStored storedAxis(std::span<const std::uint16_t> rpm)
{
    RpmAxisStored out{};
    for (int i = 0; i < kAxisPoints; ++i)
        out[i] = static_cast<std::uint8_t>((rpm[i] / 100) & 0xFF);
    return out;
}

}  // namespace

RpmAxisStored bikeInjectionRpmAxis(int bikeCode)
{
    return storedAxis(refdata::injectionRpmAxis(bikeCode));
}

RpmAxisStored bikeIapRpmAxis(int bikeCode)
{
    return storedAxis(refdata::iapRpmAxis(bikeCode));
}

}  // namespace kestrin
