#include "model/undo_ring.h"

#include "model/derived_tables.h"
#include "model/document.h"

namespace kestrin {

namespace {

int next(int index) { return (index + 1) % kUndoSlots; }
int previous(int index) { return (index + kUndoSlots - 1) % kUndoSlots; }

// Copies the current snapshot into the image, marking the blocks of every
// byte that changes; makes the snapshot's page the active one.
RestoreResult restore(Document& doc, ProgramSwitches switches)
{
    RestoreResult result;
    result.moved = true;
    const UndoRing::Slot& slot = doc.undo.slot(doc.undo.current());
    const auto from = slot.image.bytes();
    auto to = doc.image.bytes();
    for (int i = 0; i < kImageSize; ++i) {
        if (to[i] != from[i]) {
            to[i] = from[i];
            doc.undo.pending[ParameterImage::blockOfOffset(i)] = true;
            result.changed = true;
        }
    }
    if (slot.page != doc.activePage) {
        doc.activePage = slot.page;
        result.pageChanged = true;
    }
    // Undoing a change is programmed even while tuning: the unit must not
    // keep a value the user has taken back.
    result.programRequested = switches.programOnChange && result.changed;
    return result;
}

}  // namespace

void UndoRing::reset(const ParameterImage& image, int page)
{
    current_ = newest_ = oldest_ = 0;
    slots_[0].image = image;
    slots_[0].page = static_cast<std::uint8_t>(page);
}

bool UndoRing::record(const ParameterImage& image, int page)
{
    const auto now = image.bytes();
    const auto kept = slots_[static_cast<std::size_t>(current_)].image.bytes();
    bool differs = false;
    for (int i = 0; i < kImageSize; ++i) {
        if (now[i] != kept[i]) {
            pending[ParameterImage::blockOfOffset(i)] = true;
            differs = true;
        }
    }
    if (!differs)
        return false;

    current_ = next(current_);
    newest_ = current_;
    if (oldest_ == current_)
        oldest_ = next(oldest_);  // the ring is full: drop the oldest snapshot
    slots_[static_cast<std::size_t>(current_)].image = image;
    slots_[static_cast<std::size_t>(current_)].page = static_cast<std::uint8_t>(page);
    return true;
}

bool UndoRing::stepBack()
{
    if (!canUndo())
        return false;
    current_ = previous(current_);
    return true;
}

bool UndoRing::stepForward()
{
    if (!canRedo())
        return false;
    current_ = next(current_);
    return true;
}

std::optional<int> UndoRing::firstPendingBlock() const
{
    for (int n = 1; n <= kBlockCount; ++n)
        if (pending[n])
            return n;
    return std::nullopt;
}

void ResetUndo(Document& doc) { doc.undo.reset(doc.image, doc.activePage); }

RecordResult RecordChange(Document& doc, ProgramSwitches switches)
{
    RecordResult result;
    result.changed = doc.undo.record(doc.image, doc.activePage);
    // While the unit tunes its own maps, an edit is not written into it.
    result.programRequested = result.changed && switches.programOnChange && !switches.tuningOn;
    return result;
}

RestoreResult Undo(Document& doc, ProgramSwitches switches)
{
    if (!doc.undo.stepBack())
        return {};
    return restore(doc, switches);
}

RestoreResult Redo(Document& doc, ProgramSwitches switches)
{
    if (!doc.undo.stepForward())
        return {};
    return restore(doc, switches);
}

bool UndoEnabled(const Document& doc) { return doc.undo.canUndo(); }
bool RedoEnabled(const Document& doc) { return doc.undo.canRedo(); }

RecordResult ChangeHook(Document& doc, ProgramSwitches switches,
                        const std::function<void()>& showActivePage)
{
    ApplyConsistencyRules(doc);
    if (showActivePage) {
        showActivePage();
        showActivePage();
    }
    return RecordChange(doc, switches);
}

std::optional<int> ProgramChangedBlocks(const Document& doc) { return doc.undo.firstPendingBlock(); }

}  // namespace kestrin
