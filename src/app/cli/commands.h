#pragma once
// The commands of kestrin-cli. Each command lives in its own cmd_*.cpp and
// returns the exit status: 0 success, 1 a difference or a reported failure,
// 2 bad usage or unreadable input (UsageError is turned into 2 by main).

#include "app/messages.h"

#include "app/messages.h"

#include <span>
#include <string>
#include <vector>

namespace kestrin {
class ParameterImage;
}

namespace kestrin::cli {

struct Command {
    const char* name;
    const char* synopsis;  // one line for --help
    int (*run)(const std::vector<std::string>& args);
};

std::span<const Command> commands();

class Args;
// The language of `--language ENGLISH|DEUTSCH|FRENCH|CESKY` (in any case),
// English without it; any other word is a usage error.
Language languageOption(const Args& args);

int runImage(const std::vector<std::string>& args);
int runSaveAllNew(const std::vector<std::string>& args);
int runCompareAllNew(const std::vector<std::string>& args);
int runRead(const std::vector<std::string>& args);
int runVerify(const std::vector<std::string>& args);
int runProgram(const std::vector<std::string>& args);
int runMonitor(const std::vector<std::string>& args);

// cmd_files.cpp
int runDefaults(const std::vector<std::string>& args);
int runNormalize(const std::vector<std::string>& args);
int runMerge(const std::vector<std::string>& args);
int runDiff(const std::vector<std::string>& args);
// The image after a whole-file load over the start-up image (with the
// after-load steps unless `raw`), and the image of a bike's default set.
// The message table of the language that --language names (English without it).
class Args;
kestrin::MessageTable messagesFor(const Args& args);
int imageOfFile(const std::string& path, bool raw, const kestrin::MessageTable& messages);
int imageOfBike(int code);
// The image as numbers on stdout, 15 to a line (image and read).
void printImage(const kestrin::ParameterImage& image);

}  // namespace kestrin::cli
