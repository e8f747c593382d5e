#pragma once
// The parameter image: every setting of the control unit as 2850 bytes,
// moved to and from the unit in 19 blocks of 150 bytes.

#include <array>
#include <cstdint>
#include <span>

namespace kestrin {

inline constexpr int kImageSize = 2850;
inline constexpr int kBlockSize = 150;
inline constexpr int kBlockCount = 19;  // blocks 1..19; block 0 is the unit's identification

using Block = std::array<std::uint8_t, kBlockSize>;

class ParameterImage {
public:
    ParameterImage() { bytes_.fill(0); }

    // Out-of-range offsets are ignored on write and read as 0, so that a
    // miscomputed index can never write outside the image.
    std::uint8_t byte(int offset) const;
    void setByte(int offset, std::uint8_t value);

    // Little-endian 16-bit word at an image offset (low byte first).
    std::uint16_t word(int offset) const;
    void setWord(int offset, std::uint16_t value);

    // The same word addressed by word index k (offsets 2k and 2k + 1).
    std::uint16_t wordAtIndex(int index) const { return word(index * 2); }
    void setWordAtIndex(int index, std::uint16_t value) { setWord(index * 2, value); }

    // Block n = 1..19 as its 150 bytes. Block numbers outside 1..19 read as
    // zeros and are not written.
    Block block(int n) const;
    void setBlock(int n, std::span<const std::uint8_t> bytes);

    static constexpr int blockOfOffset(int offset) { return offset / kBlockSize + 1; }
    static constexpr int blockStart(int n) { return (n - 1) * kBlockSize; }

    std::span<const std::uint8_t> bytes() const { return bytes_; }
    std::span<std::uint8_t> bytes() { return bytes_; }
    void clear() { bytes_.fill(0); }

    bool operator==(const ParameterImage&) const = default;

private:
    std::array<std::uint8_t, kImageSize> bytes_;
};

}  // namespace kestrin
