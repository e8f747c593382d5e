// kestrin-cli: the command-line tools over the same core as the window.

#include "app/cli/cli_args.h"
#include "app/cli/commands.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

void printHelp(std::FILE* out)
{
    std::fprintf(out, "Kestrin 2007 command line\n\nusage: kestrin-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const auto& c : kestrin::cli::commands())
        std::fprintf(out, "  %s\n", c.synopsis);
    std::fprintf(out, "\n  --help                     this list\n");
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printHelp(stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(stdout);
        return 0;
    }
    for (const auto& c : kestrin::cli::commands()) {
        if (args[0] != c.name)
            continue;
        try {
            return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
        } catch (const kestrin::cli::UsageError& e) {
            std::fprintf(stderr, "kestrin-cli %s: %s\n", c.name, e.what());
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kestrin-cli %s: %s\n", c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "kestrin-cli: unknown command '%s' (see kestrin-cli --help)\n", args[0].c_str());
    return 2;
}
