#include "lab2/MemoryModel.h"
#include "core/Errors.h"
#include "lab2/MemoryByChip.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orvik {
namespace {

MemoryRecord DefaultMemory(std::int32_t chip = 0) {
    return MemoryRecord{8, 32, 70, chip, -1, -1, -1};
}

TEST(ComputeMemory, WorkedTableForEveryChip) {
    struct Row {
        std::int32_t cost, mtbf;
    };
    const Row rows[4] = {{1872, 1335}, {919, 5338}, {1514, 21348}, {7844, 85348}};
    for (std::int32_t chip = 0; chip < 4; ++chip) {
        MemoryRecord memory = DefaultMemory(chip);
        ComputeMemory(memory, 1.0);
        EXPECT_EQ(memory.CycleTime, 105) << ChipTable[chip].Name;
        EXPECT_EQ(memory.MemoryCost, rows[chip].cost) << ChipTable[chip].Name;
        EXPECT_EQ(memory.MemoryMtbf, rows[chip].mtbf) << ChipTable[chip].Name;
        EXPECT_EQ(memory.ChipType, chip);
        EXPECT_EQ(memory.Capacity, 8);
    }
}

TEST(ComputeMemory, CycleTimeRoundsTiesToEven) {
    for (const auto& [access, cycle] :
         {std::pair{15, 22}, {25, 38}, {5, 8}, {35, 52}, {500, 750}}) {
        MemoryRecord memory = DefaultMemory();
        memory.AccessTime = access;
        ComputeMemory(memory, 1.0);
        EXPECT_EQ(memory.CycleTime, cycle) << access << " ns";
    }
}

TEST(ComputeMemory, LargestStoreComputesForEveryChipAndDefect) {
    for (const double d : {0.1, 1.0, 5.0}) {
        for (std::int32_t chip = 0; chip < 4; ++chip) {
            MemoryRecord memory{10000, 80, 500, chip, 0, 0, 0};
            EXPECT_NO_THROW(ComputeMemory(memory, d)) << chip << " D = " << d;
            EXPECT_GT(memory.MemoryCost, 0);
            EXPECT_GE(memory.MemoryMtbf, 0); // under an hour for 870000 chips of 1 Mbit
        }
    }
}

TEST(ComputeMemory, DamagedValuesAreErrorsAndLeaveTheResults) {
    const auto expectError = [](MemoryRecord memory, double d) {
        EXPECT_THROW(ComputeMemory(memory, d), Error);
        EXPECT_EQ(memory.CycleTime, -1);
        EXPECT_EQ(memory.MemoryCost, -1);
        EXPECT_EQ(memory.MemoryMtbf, -1);
    };
    for (const std::int32_t chip : {-1, 4, INT32_MIN, INT32_MAX})
        expectError(DefaultMemory(chip), 1.0);
    MemoryRecord memory = DefaultMemory();
    memory.Capacity = 0;
    expectError(memory, 1.0);
    memory = DefaultMemory();
    memory.WordBits = -7;
    expectError(memory, 1.0);
    memory = DefaultMemory();
    memory.AccessTime = INT32_MAX; // a cycle time beyond 32 bits
    expectError(memory, 1.0);
    expectError(DefaultMemory(), -400.0); // yield without a logarithm
    expectError(DefaultMemory(3), 1e12);  // a cost beyond 32 bits
}

TEST(ComputeMemoryByChip, WorkedTableAndTheChosenChipBack) {
    MemoryRecord memory = DefaultMemory(2);
    const auto chips = ComputeMemoryByChip(memory, 1.0);
    const std::int32_t costs[4] = {1872, 919, 1514, 7844};
    const std::int32_t mtbfs[4] = {1335, 5338, 21348, 85348};
    for (std::size_t chip = 0; chip < 4; ++chip) {
        EXPECT_EQ(chips[chip].ChipType, static_cast<std::int32_t>(chip));
        EXPECT_EQ(chips[chip].CycleTime, 105) << ChipTable[chip].Name;
        EXPECT_EQ(chips[chip].MemoryCost, costs[chip]) << ChipTable[chip].Name;
        EXPECT_EQ(chips[chip].MemoryMtbf, mtbfs[chip]) << ChipTable[chip].Name;
    }
    EXPECT_EQ(memory.ChipType, 2);
    EXPECT_EQ(memory.MemoryCost, 1514);
    EXPECT_EQ(memory.MemoryMtbf, 21348);

    MemoryRecord damaged = DefaultMemory(1);
    EXPECT_THROW(ComputeMemoryByChip(damaged, -1.0), Error);
    EXPECT_EQ(damaged.ChipType, 1);
}

} // namespace
} // namespace orvik
