#pragma once
// The timing of a 57600-baud line, 8N1: ten bit times per byte, about
// 174 µs, so a 152-byte frame needs about 26 ms to cross. A pseudo-terminal
// moves bytes at once; the simulated unit puts them through this pacer in
// both directions so that a client sees the timing of a real line: a frame
// the PC sent reaches the unit 26 ms after it was written, and a reply
// reaches the PC 26 ms after the unit began to send it.
//
// Times are microseconds on any monotonic clock; the pacer never reads a
// clock itself, so it can be driven by a test as well as by the program.

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace kestrin::sim {

class LinePacer {
public:
    static constexpr std::int64_t kByteTimeUs57600 = 10'000'000 / 57600;  // 173 µs

    explicit LinePacer(std::int64_t byteTimeUs = kByteTimeUs57600) : byteTimeUs_(byteTimeUs) {}

    // Bytes read from the PC side at time `now`. A byte has arrived one byte
    // time after the previous one, and never before it was read.
    void fromPc(std::span<const std::uint8_t> bytes, std::int64_t now);
    // The bytes from the PC whose arrival is complete at `now`.
    std::vector<std::uint8_t> arrivedAt(std::int64_t now);

    // Bytes the unit starts sending at `now`; they follow what is still on
    // the line.
    void toPc(std::span<const std::uint8_t> bytes, std::int64_t now);
    // The bytes towards the PC whose sending is complete at `now`.
    std::vector<std::uint8_t> sentBy(std::int64_t now);

    // When something next becomes due: the end of the pending input, or the
    // next chunk of output (so output goes out in small pieces, as on a
    // line, and its last byte exactly on time). Nothing when all is done.
    std::optional<std::int64_t> nextDue() const;

    bool idle() const { return in_.empty() && out_.empty(); }
    // Forgets everything on the line (the client went away).
    void clear();

private:
    struct Timed {
        std::uint8_t byte;
        std::int64_t due;
    };
    static std::vector<std::uint8_t> takeDue(std::deque<Timed>& q, std::int64_t now);

    std::int64_t byteTimeUs_;
    std::deque<Timed> in_;
    std::deque<Timed> out_;
    std::int64_t inLineFree_ = 0;
    std::int64_t outLineFree_ = 0;
};

}  // namespace kestrin::sim
