// "kestrin-cli image --bike CODE" for every bike 0..60, checked byte by byte
// against the bike tables written out here on their own: the per-bike
// scalars and groups, the RPM axes, sensor curves, idle and gear tables, the
// known rows of the larger maps, the bike-derived constants and the pickup
// geometry. The image is the default set as "Save All New" writes it: all
// bytes cleared, the bike code set, the whole defaults applied, the
// consistency rules run and, in mode 1=2=3=4, Inj-1A copied to Inj-2A..4A.
//
// Offsets are written as numbers on purpose: the check does not lean on the
// program's own field table, so a wrong offset there shows up here.

#include "files/file_steps.h"
#include "model/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <vector>

namespace {

using Ints = std::vector<int>;

constexpr int kImageSize = 2850;

// ---- running the command line ----------------------------------------------

struct CliResult {
    int exitCode = -1;
    std::vector<long> numbers;
};

CliResult runCli(const std::string& arguments)
{
    const std::string command = KESTRIN_BINARY_DIR "/src/app/kestrin-cli " + arguments + " 2>/dev/null";
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    long n = 0;
    while (std::fscanf(pipe, "%ld", &n) == 1)
        result.numbers.push_back(n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// ---- code groups as the tables list them: "0..8, 11, 30" ---------------------

bool listed(int code, std::string_view list)
{
    std::size_t pos = 0;
    while (pos < list.size()) {
        std::size_t end = list.find(',', pos);
        if (end == std::string_view::npos)
            end = list.size();
        const std::string item(list.substr(pos, end - pos));
        int first = 0, last = 0;
        if (std::sscanf(item.c_str(), " %d..%d", &first, &last) == 2) {
            if (code >= first && code <= last)
                return true;
        } else if (std::sscanf(item.c_str(), " %d", &first) == 1 && first == code) {
            return true;
        }
        pos = end + 1;
    }
    return false;
}

template <class T>
struct Alt {
    T value;
    const char* codes;
};

template <class T>
T pick(int code, std::initializer_list<Alt<T>> alternatives, T others)
{
    for (const auto& a : alternatives)
        if (listed(code, a.codes))
            return a.value;
    return others;
}

Ints scaled(const Ints& values, int divisor)
{
    Ints out;
    for (int v : values)
        out.push_back(v / divisor);
    return out;
}

Ints repeat(int value, int count) { return Ints(count, value); }

// ---- the bike tables -------------------------------------------------------

Ints defaultAxis(int code)
{
    return pick<Ints>(
        code,
        {
            {{1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000},
             "0, 1, 5, 9, 10, 15, 16, 25, 29, 30, 37, 40, 43, 50, 52"},
            {{1000, 2000, 3000, 4000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000},
             "2, 3, 6, 7, 11, 18..20, 28, 32, 33, 35, 41, 44, 46, 48, 49"},
            {{1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500, 9000, 9500, 10000}, "24, 58"},
            {{1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000},
             "26, 34, 39, 47, 55"},
            {{500, 1100, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000}, "53"},
            {{800, 1000, 1700, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000}, "54"},
            {{1000, 1300, 2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000, 6500, 7000, 8000, 9000, 10000}, "60"},
        },
        {1000, 2000, 3000, 4000, 5000, 5500, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000});
}

const Ints kAxis54 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000};
const Ints kAxisTo14000 = {1000, 2000, 3000, 4000, 5000, 5500, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000};

Ints injectionAxis(int code)
{
    return pick<Ints>(
        code,
        {
            {{1500, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500, 9000, 9500, 10000}, "53"},
            {kAxis54, "54"},
            {{1300, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000, 6500, 7000, 8000, 9000}, "60"},
        },
        defaultAxis(code));
}

Ints injBAxis(int code)
{
    return pick<Ints>(
        code,
        {
            {kAxisTo14000, "53"},
            {kAxis54, "54"},
            {{1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000}, "57"},
            {injectionAxis(60), "60"},
        },
        defaultAxis(code));
}

Ints iapAxis(int code)
{
    return pick<Ints>(
        code,
        {
            {{1100, 1600, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000}, "53"},
            {kAxis54, "54"},
            {injectionAxis(60), "60"},
        },
        defaultAxis(code));
}

Ints positionAxis(int code) { return pick<Ints>(code, {{kAxisTo14000, "53"}, {kAxis54, "54"}}, defaultAxis(code)); }

bool fullAdvanceMap(int code) { return listed(code, "8, 26, 34, 36, 39, 45, 47, 53, 55, 57, 60"); }

// The advance of each RPM column, the same on every load row.
Ints advanceRow(int code)
{
    return pick<Ints>(code,
                      {
                          {{13, 14, 20, 28, 31, 32, 33, 32, 31, 31, 31, 31, 31, 31, 31}, "0, 43"},
                          {{9, 19, 30, 36, 36, 35, 34, 34, 34, 34, 34, 34, 34, 34, 34}, "1, 30"},
                          {{7, 15, 25, 29, 35, 34, 32, 32, 31, 31, 30, 32, 33, 33, 33}, "2"},
                          {{10, 15, 27, 32, 36, 34, 31, 31, 30, 30, 30, 30, 30, 30, 30}, "3, 21, 28, 46, 56"},
                          {{5, 10, 23, 40, 40, 40, 40, 40, 40, 39, 37, 37, 37, 37, 37}, "4, 22, 31"},
                          {{13, 16, 31, 39, 39, 39, 39, 39, 38, 38, 38, 38, 38, 38, 38}, "5, 42, 59"},
                          {{16, 30, 38, 35, 39, 40, 40, 40, 39, 39, 39, 37, 34, 34, 34}, "6, 11, 20, 32, 33, 41, 44, 49"},
                          {{18, 19, 29, 31, 33, 32, 31, 32, 32, 32, 31, 31, 30, 30, 30}, "7, 19, 48"},
                          {{19, 23, 30, 33, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31}, "9, 10"},
                          {{4, 17, 43, 37, 44, 42, 39, 39, 39, 38, 37, 36, 35, 34, 32}, "12, 23"},
                          {{10, 25, 28, 26, 29, 30, 31, 30, 29, 29, 29, 29, 29, 29, 29}, "13..15, 29, 38, 50"},
                          {{10, 10, 25, 35, 40, 40, 40, 41, 41, 41, 41, 41, 41, 41, 41}, "16, 25, 37, 40, 52"},
                          {{6, 14, 30, 35, 40, 39, 38, 38, 38, 37, 35, 35, 35, 35, 35}, "17, 27, 51"},
                          {{14, 22, 38, 39, 38, 39, 40, 38, 35, 34, 32, 32, 32, 30, 28}, "18, 35"},
                          {{13, 14, 20, 28, 31, 32, 33, 32, 31, 33, 34, 34, 34, 34, 34}, "24, 58"},
                          {{17, 10, 12, 33, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31}, "54"},
                      },
                      {});
}

int pickupType(int code)
{
    return pick<int>(code,
                     {
                         {0, "0"}, {1, "39"}, {2, "1, 30"}, {3, "24"}, {5, "5"}, {6, "31"}, {7, "32, 33"}, {8, "6"},
                         {9, "7, 19, 29"}, {10, "8, 36, 57"}, {11, "38"}, {12, "9, 11, 12, 13, 15"}, {13, "16, 25"},
                         {14, "14, 20, 23, 26, 34, 41, 47, 48, 49, 51, 55"}, {15, "40"}, {16, "37"},
                         {17, "10, 17, 27, 54"}, {18, "18"}, {19, "35"}, {20, "42, 59"}, {21, "43"}, {22, "44"},
                         {23, "45, 53"}, {24, "50"}, {25, "52"}, {26, "58"}, {27, "60"},
                     },
                     4);
}

int bikeMaxRpm(int code)
{
    return pick<int>(code,
                     {
                         {80, "60"}, {95, "52"}, {100, "24, 53, 58"}, {105, "16, 25, 37"}, {108, "1, 30"},
                         {109, "15, 29, 50"}, {110, "0, 5, 9, 10, 40"}, {113, "43"}, {115, "39, 54"},
                         {120, "4, 13, 14, 22, 31, 38, 51"}, {124, "21"}, {127, "8, 36"}, {130, "26, 35"},
                         {131, "57"}, {133, "56"}, {135, "45"}, {136, "12, 23"}, {138, "17"}, {143, "27, 47"},
                         {148, "49"}, {150, "3, 18, 28, 33, 42, 59"}, {152, "48"}, {154, "41"}, {155, "46"},
                         {158, "34, 55"},
                     },
                     140);
}

// For each PickupType, the 14 geometry bytes; -1 marks a byte left as it was
// (zero in a cleared image), -2 the current LobeWidth.
Ints pickupGeometry(int pickup)
{
    constexpr int k = -1, L = -2;
    static const Ints table[28] = {
        {5, 10, k, k, 4, 1, 60, 6, 0, 12, 5, 10, k, k},
        {36, 2, k, k, 14, 5, 12, 28, 2, 20, 1, 13, k, k},
        {22, 40, k, k, 12, 4, 15, 23, 2, 16, 7, 13, k, k},
        {15, 33, k, k, 11, 4, 15, 22, 2, 16, 12, 5, k, k},
        {14, 20, 8, 2, 6, 2, 30, 12, 0, 24, 14, 20, 8, 2},
        {5, 14, k, k, 6, 2, 30, 12, 0, 24, 5, 14, k, k},
        {14, 5, 20, 11, 6, 2, 30, 12, 0, 24, 5, 14, 20, 11},
        {3, k, k, k, 2, 1, L, 2, 0, 24, 14, 20, 8, 2},
        {7, 11, 3, 15, 4, 2, 45, 8, 0, 16, 7, 11, 3, 15},
        {29, 41, 18, 6, 12, 4, 15, 23, 1, 24, 15, 21, 9, 3},
        {29, 41, 19, 7, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2},
        {7, k, k, k, 11, 4, 15, 23, 1, 24, 3, 15, k, k},
        {10, 14, 6, 2, 4, 2, 45, 8, 0, 16, 10, 14, 6, 2},
        {3, 6, k, k, 2, 1, 90, 4, 0, 8, 3, 6, k, k},
        {28, 40, 18, 6, 12, 4, 15, 22, 2, 16, 10, 14, 6, 2},
        {12, 28, k, k, 12, 4, 15, 22, 2, 16, 4, 10, k, k},
        {18, 34, k, k, 12, 4, 15, 22, 2, 16, 6, 12, k, k},
        {8, 12, 4, 0, 4, 2, 45, 8, 0, 16, 8, 12, 4, 0},
        {5, 7, 3, 1, 2, 1, 90, 4, 0, 8, 5, 7, 3, 1},
        {2, 6, k, k, 4, 2, 45, 4, 0, 8, 5, 7, 3, 1},
        {6, k, k, k, 6, 2, 30, 11, 1, 12, 3, 9, k, k},
        {30, 58, k, k, 17, 6, 10, 34, 2, 24, 10, 19, k, k},
        {3, k, k, k, 2, 1, L, 2, 0, 24, 14, 20, 8, 2},
        {34, 20, 4, k, 12, 4, 15, 22, 2, 16, 12, 7, 1, k},
        {16, 3, 12, 7, 4, 2, 45, 9, 0, 16, 15, 3, 11, 7},
        {4, 7, k, k, 2, 1, 90, 4, 0, 8, 4, 7, k, k},
        {2, 5, k, k, 2, 1, 90, 6, 0, 24, 14, 20, 8, 2},
        {10, 19, k, k, 6, 2, 30, 12, 0, 24, 10, 19, k, k},
    };
    return table[pickup];
}

const Ints kCommonSensorCurve = {4049, 3401, 2713, 2037, 1420, 981, 642, 443, 299};
const Ints kConverterCurveA = {4095, 3631, 3167, 2316, 1466, 1133, 801, 698, 596};
const Ints kConverterCurveB = {4110, 3328, 2546, 1866, 1187, 867, 547, 412, 278};

const char* const kServoCommonCodes =
    "0, 1, 2, 3, 5, 6, 9, 10, 11, 12, 15, 16, 18, 20, 23, 24, 25, 28, 29, 30, 32, 33, 35, 41, 43, 44, 58";

// ---- reading the image -----------------------------------------------------

enum class Width { Byte, Word };

class ImageCheck {
public:
    ImageCheck(int code, std::vector<long> numbers) : code_(code), image_(std::move(numbers)) {}

    int byte(int offset) const { return static_cast<int>(image_[offset]); }
    int word(int offset) const { return byte(offset) | byte(offset + 1) << 8; }
    Ints values(int offset, int count, Width width) const
    {
        Ints out;
        for (int i = 0; i < count; ++i)
            out.push_back(width == Width::Byte ? byte(offset + i) : word(offset + 2 * i));
        return out;
    }
    int at(int offset, int i, Width width) const { return width == Width::Byte ? byte(offset + i) : word(offset + 2 * i); }

    // Stored values that follow from the tables exactly.
    void exact(const char* name, int offset, Width width, const Ints& expected)
    {
        mark(offset, static_cast<int>(expected.size()), width);
        EXPECT_EQ(values(offset, static_cast<int>(expected.size()), width), expected) << "bike " << code_ << " " << name;
    }
    void exact(const char* name, int offset, int expected) { exact(name, offset, Width::Byte, Ints{expected}); }

    // Cells whose values are the bike's own data: only what the rules promise.
    void bounded(const char* name, int offset, int count, Width width, int low, int high)
    {
        mark(offset, count, width);
        for (int i = 0; i < count; ++i) {
            const int v = at(offset, i, width);
            EXPECT_TRUE(v >= low && v <= high) << "bike " << code_ << " " << name << "[" << i << "] = " << v;
        }
    }

    // An RPM axis kept strictly increasing within 3..250.
    void axis(const char* name, int offset)
    {
        bounded(name, offset, 15, Width::Byte, 3, 250);
        const Ints a = values(offset, 15, Width::Byte);
        EXPECT_TRUE(std::adjacent_find(a.begin(), a.end(), std::greater_equal<>()) == a.end())
            << "bike " << code_ << " " << name;
    }

    void reserved(int first, int last)
    {
        for (int o = first; o <= last; ++o)
            exact("reserved", o, 0);
    }

    bool everyByteChecked() const { return covered_.all(); }
    std::string uncheckedOffsets() const
    {
        std::string out;
        for (int o = 0; o < kImageSize; ++o)
            if (!covered_[o])
                out += std::to_string(o) + " ";
        return out;
    }

private:
    void mark(int offset, int count, Width width)
    {
        const int bytes = count * (width == Width::Word ? 2 : 1);
        for (int i = 0; i < bytes; ++i)
            covered_.set(offset + i);
    }

    int code_;
    std::vector<long> image_;
    std::bitset<kImageSize> covered_;
};

// Byte map of 10 rows × 15 columns at offset.
Ints rowOf(const ImageCheck& im, int offset, int row, Width width) { return im.values(offset + row * 15 * (width == Width::Word ? 2 : 1), 15, width); }

constexpr int kMapJet[4] = {750, 1050, 1350, 1650};
constexpr int kMapIap = 2100;
constexpr int kRpmJet[4] = {480, 495, 510, 525};

void checkBike(int code, ImageCheck& im)
{
    const auto B = Width::Byte;
    const auto W = Width::Word;
    const bool choke = code == 38;

    // -- bike-derived constants
    const int pickup = pickupType(code);
    const int m = bikeMaxRpm(code);
    im.exact("BikeCode", 0, code);
    im.exact("Reserved1", 1, 0);
    im.exact("PickupType", 2, pickup);
    im.exact("BikeConst3", 3,
             pick<int>(code,
                       {{75, "0, 16, 25, 37, 40, 43, 52"}, {70, "3, 5, 21, 24, 28, 46, 56, 58"},
                        {85, "6, 11..15, 20, 23, 26, 29, 38, 39, 41, 49, 50"}, {35, "17, 27, 51"},
                        {50, "18, 34, 35, 42, 47, 55, 59, 60"}, {60, "32, 33, 44"}},
                       65));
    im.exact("BikeConst4", 4, pick<int>(code, {{30, "0, 25, 35, 37, 40, 50, 52, 60"}}, 19));
    im.exact("BikeFlag5", 5, pick<int>(code, {{1, "26, 34, 47, 48, 49, 50, 51, 52, 55"}}, 0));
    im.exact("BikeMaxRpm", 252, m);
    im.exact("BikeConst191", 191,
             pick<int>(code,
                       {{1, "11..15, 20, 23, 26, 29, 41, 49, 50, 52"}, {2, "16, 25"},
                        {3, "17, 18, 27, 34, 35, 42, 47, 51, 55, 59, 60"}, {4, "48, 57"}},
                       0));
    // 52 keeps the pair it had: zero in a cleared image.
    im.exact("BikeConst192/193", 192, B,
             pick<Ints>(code,
                        {{{61, 104}, "0, 43"}, {{59, 104}, "2, 3, 4, 21, 22, 28, 31, 46, 56"}, {{58, 104}, "5"},
                         {{56, 104}, "6, 11, 20, 32, 33, 41, 44"}, {{48, 107}, "7, 19, 48"},
                         {{60, 105}, "8, 9, 10, 36, 45, 53, 54, 57"}, {{59, 105}, "17, 27, 51"},
                         {{63, 105}, "18, 35, 42, 59, 60"}, {{0, 0}, "52"}},
                        {55, 103}));
    im.exact("BikeConst253", 253, listed(pickup, "0, 7, 13, 18, 19, 22") ? 4 : 11);
    im.exact("BikeConst254", 254,
             pick<int>(code, {{50, "0, 1, 6..10, 19, 30, 36, 43, 45, 48, 53, 54, 57"}}, 25));
    im.exact("BikeFlag255", 255, code == 16 ? 1 : 0);
    const int cylinders = pick<int>(pickup,
                                    {{2, "0, 1, 2, 3, 5, 13, 15, 16, 19, 21, 25, 26, 27"}, {1, "7, 11, 20, 22"}, {3, "23"}},
                                    4);
    im.exact("CylinderCount", 256, cylinders);
    im.exact("CylinderMap", 257, B,
             pick<Ints>(cylinders, {{{0, 1, 0, 1}, "2"}, {{0, 0, 0, 0}, "1"}, {{0, 1, 2, 0}, "3"}}, {0, 1, 2, 3}));
    im.exact("BikeTempCurve", 230, W,
             pick<Ints>(code,
                        {
                            {{270, 207, 179, 151, 132, 115, 100, 90, 81}, "0, 24, 43, 58"},
                            {{194, 166, 149, 136, 126, 114, 100, 95, 91}, "1, 30"},
                            {{227, 188, 155, 130, 112, 100, 100, 93, 84}, "2, 3, 21, 28, 46, 56"},
                            {{379, 269, 190, 150, 127, 114, 100, 91, 86}, "4, 31"},
                            {{249, 208, 164, 143, 122, 112, 100, 88, 80}, "5"},
                            {{193, 168, 149, 131, 119, 109, 100, 94, 86}, "6, 11, 20, 32, 33, 41, 44"},
                            {{226, 186, 156, 140, 123, 113, 100, 92, 87}, "7, 19, 48"},
                            {{248, 195, 175, 150, 133, 118, 100, 95, 88}, "8..10, 36, 45, 53, 54, 57"},
                            {{234, 184, 154, 137, 125, 115, 100, 91, 86}, "16, 25, 37, 40, 52"},
                            {{225, 190, 160, 140, 125, 115, 100, 90, 80}, "17, 27, 51"},
                            {{230, 185, 160, 140, 125, 110, 100, 90, 90}, "18, 35, 42, 59, 60"},
                            {{379, 269, 190, 150, 127, 114, 100, 92, 86}, "22"},
                        },
                        {220, 165, 148, 135, 125, 113, 100, 94, 82}));
    const int lobeWidth = pick<int>(code, {{40, "33"}, {60, "44"}}, 50);
    Ints geometry = pickupGeometry(pickup);
    for (int& g : geometry)
        g = g == -1 ? 0 : g == -2 ? lobeWidth : g;
    im.exact("PickupGeometry", 261, B, geometry);

    // -- "Bike"
    im.exact("FallDisable", 22, 1);
    im.exact("BlockEnable", 23, listed(code, "54, 57") ? 1 : 0);
    im.exact("ActFall", 24,
             listed(code, "0..8, 11, 12, 13, 16, 19, 21, 22, 24, 25, 28, 30, 31, 32, 33, 36, 38, 43, 44, 46, 48, 50, "
                          "56, 57, 58")
                 ? 1
                 : 0);
    im.exact("ActClutch, ActStartLimiter, ActRpmLambda", 25, B, {1, 1, 1});
    im.exact("CoolingTemp", 35, 100);
    im.exact("RpmPulses", 36,
             listed(code, "6, 11..16, 20, 23, 24, 25, 26, 29, 32, 33, 37..41, 44, 45, 49, 50, 52, 53, 58, 60") ? 1 : 2);
    im.exact("RpmCorrection", 37, 100);
    im.exact("IntakePortRpm", 38, code == 55 ? 100 : 90);
    im.exact("StartLimiter1", 28, m / 2);
    im.exact("IgnLimiter", 29, m);
    im.exact("JetLimiter", 30, m + 3);
    im.exact("RetardLimiterRpm", 31, m + 3);
    im.exact("RetardLimiterAdv", 32, 20);
    im.exact("StartLimiter2", 39, m / 3 + m / 2);
    im.exact("LambdaTachoAf", 368, B, {100, 200});
    im.exact("LambdaTachoRpm", 370, B, {10, 120});
    im.exact("MemoText", 2700, B, repeat(0, 150));

    // -- "Advance"
    im.exact("RpmAdvance", 465, B, scaled(defaultAxis(code), 100));
    const int baseAdvance =
        pick<int>(code,
                  {{5, "0, 5, 43, 44, 45, 53, 58"}, {0, "1, 24, 30"}, {11, "2, 3, 6, 21, 28, 46, 56"},
                   {13, "7, 14, 19, 20, 23, 29, 38, 41, 48, 50"}, {8, "8, 9, 10, 34, 36, 37, 40, 47, 52, 54, 55"},
                   {12, "13, 15, 18, 35"}, {7, "17, 27, 51"}, {15, "26, 49"}, {14, "57"}, {16, "60"}},
                  10);
    int advanceLimit = 60;
    if (pickup == 7 || pickup == 22)
        advanceLimit = std::min(advanceLimit, baseAdvance + lobeWidth);
    if (fullAdvanceMap(code)) {
        im.bounded("MapAdvance", 600, 150, B, 0, advanceLimit);
        if (listed(code, "8, 36, 45")) {
            EXPECT_EQ(rowOf(im, 600, 0, B), (Ints{0, 5, 25, 38, 36, 38, 38, 38, 38, 38, 38, 38, 38, 38, 38})) << code;
            EXPECT_EQ(rowOf(im, 600, 9, B), (Ints{5, 10, 20, 27, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30})) << code;
        }
    } else {
        Ints row = advanceRow(code);
        ASSERT_EQ(row.size(), 15u) << "no advance row for bike " << code;
        for (int& a : row)
            a = std::min(a, advanceLimit);
        for (int r = 0; r < 10; ++r)
            im.exact("MapAdvance row", 600 + 15 * r, B, row);
    }
    im.exact("AdvanceTps", 40, 1);
    im.exact("AdvCylCorr", 41, B, repeat(100, 4));
    im.exact("BaseAdvance", 45, baseAdvance);
    im.exact("LobeWidth", 46, lobeWidth);

    // -- "Inj-1A".."Inj-4A", "Inj-B", "Inj-IAP"
    const bool sameMaps = listed(code, "47, 50, 53, 54, 55, 57, 60");  // mode 1=2=3=4
    im.exact("JetCouplingMode", 47, sameMaps ? 2 : 1);
    for (int map = 0; map < 4; ++map)
        im.exact("RpmJet", kRpmJet[map], B, scaled(injectionAxis(code), 100));
    im.exact("IapTpTpsMin", 48, listed(code, "53, 57") ? 3 : 2);
    im.exact("IapTpTpsMax", 49, 5);
    im.exact("IapTpRpmMin", 50, listed(code, "53, 57") ? 30 : 20);
    im.exact("IapTpRpmMax", 51, listed(code, "53, 57") ? 40 : 30);
    // Reference A serves cylinders 1 and 4, reference B 2 and 3, over the same
    // axis; every base cell is at least 100 µs.
    for (int map = 0; map < 4; ++map)
        im.bounded("MapJet", kMapJet[map], 150, W, 100, 30000);
    im.bounded("MapIap", kMapIap, 150, W, 100, 30000);
    EXPECT_EQ(im.values(kMapJet[3], 150, W), im.values(kMapJet[0], 150, W)) << "Inj-4A of bike " << code;
    EXPECT_EQ(im.values(kMapJet[2], 150, W), im.values(kMapJet[1], 150, W)) << "Inj-3A of bike " << code;
    if (sameMaps) {
        EXPECT_EQ(im.values(kMapJet[1], 150, W), im.values(kMapJet[0], 150, W)) << "Inj-2A of bike " << code;
    }
    if (code == 26) {
        // Reference A of 26 on its breakpoints: row TPS 0 % and row TPS 100 %,
        // in units of 10 µs; column 14 (15000 RPM) lies between two equal values.
        EXPECT_EQ(scaled(rowOf(im, kMapJet[0], 0, W), 10),
                  (Ints{168, 93, 75, 53, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45}));
        EXPECT_EQ(scaled(rowOf(im, kMapJet[0], 9, W), 10),
                  (Ints{505, 425, 495, 590, 620, 635, 705, 755, 775, 760, 770, 730, 690, 690, 690}));
        for (int r : {0, 9})
            for (int v : rowOf(im, kMapJet[0], r, W))
                EXPECT_EQ(v % 10, 0) << "row " << r;
    }
    im.exact("RpmJetB", 540, B, scaled(injBAxis(code), 100));
    if (listed(code, "3, 21, 28, 46, 56, 19, 48, 26, 41, 49, 57, 34, 55")) {
        im.bounded("MapJetB", 1950, 150, B, 0, 100);
        const Ints cells = im.values(1950, 150, B);
        EXPECT_TRUE(std::any_of(cells.begin(), cells.end(), [](int v) { return v > 0; })) << code;
    } else {
        im.exact("MapJetB", 1950, B, repeat(0, 150));
    }
    im.exact("IapAxis", 384, W, {30, 50, 60, 70, 75, 80, 85, 90, 95, 100});
    im.exact("RpmIap", 555, B, scaled(iapAxis(code), 100));
    im.exact("IapCylCorr", 52, B, repeat(100, 4));

    // -- "Poloha"
    im.exact("PositionARpm", 405, B, scaled(positionAxis(code), 100));
    im.exact("PositionBRpm", 435, B, scaled(positionAxis(code), 100));
    if (listed(code, "8, 36, 42, 45, 53, 57, 59, 60")) {
        const Ints angles = scaled({461, 466, 452, 459, 450, 448, 433, 404, 397, 426, 413, 390, 389, 389, 389}, 5);
        im.exact("PositionAMode, PositionBMode", 56, B, {1, 1});
        im.exact("PositionADeg", 420, B, angles);
        im.exact("PositionBDeg", 450, B, angles);
    } else {
        im.bounded("PositionAMode, PositionBMode", 56, 2, B, 0, 2);
        im.bounded("PositionADeg", 420, 15, B, 0, 720 / 5);
        im.bounded("PositionBDeg", 450, 15, B, 0, 720 / 5);
    }

    // -- "Korekce"
    im.exact("ChokeTime", 67, B, {5, 10, 15, 20});
    im.exact("ChokeCorr", 71, B, code == 53 ? Ints{50, 20, 15, 10} : Ints{150, 50, 30, 10});
    im.exact("AccelThreshold, AccelAmount", 90, B,
             pick<Ints>(code,
                        {{{20, 36}, "7, 19, 26, 34, 47, 48, 49, 55"}, {{20, 34}, "8, 36"}, {{30, 30}, "45"},
                         {{20, 78}, "46"}, {{22, 40}, "50"}, {{12, 41}, "60"}, {{15, 50}, "53"}, {{20, 30}, "54"},
                         {{18, 30}, "57"}},
                        {30, 84}));
    const Ints tempCorrection =
        pick<Ints>(code,
                   {
                       {{150, 138, 111, 100, 92, 121, 110, 100, 92, 84}, "0, 24, 43, 58"},
                       {{136, 125, 111, 100, 99, 119, 109, 100, 100, 100}, "2, 3, 21, 28, 46, 56"},
                       {{160, 139, 126, 100, 100, 121, 105, 100, 98, 98}, "4, 22, 31"},
                       {{139, 110, 104, 100, 99, 121, 110, 100, 97, 97}, "5"},
                       {{112, 107, 103, 100, 97, 106, 103, 100, 100, 100}, "6, 11, 20, 32, 33, 41, 44"},
                       {{134, 118, 110, 100, 100, 111, 107, 100, 95, 95}, "7, 19, 48"},
                       {{125, 114, 107, 100, 98, 113, 107, 100, 97, 93}, "8..10, 36, 45, 53, 57"},
                       {{117, 111, 104, 100, 99, 110, 105, 100, 100, 100}, "12, 23"},
                       {{125, 107, 100, 100, 100, 105, 102, 100, 100, 100}, "16, 25, 37, 40, 52"},
                       {{115, 107, 104, 100, 96, 105, 101, 100, 90, 85}, "17, 27, 51"},
                       {{124, 120, 109, 100, 98, 115, 109, 100, 98, 93}, "18, 35, 42, 59, 60"},
                   },
                   {113, 109, 105, 100, 97, 109, 105, 100, 100, 100});
    im.exact("InjCorrWater, InjCorrAir", 80, B, tempCorrection);
    im.exact("AdvCorrWater", 93, B, {110, 110, 100, 100, 95});
    im.exact("StartInjection", 92,
             pick<int>(code,
                       {{12, "8, 12, 23, 36, 42, 45, 59"}, {13, "13, 14, 15, 26, 29, 34, 38, 39, 47, 49, 50, 54, 55"},
                        {20, "24, 58"}, {50, "53"}, {15, "57"}, {35, "60"}},
                       10));
    const Ints acc = pick<Ints>(code,
                                {{{100, 100, 300}, "47, 55"}, {{150, 50, 60}, "53"}, {{100, 50, 300}, "54"},
                                 {{20, 300, 300}, "57"}, {{50, 300, 300}, "60"}},
                                {0, 50, 60});
    im.exact("AccKPlus, AccKMinus, AccT100, AccT0", 332, W, {acc[0], acc[0], acc[1], acc[2]});

    // -- "Čidla"
    const char* const sensorCommon = "7, 8, 17..19, 27, 35, 36, 40, 45, 48, 50, 52, 53, 57";
    im.exact("AP sensor", 6, W,
             pick<Ints>(code,
                        {{{55, 2247, 105, 4744}, "1, 30"}, {{55, 1643, 105, 3005}, "2..5, 21, 22, 28, 31, 46, 56"},
                         {{55, 2162, 105, 4160}, sensorCommon}, {{55, 2108, 105, 5124}, "24, 58"},
                         {{55, 1556, 105, 4116}, "43"}},
                        {55, 2305, 105, 3756}));
    im.exact("IAP sensor", 14, W,
             pick<Ints>(code,
                        {{{55, 2247, 105, 4744}, "1, 30"}, {{55, 1643, 105, 3005}, "2..5, 21, 22, 28, 31, 46, 56"},
                         {{55, 2162, 105, 4160}, sensorCommon}, {{55, 2108, 105, 5124}, "24, 58"}},
                        {55, 2305, 105, 3756}));
    im.exact("Tps0", 33,
             pick<int>(code,
                       {{65, "0"}, {34, "1, 30"}, {50, "2..5, 21, 22, 28, 31, 46, 56"}, {103, "7, 19, 48"},
                        {62, "8, 36, 43"}, {108, "9, 10"}, {66, "17, 18, 27, 35, 38, 42, 51, 59"}, {48, "24, 58"},
                        {69, "34, 47, 55, 57"}, {64, "39"}, {58, "45"}, {118, "50"}, {59, "53"}, {107, "54"},
                        {75, "60"}},
                       110));
    im.exact("Tps100", 34,
             pick<int>(code,
                       {{153, "0"}, {223, "1, 30"}, {192, "2..5, 21, 22, 28, 31, 46, 56"}, {147, "8, 36, 57"},
                        {169, "9, 10"}, {139, "17, 18, 27, 35, 42, 51, 59"}, {198, "24, 58"}, {195, "26, 49"},
                        {158, "34, 47, 55"}, {156, "38"}, {167, "39"}, {144, "43"}, {140, "45"}, {162, "53"},
                        {155, "60"}},
                       180));
    im.exact("LambdaType", 352, 0);
    im.exact("LambdaAf", 353, B, {100, 130, 140, 150, 180});
    im.exact("LambdaMv", 358, W, {900, 840, 760, 50, 0});
    im.exact("PotencMode", 75, 0);
    im.exact("PotencRange", 76, 20);
    im.exact("WaterSensorMv", 194, W,
             pick<Ints>(code,
                        {{kConverterCurveA, "1, 30"}, {kConverterCurveB, "28, 46"},
                         {{4100, 3501, 2913, 2050, 1191, 753, 511, 406, 266}, "50"}},
                        kCommonSensorCurve));
    im.exact("AirSensorMv", 212, W,
             pick<Ints>(code,
                        {{kConverterCurveA, "1, 30"}, {{4049, 3401, 2713, 2037, 1420, 1419, 1418, 1417, 1416}, "50"}},
                        kCommonSensorCurve));

    // -- "Intake Servo" and "Exhaust Servo"
    const int inMode = listed(code, "7, 8, 19, 26, 34, 36, 47, 48, 49, 50, 51, 52, 54, 55, 57") ? 0 : 1;
    const bool inPercent = listed(code, "7, 8, 19, 26, 36, 48, 49, 51, 54, 57");
    const bool exPercent = listed(code, "8, 19, 36, 48, 51, 57");
    im.exact("ServoInMode", 65, inMode);
    im.exact("ServoInEnable", 59,
             listed(code, "7, 8, 11..14, 17, 19, 20, 23, 26, 27, 34, 36, 41, 47..52, 54, 55, 57") ? 1 : 0);
    im.exact("ServoInPercent", 63, inPercent ? 1 : 0);
    im.exact("ServoInStepMotor", 66, listed(code, "7, 19, 26, 36, 45, 48, 49, 53, 54, 57") ? 1 : 0);
    im.exact("StepMotorPeriod", 77, 8);
    im.exact("StepMotorExcitation", 78, 8);
    im.exact("ServoExMode", 64, 1);
    im.exact("ServoExEnable", 58,
             listed(code, "4, 7, 8, 13, 14, 17, 19, 21, 26, 27, 34, 36, 42, 45, 47, 48, 49, 51, 55, 56, 57, 59") ? 1 : 0);
    im.exact("ServoExPercent", 62, exPercent ? 1 : 0);
    const Ints commonRpm = scaled(
        {1000, 2000, 3000, 4000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000}, 100);
    const Ints commonPositions = scaled(
        {2000, 2100, 2200, 2300, 2400, 2450, 2500, 2550, 2600, 2650, 2700, 2750, 2800, 2850, 2900}, 20);
    struct Servo {
        const char* name;
        int hyster, rpm, cells;
        bool common, percent, rowForm;
    };
    const Servo servos[] = {
        {"intake servo", 61, 585, 2550, listed(code, kServoCommonCodes), inPercent, inMode != 0},
        {"exhaust servo", 60, 570, 2400, listed(code, kServoCommonCodes) || code == 54, exPercent, true},
    };
    for (const Servo& s : servos) {
        SCOPED_TRACE(s.name);
        if (s.common) {
            im.exact("hysteresis", s.hyster, 400 / 5);
            im.exact("RPM axis", s.rpm, B, commonRpm);
            for (int r = 0; r < 10; ++r)
                im.exact("positions", s.cells + 15 * r, B, commonPositions);
            continue;
        }
        im.bounded("hysteresis", s.hyster, 1, B, 0, 1000 / 5);
        im.axis("RPM axis", s.rpm);
        im.bounded("positions", s.cells, 150, B, 0, s.percent ? 100 : 5000 / 20);
        if (s.rowForm) {  // one value per RPM column, the same on every row
            for (int r = 1; r < 10; ++r) {
                EXPECT_EQ(rowOf(im, s.cells, r, B), rowOf(im, s.cells, 0, B)) << "row " << r;
            }
        }
    }

    // -- "Volnoběh"
    const Ints idle = pick<Ints>(code,
                                 {
                                     {{1, 1500, 40, 0, 1500, 7, 200, 2000}, "7, 8, 19, 26, 36, 48, 49"},
                                     {{1, 2000, 5, 0, 1500, 6, 100, 2000}, "34, 47, 55"},
                                     {{0, 3000, 40, 1, 1500, 2, 1600, 2000}, "38"},
                                     {{3, 5000, 40, 1, 1500, 20, 200, 2000}, "45"},
                                     {{2, 2000, 3, 1, 25000, 100, 100, 2000}, "46"},
                                     {{1, 1500, 40, 0, 1500, 6, 200, 2000}, "50, 52"},
                                     {{3, 5000, 12, 1, 1500, 6, 200, 2000}, "53"},
                                     {{0, 1500, 10, 1, 1500, 6, 200, 2000}, "54"},
                                     {{1, 1500, 25, 0, 1500, 7, 200, 2000}, "57"},
                                 },
                                 {0, 1500, 40, 1, 1500, 6, 200, 2000});
    const int stepPulse = choke ? idle[4] / 250 : std::min(idle[4] / 250, idle[5]);
    im.exact("IdleMode..IdleHysteresis", 290, B,
             {idle[0], idle[1] / 100, idle[2], idle[3], stepPulse, idle[5], idle[6] / 10});
    im.exact("IdleStart", 330, W, {idle[7]});
    im.exact("IdleServoRpm", 298, W,
             pick<Ints>(code,
                        {
                            {{95, 95, 90, 80, 70, 40, 40, 40, 40}, "7, 19, 26, 48, 49"},
                            {{40, 40, 40, 45, 50, 50, 60, 60, 60}, "8, 36"},
                            {{760, 760, 760, 760, 760, 760, 700, 700, 700}, "34, 47, 55"},
                            {{45, 42, 40, 37, 33, 30, 30, 30, 30}, "38"},
                            {{475, 475, 470, 440, 400, 390, 390, 390, 390}, "45"},
                            {{4780, 4780, 4600, 4300, 3300, 2420, 1960, 1960, 1960}, "50, 52"},
                            {{550, 550, 520, 510, 500, 490, 400, 400, 400}, "53"},
                            {{100, 100, 100, 100, 100, 100, 100, 100, 100}, "54"},
                            {{60, 60, 55, 53, 50, 46, 41, 40, 40}, "57"},
                        },
                        {1800, 1800, 1800, 1550, 1400, 1200, 1200, 1200, 1200}));
    im.exact("IdleAdvOn..IdleMaxAdv", 317, B,
             pick<Ints>(code,
                        {{{0, 1, 10, 25}, "7, 8, 19, 26, 36, 48, 49"}, {{1, 25, 3, 24}, "53"}, {{1, 10, 10, 25}, "54"},
                         {{0, 11, 8, 25}, "57"}},
                        {0, 13, 3, 22}));
    im.exact("IdleAdvRpm", 321, B,
             scaled(pick<Ints>(code,
                               {
                                   {{1800, 1800, 1800, 1550, 1400, 1200, 1200, 1200, 1200}, "7, 8, 19, 26, 36, 48, 49, 57"},
                                   {{1800, 1800, 1750, 1500, 1500, 1500, 1300, 1300, 1300}, "53"},
                                   {{1500, 1500, 1500, 1500, 1400, 1300, 1200, 1200, 1200}, "54"},
                               },
                               {1800, 1800, 1750, 1600, 1550, 1550, 1550, 1550, 1450}),
                    50));
    im.exact("SpeedMode", 138, 0);
    im.exact("SpeedPulses", 160, W,
             {pick<int>(code,
                        {{125, "8, 36"}, {970, "17, 27, 51"}, {869, "34, 47, 55"}, {286, "48"}, {1075, "54"},
                         {952, "57"}, {210, "60"}},
                        1000)});

    // -- "N2O"
    im.exact("N2oEnable..RetardDelay", 98, B, {0, 20, 60, 30, 20, 0, 0, 30, 20});
    im.exact("GasJetCorr1, GasJetCorr2", 158, B, {0, 0});

    // -- "Race"
    im.exact("PilotLightRpm1", 108, B, repeat(m - 20, 6));
    im.exact("PilotLightRpm2", 114, B, repeat(m - 15, 6));
    im.exact("ClutchMode", 120, 0);
    im.exact("ClutchTime", 121, B, repeat(20, 6));
    im.exact("ClutchPause", 127, B, repeat(50, 6));
    im.exact("ClutchMinRpm, ClutchJet, ClutchAdv", 133, B, {20, 50, 0});
    im.exact("TempDisplay", 107, 0);
    im.exact("PilotLightInvOut", 139, 0);
    im.exact("PitSpeed..PitMinRpm", 186, B, {80, 5, 10, 256 - 20, 25});

    // -- "Gear"
    im.exact("GearSystem", 136,
             pick<int>(code,
                       {{0, "8, 11..15, 20, 23, 26, 29, 36, 41, 45, 48, 49, 53, 57"}, {1, "54, 60"}}, 3));
    im.exact("GearCount", 137, 6);
    im.exact("GearVoltage", 140, W,
             pick<Ints>(code,
                        {
                            {{4623, 3851, 3592, 3128, 3015, 2360, 1969}, "8, 36"},
                            {{4877, 879, 1564, 2204, 2922, 3572, 4252}, "45"},
                            {{4428, 3450, 2952, 2468, 1979, 1485, 987}, "48"},
                            {{2400, 2600, 4200, 4300, 4400, 4500, 4600}, "53"},
                            {{4521, 3519, 3015, 2507, 2018, 1456, 1006}, "57"},
                        },
                        {5000, 1797, 2260, 2998, 3662, 4360, 4687}));
    im.exact("GearRatio", 162, W,
             pick<Ints>(code, {{{821, 607, 476, 419, 372, 345}, "54"}, {{990, 702, 561, 449, 373, 335}, "60"}},
                        {2000, 1000, 666, 500, 400, 333}));
    im.exact("GearAutoTime..GearAutoBand", 154, B, {3, 15, 20, 40});
    im.exact("GearAdvCorr", 174, B, repeat(100, 6));
    im.exact("GearJetCorr", 180, B, repeat(100, 6));

    // -- "Ladění" and "Monitor"
    im.exact("TuningMode, TuningByTls, TuningLambda", 340, B, {1, 0, code == 60 ? 130 : 145});
    im.exact("TuningHysteresis..TuningStep", 344, B, {3, 20, 3, 20, 1});
    im.exact("TuningChannel, TuningMaxAcc", 350, B, {1, 10});
    im.exact("TestRpm, TestServoTime", 376, B, {50, 50});
    im.exact("LambdaBar", 372, B, {100, 120, 140, 180});

    // -- bytes that belong to no field
    im.reserved(79, 79);
    im.reserved(248, 251);
    im.reserved(275, 289);
    im.reserved(297, 297);
    im.reserved(316, 316);
    im.reserved(343, 343);
    im.reserved(349, 349);
    im.reserved(378, 383);
    im.reserved(404, 404);
}

TEST(CliImage, EveryBikesDefaultSetAgreesWithTheBikeTables)
{
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE("bike " + std::to_string(code));
        CliResult out = runCli("image --bike " + std::to_string(code));
        ASSERT_EQ(out.exitCode, 0);
        ASSERT_EQ(out.numbers.size(), static_cast<std::size_t>(kImageSize));
        ASSERT_TRUE(std::all_of(out.numbers.begin(), out.numbers.end(), [](long v) { return v >= 0 && v <= 255; }));
        ImageCheck im(code, std::move(out.numbers));
        checkBike(code, im);
        EXPECT_TRUE(im.everyByteChecked()) << "not checked: " << im.uncheckedOffsets();
    }
}

// "Save All New" runs the bikes one after another through the same
// document; nothing one bike leaves behind beside the image (axis memory,
// reference selection, percent arrays, choke flag) may reach the next.
TEST(CliImage, OneDocumentThroughAllBikesGivesEachBikeItsOwnImage)
{
    kestrin::Document doc;
    kestrin::SetStartupImage(doc);
    for (int code = 0; code <= 60; ++code) {
        SCOPED_TRACE("bike " + std::to_string(code));
        kestrin::PrepareDefaultSet(doc, code);
        const CliResult alone = runCli("image --bike " + std::to_string(code));
        ASSERT_EQ(alone.numbers.size(), static_cast<std::size_t>(kImageSize));
        const auto bytes = doc.image.bytes();
        ASSERT_TRUE(std::equal(bytes.begin(), bytes.end(), alone.numbers.begin()));
    }
}

TEST(CliImage, RefusesCodesOutsideTheListAndPrintsNoImage)
{
    for (const char* arguments : {"image --bike 61", "image --bike -1", "image --bike x", "image", "image --bike"}) {
        SCOPED_TRACE(arguments);
        const CliResult out = runCli(arguments);
        EXPECT_NE(out.exitCode, 0);
        EXPECT_TRUE(out.numbers.empty());
    }
}

}  // namespace
