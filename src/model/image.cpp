#include "model/image.h"

#include <algorithm>

namespace kestrin {

std::uint8_t ParameterImage::byte(int offset) const
{
    if (offset < 0 || offset >= kImageSize)
        return 0;
    return bytes_[static_cast<std::size_t>(offset)];
}

void ParameterImage::setByte(int offset, std::uint8_t value)
{
    if (offset < 0 || offset >= kImageSize)
        return;
    bytes_[static_cast<std::size_t>(offset)] = value;
}

std::uint16_t ParameterImage::word(int offset) const
{
    return static_cast<std::uint16_t>(byte(offset) | (byte(offset + 1) << 8));
}

void ParameterImage::setWord(int offset, std::uint16_t value)
{
    if (offset < 0 || offset + 1 >= kImageSize)
        return;
    setByte(offset, static_cast<std::uint8_t>(value & 0xFF));
    setByte(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

Block ParameterImage::block(int n) const
{
    Block out{};
    if (n < 1 || n > kBlockCount)
        return out;
    std::copy_n(bytes_.begin() + blockStart(n), kBlockSize, out.begin());
    return out;
}

void ParameterImage::setBlock(int n, std::span<const std::uint8_t> bytes)
{
    if (n < 1 || n > kBlockCount)
        return;
    const auto count = std::min<std::size_t>(bytes.size(), kBlockSize);
    std::copy_n(bytes.begin(), count, bytes_.begin() + blockStart(n));
}

}  // namespace kestrin
