#pragma once
// The reference injection tables from which the base injection maps follow.
//
// A reference table holds injection times in units of 10 us over 10 load
// rows x 10 or 15 RPM columns, row-major. Each bike has three: reference A
// (cylinders 1 and 4), reference B (cylinders 2 and 3) and the IAP reference.

#include <cstdint>
#include <span>

namespace kestrin {

inline constexpr int kReferenceRows = 10;

struct ReferenceTable {
    int columns;                            // 10 or 15 RPM columns
    std::span<const std::uint16_t> values;  // kReferenceRows x columns, units of 10 us
};

// Where the RPM breakpoints of a table's columns come from.
enum class RpmBreakSource {
    List10,             // 1000 .. 16000 RPM in 10 points
    List15,             // 1000 .. 16000 RPM in 15 points
    BikeInjectionAxis,  // the bike's own injection RPM axis
    BikeIapAxis,        // the bike's own IAP RPM axis
};

struct ReferenceEntry {
    const ReferenceTable* table;
    RpmBreakSource rpm;
    const std::uint16_t* loadBreaks;  // 10 row loads: TPS in 0.1 % or pressure in 0.1 kPa
};

struct BikeReference {
    ReferenceEntry a;
    ReferenceEntry b;
    ReferenceEntry iap;
    bool fifteenPointRpm;  // the bike uses the 15-point RPM list
};

// Breakpoint lists shared by the tables.
extern const std::uint16_t kRefRpm10[10];
extern const std::uint16_t kRefRpm15[15];
extern const std::uint16_t kRefTpsLoad[10];      // 0 .. 1000 (0.1 % TPS)
extern const std::uint16_t kRefIapLoad10[10];    // 100 .. 1000 (0.1 kPa)
extern const std::uint16_t kRefIapLoad30[10];    // 300 .. 1000 (0.1 kPa)
// The fixed row loads of the Inj-IAP base map, whatever IapAxis holds.
extern const std::uint16_t kBaseIapRowLoad[10];

// The reference tables of a listed bike; codes outside 0..60 give nothing.
const BikeReference* bikeReferenceTables(int bikeCode);

// The tables themselves (reference_tables_tps.cpp, reference_tables_iap.cpp).
namespace reftab {
extern const ReferenceTable tps10TwinA, tps10TwinB, tps10Four600A, tps10Four600B,
    tps10Four1000A, tps10Four1000B, tps10FourBigA, tps10FourBigB, tps10SmallA, tps10SmallB,
    tps15GsxrA, tps15GsxrB, tps15Zx10A, tps15Zx10B, tps15SxvA, tps15SxvB, tps15DaytonaA,
    tps15DaytonaB, tps15StA, tps15StB, tps15TdmA, tps15TdmB;
extern const ReferenceTable iap10Twin, iap10Four600, iap10Four1000, iap10FourBig, iap10Small,
    iap15Zx10, iap15Gsxr, iap15Sxv, iap15Daytona, iap15St, iap15Tdm, iap15Zx12;
}  // namespace reftab

}  // namespace kestrin
