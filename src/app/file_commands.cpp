#include "app/file_commands.h"

#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/field_offsets.h"

namespace kestrin {

namespace {
constexpr int kLastBikeItem = 60;  // items 0..60 are bikes, 61 the separator
}

bool newCommandAvailable(const Document& doc)
{
    const int item = ItemOfBikeCode(doc.image.byte(off::BikeCode));
    return item >= 0 && item <= kLastBikeItem;
}

bool actualPageCommandAvailable(const Document& doc)
{
    const bool bankAPage = doc.activePage >= 2 && doc.activePage <= 5;
    return !(bankAPage && doc.image.byte(off::JetCouplingMode) == 1);
}

}  // namespace kestrin
