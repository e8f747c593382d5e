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

// Injection RPM axis of the bike (RpmJet1A..RpmJet4A), stored RPM / 100:
// codes 53, 54 and 60 have their own, all others use the default RPM axis.
RpmAxisStored bikeInjectionRpmAxis(int bikeCode);
// IAP RPM axis of the bike (RpmIap), stored RPM / 100: codes 53 and 54 have
// their own, code 60 uses its injection RPM axis, all others the default one.
RpmAxisStored bikeIapRpmAxis(int bikeCode);

struct BikeTables {
};

}  // namespace kestrin
