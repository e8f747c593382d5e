#pragma once
// Hands the monitor frames the link engine collects to the monitor decoder,
// and runs what the owner wants after each decoded frame (the window runs
// the page visibility rules there).

#include "link/link_engine.h"
#include "link/monitor_decoder.h"

#include <functional>
#include <utility>

namespace kestrin {

class DecoderSink : public MonitorSink {
public:
    explicit DecoderSink(MonitorDecoder& decoder, std::function<void()> afterFrame = {})
        : decoder_(decoder), afterFrame_(std::move(afterFrame))
    {
    }

    void monitorFrame(FrameView frame) override
    {
        if (decoder_.decode(frame) && afterFrame_)
            afterFrame_();
    }

private:
    MonitorDecoder& decoder_;
    std::function<void()> afterFrame_;
};

}  // namespace kestrin
