// Transfer runs against the simulated unit: every transition of the run
// state table, retries and failures, with faults injected on the line.

#include "link_fixture.h"

#include "link/transfer_identification.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrin::test {
namespace {

std::vector<std::uint8_t> range(int from, int to)
{
    std::vector<std::uint8_t> v;
    for (int c = from; c <= to; ++c)
        v.push_back(static_cast<std::uint8_t>(c));
    return v;
}

std::vector<std::uint8_t> concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(TransferRuns, ProgramOfAnUnchangedImageWritesEveryBlockThenVerifies)
{
    const ParameterImage image = patternImage(1);
    LinkRig rig(image);
    rig.doc.image = image;

    rig.engine.program();
    EXPECT_EQ(rig.engine.state(), TransferState::Program);
    EXPECT_EQ(rig.engine.status().text, "Program device:");
    // First frame after 6 ticks, then one block per tick: 20 writes, 19 reads.
    EXPECT_EQ(rig.runToEnd(), 6 + 20 + 19);
    EXPECT_EQ(rig.commandsWritten(), concat(range(0x00, 0x13), range(0x41, 0x53)));
    EXPECT_EQ(rig.unit.stored(), image);
    EXPECT_TRUE(std::none_of(rig.doc.undo.pending.begin(), rig.doc.undo.pending.end(),
                             [](bool p) { return p; }));
    EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Ok));
    // The idle step of the same tick shows the finished program.
    EXPECT_EQ(rig.engine.status().text, "Program device: OK");
    EXPECT_FALSE(rig.engine.verifyAfterProgram());
    EXPECT_TRUE(rig.engine.programFinished());
    EXPECT_EQ(rig.doc.identification, rig.unit.identification());
}

TEST(TransferRuns, AfterProgrammingTheUnitsSavingIsShownThenProgramOk)
{
    LinkRig rig(patternImage(2));
    rig.doc.image = patternImage(3);
    rig.engine.program();
    ASSERT_GT(rig.runToEnd(), 0);

    bool sawSaving = false;
    int lastGauge = -1;
    for (int i = 0; i < 120; ++i) {
        rig.tick();
        if (rig.engine.status().text == "Saving:") {
            sawSaving = true;
            EXPECT_GE(rig.engine.status().gauge, lastGauge);
            lastGauge = rig.engine.status().gauge;
        }
    }
    EXPECT_TRUE(sawSaving);
    EXPECT_EQ(rig.unit.programmings(), 1);
    EXPECT_EQ(rig.engine.status().text, "Program device: OK");
    EXPECT_EQ(rig.engine.status().gauge, kGaugeMax);
    EXPECT_TRUE(rig.engine.status().visible);

    // 200 ticks after the last message the line hides and the flag goes.
    rig.tick(kStatusHideTicks);
    EXPECT_FALSE(rig.engine.status().visible);
    EXPECT_FALSE(rig.engine.status().gaugeVisible);
    EXPECT_FALSE(rig.engine.programFinished());
}

TEST(TransferRuns, ChangedBlockAloneIsWrittenWithoutVerifyUnlessAnEarlierVerifyFailed)
{
    LinkRig rig(patternImage(1));
    rig.doc.image = patternImage(1);
    rig.doc.image.setByte(6 * 150 + 3, 0xEE);  // block 7
    rig.doc.undo.pending[7] = true;

    rig.engine.programChangedBlocks();
    EXPECT_GT(rig.runToEnd(), 0);
    EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x07}));
    EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Program, RunResult::Ok));
    EXPECT_EQ(rig.engine.status().text, "Program device: OK");
    EXPECT_EQ(rig.unit.stored(), rig.doc.image);

    // A Program command whose run failed leaves its verify owed.
    rig.unit.setFaults({.silentAfter = 0});
    rig.engine.program();
    rig.runToEnd();
    ASSERT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Program, RunResult::Failed));
    EXPECT_TRUE(rig.engine.verifyAfterProgram());

    rig.unit.setFaults({});
    rig.channel.clearWritten();
    rig.doc.undo.pending.fill(false);
    rig.doc.undo.pending[7] = true;
    rig.engine.programChangedBlocks();
    rig.runToEnd();
    EXPECT_EQ(rig.commandsWritten(), concat({0x07}, range(0x41, 0x53)));
    EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Ok));
}

TEST(TransferRuns, ProgramChangedBlocksWithNothingPendingStartsNothing)
{
    LinkRig rig;
    rig.engine.programChangedBlocks();
    EXPECT_EQ(rig.engine.state(), TransferState::Idle);
    rig.doc.undo.pending[0] = true;  // block 0 alone is no change of the image
    rig.engine.programChangedBlocks();
    EXPECT_EQ(rig.engine.state(), TransferState::Idle);
}

TEST(TransferRuns, ReadCopiesTheUnitIntoTheImageAndVerifiesIt)
{
    const ParameterImage unitImage = patternImage(5);
    LinkRig rig(unitImage);
    rig.doc.image = patternImage(6);

    rig.engine.read();
    EXPECT_EQ(rig.events.readStarts, 1);
    EXPECT_EQ(rig.engine.status().text, "Read:");
    EXPECT_EQ(rig.runToEnd(), 6 + 20 + 19);
    EXPECT_EQ(rig.commandsWritten(), concat(range(0x40, 0x53), range(0x41, 0x53)));
    EXPECT_EQ(rig.doc.image, unitImage);
    EXPECT_EQ(rig.doc.identification, rig.unit.identification());
    EXPECT_GE(rig.events.refreshes, 1);
    EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Ok));
    EXPECT_EQ(rig.engine.status().text, "Verify: OK");
    // The read frames ask with zeros; the verify frames carry the image.
    const auto& sent = rig.channel.written();
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_TRUE(std::all_of(sent[i].begin() + 1, sent[i].begin() + 151, [](auto b) { return b == 0; }));
    }
    EXPECT_EQ(sent[20], buildBlockFrame(0x41, unitImage, false));
}

TEST(TransferRuns, UnitWithAnotherVersionStopsTheRunAfterBlockZero)
{
    for (const bool programRun : {false, true}) {
        SCOPED_TRACE(programRun ? "program" : "read");
        LinkRig rig(patternImage(1), SimIdentity{.programVersion = 81});
        if (programRun)
            rig.engine.program();
        else
            rig.engine.read();
        rig.runToEnd();

        EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{std::uint8_t(programRun ? 0x00 : 0x40)}));
        ASSERT_EQ(rig.events.versionMessages.size(), 1u);
        EXPECT_EQ(rig.events.versionMessages[0],
                  "Unmatched version of PC and Ignition programs!  PC-82, IGN-81");
        EXPECT_EQ(rig.engine.state(), TransferState::Idle);
        EXPECT_EQ(rig.events.ends.back().second, RunResult::VersionMismatch);
        EXPECT_EQ(rig.doc.identification[ident::ProgramVersion], 81);
        // The line keeps its text: no countdown runs.
        rig.tick(300);
        EXPECT_TRUE(rig.engine.status().visible);
        EXPECT_EQ(rig.engine.status().hideCountdown, 0);
        if (programRun) {
            EXPECT_TRUE(rig.doc.undo.pending[0]);
        }
    }
}

TEST(TransferRuns, VerifyDifferenceIsReadFiveTimesThenReported)
{
    LinkRig rig(patternImage(4));
    rig.doc.image = patternImage(4);
    rig.unit.stored().setByte(11 * 150 + 77, 0x00);  // block 12 differs in one byte
    rig.doc.image.setByte(11 * 150 + 77, 0x01);

    rig.engine.verify();
    rig.runToEnd();
    const auto cmds = rig.commandsWritten();
    EXPECT_EQ(std::count(cmds.begin(), cmds.end(), 0x4C), 5);
    EXPECT_EQ(cmds.back(), 0x4C);
    EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Failed));
    EXPECT_EQ(rig.engine.status().text, "Verify error!");
    EXPECT_EQ(rig.engine.status().colour, StatusColour::Red);
    EXPECT_EQ(rig.engine.status().hideCountdown, kStatusHideTicks - 1);  // one tick has run
}

TEST(TransferRuns, SilentUnitFailsEachRunAfterFiveSendsSixTicksApart)
{
    struct Case {
        const char* name;
        void (LinkEngine::*start)();
        std::uint8_t command;
        const char* error;
    } cases[] = {
        {"read", &LinkEngine::read, 0x40, "Read error!"},
        {"verify", &LinkEngine::verify, 0x41, "Verify error!"},
        {"program", &LinkEngine::program, 0x00, "Program error!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkRig rig({}, {}, SimFaults{.silentAfter = 0});
        (rig.engine.*c.start)();
        EXPECT_EQ(rig.runToEnd(), 6 * 6);
        EXPECT_EQ(rig.commandsWritten(), std::vector<std::uint8_t>(5, c.command));
        EXPECT_EQ(rig.engine.status().text, c.error);
        EXPECT_EQ(rig.engine.status().colour, StatusColour::Red);
        EXPECT_EQ(rig.engine.state(), TransferState::Idle);
        EXPECT_EQ(rig.events.ends.back().second, RunResult::Failed);
    }
}

// Raw frames injected on a line whose unit says nothing.
struct QuietRig : LinkRig {
    QuietRig() : LinkRig({}, {}, SimFaults{.silentAfter = 0}) {}
    void inject(std::uint8_t code, const Block& data)
    {
        Frame f{};
        f[0] = code;
        std::copy(data.begin(), data.end(), f.begin() + 1);
        seal(f);
        channel.inject(f);
    }
};

TEST(TransferRuns, EchoThatDiffersKeepsTheBlockPendingAndIsSentAgain)
{
    QuietRig rig;
    rig.doc.image = patternImage(8);
    rig.doc.undo.pending[4] = true;
    rig.engine.programChangedBlocks();
    rig.tick(6);
    ASSERT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x04}));

    Block wrong = rig.doc.image.block(4);
    wrong[10] ^= 0xFF;
    rig.inject(0x84, wrong);
    rig.tick();
    EXPECT_TRUE(rig.doc.undo.pending[4]);
    EXPECT_EQ(rig.engine.connectionCounter(), 1);  // accepted reply, though not a match
    rig.tick(5);
    EXPECT_EQ(rig.commandsWritten(), (std::vector<std::uint8_t>{0x04, 0x04}));

    rig.inject(0x84, rig.doc.image.block(4));
    rig.tick();
    EXPECT_FALSE(rig.doc.undo.pending[4]);
    EXPECT_EQ(rig.engine.status().text, "Program device: OK");
}

TEST(TransferRuns, RepliesThatDoNotAnswerTheLastCommandAreIgnored)
{
    QuietRig rig;
    rig.doc.undo.pending[6] = true;
    rig.engine.programChangedBlocks();
    rig.tick(6);
    ASSERT_EQ(rig.engine.connectionCounter(), kConnectionLostTicks);

    rig.inject(0x85, rig.doc.image.block(5));  // answers 0x05, last sent was 0x06
    rig.tick();
    Frame bad{};
    bad[0] = 0x86;
    seal(bad);
    bad[151] ^= 0x10;  // right code, one bit wrong in the check byte
    rig.channel.inject(bad);
    rig.tick();
    EXPECT_TRUE(rig.doc.undo.pending[6]);
    EXPECT_EQ(rig.engine.state(), TransferState::Program);
    EXPECT_EQ(rig.engine.connectionCounter(), kConnectionLostTicks);  // never reset
}

TEST(TransferRuns, LateReplyAfterAFailedVerifyDoesNotTouchTheImage)
{
    QuietRig rig;
    rig.doc.image = patternImage(2);
    rig.engine.verify();
    rig.runToEnd();
    ASSERT_EQ(rig.engine.state(), TransferState::Idle);
    const ParameterImage before = rig.doc.image;
    rig.inject(0xC1, Block{});  // the unit's block 1, far too late
    rig.tick();
    EXPECT_EQ(rig.doc.image, before);
}

TEST(TransferRuns, CommandDuringARunReplacesIt)
{
    LinkRig rig(patternImage(3));
    rig.engine.program();
    rig.tick(10);
    rig.engine.read();
    EXPECT_EQ(rig.engine.state(), TransferState::Read);
    rig.runToEnd();
    // The abandoned program run had written its first blocks of the empty
    // image (as the consistency rules leave it).
    Document empty;
    ApplyConsistencyRules(empty);
    EXPECT_EQ(rig.doc.image, rig.unit.stored());
    EXPECT_EQ(rig.doc.image.block(1), empty.image.block(1));
    EXPECT_EQ(rig.doc.image.block(19), patternImage(3).block(19));
    EXPECT_EQ(rig.events.ends.back(), std::make_pair(TransferState::Verify, RunResult::Ok));
}

// Whatever the line does, the unit ends up holding exactly the image, or the
// run reports its failure.
TEST(TransferRuns, FaultyLineEndsWithTheImageInPlaceOrAReportedFailure)
{
    struct Case {
        const char* name;
        SimFaults faults;
        bool mustSucceed;
        bool mustFail;
    } cases[] = {
        {"drop 30%", {.seed = 7, .dropRate = 0.3}, false, false},
        {"corrupt 30%", {.seed = 8, .corruptRate = 0.3}, false, false},
        {"wrong code 30%", {.seed = 9, .wrongCodeRate = 0.3}, false, false},
        {"mixed", {.seed = 10, .dropRate = 0.1, .corruptRate = 0.1, .wrongCodeRate = 0.1}, false, false},
        {"delay 2 ticks", {.delayTicks = 2}, true, false},
        {"delay 7 ticks", {.delayTicks = 7}, true, false},
        {"split", {.split = true}, true, false},
        {"burst of 3", {.burst = 3}, true, false},
        {"split and delayed", {.delayTicks = 3, .split = true}, true, false},
        {"block 5 never answered", {.dropBlock = 5}, false, true},
        {"block 0 never answered", {.dropBlock = 0}, false, true},
        {"silent after 10", {.silentAfter = 10}, false, true},
        {"every check byte corrupt", {.corruptRate = 1.0}, false, true},
    };
    for (const auto& c : cases) {
        for (const bool readRun : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (readRun ? " read" : " program"));
            LinkRig rig(patternImage(20), {}, c.faults);
            rig.doc.image = patternImage(21);
            const ParameterImage written = rig.doc.image;
            if (readRun)
                rig.engine.read();
            else
                rig.engine.program();
            ASSERT_GT(rig.runToEnd(), 0);

            const RunResult result = rig.events.ends.back().second;
            if (result == RunResult::Ok) {
                EXPECT_EQ(rig.unit.stored(), readRun ? patternImage(20) : written);
                EXPECT_EQ(rig.doc.image, rig.unit.stored());
                EXPECT_EQ(rig.engine.status().colour, StatusColour::Normal);
            } else {
                EXPECT_EQ(result, RunResult::Failed);
                EXPECT_EQ(rig.engine.status().colour, StatusColour::Red);
                EXPECT_TRUE(rig.engine.status().text == "Program error!"
                            || rig.engine.status().text == "Verify error!"
                            || rig.engine.status().text == "Read error!");
            }
            if (c.mustSucceed) {
                EXPECT_EQ(result, RunResult::Ok);
            }
            if (c.mustFail) {
                EXPECT_EQ(result, RunResult::Failed);
            }
        }
    }
}

}  // namespace
}  // namespace kestrin::test
