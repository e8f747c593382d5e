#pragma once
// A link engine wired to a simulated unit through the in-memory channel,
// with a recorder of what the engine announces. One tick = the unit's clock
// moves 55 ms, then the engine ticks.

#include "model/derived_tables.h"
#include "app/messages.h"
#include "link/link_engine.h"
#include "link/live_values.h"
#include "link/memory_channel.h"
#include "link/sim/simulated_unit.h"
#include "model/document.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrin::test {

struct Recorder : LinkEvents {
    std::vector<std::string> versionMessages, portErrors, portLabels;
    std::vector<std::pair<TransferState, RunResult>> ends;
    std::vector<bool> connection;
    int refreshes = 0, readStarts = 0;

    void pagesRefreshRequested() override { ++refreshes; }
    void connectionChanged(bool lost) override { connection.push_back(lost); }
    void readStarted() override { ++readStarts; }
    void runEnded(TransferState run, RunResult r) override { ends.emplace_back(run, r); }
    void portChanged(const std::string& label, bool) override { portLabels.push_back(label); }
    void versionMismatch(const std::string& m) override { versionMessages.push_back(m); }
    void portOpenFailed(const std::string& m) override { portErrors.push_back(m); }
};

// Keeps the two monitor values the engine reads, as the decoder does.
struct SavingSink : MonitorSink {
    LiveValues& live;
    int frames = 0;
    explicit SavingSink(LiveValues& l) : live(l) {}
    void monitorFrame(FrameView f) override
    {
        ++frames;
        live.received = true;
        live.savingCountdown = f[148] | (f[149] << 8);
        live.version = f[150];
    }
};

inline ParameterImage patternImage(int seed)
{
    ParameterImage im;
    for (int i = 0; i < kImageSize; ++i)
        im.setByte(i, static_cast<std::uint8_t>((i * 7 + seed * 13 + i / 150) & 0xFF));
    // The transfer runs keep the image consistent, so the pattern must
    // already satisfy the consistency rules to come through unchanged.
    Document doc;
    doc.image = im;
    ApplyConsistencyRules(doc);
    ApplyConsistencyRules(doc);
    return doc.image;
}

struct LinkRig {
    Document doc;
    MessageTable messages{English};
    LiveValues live;
    SimulatedUnit unit;
    MemoryChannel channel{&unit};
    LinkEngine engine{doc, channel, messages, live};
    Recorder events;
    SavingSink sink{live};

    explicit LinkRig(const ParameterImage& unitImage = {}, SimIdentity id = {}, SimFaults faults = {})
        : unit(unitImage, id, faults)
    {
        engine.setEvents(&events);
        engine.setMonitorSink(&sink);
        engine.openPort();
    }

    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            unit.advance(kTickMs);
            engine.tick();
        }
    }
    // Ticks until the run has ended for good (or the limit is reached); the
    // number of ticks taken.
    int runToEnd(int limit = 2000)
    {
        const std::size_t before = events.ends.size();
        for (int i = 1; i <= limit; ++i) {
            tick();
            if (events.ends.size() > before && !engine.running())
                return i;
        }
        return -1;
    }
    std::vector<std::uint8_t> commandsWritten() const
    {
        std::vector<std::uint8_t> c;
        for (const auto& f : channel.written())
            c.push_back(f[0]);
        return c;
    }
    std::string text(int entry) const { return messages[entry]; }
};

}  // namespace kestrin::test
