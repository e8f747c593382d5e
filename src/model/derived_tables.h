#pragma once
// Consistency rules, reference selection, base injection maps and percent arrays.
//
// The consistency rules bring every field of the image back into its legal
// range and every RPM axis into strict order after any change, whatever its
// source. The base injection maps turn the bike's reference injection tables
// into one reference value per cell, so that the injection maps can be edited
// as percentages of that reference while the image holds absolute times.

#include "model/fields.h"
#include "model/reference_tables.h"

#include <array>
#include <cstdint>

namespace kestrin {

class Document;

using InjectionTable = std::array<std::uint16_t, 150>;

// The RPM axes the axis rule keeps, in the order the rule visits them:
// RpmAdvance, RpmJet1A..RpmJet4A, RpmJetB, RpmIap, PositionARpm,
// PositionBRpm, RpmServoIn, RpmServoEx.
inline constexpr int kRuledAxisCount = 11;

// What the axis rule remembers of one RPM axis between its runs, so that a
// dragged breakpoint can push its neighbours aside and let them spring back.
struct AxisMemory {
    std::array<std::uint8_t, kMapColumns> previous;  // the axis after the last run
    std::array<bool, kMapColumns> pushed;            // pushed aside by a neighbour
    std::array<std::uint8_t, kMapColumns> before;    // value before the first push
    int lastMoved = -1;                              // breakpoint moved last, -1 none

    AxisMemory() { clear(); }
    void clear()
    {
        previous.fill(255);
        pushed.fill(false);
        before.fill(0);
        lastMoved = -1;
    }
};

// The three reference tables of a bike, in the order of `refs`.
enum ReferenceKind { RefA = 0, RefB = 1, RefIap = 2 };

// One reference table with the breakpoints its columns and rows stand at.
struct ReferenceChoice {
    const ReferenceTable* table = nullptr;
    std::array<std::uint16_t, kMapColumns> rpmBreaks{};  // RPM; `table->columns` used
    const std::uint16_t* loadBreaks = nullptr;           // 10 load values of the rows
};

struct ReferenceSelection {
    std::array<ReferenceChoice, 3> refs;  // RefA (cylinders 1, 4), RefB (2, 3), RefIap
    bool fifteenPointRpm = false;         // the bike uses the 15-point RPM list
    bool selected = false;                // set once a listed bike was selected
};

struct DerivedState {
    // The first run of the consistency rules in this document initialises
    // the axis memory; set it again to start the memory afresh.
    bool firstRun = true;
    std::array<AxisMemory, kRuledAxisCount> axes;

    // Marking of the last run, for the window to colour the voltage edits:
    // a sensor whose two calibration voltages are equal cannot be converted.
    bool apsVoltagesEqual = false;
    bool iapsVoltagesEqual = false;

    ReferenceSelection reference;

    // Inj-1A, Inj-2A, Inj-3A, Inj-4A, Inj-IAP in cell order.
    std::array<InjectionTable, 5> baseMaps{};
    std::array<InjectionTable, 5> percent = allPercent(100);

    static std::array<InjectionTable, 5> allPercent(std::uint16_t value)
    {
        std::array<InjectionTable, 5> out;
        for (auto& t : out)
            t.fill(value);
        return out;
    }
};

// Runs every rule over the whole image, updates the marking and resets the
// outside settings that are out of range. Run it after any change.
void ApplyConsistencyRules(Document& doc);
// Chooses the bike's three reference tables and their breakpoints from
// BikeCode; a code above 60 keeps the tables chosen before.
void SelectReferenceTables(Document& doc);
// The five base injection maps from the selected references and the maps'
// RPM axes. Selects first if nothing has been selected yet.
void ComputeBaseMaps(Document& doc);
// Injection map cells from the percent arrays: (percent x base + 50) / 100,
// at most 65535. After ComputeBaseMaps.
void ApplyPercentArrays(Document& doc);
// Percent arrays from the injection map cells, to the nearest whole percent.
// After ComputeBaseMaps.
void ReadPercentArrays(Document& doc);

// The axis rule on one RPM axis (stored RPM / 100) with that axis's memory.
void ApplyAxisRule(std::array<std::uint8_t, kMapColumns>& axis, AxisMemory& memory);
// Unsigned interpolation held at the edges: lo at x <= x0, hi at x >= x1.
std::uint32_t ReferenceLerp(std::uint32_t x0, std::uint32_t x1, std::uint32_t x,
                            std::uint32_t lo, std::uint32_t hi);

}  // namespace kestrin
