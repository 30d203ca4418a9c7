// DrawGraph at the largest window size and at the report page's size, for
// the default circuit variant's curves.
#include "processor/Curves.h"
#include "processor/DrawGraph.h"
#include "processor/ProcessorModel.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Fixture {
    Fixture() {
        if (!QGuiApplication::instance()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "bench_ui";
            static char* argv[] = {name, nullptr};
            app = std::make_unique<QGuiApplication>(argc, argv);
        }
        orvik::ProcessorRecord working{};
        orvik::ResetProcessorInputs(working);
        orvik::ComputeCurves(working, table, curves);
    }
    std::unique_ptr<QGuiApplication> app;
    orvik::CurveTableData table{};
    orvik::CurveResults curves{};
    QImage bitmap{1600, 1200, QImage::Format_RGB32};
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_DrawGraph(benchmark::State& state) {
    Fixture& f = Shared();
    const orvik::GraphData data{f.table, f.curves, QStringLiteral("ЭСЛ")};
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const int kind = static_cast<int>(state.range(2));
    for (auto _ : state)
        benchmark::DoNotOptimize(orvik::DrawGraph(f.bitmap, w, h, kind, data));
}

BENCHMARK(BM_DrawGraph)
    ->Args({1600, 1200, 0})
    ->Args({1600, 1200, 3})
    ->Args({650, 450, 0})
    ->Args({650, 450, 3})
    ->Unit(benchmark::kMicrosecond);

} // namespace
