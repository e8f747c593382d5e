#include "app/jet_coupling.h"

#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"

namespace kestrin {

namespace {
constexpr int kInj1APage = 2;
constexpr int kAxisBytes = 15;

void copyAxis1ATo2A(Document& doc)
{
    for (int i = 0; i < kAxisBytes; ++i)
        doc.image.setByte(off::RpmJet2A + i, doc.image.byte(off::RpmJet1A + i));
}
}  // namespace

void SetJetCoupling(Document& doc, JetCoupling mode)
{
    doc.image.setByte(off::JetCouplingMode, static_cast<std::uint8_t>(mode));
    switch (mode) {
    case JetCoupling::Separate:
        ApplyConsistencyRules(doc);
        break;
    case JetCoupling::Coupled:
        copyAxis1ATo2A(doc);
        ApplyConsistencyRules(doc);
        break;
    case JetCoupling::AllEqual:
        copyAxis1ATo2A(doc);
        if (doc.activePage >= 3 && doc.activePage <= 5)
            doc.activePage = kInj1APage;
        break;
    }
}

bool pageTabVisible(const Document& doc, int page)
{
    if (page < 3 || page > 5)
        return true;
    const int cylinders = doc.image.byte(off::CylinderCount);
    const int needed = page - 1;  // Inj-2A needs 2 cylinders, Inj-4A four
    return doc.image.byte(off::JetCouplingMode) != 2 && cylinders >= needed;
}

}  // namespace kestrin
