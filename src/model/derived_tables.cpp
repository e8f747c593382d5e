#include "model/derived_tables.h"

#include "model/document.h"

namespace kestrin {

void ApplyConsistencyRules(Document&) {}
void SelectReferenceTables(Document&) {}
void ComputeBaseMaps(Document&) {}
void ApplyPercentArrays(Document&) {}
void ReadPercentArrays(Document&) {}

}  // namespace kestrin
