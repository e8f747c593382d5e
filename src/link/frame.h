#pragma once
// The 152-byte frame exchanged with the control unit in both directions:
// command byte or reply code, 150 data bytes, check byte. Building the
// frames the PC sends and the acceptance rules for what comes back.

#include "model/image.h"

#include <array>
#include <cstdint>
#include <span>

namespace kestrin {

inline constexpr int kFrameSize = 152;
inline constexpr int kFrameDataSize = 150;
inline constexpr std::uint8_t kPollCommand = 0x30;
inline constexpr std::uint8_t kMonitorReply = 0xB0;
inline constexpr std::uint8_t kReadBit = 0x40;
inline constexpr std::uint8_t kReplyBit = 0x80;
inline constexpr int kLastBlock = 19;

using Frame = std::array<std::uint8_t, kFrameSize>;
using FrameView = std::span<const std::uint8_t, kFrameSize>;

// 0xFF XOR bytes 0..150.
std::uint8_t checkByte(FrameView frame);
// Writes the check byte into byte 151.
void seal(Frame& frame);
// A frame is intact exactly when 0xFF XOR all 152 bytes is 0.
bool isIntact(FrameView frame);

constexpr int blockOfCommand(std::uint8_t command) { return command & 0x3F; }
constexpr bool isReadCommand(std::uint8_t command) { return (command & kReadBit) != 0; }

// The frame for a block command. Its data is the image block unless the
// block is 0 (the identification is never sent) or `zeroData` is set (a
// read run asks with zeros). Rebuilt at every send, so a retry carries the
// block as it is at that moment.
Frame buildBlockFrame(std::uint8_t command, const ParameterImage& image, bool zeroData);

// What the poll carries besides the tuning parameters taken from the image.
struct PollSwitches {
    bool tuningOn = false;     // "Tuning on"
    bool tuningByTls = false;  // "Tuning on by Tacho/Lambda switch"
    std::array<std::uint8_t, 4> testRequests{};  // poll bytes 20..23
};

Frame buildPollFrame(const PollSwitches& switches, const ParameterImage& image);

// A block reply is taken only when it is intact, answers the last block
// command sent (reply code = command XOR 0x80) and that command names a
// block 0..19. Monitor frames are not block replies.
bool acceptBlockReply(FrameView frame, std::uint8_t lastCommand);

// The 150 data bytes of a frame (offsets 1..150).
inline std::span<const std::uint8_t, kFrameDataSize> frameData(FrameView frame)
{
    return frame.subspan<1, kFrameDataSize>();
}

}  // namespace kestrin
