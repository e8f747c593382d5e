// The cost of one tick of the main window's timer with the "Monitor" page
// shown: the link's tick, decoding the monitor frame when one came in, and
// applying the changed labels and gauges. The tick comes every 55 ms; the
// figure printed beside each result is its share of that.

#include "app/ui/dialog_hook.h"
#include "app/ui/form_hlav.h"
#include "link/memory_channel.h"
#include "link/sim/engine_model.h"
#include "link/sim/simulated_unit.h"
#include "model/document.h"

#include <QApplication>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kestrin;

class NoDialogs : public ui::DialogHook {
public:
    void message(QWidget*, const QString&) override {}
    ui::Answer question(QWidget*, const QString&) override { return ui::Answer::Cancel; }
    QString openFileName(QWidget*, const ui::FileDialogSpec&) override { return {}; }
    QString saveFileName(QWidget*, const ui::FileDialogSpec&) override { return {}; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    bool openDocument(const QString&) override { return false; }
};

QApplication& app()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_window_tick";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

struct Rig {
    QTemporaryDir config;
    Document doc;
    NoDialogs dialogs;
    EngineModel model{3};
    SimulatedUnit unit;
    MemoryChannel channel{&unit};
    std::unique_ptr<ui::TFormHlav> window;

    Rig()
    {
        app();
        unit.setMonitorSource(&model);
        window = std::make_unique<ui::TFormHlav>(
            ui::WindowServices{doc, dialogs, channel, config.path() + QLatin1Char('/'), config.path(), {}, {}});
        window->timer().stop();
        window->FormCreate();
        window->pageControl()->setCurrentIndex(18);
        window->show();
        for (int i = 0; i < 60; ++i)  // connected and warm
            tick();
    }
    void tick()
    {
        unit.advance(ui::TFormHlav::kTickMs);
        window->Timer1Timer();
    }
};

void report(benchmark::State& state, int ticksPerIteration)
{
    state.counters["us_per_tick"] = benchmark::Counter(static_cast<double>(state.iterations()) * ticksPerIteration,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel("tick period 55 ms");
}

// One tick on average (a monitor frame arrives on one tick in six).
void BM_WindowTick(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        rig.tick();
        QCoreApplication::processEvents();  // the repaints the tick asked for
    }
    report(state, 1);
}
BENCHMARK(BM_WindowTick)->Unit(benchmark::kMicrosecond);

// A whole poll period: six ticks, one of which decodes a frame and updates
// about seventy labels and gauges.
void BM_WindowPollPeriod(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        for (int i = 0; i < 6; ++i)
            rig.tick();
        QCoreApplication::processEvents();
    }
    report(state, 6);
}
BENCHMARK(BM_WindowPollPeriod)->Unit(benchmark::kMicrosecond);

}  // namespace
