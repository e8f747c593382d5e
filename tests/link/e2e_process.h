#pragma once
// Separate processes for the end-to-end tests: the simulated unit serving
// on its pseudo-terminal, and one run of kestrin-cli against it.

#include <string>
#include <vector>

namespace kestrin::e2e {

struct RunResult {
    int exitCode = -1;  // -1 when it had to be killed
    std::string out;
    std::string err;
};

// Runs `program` with `args` to the end (killed after `timeoutMs`).
RunResult runProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs = 30000);

// kestrin-sim running in the background; stopped (SIGTERM) when destroyed.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The device path from the first line of its output; empty on failure.
    const std::string& device() const { return device_; }
    // Stops it and returns its exit status.
    int stop();

private:
    int pid_ = -1;
    int status_ = -1;
    std::string device_;
};

std::string cliPath();
std::string simPath();
// A fresh empty directory for one test's files.
std::string scratchDir(const std::string& name);
std::string readFile(const std::string& path);

}  // namespace kestrin::e2e
