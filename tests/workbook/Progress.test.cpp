// The rules of progress through the lab parts, as a table of workbooks: which
// part may start, what a calculation marks and what it undoes.
#include "workbook/Progress.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvik;

namespace {

// PartDone as seven digits, part 0 first ("1010000": parts 0 and 2 done).
Workbook WithDone(const std::string& flags) {
    Workbook wb;
    for (std::size_t i = 0; i < flags.size(); ++i)
        wb.PartDone[i] = flags[i] == '1' ? 1 : 0;
    return wb;
}

std::string DoneOf(const Workbook& wb) {
    std::string flags;
    for (const std::uint8_t f : wb.PartDone)
        flags += f ? '1' : '0';
    return flags;
}

} // namespace

TEST(Progress, APartStartsOnlyAfterThePartItNeeds) {
    struct Row {
        const char* done;
        int part;
        const char* refusal; // nullptr: the part may start
    };
    const Row rows[] = {
        {"0000000", PartProcessor1, nullptr},
        {"0000000", PartTask, nullptr},
        {"0000000", PartFirm, nullptr},
        {"0000000", PartBusinessGame, "Сначала выполните расчет характеристик процессора"},
        {"1000000", PartBusinessGame, nullptr},
        {"0001111", PartProcessor2, "Сначала выполните оценку характеристик задачи."},
        {"0010000", PartProcessor2, nullptr},
        {"1010111", PartMemory, "Сначала выполните расчет характеристик процессора."},
        {"0011000", PartMemory, nullptr},
        {"1111011", PartComputer, "Сначала выполните расчет характеристик памяти."},
        {"0000100", PartComputer, nullptr},
        {"0000000", -1, nullptr},
        {"0000000", 7, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.done) + " part " + std::to_string(r.part));
        const auto missing = MissingStep(WithDone(r.done), r.part);
        ASSERT_EQ(missing.has_value(), r.refusal != nullptr);
        if (missing) {
            EXPECT_STREQ(missing->message, r.refusal);
            EXPECT_EQ(missing->part, r.part);
        }
    }
}

TEST(Progress, ACalculationMarksItsPartAndUndoesWhatRestsOnIt) {
    struct Row {
        const char* before;
        int part;
        const char* after;
    };
    const Row rows[] = {
        {"0000000", PartProcessor1, "1000000"},
        {"1111111", PartProcessor2, "1111001"}, // memory and computer again
        {"0010000", PartProcessor2, "0011000"},
        {"1111111", PartTask, "1111111"},   // the processor stays done
        {"0011110", PartMemory, "0011110"}, // the computer stays done
        {"0011100", PartComputer, "0011110"},
        {"0000000", PartFirm, "0000001"},
        {"1010101", -1, "1010101"},
        {"1010101", kPartCount, "1010101"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.before) + " part " + std::to_string(r.part));
        Workbook wb = WithDone(r.before);
        CompletePart(wb, r.part);
        EXPECT_EQ(DoneOf(wb), r.after);
    }
}

TEST(Progress, TheGameCountsOnlyWhenEveryYearIsPlayed) {
    for (int years = 0; years <= 8; ++years) {
        SCOPED_TRACE(years);
        EXPECT_EQ(GameCompletesItsPart(years, false), years == 8);
        EXPECT_FALSE(GameCompletesItsPart(years, true)); // bankrupt, even in year 8
    }
}
