#pragma once
// A monitor frame under construction: set fields by offset, then take the
// sealed frame with its check byte.

#include "link/monitor_frame.h"

#include <array>
#include <cstdint>
#include <span>

namespace kestrin::fixture {

class FrameBuilder {
public:
    FrameBuilder()
    {
        bytes_.fill(0);
        bytes_[0] = kMonitorReplyCode;
        bytes_[mon::Version] = kProgramVersion;
    }
    FrameBuilder& byte(int offset, int value)
    {
        bytes_[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
        return *this;
    }
    FrameBuilder& word(int offset, int value)
    {
        byte(offset, value & 0xFF);
        return byte(offset + 1, (value >> 8) & 0xFF);
    }
    std::array<std::uint8_t, kMonitorFrameSize> frame() const
    {
        auto f = bytes_;
        std::uint8_t x = 0xFF;
        for (int i = 0; i < kMonitorFrameSize - 1; ++i)
            x ^= f[static_cast<std::size_t>(i)];
        f[mon::Check] = x;
        return f;
    }

private:
    std::array<std::uint8_t, kMonitorFrameSize> bytes_;
};

}  // namespace kestrin::fixture
