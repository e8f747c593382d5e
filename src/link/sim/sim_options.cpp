#include "link/sim/sim_options.h"

#include "app/cli/cli_args.h"

namespace kestrin::sim {

const char* const kSimUsage =
    "usage: kestrin-sim [--bike CODE | --load FILE] [--version N] [--link FILE] [--dump FILE] [--seed N]\n"
    "                   [--realtime]\n"
    "                   [--drop-rate PERCENT] [--drop-block N] [--corrupt-rate PERCENT]\n"
    "                   [--delay-ticks N] [--split] [--burst N] [--silent-after N] [--wrong-code]\n"
    "\n"
    "Serves a simulated control unit on a new pseudo-terminal until SIGTERM or SIGINT.\n"
    "The first line on stdout is the device path to connect to (also written to --link FILE).\n"
    "--dump FILE writes the parameter image the unit holds when it stops, 2850 numbers.\n"
    "--realtime serves at real-time priority where the system allows it: a real unit has a\n"
    "processor of its own, and on a busy PC this keeps other programs from delaying its answers.\n"
    "Rates are percent of the replies; the faults are repeatable for a given --seed.\n";

SimOptions parseSimOptions(const std::vector<std::string>& argv)
{
    using cli::parseInt;
    cli::Args args(argv,
                   {"--bike", "--load", "--version", "--link", "--dump", "--seed", "--drop-rate", "--drop-block",
                    "--corrupt-rate", "--delay-ticks", "--burst", "--silent-after"},
                   {"--split", "--wrong-code", "--realtime"});
    args.expectPositional(0, 0, "kestrin-sim [OPTIONS] (see --help)");

    SimOptions o;
    if (auto v = args.value("--bike"))
        o.bike = parseInt(*v, 0, 60, "bike code");
    o.load = args.value("--load");
    if (o.load && args.value("--bike"))
        throw cli::UsageError("--bike and --load exclude each other");
    if (auto v = args.value("--version"))
        o.version = parseInt(*v, 0, 255, "version");
    o.linkFile = args.value("--link");
    o.dumpFile = args.value("--dump");
    if (auto v = args.value("--seed"))
        o.seed = static_cast<std::uint32_t>(parseInt(*v, 0, 2'000'000'000, "seed"));
    if (auto v = args.value("--drop-rate"))
        o.dropPercent = parseInt(*v, 0, 100, "drop rate");
    if (auto v = args.value("--drop-block"))
        o.dropBlock = parseInt(*v, 0, 19, "block");
    if (auto v = args.value("--corrupt-rate"))
        o.corruptPercent = parseInt(*v, 0, 100, "corrupt rate");
    if (auto v = args.value("--delay-ticks"))
        o.delayTicks = parseInt(*v, 0, 1000, "delay");
    if (auto v = args.value("--burst"))
        o.burst = parseInt(*v, 1, 50, "burst");
    if (auto v = args.value("--silent-after"))
        o.silentAfter = parseInt(*v, 0, 1'000'000, "frame count");
    o.split = args.flag("--split");
    o.wrongCode = args.flag("--wrong-code");
    o.realtime = args.flag("--realtime");
    return o;
}

}  // namespace kestrin::sim
