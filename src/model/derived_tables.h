#pragma once
// Consistency rules, reference selection, base injection maps and percent arrays.

#include <array>
#include <cstdint>

namespace kestrin {

class Document;

using InjectionTable = std::array<std::uint16_t, 150>;

struct DerivedState {
    // Inj-1A, Inj-2A, Inj-3A, Inj-4A, Inj-IAP in cell order.
    std::array<InjectionTable, 5> baseMaps{};
    std::array<InjectionTable, 5> percent{};
};

void ApplyConsistencyRules(Document& doc);
void SelectReferenceTables(Document& doc);
void ComputeBaseMaps(Document& doc);
void ApplyPercentArrays(Document& doc);
void ReadPercentArrays(Document& doc);

}  // namespace kestrin
