#pragma once
// The commands of kestrin-cli. Each command lives in its own cmd_*.cpp and
// returns the exit status: 0 success, 1 a difference or a reported failure,
// 2 bad usage or unreadable input (UsageError is turned into 2 by main).

#include <span>
#include <string>
#include <vector>

namespace kestrin::cli {

struct Command {
    const char* name;
    const char* synopsis;  // one line for --help
    int (*run)(const std::vector<std::string>& args);
};

std::span<const Command> commands();

int runImage(const std::vector<std::string>& args);
int runSaveAllNew(const std::vector<std::string>& args);
int runCompareAllNew(const std::vector<std::string>& args);

}  // namespace kestrin::cli
