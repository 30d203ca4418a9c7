#include "lab2/MemoryModel.h"
#include "core/Errors.h"
#include "lab2/MemoryByChip.h"

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

// With the 16 Mbit chip and D a whole multiple of λ² the cost of the decimal
// D would be exactly halfway: (1 + 2500·(1 + D/0.49)²/50.24) · 4Q. D stored
// as an 8-byte real lies just below the decimal, and so does the exact cost.
TEST(ComputeMemory, CostsAHairBelowHalfwayRoundDown) {
    struct Row {
        std::int32_t capacity, wordBits, access;
        double d;
        std::int32_t cost;
    };
    for (const Row& row : {Row{9891, 29, 495, 1.96, 4518706}, Row{942, 59, 256, 0.98, 293980},
                           Row{2826, 22, 480, 0.49, 183613}}) {
        MemoryRecord memory{row.capacity, row.wordBits, row.access, 2, -1, -1, -1};
        ComputeMemory(memory, row.d);
        EXPECT_EQ(memory.MemoryCost, row.cost) << row.capacity << " D = " << row.d;
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
    // Inputs from a file beyond the window's ranges get the range message.
    struct Row {
        std::int32_t MemoryRecord::*field;
        std::int32_t value;
        const char* message;
    };
    for (const Row& row : {
             Row{&MemoryRecord::Capacity, 0,
                 "\"Объем ЗУ в словах, Мслов\": 0 (допустимо от 8 до 10000)"},
             Row{&MemoryRecord::Capacity, INT32_MAX, "(допустимо от 8 до 10000)"},
             Row{&MemoryRecord::Capacity, INT32_MIN, "(допустимо от 8 до 10000)"},
             Row{&MemoryRecord::WordBits, -7,
                 "\"Размер слова ЗУ в битах\": -7 (допустимо от 16 до 80)"},
             Row{&MemoryRecord::WordBits, 81, "(допустимо от 16 до 80)"},
             Row{&MemoryRecord::AccessTime, 4, "\"Время выборки, нс\": 4 (допустимо от 5 до 500)"},
             Row{&MemoryRecord::AccessTime, INT32_MAX, "(допустимо от 5 до 500)"},
         }) {
        MemoryRecord memory = DefaultMemory();
        memory.*row.field = row.value;
        try {
            ComputeMemory(memory, 1.0);
            ADD_FAILURE() << "no error for " << row.value;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << e.what();
        }
        expectError(memory, 1.0);
    }
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
