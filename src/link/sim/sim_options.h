#pragma once
// The command line of kestrin-sim: what the simulated unit holds and which
// faults of a bad line or a misbehaving unit it shows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrin::sim {

struct SimOptions {
    int bike = 11;                      // default set the unit starts with
    std::optional<std::string> load;    // or a parameter file (.ign)
    int version = 82;                   // program version the unit reports
    std::optional<std::string> linkFile;  // gets the device path, for scripts
    std::optional<std::string> dumpFile;  // gets the stored image at the end, for tests
    std::uint32_t seed = 1;
    bool realtime = false;             // serve at real-time priority where allowed

    // Faults.
    int dropPercent = 0;               // replies lost on the line, at random
    std::optional<int> dropBlock;      // every reply to this block is lost
    int corruptPercent = 0;            // replies whose check byte is wrong
    int delayTicks = 0;                // replies sent this many ticks late
    bool split = false;                // each reply in two halves, a tick apart
    int burst = 1;                     // each reply sent this many times in a row
    std::optional<int> silentAfter;    // no answer at all after this many replies
    bool wrongCode = false;            // block replies carry a wrong reply code
};

// Parses the arguments after the program name. Throws kestrin::cli::UsageError.
SimOptions parseSimOptions(const std::vector<std::string>& argv);

extern const char* const kSimUsage;

}  // namespace kestrin::sim
