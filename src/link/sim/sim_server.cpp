#include "link/sim/sim_server.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <poll.h>
#include <signal.h>

namespace kestrin::sim {

namespace {

// With nothing due, still look round now and then.
constexpr std::int64_t kIdleWakeUs = 500'000;
// A client polls every 330 ms; this much quiet means it has gone.
constexpr std::int64_t kClientGoneUs = 2'000'000;

}  // namespace

std::int64_t monotonicMicros()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

std::optional<std::int64_t> SimServer::step(std::int64_t nowUs)
{
    std::uint8_t buffer[4096];
    for (;;) {
        const int n = pty_.read(buffer);
        if (n <= 0)
            break;
        line_.fromPc(std::span(buffer, static_cast<std::size_t>(n)), nowUs);
        lastInputUs_ = nowUs;
        released_ = false;
    }
    if (!released_ && nowUs - lastInputUs_ > kClientGoneUs) {
        pty_.releaseExclusive();
        released_ = true;
    }
    const auto arrived = line_.arrivedAt(nowUs);
    if (!arrived.empty())
        unit_.received(arrived, nowUs);
    const auto answer = unit_.transmit(nowUs);
    if (!answer.empty())
        line_.toPc(answer, nowUs);
    const auto sent = line_.sentBy(nowUs);
    if (!sent.empty() && !pty_.write(sent, 50)) {
        // Nobody reads: the line is full of answers to a client that left.
        pty_.discardUnread();
    }

    auto next = line_.nextDue();
    if (auto event = unit_.nextEventUs())
        next = next ? std::min(*next, *event) : *event;
    return next;
}

bool SimServer::run(int stopFd)
{
    for (;;) {
        const std::int64_t now = monotonicMicros();
        const auto next = step(now);
        const std::int64_t wait = std::clamp<std::int64_t>(next ? *next - now : kIdleWakeUs, 0, kIdleWakeUs);
        pollfd fds[2] = {{pty_.masterFd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        const timespec timeout{static_cast<time_t>(wait / 1'000'000), static_cast<long>(wait % 1'000'000) * 1000};
        const int r = ::ppoll(fds, 2, &timeout, nullptr);
        if (r < 0 && errno != EINTR)
            return false;
        if (r > 0 && (fds[1].revents & POLLIN))
            return true;
        // POLLHUP on the master only means no client has the slave open;
        // we hold it ourselves, so it does not happen, but never spin on it.
        if (r > 0 && (fds[0].revents & (POLLERR | POLLNVAL)))
            return false;
    }
}

}  // namespace kestrin::sim
