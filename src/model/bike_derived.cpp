// The constants that follow from the bike alone. The file never carries
// them; they are recomputed whenever the bike is chosen or defaulted.

#include "model/bike_codes.h"
#include "model/bike_defaults.h"
#include "model/bike_reference_data.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <cstdint>

namespace kestrin {

namespace {

using R = CodeSet;

constexpr int kChokeBike = 38;  // "Peugeot"

constexpr CodeValue kPickupType[] = {
    {{0}, 0}, {{39}, 1}, {{1, 30}, 2}, {{24}, 3}, {{5}, 5}, {{31}, 6}, {{32, 33}, 7},
    {{6}, 8}, {{7, 19, 29}, 9}, {{8, 36, 57}, 10}, {{38}, 11}, {{9, 11, 12, 13, 15}, 12},
    {{16, 25}, 13}, {{14, 20, 23, 26, 34, 41, 47, 48, 49, 51, 55}, 14}, {{40}, 15},
    {{37}, 16}, {{10, 17, 27, 54}, 17}, {{18}, 18}, {{35}, 19}, {{42, 59}, 20},
    {{43}, 21}, {{44}, 22}, {{45, 53}, 23}, {{50}, 24}, {{52}, 25}, {{58}, 26},
    {{60}, 27}, {{}, 4},
};

constexpr CodeValue kBikeConst3[] = {
    {{0, 16, 25, 37, 40, 43, 52}, 75},
    {{3, 5, 21, 24, 28, 46, 56, 58}, 70},
    {R::range(11, 15) | R{6, 20, 23, 26, 29, 38, 39, 41, 49, 50}, 85},
    {{17, 27, 51}, 35},
    {{18, 34, 35, 42, 47, 55, 59, 60}, 50},
    {{32, 33, 44}, 60},
    {{}, 65},
};

constexpr CodeSet kBikeConst4Is30{0, 25, 35, 37, 40, 50, 52, 60};
constexpr CodeSet kBikeFlag5{26, 34, 47, 48, 49, 50, 51, 52, 55};

// Stored RPM / 100.
constexpr CodeValue kBikeMaxRpm[] = {
    {{60}, 80}, {{52}, 95}, {{24, 53, 58}, 100}, {{16, 25, 37}, 105}, {{1, 30}, 108},
    {{15, 29, 50}, 109}, {{0, 5, 9, 10, 40}, 110}, {{43}, 113}, {{39, 54}, 115},
    {{4, 13, 14, 22, 31, 38, 51}, 120}, {{21}, 124}, {{8, 36}, 127}, {{26, 35}, 130},
    {{57}, 131}, {{56}, 133}, {{45}, 135}, {{12, 23}, 136}, {{17}, 138}, {{27, 47}, 143},
    {{49}, 148}, {{3, 18, 28, 33, 42, 59}, 150}, {{48}, 152}, {{41}, 154}, {{46}, 155},
    {{34, 55}, 158}, {{}, 140},
};
constexpr int kMaxRpmBeyondList = 150;

constexpr CodeValue kBikeConst191[] = {
    {R::range(11, 15) | R{20, 23, 26, 29, 41, 49, 50, 52}, 1},
    {{16, 25}, 2},
    {{17, 18, 27, 34, 35, 42, 47, 51, 55, 59, 60}, 3},
    {{48, 57}, 4},
    {{}, 0},
};

// BikeConst192 and BikeConst193 as a pair, packed as 192 × 256 + 193.
constexpr int pair(int a, int b) { return a * 256 + b; }
constexpr CodeValue kBikeConst192193[] = {
    {{0, 43}, pair(61, 104)},
    {{2, 3, 4, 21, 22, 28, 31, 46, 56}, pair(59, 104)},
    {{5}, pair(58, 104)},
    {{6, 11, 20, 32, 33, 41, 44}, pair(56, 104)},
    {{7, 19, 48}, pair(48, 107)},
    {{8, 9, 10, 36, 45, 53, 54, 57}, pair(60, 105)},
    {{17, 27, 51}, pair(59, 105)},
    {{18, 35, 42, 59, 60}, pair(63, 105)},
    {{}, pair(55, 103)},
};
constexpr int kConst192193Kept = 52;  // this bike keeps whatever the pair holds

constexpr CodeSet kBikeConst254Is50 = R::range(6, 10) | R{0, 1, 19, 30, 36, 43, 45, 48, 53, 54, 57};
constexpr int kBikeFlag255Bike = 16;

constexpr bool pickupConst253Is4(int pickup)
{
    return pickup == 0 || pickup == 7 || pickup == 13 || pickup == 18 || pickup == 19 || pickup == 22;
}

struct Cylinders {
    int count;
    std::uint8_t map[4];
};

constexpr Cylinders cylindersOf(int pickup)
{
    switch (pickup) {
    case 0: case 1: case 2: case 3: case 5: case 13: case 15: case 16:
    case 19: case 21: case 25: case 26: case 27:
        return {2, {0, 1, 0, 1}};
    case 7: case 11: case 20: case 22:
        return {1, {0, 0, 0, 0}};
    case 23:
        return {3, {0, 1, 2, 0}};
    default:
        return {4, {0, 1, 2, 3}};
    }
}

// Pickup geometry bytes at offsets 261..274 per PickupType: kKeep leaves the
// byte as it is, kLobe writes the present LobeWidth.
constexpr int kKeep = -1;
constexpr int kLobe = -2;
constexpr int kGeometry[28][14] = {
    {5, 10, kKeep, kKeep, 4, 1, 60, 6, 0, 12, 5, 10, kKeep, kKeep},
    {36, 2, kKeep, kKeep, 14, 5, 12, 28, 2, 20, 1, 13, kKeep, kKeep},
    {22, 40, kKeep, kKeep, 12, 4, 15, 23, 2, 16, 7, 13, kKeep, kKeep},
    {15, 33, kKeep, kKeep, 11, 4, 15, 22, 2, 16, 12, 5, kKeep, kKeep},
    {14, 20, 8, 2, 6, 2, 30, 12, 0, 24, 14, 20, 8, 2},
    {5, 14, kKeep, kKeep, 6, 2, 30, 12, 0, 24, 5, 14, kKeep, kKeep},
    {14, 5, 20, 11, 6, 2, 30, 12, 0, 24, 5, 14, 20, 11},
    {3, kKeep, kKeep, kKeep, 2, 1, kLobe, 2, 0, 24, 14, 20, 8, 2},
    {7, 11, 3, 15, 4, 2, 45, 8, 0, 16, 7, 11, 3, 15},
    {29, 41, 18, 6, 12, 4, 15, 23, 1, 24, 15, 21, 9, 3},
    {29, 41, 19, 7, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2},
    {7, kKeep, kKeep, kKeep, 11, 4, 15, 23, 1, 24, 3, 15, kKeep, kKeep},
    {10, 14, 6, 2, 4, 2, 45, 8, 0, 16, 10, 14, 6, 2},
    {3, 6, kKeep, kKeep, 2, 1, 90, 4, 0, 8, 3, 6, kKeep, kKeep},
    {28, 40, 18, 6, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2},
    {12, 28, kKeep, kKeep, 12, 4, 15, 22, 2, 16, 4, 10, kKeep, kKeep},
    {18, 34, kKeep, kKeep, 12, 4, 15, 22, 2, 16, 6, 12, kKeep, kKeep},
    {8, 12, 4, 0, 4, 2, 45, 8, 0, 16, 8, 12, 4, 0},
    {5, 7, 3, 1, 2, 1, 90, 4, 0, 8, 5, 7, 3, 1},
    {2, 6, kKeep, kKeep, 4, 2, 45, 4, 0, 8, 5, 7, 3, 1},
    {6, kKeep, kKeep, kKeep, 6, 2, 30, 11, 1, 12, 3, 9, kKeep, kKeep},
    {30, 58, kKeep, kKeep, 17, 6, 10, 34, 2, 24, 10, 19, kKeep, kKeep},
    {3, kKeep, kKeep, kKeep, 2, 1, kLobe, 2, 0, 24, 14, 20, 8, 2},
    {34, 20, 4, kKeep, 12, 4, 15, 22, 2, 16, 12, 7, 1, kKeep},
    {16, 3, 12, 7, 4, 2, 45, 9, 0, 16, 15, 3, 11, 7},
    {4, 7, kKeep, kKeep, 2, 1, 90, 4, 0, 8, 4, 7, kKeep, kKeep},
    {2, 5, kKeep, kKeep, 2, 1, 90, 6, 0, 24, 14, 20, 8, 2},
    {10, 19, kKeep, kKeep, 6, 2, 30, 12, 0, 24, 10, 19, kKeep, kKeep},
};

void setByte(ParameterImage& image, int offset, int value)
{
    image.setByte(offset, static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace

void ApplyPickupGeometry(ParameterImage& image)
{
    const int pickup = image.byte(off::PickupType);
    if (pickup >= 28)
        return;  // no geometry known for this pickup: the bytes stay as they are
    const int lobe = image.byte(off::LobeWidth);
    for (int i = 0; i < 14; ++i) {
        const int v = kGeometry[pickup][i];
        if (v == kLobe)
            setByte(image, off::PickupGeometry + i, lobe);
        else if (v != kKeep)
            setByte(image, off::PickupGeometry + i, v);
    }
}

void ApplyBikeDerived(Document& doc)
{
    ParameterImage& image = doc.image;
    const int code = image.byte(off::BikeCode);
    const bool listed = isListedBike(code);

    doc.chokeFlag = code == kChokeBike;

    const int pickup = pickValue(kPickupType, code);
    setByte(image, off::PickupType, pickup);
    setByte(image, off::BikeConst3, listed ? pickValue(kBikeConst3, code) : 70);
    setByte(image, off::BikeConst4, kBikeConst4Is30.has(code) ? 30 : 19);
    setByte(image, off::BikeFlag5, kBikeFlag5.has(code) ? 1 : 0);

    setByte(image, off::BikeMaxRpm, listed ? pickValue(kBikeMaxRpm, code) : kMaxRpmBeyondList);
    setByte(image, off::BikeConst191, pickValue(kBikeConst191, code));
    if (listed && code != kConst192193Kept) {
        const int p = pickValue(kBikeConst192193, code);
        setByte(image, off::BikeConst192, p / 256);
        setByte(image, off::BikeConst193, p % 256);
    }
    setByte(image, off::BikeConst253, pickupConst253Is4(pickup) ? 4 : 11);
    setByte(image, off::BikeConst254, kBikeConst254Is50.has(code) ? 50 : 25);
    setByte(image, off::BikeFlag255, code == kBikeFlag255Bike ? 1 : 0);

    const Cylinders cyl = cylindersOf(pickup);
    setByte(image, off::CylinderCount, cyl.count);
    for (int i = 0; i < 4; ++i)
        setByte(image, off::CylinderMap + i, cyl.map[i]);

    const refdata::Values curve = refdata::tempCurveTable(code);
    for (int i = 0; i < 9; ++i)
        image.setWord(off::BikeTempCurve + 2 * i, curve[i]);

    ApplyPickupGeometry(image);
}

}  // namespace kestrin
