#include "lab2/MemoryModel.h"
#include "workbook/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orvik {
namespace {

MemoryRecord DefaultMemory(std::int32_t chip = 0) {
    return MemoryRecord{8, 32, 70, chip, -1, -1, -1};
}

TEST(ComputeMemory, WorkedTableForEveryChip) {
    struct Row {
        double defects; // D of the lab-2 processor
        std::int32_t cost[4], mtbf[4];
    };
    // The defect coefficient changes the yield, so the cost, and nothing else.
    const Row rows[] = {{1.0, {1872, 919, 1514, 7844}, {1335, 5338, 21348, 85348}},
                        {0.5, {1803, 733, 712, 2434}, {1335, 5338, 21348, 85348}},
                        {5.0, {2564, 3614, 19567, 162400}, {1335, 5338, 21348, 85348}}};
    for (const Row& row : rows) {
        for (std::int32_t chip = 0; chip < 4; ++chip) {
            MemoryRecord memory = DefaultMemory(chip);
            ComputeMemory(memory, row.defects);
            SCOPED_TRACE(std::string(ChipTable[chip].Name) +
                         ", D = " + std::to_string(row.defects));
            EXPECT_EQ(memory.CycleTime, 105);
            EXPECT_EQ(memory.MemoryCost, row.cost[chip]);
            EXPECT_EQ(memory.MemoryMtbf, row.mtbf[chip]);
            EXPECT_EQ(memory.ChipType, chip);
            EXPECT_EQ(memory.Capacity, 8);
        }
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
    const auto expectError = [](MemoryRecord memory, double d, const char* message = nullptr) {
        try {
            ComputeMemory(memory, d);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            if (message) {
                EXPECT_STREQ(e.what(), message);
            }
        }
        EXPECT_EQ(memory.CycleTime, -1);
        EXPECT_EQ(memory.MemoryCost, -1);
        EXPECT_EQ(memory.MemoryMtbf, -1);
    };
    for (const std::int32_t chip : {-1, 4, INT32_MIN, INT32_MAX})
        expectError(DefaultMemory(chip), 1.0);
    MemoryRecord memory = DefaultMemory();
    for (const std::int32_t capacity : {0, -8, INT32_MIN}) {
        memory.Capacity = capacity;
        expectError(memory, 1.0, "Объем ЗУ должен быть положительным");
    }
    memory = DefaultMemory();
    for (const std::int32_t bits : {0, -7}) {
        memory.WordBits = bits;
        expectError(memory, 1.0, "Размер слова ЗУ должен быть положительным");
    }
    memory = DefaultMemory();
    memory.AccessTime = INT32_MAX; // a cycle time beyond 32 bits
    expectError(memory, 1.0);
    expectError(DefaultMemory(), -400.0); // yield without a logarithm
    expectError(DefaultMemory(3), 1e12);  // a cost beyond 32 bits
}

} // namespace
} // namespace orvik
