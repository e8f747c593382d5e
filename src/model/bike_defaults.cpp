#include "model/bike_defaults.h"

#include "model/document.h"

namespace kestrin {

void ApplyBikeDefaults(Document&, int) {}
void ApplyBikeDerived(Document&) {}
int BikeCodeOfItem(int item) { return item; }
int ItemOfBikeCode(int code) { return code; }
std::span<const char* const> bikeItemTexts() { return {}; }

}  // namespace kestrin
