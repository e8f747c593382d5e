#pragma once
// Snapshot ring for undo and redo, and the pending-block flags.

namespace kestrin {

class UndoRing {
};

}  // namespace kestrin
