#pragma once
// The link engine: everything the PC does on the serial line, advanced by
// the 55 ms timer tick. Per tick it collects at most one frame and hands it
// to the monitor decoder or the transfer reply handler, times out and
// resends blocks, polls when idle, reads tuned maps back, runs the status
// line countdown and watches the connection (re-opening the port when it is
// lost). It draws nothing: state is read through the accessors and changes
// are announced to a LinkEvents observer.

#include "link/frame.h"
#include "link/output_tests.h"
#include "link/port_names.h"
#include "link/status_line.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace kestrin {

class Document;
class MessageTable;
class SerialChannel;
struct LiveValues;

inline constexpr int kTickMs = 55;
inline constexpr int kRetryTicks = 6;          // poll period and resend timeout
inline constexpr int kMaxSends = 5;            // sends of one block before the run fails
inline constexpr int kConnectionLostTicks = 24;
inline constexpr int kConnectionStart = 18;    // "No Connection" after 6 ticks at start-up
inline constexpr int kReopenTicks = 30;
inline constexpr int kReceiveBufferSize = 15000;
inline constexpr int kSavingCountdownStart = 5782;

enum class TransferState { Idle = 0, Program = 1, Verify = 2, Read = 3 };
enum class RunResult { Ok, Failed, VersionMismatch };

// Receives every intact monitor frame (first byte 0xB0).
class MonitorSink {
public:
    virtual ~MonitorSink() = default;
    virtual void monitorFrame(FrameView frame) = 0;
};

// What the link tells the window or the command line. Every call comes from
// inside an engine call (tick or command); the handlers must not call
// tick() again, except from the two message calls, which are made once the
// engine's state is consistent (a message box may keep ticks running).
class LinkEvents {
public:
    virtual ~LinkEvents() = default;
    virtual void statusLineChanged(const StatusLine&) {}
    // The image or the identification block was filled from the unit (or
    // the derived tables were recomputed): show all pages again.
    virtual void pagesRefreshRequested() {}
    // "No Connection" is to be shown (lost) or hidden.
    virtual void connectionChanged(bool /*lost*/) {}
    // A read run cleared the current file name (the caption follows).
    virtual void readStarted() {}
    // A run ended for good: the verify phase of a program or read run ends it.
    virtual void runEnded(TransferState /*run*/, RunResult /*result*/) {}
    // The serial port was opened (or the attempt failed); `label` is the
    // text of the port label, e.g. "COM= COM3".
    virtual void portChanged(const std::string& /*label*/, bool /*open*/) {}

    // Message boxes.
    virtual void versionMismatch(const std::string& /*message*/) {}
    virtual void portOpenFailed(const std::string& /*message*/) {}
};

class LinkEngine {
public:
    // Maps a port number (COM1 = 1 .. COM21) to the device to open;
    // comPortDevice unless set.
    using PortNamer = std::function<std::string(int portNumber)>;

    LinkEngine(Document& doc, SerialChannel& channel, const MessageTable& messages,
               const LiveValues& live);

    void setEvents(LinkEvents* events) { events_ = events; }
    void setMonitorSink(MonitorSink* sink) { monitor_ = sink; }
    void setPortNamer(PortNamer namer) { portNamer_ = std::move(namer); }

    // One timer tick: collect and dispatch, advance the transfer state, the
    // status line countdown and the connection watch.
    void tick();

    // Device commands. Collecting the option pages into the image is the
    // caller's step before verify() and program().
    void read();
    void verify();
    void program();
    // A program run of the pending blocks 0..19 (lowest first); nothing
    // when no block is pending.
    void startProgramRun();
    // The same from the change hook, when an edit left one of blocks 1..19
    // pending; block 0 alone starts nothing. A unit whose monitor frames
    // report another program version gets block 0 first, for its check.
    void programChangedBlocks();

    // The two tuning switches of the "Ladění" page (carried in every poll).
    void setTuningOn(bool on) { tuningOn_ = on; }
    bool tuningOn() const { return tuningOn_; }
    void setTuningByTls(bool on) { tuningByTls_ = on; }
    bool tuningByTls() const { return tuningByTls_; }

    OutputTestRequests& outputTests() { return outputTests_; }

    // Serial port: open the port the document selects (or the scan index
    // while "Com Auto" is selected), and the port menu click.
    bool openPort();
    void selectPort(int index);
    void closePort();
    std::string portLabel() const;

    // State, for the window, the command line and tests.
    TransferState state() const { return state_; }
    bool running() const { return state_ != TransferState::Idle; }
    std::uint8_t commandByte() const { return command_; }
    int presentBlock() const { return blockOfCommand(command_); }
    int attempts() const { return attempts_; }
    int ticksSinceSend() const { return ticksSinceSend_; }
    int connectionCounter() const { return connectionCounter_; }
    bool connectionLost() const { return lostShown_; }  // "No Connection" is shown
    int reopenCounter() const { return reopenCounter_; }
    bool autoScan() const { return autoScan_; }
    bool programFinished() const { return programFinished_; }
    bool verifyAfterProgram() const { return verifyAfterProgram_; }
    int tuningStep() const { return tuningStep_; }
    const StatusLine& status() const { return status_; }
    // A message of the window on the same line (the print stamp): shown
    // with the usual 200-tick countdown.
    void showStatusMessage(std::string text, StatusColour colour)
    {
        setStatus(std::move(text), colour);
        statusChanged();
    }
    // The window's own hiding of the line and the gauge, or of the gauge
    // alone, kept here so that the next tick does not show them again.
    void hideStatusLine()
    {
        status_.hide();
        statusChanged();
    }
    void hideStatusGauge()
    {
        status_.hideGauge();
        statusChanged();
    }

private:
    // Transfer runs (transfer.cpp).
    void handleReply(FrameView frame);
    void replyInProgramRun(int block, FrameView frame);
    void replyInVerifyRun(int block, FrameView frame);
    void replyInReadRun(int block, FrameView frame);
    void replyToTuningRequest(int block, FrameView frame);
    bool takeIdentification(FrameView frame);
    void startVerifyPhase();
    void beginProgramRun(int block);
    void failRun();
    void endRun(TransferState run, RunResult result);
    void timerStep();
    void idleStep();
    void requestTuningBlock(int block);

    // Frames out (link_engine.cpp).
    void sendBlockFrame();
    void sendPoll();
    void collectAndDispatch();
    void connectionWatch();
    void setStatus(std::string text, StatusColour colour);
    void statusChanged();
    void refreshPages();
    const std::string& message(int entry) const;

    Document& doc_;
    SerialChannel& channel_;
    const MessageTable& messages_;
    const LiveValues& live_;
    LinkEvents* events_ = nullptr;
    MonitorSink* monitor_ = nullptr;
    PortNamer portNamer_;

    TransferState state_ = TransferState::Idle;
    std::uint8_t command_ = 0;
    int attempts_ = 0;
    bool verifyAfterProgram_ = false;
    bool programFinished_ = false;
    int tuningStep_ = 0;

    int ticksSinceSend_ = 0;
    int connectionCounter_ = kConnectionStart;
    int reopenCounter_ = 0;
    bool autoScan_ = false;
    bool lostShown_ = false;

    bool tuningOn_ = false;
    bool tuningByTls_ = false;
    OutputTestRequests outputTests_;
    StatusLine status_;

    std::optional<std::string> pendingVersionMessage_;
    std::array<std::uint8_t, kReceiveBufferSize> receive_{};
};

}  // namespace kestrin
