// Saving and opening a workbook file, and the number formatting of the
// results windows.
#include "core/RealToText.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace orvik;

std::string TempFolder() {
    char name[] = "/tmp/orvik-benchXXXXXX";
    return ::mkdtemp(name);
}

void BM_SaveAndOpenWorkbook(benchmark::State& state) {
    const std::string folder = TempFolder();
    const std::string path = folder + "/bench.orvik";
    LabState lab;
    ResetWorkbook(lab);
    for (auto _ : state) {
        SaveWorkbookFile(lab.workbook, path);
        Workbook back = OpenWorkbookFile(path);
        benchmark::DoNotOptimize(back.PartDone);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveAndOpenWorkbook)->Unit(benchmark::kMicrosecond);

void BM_EncodeDecodeWorkbook(benchmark::State& state) {
    LabState lab;
    ResetWorkbook(lab);
    for (auto _ : state) {
        const auto bytes = EncodeWorkbook(lab.workbook);
        Workbook back = DecodeWorkbook(bytes);
        benchmark::DoNotOptimize(back.PartDone);
    }
}
BENCHMARK(BM_EncodeDecodeWorkbook)->Unit(benchmark::kMicrosecond);

void BM_RealToText(benchmark::State& state) {
    double x = 1402.311186;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RealToText(x, 6));
        x += 0.001;
    }
}
BENCHMARK(BM_RealToText);

} // namespace
