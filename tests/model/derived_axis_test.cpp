#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kestrin {
namespace {

using Axis = std::array<std::uint8_t, kMapColumns>;

Axis tens()
{
    Axis a;
    for (int i = 0; i < kMapColumns; ++i)
        a[i] = static_cast<std::uint8_t>(10 * (i + 1));
    return a;
}

std::vector<int> ints(const Axis& a) { return {a.begin(), a.end()}; }

// One rule run over an axis that the user edits between the runs.
struct AxisSession {
    AxisMemory memory;
    Axis axis = tens();

    AxisSession() { ApplyAxisRule(axis, memory); }  // the first run sees "many"
    void drag(int k, int value)
    {
        axis[k] = static_cast<std::uint8_t>(value);
        ApplyAxisRule(axis, memory);
    }
};

TEST(AxisRule, DraggedBreakpointPushesNeighboursAndTheySpringBack)
{
    AxisSession s;
    s.drag(5, 90);
    EXPECT_EQ(ints(s.axis), (std::vector<int>{10, 20, 30, 40, 50, 90, 91, 92, 93, 100, 110, 120, 130, 140, 150}));
    EXPECT_TRUE(s.memory.pushed[6] && s.memory.pushed[7] && s.memory.pushed[8]);
    EXPECT_EQ(s.memory.before[6], 70);
    EXPECT_EQ(s.memory.before[8], 90);

    s.drag(5, 60);
    EXPECT_EQ(ints(s.axis), ints(tens()));
    for (bool p : s.memory.pushed)
        EXPECT_FALSE(p);
}

TEST(AxisRule, DragDownwardPushesLowerNeighbours)
{
    AxisSession s;
    s.drag(5, 15);
    EXPECT_EQ(ints(s.axis), (std::vector<int>{10, 11, 12, 13, 14, 15, 70, 80, 90, 100, 110, 120, 130, 140, 150}));
    s.drag(5, 55);  // part way back: the lower ones return, each as far as it may
    EXPECT_EQ(ints(s.axis), (std::vector<int>{10, 20, 30, 40, 50, 55, 70, 80, 90, 100, 110, 120, 130, 140, 150}));
}

TEST(AxisRule, ChangeOfManyBreakpointsOnlyOrdersAndForgetsPushes)
{
    AxisSession s;
    s.drag(5, 90);
    // A file load changes two breakpoints at once: only the increasing rule.
    s.axis[0] = 5;
    s.axis[1] = 5;
    ApplyAxisRule(s.axis, s.memory);
    EXPECT_EQ(ints(s.axis), (std::vector<int>{5, 6, 30, 40, 50, 90, 91, 92, 93, 100, 110, 120, 130, 140, 150}));
    // The pushes are forgotten: dragging 5 back leaves 6..8 where they are.
    s.drag(5, 60);
    EXPECT_EQ(s.axis[6], 91);
    EXPECT_EQ(s.axis[8], 93);
}

TEST(AxisRule, DraggingAnotherBreakpointForgetsThePushesOfTheFirst)
{
    AxisSession s;
    s.drag(5, 90);
    s.drag(12, 131);  // a different breakpoint: 6..8 no longer spring back
    s.drag(5, 60);    // and 5 moved last is no longer 5 either
    EXPECT_EQ(s.axis[6], 91);
}

TEST(AxisRule, LimitsOfAMoveAndOfThePlainRule)
{
    struct Case {
        const char* what;
        std::vector<int> start;  // empty: the axis 10, 20, .. 150
        int k;                   // -1: no move, the start axis is a file load
        int value;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"last breakpoint dragged to 250 keeps 249", {}, 14, 250,
         {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 249}},
        {"first breakpoint dragged to 0 keeps 3", {}, 0, 0,
         {3, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150}},
        {"a drag to the top pushes the rest up to 249", {}, 3, 255,
         {10, 20, 30, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249}},
        {"a loaded axis may end at 250", {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 250}, -1, 0,
         {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 250}},
        {"an all-zero axis", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, -1, 0,
         {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {"an all-255 axis", {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}, -1, 0,
         {236, 237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AxisMemory memory;
        Axis axis = tens();
        if (!c.start.empty())
            for (int i = 0; i < kMapColumns; ++i)
                axis[i] = static_cast<std::uint8_t>(c.start[i]);
        ApplyAxisRule(axis, memory);
        if (c.k >= 0) {
            axis[c.k] = static_cast<std::uint8_t>(c.value);
            ApplyAxisRule(axis, memory);
        }
        EXPECT_EQ(ints(axis), c.expected);
    }
}

// The memory starts all 255, so a stored axis with one breakpoint below 255
// looks like a single move at the very first run; the result must still be
// an ordered axis.
TEST(AxisRule, FirstRunWithOneRealBreakpointStillGivesAnOrderedAxis)
{
    AxisMemory memory;
    Axis axis;
    axis.fill(255);
    axis[4] = 40;
    ApplyAxisRule(axis, memory);
    for (int i = 0; i < kMapColumns; ++i) {
        EXPECT_GE(axis[i], 3);
        EXPECT_LE(axis[i], 250);
        if (i > 0) {
            EXPECT_GT(axis[i], axis[i - 1]);
        }
    }
}

// Through the document: every map axis keeps its own memory.
TEST(AxisRule, EachAxisOfTheDocumentKeepsItsOwnMemory)
{
    Document doc;
    for (int a : {off::RpmJet1A, off::RpmJet2A})
        for (int i = 0; i < kMapColumns; ++i)
            doc.image.setByte(a + i, static_cast<std::uint8_t>(10 * (i + 1)));
    ApplyConsistencyRules(doc);
    EXPECT_FALSE(doc.derived.firstRun);

    doc.image.setByte(off::RpmJet1A + 5, 90);
    ApplyConsistencyRules(doc);
    doc.image.setByte(off::RpmJet2A + 2, 20);  // a drag on another axis
    ApplyConsistencyRules(doc);
    doc.image.setByte(off::RpmJet1A + 5, 60);
    ApplyConsistencyRules(doc);
    EXPECT_EQ(doc.image.byte(off::RpmJet1A + 6), 70);  // still springs back
    EXPECT_EQ(doc.image.byte(off::RpmJet2A + 1), 19);
}

}  // namespace
}  // namespace kestrin
