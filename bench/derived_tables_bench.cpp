// Time of choosing a bike: its defaults, the consistency rules and the base
// injection maps with the injection maps that follow from them.

#include "model/bike_defaults.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <benchmark/benchmark.h>

namespace {

void BM_BikeDefaultsRulesAndBaseMaps(benchmark::State& state)
{
    kestrin::Document doc;
    const auto code = static_cast<std::uint8_t>(state.range(0));
    for (auto _ : state) {
        doc.image.setByte(kestrin::off::BikeCode, code);
        kestrin::ApplyBikeDefaults(doc);
        kestrin::ApplyConsistencyRules(doc);
        kestrin::SelectReferenceTables(doc);
        kestrin::ComputeBaseMaps(doc);
        kestrin::ApplyPercentArrays(doc);
        benchmark::DoNotOptimize(doc.image.bytes().data());
    }
}
// The start-up bike (10-point reference lists) and one on the 15-point list.
BENCHMARK(BM_BikeDefaultsRulesAndBaseMaps)->Arg(11)->Arg(26)->Unit(benchmark::kMicrosecond);

void BM_ConsistencyRules(benchmark::State& state)
{
    kestrin::Document doc;
    doc.image.setByte(kestrin::off::BikeCode, 11);
    kestrin::ApplyBikeDefaults(doc);
    for (auto _ : state) {
        kestrin::ApplyConsistencyRules(doc);
        benchmark::DoNotOptimize(doc.image.bytes().data());
    }
}
BENCHMARK(BM_ConsistencyRules)->Unit(benchmark::kMicrosecond);

}  // namespace
