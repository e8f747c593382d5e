// The monitor on a live line: the link engine polls a simulated unit whose
// monitor frames come from the engine model, and hands them to the decoder.

#include "app/messages.h"
#include "link/link_engine.h"
#include "link/memory_channel.h"
#include "link/monitor_decoder.h"
#include "link/sim/engine_model.h"
#include "link/sim/simulated_unit.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <set>

using namespace kestrin;

namespace {

ParameterImage tunableImage()
{
    ParameterImage image;
    image.setByte(off::CylinderCount, 4);
    image.setByte(off::IgnLimiter, 130);
    image.setByte(off::TuningMode, 1);
    image.setByte(off::TuningLambda, 130);
    image.setByte(off::TuningHysteresis, 2);
    image.setByte(off::TuningTpsTol, 10);
    image.setByte(off::TuningStepTime, 10);
    image.setByte(off::TuningStep, 3);
    image.setByte(off::TuningChannel, 1);
    for (int r = 0; r < kMapRows; ++r)
        image.setWord(off::IapAxis + 2 * r, 10 + 10 * r);
    for (const MapDescriptor& map : mapDescriptors()) {
        for (int c = 0; c < kMapColumns; ++c)
            image.setByte(map.axisOffset + c, 10 + 10 * c);
        if (map.kind == MapKind::Injection)
            for (int k = 0; k < kMapCells; ++k)
                writeCell(image, map, k / kMapColumns, k % kMapColumns, 3000);
    }
    return image;
}

struct LiveRig {
    Document doc;
    MessageTable messages{English};
    MonitorDecoder decoder{doc, messages};
    EngineModel model{21};
    SimulatedUnit unit;
    MemoryChannel channel{&unit};
    LinkEngine engine{doc, channel, messages, decoder.live()};

    explicit LiveRig(const ParameterImage& image) : unit(image)
    {
        doc.image = image;
        unit.setMonitorSource(&model);
        engine.setMonitorSink(&decoder);
        engine.openPort();
    }
    void tick()
    {
        unit.advance(kTickMs);
        engine.tick();
    }
};

TEST(MonitorOnTheLink, DecodesTheSimulatedEngineAndReadsTheTunedMapBack)
{
    LiveRig rig(tunableImage());
    rig.engine.setTuningOn(true);
    std::set<int> gears;
    int maxRpm = 0;
    for (int i = 0; i < 1500; ++i) {  // 82 s
        rig.tick();
        gears.insert(rig.decoder.live().gear);
        maxRpm = std::max(maxRpm, rig.decoder.live().rpm);
        if (i > 30) {
            ASSERT_FALSE(rig.engine.connectionLost()) << "tick " << i;
        }
    }
    EXPECT_GT(rig.decoder.framesDecoded(), 100);
    EXPECT_GT(maxRpm, 9000);
    EXPECT_GT(gears.size(), 3u);
    EXPECT_EQ(rig.decoder.display()[MonitorControl::LabelVersion].text, "");  // versions match

    // The unit tuned its maps; the read-back brought them into the PC image.
    const ParameterImage initial = tunableImage();
    bool tuned = false;
    for (const int index : {0, 4}) {  // Inj-1A (channel 1) and Inj-IAP
        const MapDescriptor& map = injectionMap(index);
        for (int k = 0; k < kMapCells; ++k) {
            const int r = k / kMapColumns, c = k % kMapColumns;
            tuned = tuned || readCell(rig.unit.stored(), map, r, c) != readCell(initial, map, r, c);
        }
    }
    EXPECT_TRUE(tuned);
    // Every block the PC read back matches the unit; the last read may lag by one step.
    int differing = 0;
    for (int block = 6; block <= 16; ++block)
        differing += rig.doc.image.block(block) != rig.unit.stored().block(block);
    EXPECT_LE(differing, 2);
    EXPECT_NE(rig.doc.image, initial);
}

}  // namespace
