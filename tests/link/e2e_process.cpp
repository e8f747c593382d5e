#include "e2e_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kestrin::e2e {

namespace {

std::vector<char*> argvOf(const std::string& program, const std::vector<std::string>& args,
                          std::vector<std::string>& storage)
{
    storage.clear();
    storage.push_back(program);
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    return argv;
}

// Forks and execs with stdout and stderr on the given descriptors.
int spawn(const std::string& program, const std::vector<std::string>& args, int outFd, int errFd)
{
    std::vector<std::string> storage;
    auto argv = argvOf(program, args, storage);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        const int devnull = ::open("/dev/null", O_RDONLY);
        ::dup2(devnull, 0);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

int waitFor(int pid, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string cliPath() { return KESTRIN_CLI; }
std::string simPath() { return KESTRIN_SIM; }

std::string scratchDir(const std::string& name)
{
    const auto dir = std::filesystem::path(KESTRIN_BINARY_DIR) / "e2e-scratch" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs)
{
    char outName[] = "/tmp/kestrin-e2e-outXXXXXX";
    char errName[] = "/tmp/kestrin-e2e-errXXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
    RunResult r;
    const int pid = spawn(program, args, outFd, errFd);
    if (pid > 0)
        r.exitCode = waitFor(pid, timeoutMs);
    ::close(outFd);
    ::close(errFd);
    r.out = readFile(outName);
    r.err = readFile(errName);
    ::unlink(outName);
    ::unlink(errName);
    return r;
}

SimProcess::SimProcess(const std::vector<std::string>& args)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return;
    pid_ = spawn(simPath(), args, pipeFds[1], 2);
    ::close(pipeFds[1]);
    std::string line;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pid_ > 0 && std::chrono::steady_clock::now() < end) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char c = 0;
        if (::read(pipeFds[0], &c, 1) != 1)
            break;
        if (c == '\n') {
            device_ = line;
            break;
        }
        line += c;
    }
    ::close(pipeFds[0]);
}

int SimProcess::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        status_ = waitFor(pid_, 5000);
        pid_ = -1;
    }
    return status_;
}

SimProcess::~SimProcess() { stop(); }

}  // namespace kestrin::e2e
