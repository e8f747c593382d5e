// Which reference injection tables each bike uses, and on which breakpoints.

#include "model/reference_tables.h"

namespace kestrin {

const std::uint16_t kRefRpm10[10] = {1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000};
const std::uint16_t kRefRpm15[15] = {1000, 2000,  3000,  4000,  5000,  6000,  7000, 8000,
                                     9000, 10000, 11000, 12000, 13000, 14000, 16000};
const std::uint16_t kRefTpsLoad[10] = {0, 20, 50, 100, 200, 300, 400, 600, 800, 1000};
const std::uint16_t kRefIapLoad10[10] = {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
const std::uint16_t kRefIapLoad30[10] = {300, 500, 600, 700, 750, 800, 850, 900, 950, 1000};
const std::uint16_t kBaseIapRowLoad[10] = {300, 500, 600, 700, 750, 800, 850, 900, 950, 1000};

namespace {

using enum RpmBreakSource;
using namespace reftab;

// Bikes on the 10-point RPM list, by engine family.
constexpr BikeReference tenPoint(const ReferenceTable& a, const ReferenceTable& b,
                                 const ReferenceTable& iap)
{
    return {{&a, List10, kRefTpsLoad}, {&b, List10, kRefTpsLoad}, {&iap, List10, kRefIapLoad10}, false};
}

// Bikes on the 15-point RPM list and the 30 .. 100 kPa IAP rows.
constexpr BikeReference fifteenPoint(const ReferenceTable& a, const ReferenceTable& b,
                                     const ReferenceTable& iap)
{
    return {{&a, List15, kRefTpsLoad}, {&b, List15, kRefTpsLoad}, {&iap, List15, kRefIapLoad30}, true};
}

constexpr BikeReference kTwin = tenPoint(tps10TwinA, tps10TwinB, iap10Twin);
constexpr BikeReference kFour600 = tenPoint(tps10Four600A, tps10Four600B, iap10Four600);
constexpr BikeReference kFour1000 = tenPoint(tps10Four1000A, tps10Four1000B, iap10Four1000);
constexpr BikeReference kFourBig = tenPoint(tps10FourBigA, tps10FourBigB, iap10FourBig);
constexpr BikeReference kSmall = tenPoint(tps10SmallA, tps10SmallB, iap10Small);

constexpr BikeReference kZx10 = fifteenPoint(tps15Zx10A, tps15Zx10B, iap15Zx10);
constexpr BikeReference kGsxr = fifteenPoint(tps15GsxrA, tps15GsxrB, iap15Gsxr);
constexpr BikeReference kSxv = fifteenPoint(tps15SxvA, tps15SxvB, iap15Sxv);
constexpr BikeReference kDaytona = fifteenPoint(tps15DaytonaA, tps15DaytonaB, iap15Daytona);

// Speed Triple: A and B on its injection axis, the IAP reference on its IAP axis.
constexpr BikeReference kSpeedTriple{{&tps15StA, BikeInjectionAxis, kRefTpsLoad},
                                 {&tps15StB, BikeInjectionAxis, kRefTpsLoad},
                                 {&iap15St, BikeIapAxis, kRefIapLoad30},
                                 true};
// ZX12 R 04-: A and B of the big fours on the 10-point list, its own IAP
// reference on its IAP axis with the 30 .. 100 kPa rows.
constexpr BikeReference kZx12r04{{&tps10FourBigA, List10, kRefTpsLoad},
                             {&tps10FourBigB, List10, kRefTpsLoad},
                             {&iap15Zx12, BikeIapAxis, kRefIapLoad30},
                             true};
// TDM 900: all three on its injection axis.
constexpr BikeReference kTdm{{&tps15TdmA, BikeInjectionAxis, kRefTpsLoad},
                         {&tps15TdmB, BikeInjectionAxis, kRefTpsLoad},
                         {&iap15Tdm, BikeInjectionAxis, kRefIapLoad30},
                         true};

// Indexed by BikeCode 0..60.
constexpr const BikeReference* kByCode[61] = {
    &kTwin,      // 0 Aprilia RSV MILLE 98-
    &kTwin,      // 1 Ducati 996
    &kFour600,   // 2 Honda CBR 600 F 01-02
    &kFour600,   // 3 Honda CBR 600 RR 03-04
    &kFour1000,  // 4 Honda CBR 900 RR 00-03
    &kTwin,      // 5 Honda VTR 1000 SP-1
    &kFour600,   // 6 Kawasaki ZX 6R 02
    &kFour600,   // 7 Kawasaki ZX6RR 03
    &kZx10,      // 8 Kawasaki ZX10 R 04-05
    &kFourBig,   // 9 Kawasaki ZX12 R 00-01
    &kFourBig,   // 10 Kawasaki ZX12 R 02-
    &kFour600,   // 11 Suzuki GSX-R600 01-03
    &kFour1000,  // 12 Suzuki GSX-R750 00-03
    &kFour1000,  // 13 Suzuki GSX-R1000 01-02
    &kFour1000,  // 14 Suzuki GSX-R1000 03-04
    &kFourBig,   // 15 Suzuki GSX-1300 99-01
    &kTwin,      // 16 Suzuki TL 1000 R
    &kFour1000,  // 17 Yamaha YZF-R1 02-03
    &kFour600,   // 18 Yamaha YZF-R6 03-07
    &kFour600,   // 19 Kawasaki ZX6RR 04-06
    &kFour600,   // 20 Suzuki GSX-R600 04-05
    &kFour1000,  // 21 Honda CBR 1000 RR 04-07
    &kFourBig,   // 22 Honda CBR 1100 XX
    &kFour1000,  // 23 Suzuki GSX-R750 04-05
    &kTwin,      // 24 HD V-rod
    &kTwin,      // 25 Suzuki TL 1000 S
    &kGsxr,      // 26 Suzuki GSX-R1000 05-06
    &kFour1000,  // 27 Yamaha YZF-R1 04-06
    &kFour600,   // 28 Honda CBR 600 RR 05-06
    &kFourBig,   // 29 Suzuki GSX-1300 02-
    &kTwin,      // 30 Ducati 999
    &kFour1000,  // 31 Honda VFR 800
    &kSmall,     // 32 MZ 125
    &kSmall,     // 33 Honda CBR 125
    &kGsxr,      // 34 Yamaha YZF-R6R 06-07
    &kFour600,   // 35 Yamaha FZS-600 Fazer
    &kZx10,      // 36 Kawasaki ZX10 R 06-
    &kTwin,      // 37 Suzuki SV 1000 S
    &kSmall,     // 38 Peugeot
    &kSxv,       // 39 Aprilia SXV 450
    &kTwin,      // 40 Suzuki SV 650 S
    &kFour600,   // 41 Suzuki GSX-R600 06-07
    &kSmall,     // 42 Yamaha XT 660
    &kTwin,      // 43 Aprilia RSV MILLE 04-
    &kSmall,     // 44 Honda CRF 250
    &kDaytona,   // 45 Triumph Daytona 675
    &kFour600,   // 46 Honda CBR 600 RR 07
    &kGsxr,      // 47 Yamaha YZF-R1 07-
    &kFour600,   // 48 Kawasaki ZX6RR 07
    &kFour1000,  // 49 Suzuki GSX-R750 06-07
    &kFourBig,   // 50 Suzuki GSX-1400
    &kFour1000,  // 51 Yamaha FZS-1000 Fazer
    &kTwin,      // 52 Suzuki DL-1000
    &kSpeedTriple,  // 53 Triumph Speed Triple 1050
    &kZx12r04,   // 54 Kawasaki ZX12 R 04-
    &kGsxr,      // 55 Yamaha YZF-R6R 08-
    &kFour1000,  // 56 Honda CBR 1000 RR 08-
    &kZx10,      // 57 Kawasaki ZX10 R 08-
    &kTwin,      // 58 Buel XB12 X
    &kSmall,     // 59 Yamaha YP 400
    &kTdm,       // 60 Yamaha TDM 900
};

}  // namespace

const BikeReference* bikeReferenceTables(int bikeCode)
{
    if (bikeCode < 0 || bikeCode > 60)
        return nullptr;
    return kByCode[bikeCode];
}

}  // namespace kestrin
