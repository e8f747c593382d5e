#pragma once
// The live side of the window in one core object: the link engine, the
// monitor decoder fed by it, and the bookkeeping the window needs around
// them. It draws nothing; the window shows the decoder's display and the
// engine's status line and forwards its commands here.
//
// A read run writes the unit's blocks straight into the image. So that a
// read (complete or failed) can be undone like any other change, its end is
// recorded as one undo step; the blocks it changed came from the unit, so
// they are not marked as waiting to be programmed.

#include "link/link_engine.h"
#include "link/monitor_decoder.h"

namespace kestrin {

class Document;
class MessageTable;
class SerialChannel;

class LiveLink : public MonitorSink, public LinkEvents {
public:
    LiveLink(Document& doc, SerialChannel& channel, const MessageTable& messages);

    // Where the window hears of the link's events (forwarded after our own
    // bookkeeping). May be null.
    void setEvents(LinkEvents* events) { events_ = events; }

    // One timer tick of the link. True when a monitor frame was decoded
    // during it (then the display holds new values and the page visibility
    // rules are due).
    bool tick();

    // Device commands. `read` also arranges the undo step at the run's end.
    void read();
    // A command given during a read replaces it: the read so far becomes
    // its own undo step first.
    void verify();
    void program();

    LinkEngine& engine() { return engine_; }
    const LinkEngine& engine() const { return engine_; }
    MonitorDecoder& decoder() { return decoder_; }
    const MonitorDecoder& decoder() const { return decoder_; }
    const LiveValues& live() const { return decoder_.live(); }

    // MonitorSink
    void monitorFrame(FrameView frame) override;

    // LinkEvents (from the engine)
    void statusLineChanged(const StatusLine& s) override;
    void pagesRefreshRequested() override;
    void connectionChanged(bool lost) override;
    void readStarted() override;
    void runEnded(TransferState run, RunResult result) override;
    void portChanged(const std::string& label, bool open) override;
    void versionMismatch(const std::string& message) override;
    void portOpenFailed(const std::string& message) override;

private:
    void recordRead();

    Document& doc_;
    MonitorDecoder decoder_;
    LinkEngine engine_;
    LinkEvents* events_ = nullptr;
    bool decoded_ = false;
    bool readPending_ = false;  // a read run started and its undo step is due
};

}  // namespace kestrin
