// Print, as it reaches the paper: every widget painted while the window is
// rendered is recorded, so the test sees the printout rather than the
// window before and after it.

#include "app/ui/colour_label.h"
#include "app/ui/spin_button.h"
#include "app/ui/up_down_edit.h"
#include "link/sim/simulated_unit.h"
#include "ui_fixture.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace kestrin::ui {

namespace {

using test::WindowFixture;

// Names of the widgets painted while it lives, the tabs visible at the first
// paint, and whether the window's printing flag was on meanwhile.
class PaintWatch : public QObject {
public:
    PaintWatch(TFormHlav& window) : window_(window) { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintWatch() override { QCoreApplication::instance()->removeEventFilter(this); }
    std::set<QString> painted;
    std::vector<bool> tabs;
    bool printingSeen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (!watched->objectName().isEmpty())
                painted.insert(watched->objectName());
            if (tabs.empty())
                for (int i = 0; i < window_.pageControl()->count(); ++i)
                    tabs.push_back(window_.pageControl()->isTabVisible(i));
            printingSeen = printingSeen || window_.printing();
        }
        return false;
    }

private:
    TFormHlav& window_;
};

TEST(Print, ThePaperShowsTheStampAndTheActivePageWithoutEditingAids)
{
    WindowFixture f;
    QTemporaryDir out;
    // No unit answers: "No Connection" is up.
    f.unit.setFaults(SimFaults{.silentAfter = 0});
    f.tick(10);
    ASSERT_FALSE(f.find<QWidget>("LabelSpojeni")->isHidden());
    // An up-down and a spin button on the Inj. 1 page, as the map editor has them.
    QWidget* page = f.window->pageControl()->widget(2);
    auto* upDown = new UpDown(QStringLiteral("UpDownCell0"), page);
    auto* spin = new SpinButton(QStringLiteral("CSpinButtonTools"), page);
    f.window->pageControl()->setCurrentIndex(2);
    f.window->show();

    f.dialogs.printFile = out.filePath(QStringLiteral("window.pdf"));
    std::set<QString> painted;
    std::vector<bool> tabs;
    {
        PaintWatch watch(*f.window);
        f.window->action("MenuPrint")->trigger();
        EXPECT_TRUE(watch.printingSeen);
        painted = watch.painted;
        tabs = watch.tabs;
    }
    QFile pdf(f.dialogs.printFile);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");

    EXPECT_TRUE(painted.count(QStringLiteral("LabelHlaseni"))) << "the stamp is on the paper";
    for (const char* aid : {"LabelSpojeni", "StatusBar1", "SpeedButtonOpen", "ButtonProgram", "CGaugeRpm",
                            "CGaugeProgram", "CheckBoxExtMonitor", "UpDownCell0", "CSpinButtonTools"})
        EXPECT_FALSE(painted.count(QString::fromLatin1(aid))) << aid;
    ASSERT_EQ(tabs.size(), 19u);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(tabs[static_cast<std::size_t>(i)], i == 2) << "tab " << i;

    // Afterwards the aids are back and the stamp goes with the countdown.
    EXPECT_FALSE(upDown->isHidden());
    EXPECT_FALSE(spin->isHidden());
    auto* stamp = f.find<ColourLabel>("LabelHlaseni");
    EXPECT_TRUE(stamp->text().startsWith(QStringLiteral("Date and time of printing:  ")));
    EXPECT_FALSE(stamp->isHidden());
    f.tick(200);
    EXPECT_TRUE(stamp->isHidden());
}

}  // namespace
}  // namespace kestrin::ui
