#pragma once
// The firmware identification texts as the parameter file carries them on
// its HEX line: the texts the Bike page shows (link/transfer_identification.h)
// as the unit's own 8-bit bytes.

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
