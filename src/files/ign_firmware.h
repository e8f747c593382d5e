#pragma once
// The firmware identification texts the Bike page shows and the parameter
// file carries on its HEX line, decoded from the unit's identification
// block (block 0).

#include "model/image.h"

#include <string>

namespace kestrin {

struct FirmwareTexts {
    std::string name;  // version text, or the program name when the unit reports one
    std::string date;  // e.g. " 5. 5.2007"
    std::string time;  // e.g. "14:07"
};

// All texts are empty while the block is all zeros, i.e. before any unit
// has reported itself: a file saved without a unit then carries no made-up
// identification.
FirmwareTexts firmwareTexts(const Block& identification);

}  // namespace kestrin
