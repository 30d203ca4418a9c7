#include "lab2/ComputerModel.h"
#include "core/Errors.h"
#include "core/RealToText.h"
#include "lab2/CacheTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace orvik {
namespace {

struct Lab2 {
    ComputerRecord computer{};
    TaskRecord task{};
    ProcessorRecord processor{};
    MemoryRecord memory{8, 32, 70, 0, 105, 1872, 1335};

    Lab2() {
        computer.CacheSize = 16;
        computer.CacheTime = 20;
        computer.StorageCycle = 15;
        computer.StorageSize = 500;
        computer.GivenAccesses = 1;
        computer.StorageAccesses = -1;
        computer.ComputerCost = -1;
        computer.CostPerMips = -1;
        computer.TaskTime = -1;
        computer.Performance = -1;
        task.Cycles = 50283;
        task.InputCount = 40;
        task.DataFactor = 0.004;
        processor.ProcessorCost = 100;
        processor.Frequency = 100;
        processor.AluCount = 1;
    }

    void Compute() { ComputeComputer(computer, task, processor, memory); }

    std::string Row() const {
        return std::to_string(computer.StorageAccesses) + " " +
               std::to_string(computer.ComputerCost) + RealToText(computer.TaskTime, 2) +
               RealToText(computer.Performance, 2) + " " + std::to_string(computer.CostPerMips);
    }

    // Expects an Error with the given text and the results left as they were.
    void ExpectError(const std::string& message) {
        const ComputerRecord before = computer;
        try {
            Compute();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            if (!message.empty()) {
                EXPECT_EQ(e.what(), message);
            }
        }
        EXPECT_EQ(std::memcmp(&before, &computer, sizeof computer), 0);
    }
};

TEST(ComputeComputer, WorkedRows) {
    struct Row {
        std::int32_t alus;
        double dataFactor;
        bool storage, countKnown;
        const char* row; // accesses, cost, task time, performance, cost per MIPS
        double frequency = 100, processorCost = 100;
    };
    const Row rows[] = {
        {1, 0.004, false, false, "0 1975  8.71  5.77 342"},
        {1, 0.004, true, false, "3 2323 53.71  0.94 2481"},
        {1, 0.004, true, true, "1 2323 23.71  2.12 1095"},
        // several copies of the device on the chip share the cycles
        {2, 0.004, false, false, "0 1975  4.35 11.55 171"},
        {2, 0.004, true, false, "3 2323 49.35  1.02 2280"},
        {3, 0.004, true, true, "1 2323 17.90  2.81 827"},
        // a more complex data structure goes to external storage more often
        {1, 0.008, true, false, "22 2323338.71  0.15 15648"},
        {1, 0.016, true, false, "108 23231628.71  0.03 75244"},
        {1, 0.016, false, false, "0 1975  8.71  5.77 342"},
        // the lab-2 processor with its default inputs and "КМОП": 2 ALUs,
        // 92.44 MHz, cost 514.91
        {2, 0.004, false, false, "0 2401  4.44 11.33 212", 92.44113820186982, 514.9058090738057},
        {2, 0.004, true, false, "3 2749 49.44  1.02 2703", 92.44113820186982, 514.9058090738057},
    };
    for (const Row& r : rows) {
        Lab2 lab;
        lab.processor.AluCount = r.alus;
        lab.processor.Frequency = r.frequency;
        lab.processor.ProcessorCost = r.processorCost;
        lab.task.DataFactor = r.dataFactor;
        lab.computer.UsesStorage = r.storage;
        lab.computer.AccessCountKnown = r.countKnown;
        lab.Compute();
        EXPECT_EQ(lab.Row(), r.row) << r.alus << " ALU, DF " << r.dataFactor;
    }
}

TEST(ComputeComputer, StatedCountIsTakenWhateverTheTask) {
    Lab2 lab;
    lab.computer.UsesStorage = 1;
    lab.computer.AccessCountKnown = 1;
    lab.computer.GivenAccesses = 50;
    lab.task.Cycles = 2000000000;
    lab.Compute();
    EXPECT_EQ(lab.computer.StorageAccesses, 50);
}

TEST(ComputeComputer, WithoutStorageTheCountFlagAndStorageInputsAreIgnored) {
    Lab2 lab;
    lab.computer.AccessCountKnown = 1;
    lab.computer.GivenAccesses = 40;
    lab.computer.StorageSize = 0;
    lab.computer.StorageCycle = -5;
    lab.Compute();
    EXPECT_EQ(lab.Row(), "0 1975  8.71  5.77 342");
}

TEST(ComputeComputer, NoCacheMeansEveryAccessCostsTheMemoryCycle) {
    Lab2 lab;
    lab.computer.CacheSize = 0;
    lab.computer.CacheTime = 10; // not used at all without a cache
    lab.Compute();
    // ((105 · 3) + 40) ns per cycle for 50283 cycles
    EXPECT_NEAR(lab.computer.TaskTime, 355 * 50283 / 1e6, 1e-12);
    EXPECT_EQ(lab.computer.ComputerCost, 1972);
}

TEST(ComputeComputer, StandardCachesAndTheLargestCacheCompute) {
    Lab2 lab;
    lab.computer.UsesStorage = 1;
    for (const int size : {4, 8, 16, 32, 8192})
        for (const int time : {0, 10, 20, 30, 100}) {
            lab.computer.CacheSize = size;
            lab.computer.CacheTime = time;
            EXPECT_NO_THROW(lab.Compute()) << size << " KB " << time << " ns";
            EXPECT_GT(lab.computer.Performance, 0);
            EXPECT_GT(lab.computer.CostPerMips, 0);
        }
}

TEST(ComputeComputer, ResultsWithoutAFiniteValueAreClearErrors) {
    {
        Lab2 lab; // after a formula error the task has no cycles
        lab.task.Cycles = 0;
        lab.ExpectError("Длительность выполнения программы равна нулю: выполните заново оценку "
                        "характеристик задачи");
    }
    {
        Lab2 lab;
        lab.computer.UsesStorage = 1;
        for (const int size : {0, -50}) {
            lab.computer.StorageSize = size;
            lab.ExpectError("Объем ВЗУ должен быть положительным");
        }
    }
}

TEST(ComputeComputer, DamagedValuesAreErrors) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double f : {0.0, -100.0, nan, inf}) {
        Lab2 lab;
        lab.processor.Frequency = f;
        lab.ExpectError("Рабочая частота процессора должна быть положительной: выполните заново "
                        "расчет характеристик процессора");
    }
    for (const int alus : {0, -1, INT32_MIN}) {
        Lab2 lab;
        lab.processor.AluCount = alus;
        lab.ExpectError("Число устройств на кристалле должно быть не меньше 1: выполните заново "
                        "расчет характеристик процессора");
    }
    {
        Lab2 lab;
        lab.task.Cycles = -5;
        lab.ExpectError("Длительность выполнения программы отрицательна: выполните заново оценку "
                        "характеристик задачи");
    }
    {
        Lab2 lab;
        lab.computer.CacheSize = -8; // the model's own words, not a floating-point error
        lab.ExpectError("Объем кэш-памяти не может быть отрицательным");
    }
    {
        Lab2 lab;
        lab.computer.UsesStorage = 1;
        lab.computer.StorageCycle = -5;
        lab.ExpectError("Длительность цикла обращения к ВЗУ не может быть отрицательной");
        lab.computer.StorageCycle = 15;
        lab.computer.AccessCountKnown = 1;
        lab.computer.GivenAccesses = -1;
        lab.ExpectError("Число обращений к ВЗУ не может быть отрицательным");
    }
    for (const double df : {0.0, -0.004, nan}) {
        Lab2 lab;
        lab.computer.UsesStorage = 1;
        lab.task.DataFactor = df;
        lab.ExpectError("");
    }
    {
        Lab2 lab; // a cost per MIPS beyond 32 bits
        lab.processor.ProcessorCost = 1e15;
        lab.ExpectError("");
    }
    {
        Lab2 lab; // a damaged Boolean byte reads as set
        lab.computer.UsesStorage = 7;
        lab.Compute();
        EXPECT_EQ(lab.computer.StorageAccesses, 3);
    }
}

TEST(ComputeCacheTable, TwelveCachesAndTheStudentsCacheBack) {
    Lab2 lab;
    lab.computer.CacheSize = 8;
    lab.computer.CacheTime = 30;
    const auto rows = ComputeCacheTable(lab.computer, lab.task, lab.processor, lab.memory);
    const std::int32_t sizes[4] = {4, 8, 16, 32};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(rows[row].CacheSize, sizes[row % 4]) << "row " << row;
        EXPECT_EQ(rows[row].CacheTime, 10 * static_cast<std::int32_t>(1 + row / 4))
            << "row " << row;
    }
    Lab2 worked; // 16 KB at 20 ns
    worked.computer = rows[6];
    EXPECT_EQ(worked.Row(), "0 1975  8.71  5.77 342");
    EXPECT_EQ(lab.computer.CacheSize, 8);
    EXPECT_EQ(lab.computer.CacheTime, 30);
    ComputerRecord own = lab.computer;
    lab.Compute();
    EXPECT_EQ(std::memcmp(&own, &lab.computer, sizeof own), 0);

    lab.task.Cycles = 0;
    EXPECT_THROW(ComputeCacheTable(lab.computer, lab.task, lab.processor, lab.memory), Error);
    EXPECT_EQ(lab.computer.CacheSize, 8);
    EXPECT_EQ(lab.computer.CacheTime, 30);
}

} // namespace
} // namespace orvik
