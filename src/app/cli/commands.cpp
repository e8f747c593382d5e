#include "app/cli/commands.h"

namespace kestrin::cli {

namespace {

const Command kCommands[] = {
    {"image", "image --bike CODE          the parameter image of a bike's default set, 2850 numbers", runImage},
    {"save-all-new", "save-all-new DIR           the default set of every bike into DIR/new_ign", runSaveAllNew},
    {"compare-all-new", "compare-all-new DIR        compare DIR/new_ign with DIR/new_ign_old into a report", runCompareAllNew},
};

}  // namespace

std::span<const Command> commands() { return kCommands; }

}  // namespace kestrin::cli
