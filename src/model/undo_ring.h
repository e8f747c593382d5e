#pragma once
// Snapshot ring for undo and redo, and the pending-block flags.

#include "model/image.h"

#include <array>

namespace kestrin {

class UndoRing {
public:
    // Pending-block flags, index 1..19 (index 0 unused here; block 0 is the
    // identification block and is never programmed from the image).
    std::array<bool, kBlockCount + 1> pending{};
};

}  // namespace kestrin
