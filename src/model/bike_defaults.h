#pragma once
// Bike defaults: the default parameter set of each of the 61 bikes, for the
// whole image or for one page, and the bike list of the "Bike" page.

#include <span>

namespace kestrin {

class Document;

inline constexpr int kWholeImage = -1;

// Fills the image (or only the fields of page `page`) with the defaults of
// the bike in BikeCode.
void ApplyBikeDefaults(Document& doc, int page = kWholeImage);
// Recomputes the fields that follow from BikeCode alone.
void ApplyBikeDerived(Document& doc);

// The bike list: item index in the combo box <-> bike code.
int BikeCodeOfItem(int item);
int ItemOfBikeCode(int code);
std::span<const char* const> bikeItemTexts();

}  // namespace kestrin
