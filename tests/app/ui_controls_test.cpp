// The thin control layer: gauge, up-down edit, spin button, colour names.

#include "app/ui/bar_gauge.h"
#include "app/ui/colour_label.h"
#include "app/ui/spin_button.h"
#include "app/ui/up_down_edit.h"
#include "ui_fixture.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kestrin::ui {
namespace {

TEST(BarGauge, ClampsProgressAndReportsPercent)
{
    test::app();
    BarGauge gauge(QStringLiteral("CGaugeTest"));
    struct Case {
        int min, max, progress, expectedProgress, expectedPercent;
    };
    for (const Case& c : {Case{0, 100, 42, 42, 42}, Case{0, 100, 250, 100, 100}, Case{0, 100, -5, 0, 0},
                          Case{0, 20, 5, 5, 25}, Case{10, 10, 10, 10, 0}}) {
        gauge.setMinimum(c.min);
        gauge.setMaximum(c.max);
        gauge.setProgress(c.progress);
        EXPECT_EQ(gauge.progress(), c.expectedProgress) << c.min << ".." << c.max << " " << c.progress;
        EXPECT_EQ(gauge.percent(), c.expectedPercent);
    }
    // Lowering the maximum pulls the progress back into range.
    gauge.setMinimum(0);
    gauge.setMaximum(100);
    gauge.setProgress(90);
    gauge.setMaximum(50);
    EXPECT_EQ(gauge.progress(), 50);
}

TEST(UpDownEdit, PositionIsTheShownValueAndEveryCommitIsReported)
{
    test::app();
    UpDownEdit field(QStringLiteral("IgnLimiter"));
    EXPECT_EQ(field.edit()->objectName(), QStringLiteral("EditIgnLimiter"));
    EXPECT_EQ(field.upDown()->objectName(), QStringLiteral("UpDownIgnLimiter"));
    UpDown* upDown = field.upDown();
    upDown->setRange(0, 150);
    upDown->setIncrement(5);
    upDown->setPosition(100);
    EXPECT_EQ(field.edit()->text(), QStringLiteral("100"));

    // Typed text is the position, clamped to the range; rubbish keeps the last one.
    field.edit()->setText(QStringLiteral("120"));
    EXPECT_EQ(upDown->position(), 120);
    field.edit()->setText(QStringLiteral("999"));
    EXPECT_EQ(upDown->position(), 150);
    field.edit()->setText(QStringLiteral("abc"));
    EXPECT_EQ(upDown->position(), 100);

    QSignalSpy clicks(upDown, &UpDown::clicked);
    field.edit()->setText(QStringLiteral("148"));
    upDown->stepUp();  // from the typed 148, stops at the maximum
    EXPECT_EQ(field.edit()->text(), QStringLiteral("150"));
    upDown->stepDown();
    EXPECT_EQ(field.edit()->text(), QStringLiteral("145"));
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_TRUE(clicks.at(0).at(0).toBool());
    EXPECT_FALSE(clicks.at(1).at(0).toBool());

    QSignalSpy commits(field.edit(), &NumberEdit::committed);
    QTest::mouseClick(field.edit(), Qt::LeftButton);
    QTest::keyClick(field.edit(), Qt::Key_Return);
    QTest::keyClick(field.edit(), Qt::Key_5);  // typing alone commits nothing
    EXPECT_EQ(commits.count(), 2);
}

TEST(SpinButton, HalvesReportUpAndDown)
{
    test::app();
    SpinButton spin(QStringLiteral("CSpinButtonTools"));
    QSignalSpy up(&spin, &SpinButton::upClick);
    QSignalSpy down(&spin, &SpinButton::downClick);
    spin.upButton()->click();
    spin.downButton()->click();
    spin.downButton()->click();
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(down.count(), 2);
}

TEST(ColourLabel, NamedColoursLandInTheWidgetsOwnPalette)
{
    test::app();
    ColourLabel label(QStringLiteral("LabelRpm"));
    label.setColour(ColourName::Fuchsia);
    EXPECT_TRUE(label.autoFillBackground());
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(255, 0, 255));
    EXPECT_TRUE(label.styleSheet().isEmpty());
    label.setColour(ColourName::ButtonFace);
    EXPECT_FALSE(label.autoFillBackground());
}

}  // namespace
}  // namespace kestrin::ui
