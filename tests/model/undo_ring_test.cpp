#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/undo_ring.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrin {
namespace {

constexpr ProgramSwitches kNoProgram{};
constexpr ProgramSwitches kProgramOnChange{true, false};

std::vector<int> pendingBlocks(const Document& doc)
{
    std::vector<int> out;
    for (int n = 1; n <= kBlockCount; ++n)
        if (doc.undo.pending[n])
            out.push_back(n);
    return out;
}

// A started document: the ring holds the image as its first snapshot.
struct Started {
    Document doc;
    Started() { ResetUndo(doc); }
    RecordResult change(int offset, int value, ProgramSwitches sw = kNoProgram)
    {
        doc.image.setByte(offset, static_cast<std::uint8_t>(value));
        return RecordChange(doc, sw);
    }
};

TEST(UndoRing, NothingToUndoOrRedoRightAfterStartUp)
{
    Started s;
    EXPECT_FALSE(UndoEnabled(s.doc));
    EXPECT_FALSE(RedoEnabled(s.doc));
    const ParameterImage before = s.doc.image;
    EXPECT_FALSE(Undo(s.doc, kProgramOnChange).moved);
    EXPECT_FALSE(Redo(s.doc, kProgramOnChange).moved);
    EXPECT_EQ(s.doc.image, before);
}

TEST(UndoRing, ChangeUndoRedo)
{
    Started s;
    s.change(off::Gas1, 20);
    s.change(off::Gas1, 30);
    EXPECT_TRUE(UndoEnabled(s.doc));
    EXPECT_FALSE(RedoEnabled(s.doc));

    EXPECT_TRUE(Undo(s.doc, kNoProgram).changed);
    EXPECT_EQ(s.doc.image.byte(off::Gas1), 20);
    EXPECT_TRUE(RedoEnabled(s.doc));
    Redo(s.doc, kNoProgram);
    EXPECT_EQ(s.doc.image.byte(off::Gas1), 30);
    EXPECT_FALSE(RedoEnabled(s.doc));
}

TEST(UndoRing, NewChangeAfterUndoCutsOffRedo)
{
    Started s;
    s.change(off::Gas1, 20);
    s.change(off::Gas1, 30);
    Undo(s.doc, kNoProgram);
    s.change(off::Gas2, 70);
    EXPECT_FALSE(RedoEnabled(s.doc));
    EXPECT_FALSE(Redo(s.doc, kNoProgram).moved);
    EXPECT_EQ(s.doc.image.byte(off::Gas1), 20);
    Undo(s.doc, kNoProgram);
    EXPECT_EQ(s.doc.image.byte(off::Gas2), 0);
    EXPECT_EQ(s.doc.image.byte(off::Gas1), 20);
}

TEST(UndoRing, TwoHundredChangesDropTheFirstSnapshot)
{
    Started s;
    for (int i = 1; i <= 200; ++i)
        s.change(off::MapAdvance + i % 150, i % 250 + 1);
    int steps = 0;
    while (Undo(s.doc, kNoProgram).moved)
        ++steps;
    EXPECT_EQ(steps, 199);
    // The oldest reachable state is the first change, not the start-up image.
    EXPECT_EQ(s.doc.image.byte(off::MapAdvance + 1), 2);
    int forward = 0;
    while (Redo(s.doc, kNoProgram).moved)
        ++forward;
    EXPECT_EQ(forward, 199);
    EXPECT_EQ(s.doc.image.byte(off::MapAdvance + 50), 201);  // change 200 wrote 200 % 250 + 1
}

TEST(UndoRing, IdenticalChangeTakesNoSnapshotAndProgramsNothing)
{
    Started s;
    const RecordResult r = RecordChange(s.doc, kProgramOnChange);
    EXPECT_FALSE(r.changed);
    EXPECT_FALSE(r.programRequested);
    EXPECT_FALSE(UndoEnabled(s.doc));
    EXPECT_TRUE(pendingBlocks(s.doc).empty());
    EXPECT_FALSE(ProgramChangedBlocks(s.doc).has_value());
}

TEST(UndoRing, UndoMakesTheEarlierPageActiveAgain)
{
    Started s;
    s.doc.activePage = 3;
    s.change(off::RpmJet3A, 12);
    s.doc.activePage = 7;
    s.change(off::RpmIap, 12);

    const RestoreResult back = Undo(s.doc, kNoProgram);
    EXPECT_TRUE(back.pageChanged);
    EXPECT_EQ(s.doc.activePage, 3);
    const RestoreResult again = Undo(s.doc, kNoProgram);  // start-up snapshot, page 0
    EXPECT_TRUE(again.pageChanged);
    EXPECT_EQ(s.doc.activePage, 0);
    s.doc.activePage = 3;
    EXPECT_FALSE(Redo(s.doc, kNoProgram).pageChanged);  // the change made on page 3
    EXPECT_EQ(s.doc.activePage, 3);
}

TEST(UndoRing, ProgramOnChangeAndTuning)
{
    struct Case {
        ProgramSwitches sw;
        bool editPrograms;
        bool undoPrograms;
    };
    const Case cases[] = {
        {{false, false}, false, false},
        {{true, false}, true, true},
        {{true, true}, false, true},  // tuning: edits stay in the PC, undo still goes to the unit
        {{false, true}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sw.programOnChange << c.sw.tuningOn);
        Started s;
        EXPECT_EQ(s.change(off::Gas1, 20, c.sw).programRequested, c.editPrograms);
        s.doc.undo.pending.fill(false);  // the unit confirmed the block
        const RestoreResult undo = Undo(s.doc, c.sw);
        EXPECT_EQ(undo.programRequested, c.undoPrograms);
        EXPECT_EQ(pendingBlocks(s.doc), std::vector<int>{1});
        EXPECT_EQ(ProgramChangedBlocks(s.doc), 1);
    }
}

TEST(UndoRing, OneCellOfAnInjectionMapMarksOneBlock)
{
    struct Case {
        int cell;
        int block;
    };
    // MapJet2A covers offsets 1050..1349: blocks 8 (1050..1199) and 9.
    const Case cases[] = {{0, 8}, {74, 8}, {75, 9}, {149, 9}};
    for (const Case& c : cases) {
        Started s;
        s.doc.image.setWord(off::MapJet2A + 2 * c.cell, 0x0101);  // both bytes of the word
        EXPECT_TRUE(RecordChange(s.doc, kNoProgram).changed);
        EXPECT_EQ(pendingBlocks(s.doc), std::vector<int>{c.block}) << "cell " << c.cell;
    }
}

TEST(UndoRing, RestoreMarksEveryChangedBlockAndProgramsFromTheLowest)
{
    Started s;
    s.doc.image.setByte(off::MapServoIn, 5);  // block 18
    s.doc.image.setByte(off::MemoText, 'A');  // block 19
    s.doc.image.setByte(off::Gas1, 20);       // block 1
    RecordChange(s.doc, kNoProgram);
    s.doc.undo.pending.fill(false);
    Undo(s.doc, kProgramOnChange);
    EXPECT_EQ(pendingBlocks(s.doc), (std::vector<int>{1, 18, 19}));
    EXPECT_EQ(ProgramChangedBlocks(s.doc), 1);
}

TEST(ChangeHook, RulesThenShowingThenRecord)
{
    Started s;
    int shown = 0;
    s.doc.image.setByte(off::Gas1, 50);
    s.doc.image.setByte(off::Gas2, 30);
    const RecordResult r = ChangeHook(s.doc, kProgramOnChange, [&] {
        ++shown;
        EXPECT_EQ(s.doc.image.byte(off::Gas2), 50);  // the page shows the consistent image
    });
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(r.changed);
    EXPECT_TRUE(r.programRequested);
    Undo(s.doc, kNoProgram);
    Redo(s.doc, kNoProgram);
    EXPECT_EQ(s.doc.image.byte(off::Gas2), 50);  // the snapshot is the consistent image
}

}  // namespace
}  // namespace kestrin
