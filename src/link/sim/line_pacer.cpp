#include "link/sim/line_pacer.h"

#include <algorithm>

namespace kestrin::sim {

namespace {

// Output is handed to the pty in pieces of this many bytes, about 2.8 ms.
constexpr std::size_t kOutputChunk = 16;

}  // namespace

void LinePacer::fromPc(std::span<const std::uint8_t> bytes, std::int64_t now)
{
    for (std::uint8_t b : bytes) {
        inLineFree_ = std::max(inLineFree_, now) + byteTimeUs_;
        in_.push_back({b, inLineFree_});
    }
}

void LinePacer::toPc(std::span<const std::uint8_t> bytes, std::int64_t now)
{
    for (std::uint8_t b : bytes) {
        outLineFree_ = std::max(outLineFree_, now) + byteTimeUs_;
        out_.push_back({b, outLineFree_});
    }
}

std::vector<std::uint8_t> LinePacer::takeDue(std::deque<Timed>& q, std::int64_t now)
{
    std::vector<std::uint8_t> due;
    while (!q.empty() && q.front().due <= now) {
        due.push_back(q.front().byte);
        q.pop_front();
    }
    return due;
}

std::vector<std::uint8_t> LinePacer::arrivedAt(std::int64_t now) { return takeDue(in_, now); }

std::vector<std::uint8_t> LinePacer::sentBy(std::int64_t now) { return takeDue(out_, now); }

std::optional<std::int64_t> LinePacer::nextDue() const
{
    std::optional<std::int64_t> next;
    if (!in_.empty())
        next = in_.back().due;
    if (!out_.empty()) {
        const std::int64_t chunkEnd = out_[std::min(out_.size(), kOutputChunk) - 1].due;
        next = next ? std::min(*next, chunkEnd) : chunkEnd;
    }
    return next;
}

void LinePacer::clear()
{
    in_.clear();
    out_.clear();
}

}  // namespace kestrin::sim
