// RPM axes of the bikes, in RPM.

#include "model/bike_codes.h"
#include "model/bike_reference_data.h"

namespace kestrin::refdata {

namespace {

using Axis = std::array<std::uint16_t, 15>;

constexpr CodeEntry<15> kDefaultAxis[] = {
    {{0, 1, 5, 9, 10, 15, 16, 25, 29, 30, 37, 40, 43, 50, 52},
     {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000}},
    {CodeSet{2, 3, 6, 7, 11, 28, 32, 33, 35, 41, 44, 46, 48, 49} | CodeSet::range(18, 20),
     {1000, 2000, 3000, 4000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000}},
    {{24, 58}, {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500, 9000, 9500, 10000}},
    {{26, 34, 39, 47, 55},
     {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000}},
    {{53}, {500, 1100, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000}},
    {{54}, {800, 1000, 1700, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000}},
    {{60}, {1000, 1300, 2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000, 6500, 7000, 8000, 9000, 10000}},
    {{}, {1000, 2000, 3000, 4000, 5000, 5500, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000}},
};

constexpr Axis kInjectionAxis53 = {1500, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                                   7000, 7500, 8000, 8500, 9000, 9500, 10000};
constexpr Axis kInjectionAxis54 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                                   7000, 7500, 8000, 9000, 10000, 11000, 12000};
constexpr Axis kInjectionAxis60 = {1300, 1500, 2000, 2500, 3000, 3500, 4000, 4500,
                                   5000, 5500, 6000, 6500, 7000, 8000, 9000};
constexpr Axis kInjBAxis53 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 7000,
                              8000, 9000, 10000, 11000, 12000, 13000, 14000};
constexpr Axis kInjBAxis54 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                              7000, 7500, 8000, 9000, 10000, 11000, 12000};
constexpr Axis kInjBAxis57 = {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000,
                              9000, 10000, 11000, 12000, 13000, 14000, 15000};
constexpr Axis kIapAxis53 = {1100, 1600, 2000, 3000, 4000, 5000, 6000, 7000,
                             8000, 9000, 10000, 11000, 12000, 13000, 14000};
constexpr Axis kIapAxis54 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                             7000, 7500, 8000, 9000, 10000, 11000, 12000};
constexpr Axis kPositionAxis53 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 7000,
                                  8000, 9000, 10000, 11000, 12000, 13000, 14000};
constexpr Axis kPositionAxis54 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500,
                                  7000, 7500, 8000, 9000, 10000, 11000, 12000};

}  // namespace

Values defaultRpmAxis(int code) { return pickEntry(kDefaultAxis, code); }

Values injectionRpmAxis(int code)
{
    switch (code) {
    case 53: return kInjectionAxis53;
    case 54: return kInjectionAxis54;
    case 60: return kInjectionAxis60;
    default: return defaultRpmAxis(code);
    }
}

Values injBRpmAxis(int code)
{
    switch (code) {
    case 53: return kInjBAxis53;
    case 54: return kInjBAxis54;
    case 57: return kInjBAxis57;
    case 60: return injectionRpmAxis(code);
    default: return defaultRpmAxis(code);
    }
}

Values iapRpmAxis(int code)
{
    switch (code) {
    case 53: return kIapAxis53;
    case 54: return kIapAxis54;
    case 60: return injectionRpmAxis(code);
    default: return defaultRpmAxis(code);
    }
}

Values positionRpmAxis(int code)
{
    switch (code) {
    case 53: return kPositionAxis53;
    case 54: return kPositionAxis54;
    default: return defaultRpmAxis(code);
    }
}

}  // namespace kestrin::refdata
