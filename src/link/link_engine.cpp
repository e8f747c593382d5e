#include "link/link_engine.h"

#include "app/messages.h"
#include "link/serial_channel.h"
#include "model/document.h"

#include <algorithm>

namespace kestrin {

LinkEngine::LinkEngine(Document& doc, SerialChannel& channel, const MessageTable& messages,
                       const LiveValues& live)
    : doc_(doc), channel_(channel), messages_(messages), live_(live), portNamer_(comPortDevice)
{
}

void LinkEngine::tick()
{
    collectAndDispatch();
    timerStep();
    if (status_.tickHide()) {
        programFinished_ = false;
        statusChanged();
    }
    connectionWatch();

    // The version message comes last: its box may keep ticks running, and
    // by now the run is idle and every counter is consistent.
    if (pendingVersionMessage_) {
        const std::string text = std::move(*pendingVersionMessage_);
        pendingVersionMessage_.reset();
        if (events_)
            events_->versionMismatch(text);
    }
}

void LinkEngine::collectAndDispatch()
{
    if (!channel_.isOpen())
        return;
    const long queued = channel_.queuedBytes();
    if (queued < kFrameSize)
        return;  // also a failed status query (-1): nothing is read this tick
    const auto want = static_cast<std::size_t>(std::min<long>(queued, kReceiveBufferSize));
    const int got = channel_.read(std::span<std::uint8_t>(receive_.data(), want));
    // Only the first 152 bytes are a frame; the rest of the read is dropped.
    // A read that delivers less than a frame holds nothing to interpret.
    if (got < kFrameSize)
        return;
    const FrameView frame(receive_.data(), kFrameSize);
    if (frame[0] == kMonitorReply) {
        if (!isIntact(frame))
            return;
        connectionCounter_ = 0;
        if (monitor_)
            monitor_->monitorFrame(frame);
    } else {
        handleReply(frame);
    }
}

void LinkEngine::sendBlockFrame()
{
    ticksSinceSend_ = 0;
    const bool zeros = state_ == TransferState::Read;
    const Frame f = buildBlockFrame(command_, doc_.image, zeros);
    // A failed write is not reported: the missing reply is retried.
    channel_.write(f);
}

void LinkEngine::sendPoll()
{
    PollSwitches s;
    s.tuningOn = tuningOn_;
    s.tuningByTls = tuningByTls_;
    s.testRequests = outputTests_.take();
    const Frame f = buildPollFrame(s, doc_.image);
    channel_.write(f);
}

void LinkEngine::connectionWatch()
{
    if (connectionCounter_ < kConnectionLostTicks) {
        ++connectionCounter_;
        if (lostShown_) {
            lostShown_ = false;
            if (events_)
                events_->connectionChanged(false);
        }
        return;
    }
    if (!lostShown_) {
        lostShown_ = true;
        if (events_)
            events_->connectionChanged(true);
    }
    if (++reopenCounter_ >= kReopenTicks) {
        reopenCounter_ = 0;
        closePort();
        autoScan_ = true;
        int& scan = doc_.outside.portScanIndex;
        scan = scan >= kScanPortCount - 1 ? 0 : scan + 1;
        openPort();
    }
}

std::string LinkEngine::portLabel() const
{
    return portLabelText(comPortName(portNumberFor(doc_.outside.portIndex, doc_.outside.portScanIndex)));
}

bool LinkEngine::openPort()
{
    const int index = doc_.outside.portIndex;
    const int number = portNumberFor(index, doc_.outside.portScanIndex);
    const bool ok = channel_.open(portNamer_(number));
    if (!ok) {
        if (index == kAutoPortIndex) {
            // Move on to the next port on the next tick of a lost connection.
            reopenCounter_ = 200;
        } else if (!autoScan_ && events_) {
            events_->portOpenFailed(message(23));
        }
    }
    if (events_)
        events_->portChanged(portLabel(), ok);
    return ok;
}

void LinkEngine::selectPort(int index)
{
    doc_.outside.portIndex = std::clamp(index, 0, kAutoPortIndex);
    closePort();
    autoScan_ = false;
    openPort();
}

void LinkEngine::closePort()
{
    channel_.close();
}

void LinkEngine::setStatus(std::string text, StatusColour colour)
{
    status_.show(std::move(text), colour);
}

void LinkEngine::statusChanged()
{
    if (events_)
        events_->statusLineChanged(status_);
}

void LinkEngine::refreshPages()
{
    if (events_)
        events_->pagesRefreshRequested();
}

const std::string& LinkEngine::message(int entry) const
{
    return messages_[entry];
}

}  // namespace kestrin
