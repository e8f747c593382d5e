#include "link/frame.h"

#include "model/field_offsets.h"

#include <algorithm>

namespace kestrin {

std::uint8_t checkByte(FrameView frame)
{
    std::uint8_t x = 0xFF;
    for (int i = 0; i < kFrameSize - 1; ++i)
        x ^= frame[static_cast<std::size_t>(i)];
    return x;
}

void seal(Frame& frame)
{
    frame[kFrameSize - 1] = checkByte(frame);
}

bool isIntact(FrameView frame)
{
    return checkByte(frame) == frame[kFrameSize - 1];
}

Frame buildBlockFrame(std::uint8_t command, const ParameterImage& image, bool zeroData)
{
    Frame f{};
    f[0] = command;
    const int block = blockOfCommand(command);
    if (!zeroData && block >= 1 && block <= kLastBlock) {
        const Block b = image.block(block);
        std::copy(b.begin(), b.end(), f.begin() + 1);
    }
    seal(f);
    return f;
}

Frame buildPollFrame(const PollSwitches& switches, const ParameterImage& image)
{
    Frame f{};
    f[0] = kPollCommand;
    f[1] = switches.tuningOn ? 1 : 0;
    f[2] = image.byte(off::TuningMode);
    f[3] = switches.tuningByTls ? 1 : 0;
    f[4] = image.byte(off::TuningLambda);
    f[6] = image.byte(off::TuningHysteresis);
    f[7] = image.byte(off::TuningRpmTol);
    f[8] = image.byte(off::TuningTpsTol);
    f[9] = image.byte(off::TuningStepTime);
    f[10] = image.byte(off::TuningStep);
    f[12] = image.byte(off::TuningChannel);
    f[13] = image.byte(off::TuningMaxAcc);
    std::copy(switches.testRequests.begin(), switches.testRequests.end(), f.begin() + 20);
    seal(f);
    return f;
}

bool acceptBlockReply(FrameView frame, std::uint8_t lastCommand)
{
    if (!isIntact(frame) || frame[0] == kMonitorReply)
        return false;
    if (blockOfCommand(lastCommand) > kLastBlock)
        return false;
    return frame[0] == (lastCommand ^ kReplyBit);
}

}  // namespace kestrin
