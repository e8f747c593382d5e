#include "app/live_link.h"

#include "model/document.h"
#include "model/undo_ring.h"

namespace kestrin {

LiveLink::LiveLink(Document& doc, SerialChannel& channel, const MessageTable& messages)
    : doc_(doc), decoder_(doc, messages), engine_(doc, channel, messages, decoder_.live())
{
    engine_.setMonitorSink(this);
    engine_.setEvents(this);
}

bool LiveLink::tick()
{
    decoded_ = false;
    engine_.tick();
    return decoded_;
}

void LiveLink::read()
{
    readPending_ = true;
    engine_.read();
}

void LiveLink::verify()
{
    recordRead();
    engine_.verify();
}

void LiveLink::program()
{
    recordRead();
    engine_.program();
}

void LiveLink::monitorFrame(FrameView frame)
{
    if (decoder_.decode(frame))
        decoded_ = true;
}

void LiveLink::recordRead()
{
    if (!readPending_)
        return;
    readPending_ = false;
    const auto pendingBefore = doc_.undo.pending;
    RecordChange(doc_, ProgramSwitches{});
    doc_.undo.pending = pendingBefore;
}

void LiveLink::statusLineChanged(const StatusLine& s)
{
    if (events_)
        events_->statusLineChanged(s);
}

void LiveLink::pagesRefreshRequested()
{
    if (events_)
        events_->pagesRefreshRequested();
}

void LiveLink::connectionChanged(bool lost)
{
    if (events_)
        events_->connectionChanged(lost);
}

void LiveLink::readStarted()
{
    if (events_)
        events_->readStarted();
}

void LiveLink::runEnded(TransferState run, RunResult result)
{
    // A read ends either in its own failure or in the verify phase that
    // follows it; either way the image now holds what came from the unit.
    recordRead();
    if (events_)
        events_->runEnded(run, result);
}

void LiveLink::portChanged(const std::string& label, bool open)
{
    if (events_)
        events_->portChanged(label, open);
}

void LiveLink::versionMismatch(const std::string& message)
{
    if (events_)
        events_->versionMismatch(message);
}

void LiveLink::portOpenFailed(const std::string& message)
{
    if (events_)
        events_->portOpenFailed(message);
}

}  // namespace kestrin
