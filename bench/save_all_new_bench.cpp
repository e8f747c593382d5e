// Time to write the default set of every bike ("Save All New") into a
// temporary folder, files included.

#include "files/file_steps.h"
#include "files/service_save_all.h"
#include "model/document.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

void BM_SaveAllNew(benchmark::State& state)
{
    QTemporaryDir dir;
    kestrin::Document doc;
    kestrin::SetStartupImage(doc);
    int written = 0;
    for (auto _ : state) {
        const auto result = kestrin::SaveAllNew(doc, dir.path().toStdString());
        written = result.written;
        benchmark::DoNotOptimize(written);
    }
    state.counters["files"] = written;
}
BENCHMARK(BM_SaveAllNew)->Unit(benchmark::kMillisecond);

}  // namespace
