// Commands that talk to the control unit over a serial port: read, verify,
// program and monitor. They drive the same link engine as the window, with
// a steady 55 ms tick of their own instead of the window's timer.

#include "app/cli/cli_args.h"
#include "app/cli/commands.h"
#include "app/messages.h"
#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "link/link_engine.h"
#include "link/link_engine_monitor.h"
#include "link/monitor_decoder.h"
#include "link/qt_serial_channel.h"
#include "model/document.h"

#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <thread>

namespace kestrin::cli {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMsgComOpenError = 23;
// How long `program` waits for the unit to start and to finish storing:
// two polls must be answered before the connection counts as lost.
constexpr int kSavingStartTicks = kConnectionLostTicks;
constexpr int kSavingTicksLimit = 60'000 / kTickMs;
// A wake-up this much after its time moves the tick schedule along.
constexpr auto kTickSlack = std::chrono::microseconds(500);
// `monitor` gives up after this long without a frame: the connection watch
// has then re-opened the port three times.
constexpr int kMonitorGiveUpTicks = kConnectionLostTicks + 3 * kReopenTicks;

// `--trace`: every frame sent and every read, in hex, with the milliseconds
// since the command started.
class TracingChannel : public SerialChannel {
public:
    TracingChannel(SerialChannel& inner, Clock::time_point start) : inner_(inner), start_(start) {}

    bool open(const std::string& device) override { return inner_.open(device); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    long queuedBytes() override { return inner_.queuedBytes(); }

    int read(std::span<std::uint8_t> buffer) override
    {
        const int n = inner_.read(buffer);
        if (n > 0)
            print("<-", buffer.first(static_cast<std::size_t>(n)));
        return n;
    }
    bool write(std::span<const std::uint8_t> bytes) override
    {
        print("->", bytes);
        return inner_.write(bytes);
    }

private:
    void print(const char* direction, std::span<const std::uint8_t> bytes)
    {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
        std::fprintf(stderr, "%8lld ms %s %zu:", static_cast<long long>(ms), direction, bytes.size());
        for (std::uint8_t b : bytes)
            std::fprintf(stderr, " %02X", b);
        std::fputc('\n', stderr);
    }

    SerialChannel& inner_;
    Clock::time_point start_;
};

// What the engine reports, shown on stderr the way the status line shows it.
class CliEvents : public LinkEvents {
public:
    explicit CliEvents(Document& doc) : doc_(doc) {}

    void statusLineChanged(const StatusLine& s) override
    {
        if (!s.visible || (s.text == lastText_ && s.gauge == lastGauge_))
            return;
        lastText_ = s.text;
        lastGauge_ = s.gauge;
        std::fprintf(stderr, "%s %d/%d\n", s.text.c_str(), s.gauge, s.gaugeMax);
    }
    // The window shows the image on its pages here, which in the coupled
    // injection mode copies the first map to the others; do the same, so
    // that a verify compares what the window would.
    void pagesRefreshRequested() override { ShowImage(doc_); }
    void runEnded(TransferState run, RunResult result) override
    {
        ended = true;
        endedRun = run;
        this->result = result;
    }
    void connectionChanged(bool isLost) override { lost = isLost; }
    void versionMismatch(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
    void portOpenFailed(const std::string&) override {}

    bool ended = false;
    bool lost = false;  // "No Connection" is showing
    TransferState endedRun = TransferState::Idle;
    RunResult result = RunResult::Failed;

private:
    Document& doc_;
    std::string lastText_;
    int lastGauge_ = -1;
};

struct LinkOptions {
    std::string port;
    bool trace = false;
    Language language = English;
};

LinkOptions linkOptions(const Args& args, const char* usage)
{
    LinkOptions o;
    const auto port = args.value("--port");
    if (!port)
        throw UsageError(std::string("usage: ") + usage);
    o.port = *port;
    o.trace = args.flag("--trace");
    o.language = languageOption(args);
    return o;
}

// The text of the connection label, shown when the unit stops answering.
const char* noConnectionText(Language language)
{
    static const char* const kTexts[kLanguageCount] = {"No connection with PC", "Keine Verbindung zum PC",
                                                       "Pas de connection acec pc", "Není spojení s PC"};
    return kTexts[language];
}

// Ctrl-C ends `monitor` between two ticks.
volatile std::sig_atomic_t interrupted = 0;
void onInterrupt(int) { interrupted = 1; }

// One connection to the unit: the document, the port, the engine and the
// monitor decoder, ticked every 55 ms on a steady clock.
class LinkSession {
public:
    explicit LinkSession(const LinkOptions& o)
        : start_(Clock::now()),
          messages_(o.language),
          decoder_(doc, messages_),
          sink_(decoder_, [this] {
              if (onFrame)
                  onFrame();
          }),
          trace_(serial_, start_),
          engine_(doc, o.trace ? static_cast<SerialChannel&>(trace_) : serial_, messages_, decoder_.live()),
          events_(doc),
          port_(o.port),
          language_(o.language)
    {
        engine_.setEvents(&events_);
        engine_.setMonitorSink(&sink_);
        engine_.setPortNamer([this](int) { return port_; });
        doc.outside.portIndex = 0;
    }

    Document doc;
    // Runs after every monitor frame the decoder accepted.
    std::function<void()> onFrame;

    // False (after the message) when the port cannot be opened.
    bool open()
    {
        if (engine_.openPort())
            return true;
        std::fprintf(stderr, "%s %s: %s\n", messages_[kMsgComOpenError].c_str(), port_.c_str(),
                     serial_.lastError().c_str());
        return false;
    }

    // Ticks until `done` holds (checked after every tick) or `maxTicks`
    // have passed. Ticks follow each other 55 ms apart on a steady clock;
    // when the process wakes late, the following ticks keep 55 ms from the
    // late one, so that no tick is ever shorter than a frame's way there
    // and back needs (a late tick is not made up for).
    bool tickUntil(const std::function<bool()>& done, int maxTicks)
    {
        for (int i = 0; i < maxTicks; ++i) {
            next_ += std::chrono::milliseconds(kTickMs);
            std::this_thread::sleep_until(next_);
            const auto woke = Clock::now();
            if (woke - next_ > kTickSlack)
                next_ = woke;
            engine_.tick();
            if (done())
                return true;
            if (interrupted)
                return false;
        }
        return false;
    }

    // Runs ticks until the run started by `start` has ended; true on success.
    bool runToEnd(const std::function<void()>& start)
    {
        events_.ended = false;
        start();
        // Every block may be sent five times, six ticks apart.
        const int limit = (kLastBlock + 1) * 2 * (kMaxSends + 1) * kRetryTicks;
        if (!tickUntil([this] { return events_.ended; }, limit))
            return false;
        return events_.result == RunResult::Ok;
    }

    // After a program run the unit stores the data and counts down; this
    // waits until it has finished. A unit that answers two polls without a
    // countdown does not report it. False when no poll is answered at all,
    // or the unit stops answering before it has finished: the data may then
    // not be stored.
    bool waitForSaving()
    {
        const auto& live = decoder_.live();
        bool started = false;
        int frames = 0;
        onFrame = [&] {
            ++frames;
            started = started || live.savingCountdown > 0;
        };
        bool ok = tickUntil([&] { return started || frames >= 2; }, kSavingStartTicks);
        if (ok && started)
            ok = tickUntil([&] { return live.savingCountdown == 0 || events_.lost; }, kSavingTicksLimit) &&
                 !events_.lost;
        onFrame = nullptr;
        if (!ok)
            reportNoConnection();
        return ok;
    }

    bool connectionLost() const { return events_.lost; }
    void reportNoConnection() const { std::fprintf(stderr, "%s\n", noConnectionText(language_)); }

    LinkEngine& engine() { return engine_; }
    const MessageTable& messages() const { return messages_; }
    MonitorDecoder& decoder() { return decoder_; }

private:
    Clock::time_point start_;
    Clock::time_point next_ = Clock::now();
    MessageTable messages_;
    MonitorDecoder decoder_;
    DecoderSink sink_;
    QtSerialChannel serial_;
    TracingChannel trace_;
    LinkEngine engine_;
    CliEvents events_;
    std::string port_;
    Language language_;
};

// QSerialPort wants an application object for its notifiers.
QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "kestrin-cli";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Loads a parameter file for verify, program and monitor; throws
// UsageError (exit 2) when it cannot be read.
void loadInto(Document& doc, const MessageTable& messages, const std::string& path)
{
    IgnReadOptions options;
    options.notify = [&](int entry) { std::fprintf(stderr, "%s\n", messages[entry].c_str()); };
    const auto r = loadParameterFile(doc, path, options);
    if (!r.loaded())
        throw UsageError(messages[kMsgOpenFileError] + " " + path);
    RunAfterLoadSteps(doc);
}

void printLiveValues(const LiveValues& v)
{
    std::printf("rpm=%d throttle=%d.%d map=%d gear=%d tps_share=%d af=%d.%d coolant=%d air=%d "
                "lambda_mode=%d sensor_errors=%d saving=%d version=%d\n",
                v.rpm, v.throttle / 10, v.throttle % 10, v.manifoldPressure, v.gear, v.tpsShare,
                v.airFuelRatio / 10, v.airFuelRatio % 10, v.coolantRaw - 100, v.airRaw - 100, v.lambdaMode ? 1 : 0,
                v.sensorErrors, v.savingCountdown, v.version);
}

void printLabels(const MonitorDisplay& display)
{
    for (int i = 0; i < kMonitorControlCount; ++i) {
        const auto c = static_cast<MonitorControl>(i);
        const auto& info = monitorControlInfo(c);
        if (info.isGauge())
            continue;
        const auto& view = display[c];
        std::printf("%s\t%s\t%.*s\n", info.objectName, view.text.c_str(),
                    static_cast<int>(colourName(view.colour).size()), colourName(view.colour).data());
    }
    std::printf("\n");
}

constexpr const char* kReadUsage = "kestrin-cli read --port DEVICE [-o FILE] [--trace] [--language L]";
constexpr const char* kVerifyUsage = "kestrin-cli verify --port DEVICE FILE [--trace] [--language L]";
constexpr const char* kProgramUsage = "kestrin-cli program --port DEVICE FILE [--trace] [--language L]";
constexpr const char* kMonitorUsage =
    "kestrin-cli monitor --port DEVICE [--frames N] [--labels] [FILE] [--trace] [--language L]";

// verify and program: the file is loaded, the port opened and the file
// prepared as Save prepares it before `transfer` runs.
int runWithFile(const std::vector<std::string>& argv, const char* usage,
                const std::function<int(LinkSession&)>& transfer)
{
    Args args(argv, {"--port", "--language"}, {"--trace"});
    args.expectPositional(1, 1, usage);
    const auto options = linkOptions(args, usage);
    application();
    LinkSession session(options);
    loadInto(session.doc, session.messages(), args.positional()[0]);
    if (!session.open())
        return 2;
    RunBeforeSaveSteps(session.doc);
    return transfer(session);
}

}  // namespace

int runRead(const std::vector<std::string>& argv)
{
    Args args(argv, {"--port", "-o", "--language"}, {"--trace"});
    args.expectPositional(0, 0, kReadUsage);
    const auto options = linkOptions(args, kReadUsage);
    application();
    LinkSession session(options);
    SetStartupImage(session.doc);
    if (!session.open())
        return 2;
    if (!session.runToEnd([&] { session.engine().read(); }))
        return 1;

    RunBeforeSaveSteps(session.doc);
    if (const auto out = args.value("-o")) {
        std::string error;
        if (!saveParameterFile(session.doc, *out, session.messages(), &error)) {
            std::fprintf(stderr, "%s %s\n", error.c_str(), out->c_str());
            return 1;
        }
    } else {
        printImage(session.doc.image);
    }
    return 0;
}

int runVerify(const std::vector<std::string>& argv)
{
    return runWithFile(argv, kVerifyUsage, [](LinkSession& session) {
        return session.runToEnd([&] { session.engine().verify(); }) ? 0 : 1;
    });
}

int runProgram(const std::vector<std::string>& argv)
{
    return runWithFile(argv, kProgramUsage, [](LinkSession& session) {
        if (!session.runToEnd([&] { session.engine().program(); }))
            return 1;
        return session.waitForSaving() ? 0 : 1;
    });
}

int runMonitor(const std::vector<std::string>& argv)
{
    Args args(argv, {"--port", "--frames", "--language"}, {"--trace", "--labels"});
    args.expectPositional(0, 1, kMonitorUsage);
    const auto options = linkOptions(args, kMonitorUsage);
    std::optional<int> frames;
    if (const auto v = args.value("--frames"))
        frames = parseInt(*v, 1, 1'000'000'000, "frame count");
    const bool labels = args.flag("--labels");
    application();
    LinkSession session(options);
    if (args.positional().empty())
        SetStartupImage(session.doc);
    else
        loadInto(session.doc, session.messages(), args.positional()[0]);
    if (!session.open())
        return 2;

    std::signal(SIGINT, onInterrupt);
    int seen = 0;
    int silentTicks = 0;
    session.onFrame = [&] {
        ++seen;
        silentTicks = 0;
        if (labels)
            printLabels(session.decoder().display());
        else
            printLiveValues(session.decoder().live());
        std::fflush(stdout);
    };
    // "No Connection" comes and goes as in the window; only a unit that
    // stays silent through several re-opens of the port ends the command.
    bool lostShown = false;
    session.tickUntil(
        [&] {
            if (session.connectionLost() && !lostShown)
                session.reportNoConnection();
            lostShown = session.connectionLost();
            ++silentTicks;
            return silentTicks > kMonitorGiveUpTicks || (frames && seen >= *frames);
        },
        std::numeric_limits<int>::max());
    if (silentTicks > kMonitorGiveUpTicks)
        return 1;
    return 0;
}

}  // namespace kestrin::cli
