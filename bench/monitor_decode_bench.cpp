// Cost of decoding one monitor frame with all its labels and gauges. The
// decoder runs about three times a second on the interface thread and must
// stay far below one 55 ms tick.

#include "app/messages.h"
#include "link/monitor_decoder.h"
#include "link/monitor_frame.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace {

using namespace kestrin;

std::array<std::uint8_t, kMonitorFrameSize> frameWithRpm(int rpm)
{
    std::array<std::uint8_t, kMonitorFrameSize> f{};
    f[0] = kMonitorReplyCode;
    for (int i = 1; i < mon::Check; ++i)
        f[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 37);
    f[mon::Coolant] = 185;
    f[mon::Rpm] = static_cast<std::uint8_t>(rpm & 0xFF);
    f[mon::Rpm + 1] = static_cast<std::uint8_t>(rpm >> 8);
    f[mon::Version] = kProgramVersion;
    std::uint8_t x = 0xFF;
    for (int i = 0; i < mon::Check; ++i)
        x ^= f[static_cast<std::size_t>(i)];
    f[mon::Check] = x;
    return f;
}

// Every frame differs from the one before, so every changed label is
// formatted and compared as in a running engine.
void BM_DecodeMonitorFrame(benchmark::State& state)
{
    Document doc;
    doc.image.setByte(off::CylinderCount, 4);
    doc.image.setByte(off::IgnLimiter, 120);
    MessageTable texts(English);
    MonitorDecoder decoder(doc, texts);
    decoder.setExtendedMonitor(state.range(0) != 0);
    const auto a = frameWithRpm(3000);
    const auto b = frameWithRpm(3100);
    bool flip = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decoder.decode(flip ? a : b));
        decoder.display().clearChanged();
        flip = !flip;
    }
}
BENCHMARK(BM_DecodeMonitorFrame)->Arg(0)->Arg(1)->ArgName("extended");

}  // namespace
