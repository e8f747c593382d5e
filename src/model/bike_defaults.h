#pragma once
// Bike defaults: the default parameter set of each of the 61 bikes, for the
// whole image or for one page, the constants that follow from the bike
// alone, the bike list of the "Bike" page and the core of a bike change.

#include <optional>
#include <span>

namespace kestrin {

class Document;
class ParameterImage;

inline constexpr int kWholeImage = -1;
inline constexpr int kLastBikeCode = 60;        // bikes 0..60 are listed
inline constexpr int kBikeItemCount = 62;       // 61 bikes and the placeholder
inline constexpr int kPlaceholderBikeItem = 61; // stands for any code above 60

inline bool isListedBike(int code) { return code >= 0 && code <= kLastBikeCode; }

// Fills the image (or, for a page index 0..18, only the fields of that page)
// with the defaults of the bike in BikeCode. The tables are selected and the
// bike-derived constants computed in both modes; the injection maps follow
// from their percent arrays and the new base maps. A page index outside
// 0..18 runs no page section.
void ApplyBikeDefaults(Document& doc, int page = kWholeImage);

// "New" (page = kWholeImage) and "New for actual page" after the user has
// confirmed: nothing happens while BikeCode is not a listed bike, nor on the
// bank A pages 2..5 while the bank A maps are coupled (they are edited
// through Inj-1A only). Returns whether the defaults ran.
bool ApplyNewDefaults(Document& doc, int page = kWholeImage);

// Recomputes the fields that follow from BikeCode alone (PickupType, the
// engine constants, CylinderCount and CylinderMap, BikeTempCurve,
// PickupGeometry) and the choke flag.
void ApplyBikeDerived(Document& doc);
// The PickupGeometry bytes of the image's PickupType; two pickups take the
// present LobeWidth into their geometry.
void ApplyPickupGeometry(ParameterImage& image);

// Lambda sensor characteristic: 0 Standard, 1 Uego. Sets LambdaAf and
// LambdaMv; LambdaType itself is left to the caller.
inline constexpr int kLambdaStandard = 0;
inline constexpr int kLambdaUego = 1;
void SetLambdaCharacteristic(ParameterImage& image, int lambdaType);

// The bike change, without the window: the user picked `item` in the bike
// list and answered the defaults question with `applyDefaults`. BikeCode
// takes the item's code; with applyDefaults the whole defaults run, and in
// any case the injection maps keep their percentages against the new bike's
// base maps and the bike-derived constants follow the new bike. The
// placeholder item changes nothing. Returns whether the bike changed; the
// caller then records the change and refreshes the captions.
bool ChangeBike(Document& doc, int item, bool applyDefaults);

// The bike list: item index in the combo box <-> bike code. The placeholder
// item (and any index outside the list) has no code; codes above 60 show as
// the placeholder.
std::optional<int> BikeCodeOfItem(int item);
int ItemOfBikeCode(int code);
std::span<const char* const> bikeItemTexts();

}  // namespace kestrin
