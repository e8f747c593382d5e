// The transfer runs where a technician's bike is at stake: what a failed
// run leaves behind and reports, runs that replace each other, the timing of
// the first frame, the tuning read-back without its second reply, and the
// derived tables after a read.

#include "link_fixture.h"

#include "app/build_stamp.h"
#include "files/file_steps.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kestrin::test {
namespace {

using Start = void (LinkEngine::*)();

int count(const std::vector<std::uint8_t>& v, std::uint8_t c)
{
    return static_cast<int>(std::count(v.begin(), v.end(), c));
}

// Ticks until the engine is in `state` (at most `limit` ticks).
bool tickUntilState(LinkRig& rig, TransferState state, int limit = 200)
{
    for (int i = 0; i < limit; ++i) {
        if (rig.engine.state() == state)
            return true;
        rig.tick();
    }
    return rig.engine.state() == state;
}

// A failed run is what the technician must see: the unit that then stores
// what it got and counts down its saving must not turn the red error into
// "Saving:" or "Program device: OK".
TEST(LinkCheck, FailedRunStaysReportedWhileTheUnitSaves)
{
    struct Case {
        const char* name;
        bool failInVerifyPhase;  // the write succeeds, the read-back fails
        const char* error;
    } cases[] = {
        {"program fails at block 12", false, "Program error!"},
        {"verify after program fails at block 12", true, "Verify error!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig(patternImage(1), {}, c.failInVerifyPhase ? SimFaults{} : SimFaults{.dropBlock = 12});
        rig.doc.image = patternImage(2);
        rig.engine.program();
        if (c.failInVerifyPhase) {
            ASSERT_TRUE(tickUntilState(rig, TransferState::Verify));
            rig.unit.setFaults({.dropBlock = 12});
        }
        ASSERT_GT(rig.runToEnd(), 0);
        ASSERT_EQ(rig.events.ends.back().second, RunResult::Failed);
        EXPECT_FALSE(rig.engine.programFinished());

        // The unit stores the blocks it got: its countdown comes with the
        // polls. The failing tick was the first of the 200 before hiding.
        bool unitSaved = false;
        int firstWrongTick = 0;
        for (int i = 1; i < kStatusHideTicks - 1 && firstWrongTick == 0; ++i) {
            rig.tick();
            unitSaved = unitSaved || rig.live.savingCountdown > 0;
            const StatusLine& s = rig.engine.status();
            if (s.text != c.error || s.colour != StatusColour::Red || !s.visible)
                firstWrongTick = i;
        }
        EXPECT_EQ(firstWrongTick, 0) << rig.engine.status().text;
        EXPECT_TRUE(unitSaved);
        rig.tick();
        EXPECT_FALSE(rig.engine.status().visible);
    }
}

// What a failed run leaves: the blocks a program run confirmed are no
// longer pending, the rest are; a read keeps what it had stored so far.
TEST(LinkCheck, FailedRunLeavesConfirmedBlocksDoneAndTheRestAsItWas)
{
    for (const bool readRun : {false, true}) {
        SCOPED_TRACE(readRun ? "read" : "program");
        const ParameterImage unitImage = patternImage(30);
        const ParameterImage pcImage = patternImage(31);
        LinkRig rig(unitImage, {}, SimFaults{.dropBlock = 5});
        rig.doc.image = pcImage;
        if (readRun)
            rig.engine.read();
        else
            rig.engine.program();
        const int ticks = rig.runToEnd();
        ASSERT_EQ(rig.events.ends.back().second, RunResult::Failed);

        // Block 5 went out from the reply to block 4 (tick 11), again when
        // that tick's timer step and five more had passed, then four times
        // more six ticks apart; the run failed six ticks after the last.
        const auto cmds = rig.commandsWritten();
        const std::uint8_t block5 = readRun ? 0x45 : 0x05;
        EXPECT_EQ(count(cmds, block5), kMaxSends);
        EXPECT_EQ(cmds.back(), block5);
        EXPECT_EQ(ticks, 6 + 5 + (kRetryTicks - 1) + (kMaxSends - 2) * kRetryTicks + kRetryTicks);
        EXPECT_EQ(rig.doc.identification, rig.unit.identification());

        for (int b = 1; b <= kLastBlock; ++b) {
            SCOPED_TRACE(b);
            if (readRun) {
                EXPECT_EQ(rig.doc.image.block(b), (b < 5 ? unitImage : pcImage).block(b));
            } else {
                EXPECT_EQ(rig.doc.image, pcImage);
                EXPECT_EQ(rig.doc.undo.pending[static_cast<std::size_t>(b)], b >= 5);
                // The unit stored block 5 too: only its echo was lost.
                EXPECT_EQ(rig.unit.stored().block(b), (b <= 5 ? pcImage : unitImage).block(b));
            }
        }
        if (!readRun) {
            EXPECT_FALSE(rig.doc.undo.pending[0]);
            EXPECT_TRUE(rig.engine.verifyAfterProgram());
        }
    }
}

// Any command during any run replaces it: the new run starts from its own
// first block, the old run's replies do not move it, and it ends well.
TEST(LinkCheck, EveryCommandReplacesEveryRun)
{
    struct Cmd {
        const char* name;
        Start start;
        TransferState state;
        std::uint8_t first;
    } cmds[] = {
        {"read", &LinkEngine::read, TransferState::Read, 0x40},
        {"verify", &LinkEngine::verify, TransferState::Verify, 0x41},
        {"program", &LinkEngine::program, TransferState::Program, 0x00},
    };
    for (const auto& first : cmds) {
        for (const auto& second : cmds) {
            SCOPED_TRACE(std::string(first.name) + " then " + second.name);
            const ParameterImage image = patternImage(12);
            LinkRig rig(image, {}, SimFaults{.delayTicks = 1});
            rig.doc.image = image;
            (rig.engine.*first.start)();
            rig.tick(10);  // a few blocks into the first run, a reply under way
            rig.channel.clearWritten();
            (rig.engine.*second.start)();
            EXPECT_EQ(rig.engine.state(), second.state);
            ASSERT_GT(rig.runToEnd(), 0);
            const auto sent = rig.commandsWritten();
            ASSERT_FALSE(sent.empty());
            EXPECT_EQ(sent.front(), second.first);
            EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Ok));
            // Block 19 read once by a read run and once by the verify.
            EXPECT_EQ(count(sent, 0x53), second.state == TransferState::Read ? 2 : 1);
            EXPECT_EQ(rig.unit.stored(), image);
            EXPECT_EQ(rig.doc.image, image);
        }
    }
}

// A Program that never reached the unit leaves block 0 pending with the
// rest. The next change run starts with it, so that a unit with another
// program version is found out before any of its blocks is overwritten.
TEST(LinkCheck, ChangeRunAfterAnUnfinishedProgramChecksTheVersionFirst)
{
    const ParameterImage unitImage = patternImage(50);
    LinkRig rig(unitImage, SimIdentity{.programVersion = 81}, SimFaults{.silentAfter = 0});
    rig.doc.image = patternImage(51);
    rig.engine.program();
    rig.runToEnd();
    ASSERT_EQ(rig.events.ends.back().second, RunResult::Failed);
    ASSERT_TRUE(rig.doc.undo.pending[0]);

    rig.unit.setFaults({});
    rig.channel.clearWritten();
    rig.doc.image.setByte(6 * 150 + 3, 0x11);  // an edit in block 7
    rig.doc.undo.pending[7] = true;
    rig.engine.programChangedBlocks();
    rig.runToEnd();
    EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x00}));
    EXPECT_EQ(rig.events.ends.back().second, RunResult::VersionMismatch);
    EXPECT_EQ(rig.unit.stored(), unitImage);
}

// A change run writes without reading block 0 first. When the unit's
// monitor frames already say it runs another program version, the run
// starts with block 0 all the same, and its version check stops it before
// the edit is written in a layout the unit may not have.
TEST(LinkCheck, ChangeRunToAUnitReportingAnotherVersionChecksItFirst)
{
    for (const int version : {81, 82}) {
        SCOPED_TRACE(version);
        const ParameterImage unitImage = patternImage(52);
        LinkRig rig(unitImage, SimIdentity{.programVersion = version});
        rig.doc.image = unitImage;
        rig.tick(kRetryTicks + 1);  // one poll answered
        ASSERT_EQ(rig.live.version, version);

        rig.channel.clearWritten();
        rig.doc.image.setByte(6 * 150 + 3, 0x11);  // an edit in block 7
        rig.doc.undo.pending[7] = true;
        rig.engine.programChangedBlocks();
        rig.runToEnd();
        if (version == kProgramVersion) {
            EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x07}));
            EXPECT_EQ(rig.unit.stored(), rig.doc.image);
        } else {
            EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x00}));
            EXPECT_EQ(rig.events.ends.back().second, RunResult::VersionMismatch);
            EXPECT_EQ(rig.events.versionMessages.size(), 1u);
            EXPECT_EQ(rig.unit.stored(), unitImage);
            EXPECT_TRUE(rig.doc.undo.pending[7]);
        }
    }
}

// The first frame of a run leaves from the timer step: 1 to 6 ticks after
// the command, by where the idle poll period stood.
TEST(LinkCheck, FirstFrameLeavesWhenThePollPeriodEnds)
{
    for (int sincePoll = 0; sincePoll < kRetryTicks; ++sincePoll) {
        SCOPED_TRACE(sincePoll);
        LinkRig rig({}, {}, SimFaults{.silentAfter = 0});
        rig.tick(kRetryTicks + sincePoll);  // the poll went out on tick 6
        rig.channel.clearWritten();
        rig.engine.read();
        rig.tick(kRetryTicks - sincePoll - 1);
        EXPECT_TRUE(rig.channel.written().empty());
        rig.tick();
        EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x40}));
        EXPECT_EQ(rig.engine.attempts(), 1);
    }
}

// Without the reply to the map's second block the read-back is not retried
// as such: each idle step starts again from the first block, and once
// polling resumes a late reply has no place in the image.
TEST(LinkCheck, TuningReadBackWithoutItsSecondReplyStartsAgainAndLateRepliesAreDropped)
{
    const ParameterImage unitImage = patternImage(40);
    LinkRig rig(unitImage, {}, SimFaults{.dropBlock = 7});
    rig.doc.image = patternImage(41);
    rig.doc.image.setByte(off::TuningChannel, 1);
    rig.live.tpsShare = 100;  // channel 1's TPS map: blocks 6 and 7
    rig.engine.setTuningOn(true);

    rig.tick(3 * kRetryTicks + 1);
    EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x46, 0x47, 0x46, 0x47, 0x46, 0x47}));
    EXPECT_EQ(rig.doc.image.block(6), unitImage.block(6));
    EXPECT_EQ(rig.doc.image.block(7), patternImage(41).block(7));
    EXPECT_EQ(rig.events.refreshes, 0);  // the map is shown only once it is complete
    EXPECT_EQ(rig.engine.tuningStep(), 2);

    rig.engine.setTuningOn(false);
    rig.tick(kRetryTicks);
    EXPECT_EQ(rig.commandsWritten().back(), kPollCommand);
    EXPECT_EQ(rig.engine.tuningStep(), 0);
    Frame late{};
    late[0] = 0xC7;  // answers the last block request, after the poll
    seal(late);
    rig.channel.inject(late);
    rig.tick();
    EXPECT_EQ(rig.doc.image.block(7), patternImage(41).block(7));
}

// After a read the editor's derived tables are those of the image it left:
// the base maps follow the unit's bike and RPM axes, the percent arrays its
// maps. A read that fails at block 10 has brought both (blocks 1 and 4).
TEST(LinkCheck, ReadBringsTheDerivedTablesToTheUnitsImage)
{
    for (const int dropBlock : {-1, 10}) {
        SCOPED_TRACE(dropBlock);
        Document unitSet;
        PrepareDefaultSet(unitSet, 26);
        LinkRig rig(unitSet.image, {}, SimFaults{.dropBlock = dropBlock});
        SetStartupImage(rig.doc);  // bike 11
        ASSERT_NE(rig.doc.derived.baseMaps, unitSet.derived.baseMaps);

        rig.engine.read();
        ASSERT_GT(rig.runToEnd(), 0);
        if (dropBlock < 0) {
            ASSERT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Ok));
            ASSERT_EQ(rig.doc.image, unitSet.image);
        } else {
            ASSERT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Read, RunResult::Failed));
            ASSERT_EQ(rig.doc.image.byte(off::BikeCode), 26);
        }

        Document expected;
        expected.image = rig.doc.image;
        RecomputeDerivedTables(expected);
        EXPECT_EQ(expected.image, rig.doc.image);
        EXPECT_EQ(rig.doc.derived.baseMaps, expected.derived.baseMaps);
        EXPECT_EQ(rig.doc.derived.percent, expected.derived.percent);
    }
}

}  // namespace
}  // namespace kestrin::test
