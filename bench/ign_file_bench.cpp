// Time to write one parameter file and to read it back (in memory and
// through the file system).

#include "app/messages.h"
#include "files/file_steps.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "model/document.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace kestrin;

namespace {

Document defaultSet()
{
    Document doc;
    PrepareDefaultSet(doc, 26);
    return doc;
}

void WriteIgnText(benchmark::State& state)
{
    const Document doc = defaultSet();
    const IgnInfoTexts info = ignInfoTexts(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteParameterFile(doc.image, info));
}
BENCHMARK(WriteIgnText)->Unit(benchmark::kMicrosecond);

void ReadIgnText(benchmark::State& state)
{
    const Document source = defaultSet();
    const std::string text = WriteParameterFile(source.image, ignInfoTexts(source));
    Document doc = source;
    for (auto _ : state) {
        const IgnReadResult result = ReadParameterFile(doc, text);
        benchmark::DoNotOptimize(result.version);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(ReadIgnText)->Unit(benchmark::kMicrosecond);

void SaveAndLoadIgnFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("set.ign").toStdString();
    Document doc = defaultSet();
    const MessageTable messages(English);
    for (auto _ : state) {
        saveParameterFile(doc, path, messages);
        benchmark::DoNotOptimize(loadParameterFile(doc, path, {}).loaded());
    }
}
BENCHMARK(SaveAndLoadIgnFile)->Unit(benchmark::kMicrosecond);

}  // namespace
