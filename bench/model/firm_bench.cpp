#include "firm/FirmModel.h"

#include <benchmark/benchmark.h>

namespace {

// What the all-kits table does each time it is shown: sixteen kits, then the
// student's own kit restored and computed again.
void BM_FirmAllKits(benchmark::State& state) {
    orvik::FirmRecord firm{};
    firm.Grade[1] = 1;
    firm.Hours = 8;
    for (auto _ : state) {
        std::int32_t own[4];
        for (int i = 0; i < 4; ++i)
            own[i] = firm.Grade[i];
        for (int kit = 1; kit <= orvik::FirmKitCount; ++kit) {
            orvik::SetFirmKitGrades(firm, kit);
            orvik::ComputeFirm(firm);
            benchmark::DoNotOptimize(firm);
        }
        for (int i = 0; i < 4; ++i)
            firm.Grade[i] = own[i];
        orvik::ComputeFirm(firm);
        benchmark::DoNotOptimize(firm);
    }
}
BENCHMARK(BM_FirmAllKits)->Unit(benchmark::kMicrosecond);

void BM_FirmOneKit(benchmark::State& state) {
    orvik::FirmRecord firm{};
    firm.Hours = 8;
    for (auto _ : state) {
        orvik::ComputeFirm(firm);
        benchmark::DoNotOptimize(firm);
    }
}
BENCHMARK(BM_FirmOneKit)->Unit(benchmark::kMicrosecond);

} // namespace
