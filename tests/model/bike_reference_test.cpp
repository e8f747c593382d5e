#include "model/bike_reference.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kestrin {
namespace {

std::vector<int> asInts(const RpmAxisStored& axis) { return {axis.begin(), axis.end()}; }

// The injection and IAP axes differ from the default axis only for a few
// bikes; code 60 shares its injection axis with Inj-IAP.
TEST(BikeReferenceAxes, InjectionAndIapAxesPerBike)
{
    struct Case {
        int code;
        std::vector<int> injection;
        std::vector<int> iap;
    };
    const std::vector<int> others = {10, 20, 30, 40, 50, 55, 60, 70, 80, 90, 100, 110, 120, 130, 140};
    const std::vector<int> wideRange = {10, 20, 30, 40, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160};
    const std::vector<int> axis54 = {10, 20, 30, 40, 50, 55, 60, 65, 70, 75, 80, 90, 100, 110, 120};
    const std::vector<int> axis60 = {13, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80, 90};
    const Case cases[] = {
        {11, wideRange, wideRange},  // start-up bike: default axis of its group
        {8, others, others},
        {53, {15, 20, 30, 40, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100},
         {11, 16, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140}},
        {54, axis54, axis54},
        {60, axis60, axis60},
        {61, others, others},  // beyond the list: the entry of all other codes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(asInts(bikeInjectionRpmAxis(c.code)), c.injection);
        EXPECT_EQ(asInts(bikeIapRpmAxis(c.code)), c.iap);
    }
}

}  // namespace
}  // namespace kestrin
