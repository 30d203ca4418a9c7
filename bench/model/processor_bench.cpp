#include "processor/Curves.h"
#include "processor/ProcessorModel.h"

#include <benchmark/benchmark.h>

using namespace orvik;

namespace {

void BM_ComputeProcessor(benchmark::State& state) {
    ProcessorRecord working{};
    ResetProcessorInputs(working);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeProcessor(working));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComputeProcessor);

// The curves of the default circuit variant, as the graph window computes them.
void BM_ComputeCurves(benchmark::State& state) {
    ProcessorRecord variant{};
    ResetProcessorInputs(variant);
    CurveTableData table{};
    CurveResults results;
    for (auto _ : state) {
        ProcessorRecord working = variant;
        ComputeCurves(working, table, results);
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComputeCurves)->Unit(benchmark::kMicrosecond);

} // namespace
