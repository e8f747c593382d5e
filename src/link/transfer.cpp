// Transfer runs: read, verify and program the unit block by block, each
// block sent only after the reply to the previous one was accepted, and the
// tuning read-back served by the same reply handler.

#include "app/messages.h"
#include "files/file_steps.h"
#include "link/link_engine.h"
#include "link/live_values.h"
#include "link/transfer_identification.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace kestrin {

namespace {

constexpr int kMessageProgramError = 3;
constexpr int kMessageVerifyError = 4;
constexpr int kMessageReadError = 5;
constexpr int kMessageProgram = 6;
constexpr int kMessageVersionMismatch = 7;
constexpr int kMessageVerify = 8;
constexpr int kMessageRead = 9;
constexpr int kMessageSaving = 39;
constexpr const char* kOk = " OK";

bool equalsImageBlock(const ParameterImage& image, int block, FrameView frame)
{
    const Block b = image.block(block);
    const auto data = frameData(frame);
    return std::equal(b.begin(), b.end(), data.begin());
}

int lowestPending(const Document& doc, int from)
{
    for (int b = from; b <= kLastBlock; ++b)
        if (doc.undo.pending[static_cast<std::size_t>(b)])
            return b;
    return -1;
}

}  // namespace

// --- commands --------------------------------------------------------------

void LinkEngine::read()
{
    state_ = TransferState::Read;
    command_ = kReadBit;
    attempts_ = 0;
    tuningStep_ = 0;
    setStatus(message(kMessageRead), StatusColour::Normal);
    status_.gauge = 0;
    status_.gaugeVisible = true;
    programFinished_ = false;
    if (events_)
        events_->readStarted();
    statusChanged();
}

void LinkEngine::verify()
{
    RecomputeDerivedTables(doc_);
    refreshPages();
    state_ = TransferState::Verify;
    command_ = kReadBit | 1;
    attempts_ = 0;
    tuningStep_ = 0;
    setStatus(message(kMessageVerify), StatusColour::Normal);
    programFinished_ = false;
    status_.gauge = 0;
    status_.gaugeVisible = true;
    statusChanged();
}

void LinkEngine::program()
{
    RecomputeDerivedTables(doc_);
    refreshPages();
    verifyAfterProgram_ = true;
    doc_.undo.pending.fill(true);
    startProgramRun();
}

void LinkEngine::startProgramRun()
{
    const int b = lowestPending(doc_, 0);
    if (b >= 0)
        beginProgramRun(b);
}

void LinkEngine::programChangedBlocks()
{
    // Block 0 alone is no change of the image. When it is still pending
    // from a Program that did not finish, or when the unit's monitor frames
    // report another program version, it goes first all the same: its reply
    // checks the unit's version before any block is written.
    if (lowestPending(doc_, 1) < 0)
        return;
    if (live_.received && live_.version != kProgramVersion)
        doc_.undo.pending[0] = true;
    startProgramRun();
}

void LinkEngine::beginProgramRun(int block)
{
    command_ = static_cast<std::uint8_t>(block);
    attempts_ = 0;
    tuningStep_ = 0;
    state_ = TransferState::Program;
    setStatus(message(kMessageProgram), StatusColour::Normal);
    status_.gauge = block;
    status_.gaugeVisible = true;
    programFinished_ = false;
    statusChanged();
}

// --- timer step ------------------------------------------------------------

void LinkEngine::timerStep()
{
    if (state_ == TransferState::Idle) {
        idleStep();
        return;
    }
    if (state_ == TransferState::Read)
        programFinished_ = false;
    if (++ticksSinceSend_ < kRetryTicks)
        return;
    ticksSinceSend_ = 0;
    if (++attempts_ <= kMaxSends)
        sendBlockFrame();
    else
        failRun();
}

void LinkEngine::failRun()
{
    const TransferState run = state_;
    const int text = run == TransferState::Program  ? kMessageProgramError
                     : run == TransferState::Verify ? kMessageVerifyError
                                                    : kMessageReadError;
    setStatus(message(text), StatusColour::Red);
    state_ = TransferState::Idle;
    if (run == TransferState::Verify)
        programFinished_ = false;
    statusChanged();
    // A failed read has stored some blocks already: the derived tables
    // follow them, and the pages show the image as it now is, so that
    // collecting them cannot undo the read.
    if (run == TransferState::Read) {
        RecomputeDerivedTables(doc_);
        refreshPages();
    }
    endRun(run, RunResult::Failed);
}

void LinkEngine::idleStep()
{
    if (++ticksSinceSend_ >= kRetryTicks) {
        ticksSinceSend_ = 0;
        if (tuningOn_ || (tuningByTls_ && live_.lambdaMode)) {
            // The tuned map: the TPS map of the tuning channel while most of
            // the injection comes from it, else the IAP map.
            int first = 15;
            if (live_.tpsShare >= 50) {
                const int channel = std::clamp<int>(doc_.image.byte(off::TuningChannel), 1, 4);
                first = 2 * channel + 4;
            }
            requestTuningBlock(first);
            tuningStep_ = 1;
        } else {
            sendPoll();
            tuningStep_ = 0;
        }
    }

    // A failed run's red text stays until the next message: the unit then
    // stores what it did get and counts down, and "Saving:" or "Program
    // device: OK" in its place would hide that the bike was not programmed.
    if (status_.colour == StatusColour::Red)
        return;
    StatusLine before = status_;
    if (live_.savingCountdown > 0) {
        const int done = std::clamp(kSavingCountdownStart - live_.savingCountdown, 0,
                                    kSavingCountdownStart);
        status_.text = message(kMessageSaving);
        status_.colour = StatusColour::Normal;
        status_.gauge = status_.gaugeMax * done / kSavingCountdownStart;
        status_.hideCountdown = kStatusHideTicks;
    } else if (programFinished_) {
        status_.text = message(kMessageProgram) + kOk;
        status_.gauge = status_.gaugeMax;
    }
    if (!(before == status_))
        statusChanged();
}

void LinkEngine::requestTuningBlock(int block)
{
    command_ = static_cast<std::uint8_t>(kReadBit | block);
    attempts_ = 1;
    sendBlockFrame();
}

// --- replies ---------------------------------------------------------------

void LinkEngine::handleReply(FrameView frame)
{
    if (!acceptBlockReply(frame, command_))
        return;
    connectionCounter_ = 0;
    const int block = presentBlock();
    switch (state_) {
    case TransferState::Program: replyInProgramRun(block, frame); break;
    case TransferState::Verify: replyInVerifyRun(block, frame); break;
    case TransferState::Read: replyInReadRun(block, frame); break;
    case TransferState::Idle: replyToTuningRequest(block, frame); break;
    }
}

bool LinkEngine::takeIdentification(FrameView frame)
{
    const auto data = frameData(frame);
    std::copy(data.begin(), data.end(), doc_.identification.begin());
    if (doc_.identification[ident::ProgramVersion] == kProgramVersion)
        return true;
    state_ = TransferState::Idle;
    pendingVersionMessage_ = message(kMessageVersionMismatch) + "  PC-"
                             + std::to_string(kProgramVersion) + ", IGN-"
                             + std::to_string(doc_.identification[ident::ProgramVersion]);
    return false;
}

void LinkEngine::replyInProgramRun(int block, FrameView frame)
{
    if (block == 0) {
        const bool versionOk = takeIdentification(frame);
        RecomputeDerivedTables(doc_);
        refreshPages();
        if (!versionOk) {
            status_.hideCountdown = 0;  // the line stays on screen
            statusChanged();
            endRun(TransferState::Program, RunResult::VersionMismatch);
            return;
        }
    } else if (!equalsImageBlock(doc_.image, block, frame)) {
        // Not confirmed: the block stays pending and is sent again after
        // the timeout, so a failed run leaves it to the next run.
        return;
    }
    doc_.undo.pending[static_cast<std::size_t>(block)] = false;

    const int next = lowestPending(doc_, 0);
    if (next >= 0) {
        command_ = static_cast<std::uint8_t>(next);
        attempts_ = 1;
        status_.gauge = next;
        sendBlockFrame();
        statusChanged();
        return;
    }
    programFinished_ = true;
    if (verifyAfterProgram_) {
        startVerifyPhase();
        return;
    }
    status_.gauge = status_.gaugeMax;
    setStatus(message(kMessageProgram) + kOk, StatusColour::Normal);
    state_ = TransferState::Idle;
    statusChanged();
    endRun(TransferState::Program, RunResult::Ok);
}

void LinkEngine::replyInVerifyRun(int block, FrameView frame)
{
    if (block < 1 || !equalsImageBlock(doc_.image, block, frame))
        return;  // read again after the timeout
    if (block < kLastBlock) {
        command_ = static_cast<std::uint8_t>(command_ + 1);
        status_.gauge = block + 1;
        attempts_ = 1;
        sendBlockFrame();
        statusChanged();
        return;
    }
    verifyAfterProgram_ = false;
    status_.gauge = status_.gaugeMax;
    setStatus(message(kMessageVerify) + kOk, StatusColour::Normal);
    state_ = TransferState::Idle;
    statusChanged();
    endRun(TransferState::Verify, RunResult::Ok);
}

void LinkEngine::replyInReadRun(int block, FrameView frame)
{
    if (block != 0) {
        doc_.image.setBlock(block, frameData(frame));
    } else if (!takeIdentification(frame)) {
        RecomputeDerivedTables(doc_);
        refreshPages();
        status_.hideCountdown = 0;
        statusChanged();
        endRun(TransferState::Read, RunResult::VersionMismatch);
        return;
    }
    if (block == kLastBlock) {
        // The unit's set may be another bike with other axes: the base maps
        // and the percent arrays the injection maps are edited in follow
        // it, or the next map edit would be computed from the old set's.
        RecomputeDerivedTables(doc_);
        refreshPages();
        startVerifyPhase();
        return;
    }
    command_ = static_cast<std::uint8_t>(command_ + 1);
    status_.gauge = block + 1;
    attempts_ = 1;
    sendBlockFrame();
    statusChanged();
}

void LinkEngine::startVerifyPhase()
{
    state_ = TransferState::Verify;
    command_ = kReadBit | 1;
    attempts_ = 1;
    sendBlockFrame();
    setStatus(message(kMessageVerify), StatusColour::Normal);
    status_.gauge = 0;
    statusChanged();
}

void LinkEngine::replyToTuningRequest(int block, FrameView frame)
{
    // Only an outstanding read-back request has a place in the image; a
    // late reply from an ended run would overwrite the user's blocks.
    if (tuningStep_ == 0 || block == 0)
        return;
    doc_.image.setBlock(block, frameData(frame));
    if (tuningStep_ == 1) {
        requestTuningBlock(block + 1);
        tuningStep_ = 2;
        return;
    }
    refreshPages();
    sendPoll();
    tuningStep_ = 0;
}

void LinkEngine::endRun(TransferState run, RunResult result)
{
    if (events_)
        events_->runEnded(run, result);
}

}  // namespace kestrin
