// kestrin-sim: a simulated control unit on a pseudo-terminal. The window and
// kestrin-cli connect to the device path it prints, as to a serial port.

#include "app/cli/cli_args.h"
#include "app/messages.h"
#include "files/atomic_file.h"
#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "link/sim/engine_model.h"
#include "link/sim/pseudo_terminal.h"
#include "link/sim/sim_options.h"
#include "link/sim/sim_server.h"
#include "link/sim/simulated_unit.h"
#include "link/sim/unit_on_line.h"
#include "model/document.h"

#include <sched.h>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

using namespace kestrin;

SimFaults faultsOf(const sim::SimOptions& o)
{
    SimFaults f;
    f.seed = o.seed;
    f.dropRate = o.dropPercent / 100.0;
    f.dropBlock = o.dropBlock.value_or(-1);
    f.corruptRate = o.corruptPercent / 100.0;
    f.wrongCodeRate = o.wrongCode ? 1.0 : 0.0;
    f.delayTicks = o.delayTicks;
    f.split = o.split;
    f.burst = o.burst;
    f.silentAfter = o.silentAfter.value_or(-1);
    return f;
}

// The parameter set the unit holds when it starts: a bike's default set as
// the PC would program it, or a parameter file.
bool initialImage(const sim::SimOptions& o, Document& doc)
{
    if (!o.load) {
        PrepareDefaultSet(doc, o.bike);
        return true;
    }
    const MessageTable messages(English);
    IgnReadOptions options;
    options.notify = [&](int entry) { std::fprintf(stderr, "kestrin-sim: %s\n", messages[entry].c_str()); };
    if (!loadParameterFile(doc, *o.load, options).loaded()) {
        std::fprintf(stderr, "kestrin-sim: %s %s\n", messages[kMsgOpenFileError].c_str(), o.load->c_str());
        return false;
    }
    RunAfterLoadSteps(doc);
    RunBeforeSaveSteps(doc);
    return true;
}

// The stored image as text, 15 numbers a line, as `kestrin-cli image` prints.
std::string imageText(const ParameterImage& image)
{
    std::string text;
    const auto bytes = image.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += std::to_string(bytes[i]);
        text += (i % 15 == 14) ? '\n' : ' ';
    }
    return text;
}

// The serving loop always sleeps until something is due, so a low real-time
// priority cannot starve the system; it only puts the unit's answers first.
void raisePriority()
{
    sched_param p{};
    p.sched_priority = sched_get_priority_min(SCHED_FIFO);
    if (sched_setscheduler(0, SCHED_FIFO, &p) != 0)
        std::fprintf(stderr, "kestrin-sim: real-time priority not available, serving at normal priority\n");
}

// SIGTERM and SIGINT end the serving loop through a descriptor, so the loop
// stops cleanly between two frames.
int stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return signalfd(-1, &set, SFD_CLOEXEC);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            std::fputs(sim::kSimUsage, stdout);
            return 0;
        }
    }
    sim::SimOptions options;
    try {
        options = sim::parseSimOptions(args);
    } catch (const cli::UsageError& e) {
        std::fprintf(stderr, "kestrin-sim: %s\n\n%s", e.what(), sim::kSimUsage);
        return 2;
    }

    Document doc;
    if (!initialImage(options, doc))
        return 2;
    SimIdentity identity;
    identity.programVersion = options.version;
    SimulatedUnit unit(doc.image, identity, faultsOf(options));
    EngineModel engine(options.seed);
    unit.setMonitorSource(&engine);

    const int stopFd = stopSignals();
    sim::PseudoTerminal pty;
    if (stopFd < 0 || !pty.open()) {
        std::fprintf(stderr, "kestrin-sim: cannot create a pseudo-terminal: %s\n", pty.error().c_str());
        return 1;
    }
    std::printf("%s\n", pty.devicePath().c_str());
    std::fflush(stdout);
    if (options.linkFile) {
        std::string error;
        if (!writeFileAtomically(*options.linkFile, pty.devicePath() + "\n", &error)) {
            std::fprintf(stderr, "kestrin-sim: cannot write %s: %s\n", options.linkFile->c_str(), error.c_str());
            return 1;
        }
    }

    if (options.realtime)
        raisePriority();
    sim::UnitOnLine line(unit, sim::monotonicMicros());
    sim::SimServer server(pty, line);
    const bool ok = server.run(stopFd);
    if (options.dumpFile) {
        std::string error;
        if (!writeFileAtomically(*options.dumpFile, imageText(unit.stored()), &error))
            std::fprintf(stderr, "kestrin-sim: cannot write %s: %s\n", options.dumpFile->c_str(), error.c_str());
    }
    if (options.linkFile) {
        std::error_code ec;
        std::filesystem::remove(*options.linkFile, ec);
    }
    if (!ok) {
        std::fprintf(stderr, "kestrin-sim: the pseudo-terminal failed\n");
        return 1;
    }
    return 0;
}
