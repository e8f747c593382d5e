#pragma once
// Snapshot ring for undo and redo, and the pending-block flags.
//
// Every recorded change keeps a copy of the whole image with the page that
// was active, in a ring of 200 slots. The pending-block flags mark the
// blocks that differ from what the unit was last sent; the device link
// clears a flag once the unit has confirmed that block.

#include "model/image.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kestrin {

class Document;

inline constexpr int kUndoSlots = 200;

class UndoRing {
public:
    struct Slot {
        ParameterImage image;
        std::uint8_t page = 0;
    };

    UndoRing() : slots_(kUndoSlots) {}

    // Pending-block flags, index 1..19 (index 0 unused here; block 0 is the
    // identification block and is never programmed from the image).
    std::array<bool, kBlockCount + 1> pending{};

    int current() const { return current_; }
    int newest() const { return newest_; }
    int oldest() const { return oldest_; }
    const Slot& slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }

    // The enable state of "Undo" (MenuZpet, SpeedButtonZpet) and "Redo"
    // (MenuZnovu, SpeedButtonZnovu).
    bool canUndo() const { return current_ != oldest_; }
    bool canRedo() const { return current_ != newest_; }

    // Empties the ring and keeps `image` as its only snapshot.
    void reset(const ParameterImage& image, int page);
    // Marks the blocks where `image` differs from the current snapshot and,
    // if anything differs, pushes it as the newest snapshot (dropping the
    // oldest when the ring is full). Returns whether anything differed.
    bool record(const ParameterImage& image, int page);
    // Steps one snapshot back or forward; false when there is none.
    bool stepBack();
    bool stepForward();

    // The lowest block with its pending flag set.
    std::optional<int> firstPendingBlock() const;

private:
    std::vector<Slot> slots_;  // kUndoSlots; on the heap, the ring is 570 kB
    int current_ = 0;
    int newest_ = 0;
    int oldest_ = 0;
};

// The switches of the window that decide whether a change is programmed.
struct ProgramSwitches {
    bool programOnChange = false;  // "Program. po změně" (CheckBoxProgHned)
    bool tuningOn = false;         // "Tuning on"
};

struct RecordResult {
    bool changed = false;           // a snapshot was taken
    bool programRequested = false;  // start a program run of the pending blocks
};

struct RestoreResult {
    bool moved = false;             // there was a snapshot to go to
    bool changed = false;           // the image changed
    bool pageChanged = false;       // the snapshot's page became the active one
    bool programRequested = false;  // start a program run of the pending blocks
};

// Empties the ring and takes the image as the first snapshot (start-up).
void ResetUndo(Document& doc);
// Compares, sets the pending-block flags and pushes a snapshot. A change is
// programmed at once when "program on change" is on and tuning is not.
RecordResult RecordChange(Document& doc, ProgramSwitches switches);
// One step back or forward through the ring, restoring image and page. A
// restore is programmed when "program on change" is on, whatever tuning does.
RestoreResult Undo(Document& doc, ProgramSwitches switches);
RestoreResult Redo(Document& doc, ProgramSwitches switches);

bool UndoEnabled(const Document& doc);
bool RedoEnabled(const Document& doc);

// The single path of every edit: make the image consistent, let the caller
// show the active page, then record. The page is shown twice in succession
// so that controls whose limits follow other controls settle on the second
// showing. `showActivePage` may be empty.
RecordResult ChangeHook(Document& doc, ProgramSwitches switches,
                        const std::function<void()>& showActivePage = {});

// The block a program run of the changed blocks starts with: the lowest
// pending block, or nothing when no block is pending (then no run starts).
// The device link starts the run itself.
std::optional<int> ProgramChangedBlocks(const Document& doc);

}  // namespace kestrin
