#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

using namespace orvik;

void BM_EvaluateComplexity(benchmark::State& state, std::string formula) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(formula.data());
        benchmark::DoNotOptimize(EvaluateComplexity(formula, 40));
    }
}
BENCHMARK_CAPTURE(BM_EvaluateComplexity, default, std::string("10*n"));
BENCHMARK_CAPTURE(BM_EvaluateComplexity, powers, std::string("3*n**2**1"));
BENCHMARK_CAPTURE(BM_EvaluateComplexity, hex_and_signs, std::string(" $A*-3*+7*0x10*n"));

void BM_EvaluateComplexity_Error(benchmark::State& state) {
    const std::string formula = "10*n**5"; // beyond 32 bits at N = 40
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(EvaluateComplexity(formula, 40));
        } catch (const FormulaError&) {
        }
    }
}
BENCHMARK(BM_EvaluateComplexity_Error);

void BM_EvaluateComplexity_LongText(benchmark::State& state) {
    std::string formula = "n";
    while (formula.size() < 250)
        formula += "*1";
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateComplexity(formula, 40));
}
BENCHMARK(BM_EvaluateComplexity_LongText);

void BM_ComputeTask(benchmark::State& state) {
    TaskRecord task;
    std::memset(&task, 0, sizeof task);
    task.InputCount = 40;
    SetFormulaText(task, "10*n");
    for (auto _ : state) {
        ComputeTask(task, {});
        benchmark::DoNotOptimize(task.Cycles);
    }
}
BENCHMARK(BM_ComputeTask);

void BM_ComputeMemory(benchmark::State& state) {
    MemoryRecord memory{8, 32, 70, 0, 0, 0, 0};
    for (auto _ : state) {
        for (std::int32_t chip = 0; chip < 4; ++chip) {
            memory.ChipType = chip;
            ComputeMemory(memory, 1.0);
            benchmark::DoNotOptimize(memory.MemoryMtbf);
        }
    }
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_ComputeMemory);

void BM_ComputeComputer(benchmark::State& state) {
    ComputerRecord computer{};
    computer.CacheSize = 16;
    computer.CacheTime = 20;
    computer.UsesStorage = static_cast<std::uint8_t>(state.range(0));
    computer.StorageCycle = 15;
    computer.StorageSize = 500;
    computer.GivenAccesses = 1;
    TaskRecord task{};
    task.Cycles = 50283;
    task.DataFactor = 0.004;
    ProcessorRecord processor{};
    processor.ProcessorCost = 100;
    processor.Frequency = 100;
    processor.AluCount = 1;
    const MemoryRecord memory{8, 32, 70, 0, 105, 1872, 1335};
    for (auto _ : state) {
        ComputeComputer(computer, task, processor, memory);
        benchmark::DoNotOptimize(computer.CostPerMips);
    }
}
BENCHMARK(BM_ComputeComputer)->Arg(0)->Arg(1);

} // namespace
