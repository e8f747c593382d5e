// Reference selection, base injection maps and the percent arrays.

#include "model/bike_reference.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <algorithm>
#include <cstdint>

namespace kestrin {

namespace {

// The bike the program starts with; its tables stand in until a listed bike
// has been selected, so that the base maps never work from nothing.
constexpr int kStartBikeCode = 11;

ReferenceChoice resolve(const ReferenceEntry& entry, int bikeCode)
{
    ReferenceChoice choice;
    choice.table = entry.table;
    choice.loadBreaks = entry.loadBreaks;
    auto fromAxis = [&](const RpmAxisStored& axis) {
        for (int i = 0; i < kMapColumns; ++i)
            choice.rpmBreaks[i] = static_cast<std::uint16_t>(axis[i] * 100);
    };
    switch (entry.rpm) {
    case RpmBreakSource::List10:
        std::copy(std::begin(kRefRpm10), std::end(kRefRpm10), choice.rpmBreaks.begin());
        break;
    case RpmBreakSource::List15:
        std::copy(std::begin(kRefRpm15), std::end(kRefRpm15), choice.rpmBreaks.begin());
        break;
    case RpmBreakSource::BikeInjectionAxis:
        fromAxis(bikeInjectionRpmAxis(bikeCode));
        break;
    case RpmBreakSource::BikeIapAxis:
        fromAxis(bikeIapRpmAxis(bikeCode));
        break;
    }
    return choice;
}

// Which reference feeds each of Inj-1A, 2A, 3A, 4A and IAP.
constexpr ReferenceKind kReferenceOfMap[5] = {RefA, RefB, RefB, RefA, RefIap};

}  // namespace

std::uint32_t ReferenceLerp(std::uint32_t x0, std::uint32_t x1, std::uint32_t x,
                            std::uint32_t lo, std::uint32_t hi)
{
    if (x <= x0)
        return lo;
    if (x >= x1)
        return hi;
    if (lo == hi)
        return lo;
    const std::uint64_t span = x1 - x0;
    if (lo < hi)
        return static_cast<std::uint32_t>(lo + std::uint64_t{x - x0} * (hi - lo) / span);
    return static_cast<std::uint32_t>(hi + std::uint64_t{x1 - x} * (lo - hi) / span);
}

void SelectReferenceTables(Document& doc)
{
    ReferenceSelection& sel = doc.derived.reference;
    int code = doc.image.byte(off::BikeCode);
    const BikeReference* bike = bikeReferenceTables(code);
    if (!bike) {
        // A bike not in the list keeps the tables of the bike chosen before.
        if (sel.selected)
            return;
        code = kStartBikeCode;
        bike = bikeReferenceTables(code);
    }
    sel.refs[RefA] = resolve(bike->a, code);
    sel.refs[RefB] = resolve(bike->b, code);
    sel.refs[RefIap] = resolve(bike->iap, code);
    sel.fifteenPointRpm = bike->fifteenPointRpm;
    sel.selected = true;
}

void ComputeBaseMaps(Document& doc)
{
    if (!doc.derived.reference.selected)
        SelectReferenceTables(doc);

    for (int m = 0; m < 5; ++m) {
        const MapDescriptor& map = injectionMap(m);
        const ReferenceChoice& choice = doc.derived.reference.refs[kReferenceOfMap[m]];
        const int n = choice.table->columns;
        const auto ref = choice.table->values;
        const std::uint16_t* rpm = choice.rpmBreaks.data();
        const std::uint16_t* load = choice.loadBreaks;
        const std::uint16_t* rowLoad = m == 4 ? kBaseIapRowLoad : kRefTpsLoad;
        InjectionTable& base = doc.derived.baseMaps[m];

        for (int r = 0; r < kMapRows; ++r) {
            const std::uint32_t y = rowLoad[r];
            int j = 1;
            while (j < kReferenceRows - 1 && y >= load[j])
                ++j;
            for (int c = 0; c < kMapColumns; ++c) {
                const std::uint32_t x = doc.image.byte(map.axisOffset + c) * 100u;
                int i = 1;
                while (i < n - 1 && x >= rpm[i])
                    ++i;
                const std::uint32_t ll = ref[(j - 1) * n + i - 1] * 10u;
                const std::uint32_t lh = ref[(j - 1) * n + i] * 10u;
                const std::uint32_t hl = ref[j * n + i - 1] * 10u;
                const std::uint32_t hh = ref[j * n + i] * 10u;
                const std::uint32_t a = ReferenceLerp(rpm[i - 1], rpm[i], x, ll, lh);
                const std::uint32_t b = ReferenceLerp(rpm[i - 1], rpm[i], x, hl, hh);
                std::uint32_t result = ReferenceLerp(load[j - 1], load[j], y, a, b);
                result = std::clamp<std::uint32_t>(result, 100, 0xFFFF);
                base[r * kMapColumns + c] = static_cast<std::uint16_t>(result);
            }
        }
    }
}

void ApplyPercentArrays(Document& doc)
{
    for (int m = 0; m < 5; ++m) {
        const MapDescriptor& map = injectionMap(m);
        for (int cell = 0; cell < kMapCells; ++cell) {
            const std::uint64_t value =
                (std::uint64_t{doc.derived.percent[m][cell]} * doc.derived.baseMaps[m][cell] + 50) / 100;
            doc.image.setWord(map.cellsOffset + cell * 2,
                              static_cast<std::uint16_t>(std::min<std::uint64_t>(value, 0xFFFF)));
        }
    }
}

void ReadPercentArrays(Document& doc)
{
    for (int m = 0; m < 5; ++m) {
        const MapDescriptor& map = injectionMap(m);
        for (int cell = 0; cell < kMapCells; ++cell) {
            const std::uint32_t base = doc.derived.baseMaps[m][cell];
            // Every computed base cell is at least 100; a zero base means the
            // base maps were never computed, and the percent stays as it is.
            if (base == 0)
                continue;
            const std::uint32_t value = doc.image.word(map.cellsOffset + cell * 2);
            const std::uint32_t percent = (value * 1000 / base + 5) / 10;
            doc.derived.percent[m][cell] = static_cast<std::uint16_t>(std::min<std::uint32_t>(percent, 0xFFFF));
        }
    }
}

}  // namespace kestrin
