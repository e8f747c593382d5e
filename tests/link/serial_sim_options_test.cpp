// The command line of kestrin-sim: faults reach the unit as given, and bad
// values are refused rather than served.

#include "app/cli/cli_args.h"
#include "link/sim/sim_options.h"

#include <gtest/gtest.h>

namespace kestrin::sim {
namespace {

TEST(SimOptions, DefaultsAndFaults)
{
    const auto d = parseSimOptions({});
    EXPECT_EQ(d.bike, 11);
    EXPECT_EQ(d.version, 82);
    EXPECT_EQ(d.burst, 1);
    EXPECT_FALSE(d.dropBlock || d.silentAfter || d.load || d.split || d.wrongCode || d.realtime);

    const auto f = parseSimOptions({"--bike", "20", "--version", "81", "--drop-rate", "15", "--drop-block", "0",
                                    "--corrupt-rate", "100", "--delay-ticks", "3", "--split", "--burst", "4",
                                    "--silent-after", "0", "--wrong-code", "--seed", "9", "--dump", "u.txt"});
    EXPECT_EQ(f.bike, 20);
    EXPECT_EQ(f.version, 81);
    EXPECT_EQ(f.dropPercent, 15);
    EXPECT_EQ(f.dropBlock, 0) << "block 0 is a block like the others";
    EXPECT_EQ(f.corruptPercent, 100);
    EXPECT_EQ(f.delayTicks, 3);
    EXPECT_TRUE(f.split);
    EXPECT_EQ(f.burst, 4);
    EXPECT_EQ(f.silentAfter, 0) << "silent from the first frame";
    EXPECT_TRUE(f.wrongCode);
    EXPECT_EQ(f.seed, 9u);
    EXPECT_EQ(f.dumpFile, "u.txt");
}

TEST(SimOptions, BadValuesAreRefused)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--bike", "61"},         {"--drop-rate", "101"}, {"--drop-block", "20"},
        {"--burst", "0"},         {"--version", "x"},     {"--bike", "11", "--load", "a.ign"},
        {"--delay-ticks", "-1"},  {"stray"},              {"--no-such-fault"},
        {"--link"},
    };
    for (const auto& args : bad)
        EXPECT_THROW(parseSimOptions(args), cli::UsageError) << args[0];
}

}  // namespace
}  // namespace kestrin::sim
