#include "files/file_steps.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <string>

using namespace kestrin;

namespace {

Document withInj1A()
{
    Document doc;
    SetStartupImage(doc);
    for (int i = 0; i < kMapColumns; ++i)
        doc.image.setByte(off::RpmJet1A + i, static_cast<std::uint8_t>(10 + 10 * i));
    for (int i = 0; i < kMapCells; ++i)
        doc.image.setWord(off::MapJet1A + 2 * i, static_cast<std::uint16_t>(1000 + i));
    return doc;
}

}  // namespace

TEST(FileSteps, ShowingCopiesInj1AOnlyInMode1234)
{
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        Document doc = withInj1A();
        doc.image.setByte(off::JetCouplingMode, static_cast<std::uint8_t>(mode));
        ShowImage(doc);
        for (int m = 1; m <= 3; ++m) {
            const MapDescriptor& map = injectionMap(m);
            EXPECT_EQ(doc.image.byte(map.axisOffset + 14) == 150, mode == 2) << map.name;
            EXPECT_EQ(readCell(doc.image, map, 9, 14) == 1149, mode == 2) << map.name;
        }
        EXPECT_NE(readCell(doc.image, injectionMap(4), 0, 0), 1000);  // Inj-IAP never follows
    }
}

TEST(FileSteps, StepsRunTheHooksInOrder)
{
    std::string order;
    FileStepHooks hooks;
    hooks.collectControls = [&] { order += "collect "; };
    hooks.showControls = [&] { order += "show "; };
    hooks.commitChange = [&] { order += "commit "; };
    Document doc;
    RunAfterLoadSteps(doc, hooks);
    EXPECT_EQ(order, "show show commit ");
    order.clear();
    RunBeforeSaveSteps(doc, hooks);
    EXPECT_EQ(order, "collect show ");
    order.clear();
    PrepareDefaultSet(doc, 11, hooks);
    EXPECT_EQ(order, "show collect show ");
    EXPECT_EQ(doc.image.byte(off::BikeCode), 11);
}
