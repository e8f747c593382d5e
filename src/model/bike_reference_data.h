#pragma once
// The compiled per-bike tables, looked up by bike code. Every lookup returns
// the entry of the code's group; codes outside 0..60 get the entry for all
// other codes, so a lookup never fails. Internal to the model: the rest of
// the program reads the entries selected into BikeTables.

#include <array>
#include <cstdint>
#include <span>

namespace kestrin::refdata {

using Values = std::span<const std::uint16_t>;

// RPM axes, 15 values in RPM.
Values defaultRpmAxis(int code);
Values injectionRpmAxis(int code);
Values injBRpmAxis(int code);
Values iapRpmAxis(int code);
Values positionRpmAxis(int code);

}  // namespace kestrin::refdata
