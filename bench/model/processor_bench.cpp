#include "core/Errors.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "processor/Technology.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

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

// The floor of BM_ComputeCurves: the logarithms and exponentials the curves
// of the default variant need when every point is computed on its own (the
// descent's yield at each size, then yield, frequency and failure time of
// every row), on the same arguments, and nothing else.
struct TranscendentalCalls {
    std::vector<long double> logs, exps;

    void addYield(const ProcessorRecord& r) {
        const long double L = r.MinFeature, S = r.ChipArea, D = r.DefectFactor;
        const long double k3 = TechnologyAt(r.Technology).YieldExponent;
        logs.push_back(D / (L * L) * S + 1);
        exps.push_back(-k3 * std::log(logs.back()));
    }
    void addRow(const ProcessorRecord& r) {
        addYield(r);
        logs.push_back(r.ChipIntegration);
        exps.push_back(0.33L * std::log(logs.back()));
        const long double heat = r.ChipCount * static_cast<long double>(r.Power) * 0.022L;
        if (heat <= 11356.0L)
            exps.push_back(heat);
    }
};

TranscendentalCalls CurvesCalls() {
    ProcessorRecord variant{};
    ResetProcessorInputs(variant);
    TranscendentalCalls calls;
    FloatCheck flags;
    for (double defect : CurveDefects) {
        ProcessorRecord r = variant;
        r.DefectFactor = defect;
        long double size = 3.0L;
        for (;;) {
            const double next = static_cast<double>(size - 0.05L);
            if (next < 0.025)
                break;
            size = r.MinFeature = next;
            calls.addYield(r);
            if (!HasGoodChipsAt(r, flags))
                break;
        }
    }
    CurveTableData table{};
    CurveResults results;
    ProcessorRecord working = variant;
    ComputeCurves(working, table, results);
    for (const CurveSet& set : table)
        for (const ProcessorRecord& row : set)
            calls.addRow(row);
    for (const ProcessorRecord& row : results.AreaCurveTable)
        calls.addRow(row);
    return calls;
}

// The argument as it is, made to wait for the result before it, so that
// the calls run one after another as the curves make them.
inline long double After(long double x, long double before) {
#if defined(__x86_64__) || defined(__i386__)
    asm("" : "+t"(x) : "u"(before));
#else
    benchmark::DoNotOptimize(before);
#endif
    return x;
}

// Argument 0: the calls on their own, free to overlap in the processor;
// argument 1: each call waits for the one before, as the curves' steps do.
void BM_ComputeCurvesCallsFloor(benchmark::State& state) {
    const TranscendentalCalls calls = CurvesCalls();
    const bool oneAfterAnother = state.range(0) != 0;
    for (auto _ : state) {
        long double last = 0;
        if (oneAfterAnother) {
            for (long double x : calls.logs)
                last = std::log(After(x, last));
            for (long double x : calls.exps)
                last = std::exp(After(x, last));
            benchmark::DoNotOptimize(last);
        } else {
            for (long double x : calls.logs)
                benchmark::DoNotOptimize(std::log(x));
            for (long double x : calls.exps)
                benchmark::DoNotOptimize(std::exp(x));
        }
    }
    state.counters["logl"] = static_cast<double>(calls.logs.size());
    state.counters["expl"] = static_cast<double>(calls.exps.size());
}
BENCHMARK(BM_ComputeCurvesCallsFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
