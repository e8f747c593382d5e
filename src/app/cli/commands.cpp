#include "app/cli/commands.h"

#include "app/cli/cli_args.h"
#include "app/language.h"

#include <algorithm>
#include <cctype>

namespace kestrin::cli {

namespace {

const Command kCommands[] = {
    {"image", "image --bike CODE | FILE [--raw]  the parameter image of a bike's default set or of a file", runImage},
    {"defaults", "defaults CODE [-o FILE]    the default parameter set of a bike as an .ign file", runDefaults},
    {"normalize", "normalize IN [-o OUT]      read a parameter file and write it as this program writes it", runNormalize},
    {"merge", "merge BASE FROM --page PAGE [-o OUT]  BASE with the sections of one page taken from FROM", runMerge},
    {"diff", "diff A B                   the fields in which two parameter files differ", runDiff},
    {"save-all-new", "save-all-new DIR           the default set of every bike into DIR/new_ign", runSaveAllNew},
    {"compare-all-new", "compare-all-new DIR        compare DIR/new_ign with DIR/new_ign_old into a report", runCompareAllNew},
    {"read", "read --port DEVICE [-o FILE]   read the unit's set and verify it, into FILE or as 2850 numbers; --trace, --language", runRead},
    {"verify", "verify --port DEVICE FILE      compare the unit's parameter set with FILE", runVerify},
    {"program", "program --port DEVICE FILE     write FILE into the unit, verify, wait while it stores", runProgram},
    {"monitor", "monitor --port DEVICE [--frames N] [--labels] [FILE]   the unit's live values, once per frame", runMonitor},
};

}  // namespace

std::span<const Command> commands() { return kCommands; }

Language languageOption(const Args& args)
{
    const auto word = args.value("--language");
    if (!word)
        return English;
    std::string upper = *word;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto language = languageFromArgument(upper);
    if (!language)
        throw UsageError("--language must be ENGLISH, DEUTSCH, FRENCH or CESKY, not '" + *word + "'");
    return *language;
}

}  // namespace kestrin::cli
