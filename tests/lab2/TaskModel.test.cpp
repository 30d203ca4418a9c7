#include "lab2/TaskModel.h"
#include "core/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace orvik {
namespace {

TaskRecord MakeTask(std::int32_t n, const std::string& formula, std::int32_t grade = 0) {
    TaskRecord task;
    std::memset(&task, 0, sizeof task);
    task.InputCount = n;
    task.DataComplexity = grade;
    SetFormulaText(task, formula);
    return task;
}

struct Outcome {
    std::int32_t cycles;
    int formulaErrors;
};

Outcome Compute(TaskRecord& task) {
    int errors = 0;
    ComputeTask(task, [&] { ++errors; });
    return {task.Cycles, errors};
}

// ---- the formula language ------------------------------------------------

struct Valid {
    const char* text;
    std::int32_t n;
    std::int32_t value;
};

class FormulaValue : public testing::TestWithParam<Valid> {};

TEST_P(FormulaValue, Evaluates) {
    const Valid& c = GetParam();
    EXPECT_EQ(EvaluateComplexity(c.text, c.n), c.value) << "«" << c.text << "» at N = " << c.n;
}

INSTANTIATE_TEST_SUITE_P(
    Language, FormulaValue,
    testing::Values(
        // operands: anything holding the Latin letter N stands for N
        Valid{"n", 7, 7}, Valid{"N", 7, 7}, Valid{" N", 7, 7}, Valid{"2n", 7, 7},
        Valid{"n+1", 7, 7}, Valid{"10*n", 40, 400}, Valid{"10* n", 40, 400},
        Valid{" 10*n", 40, 400}, Valid{"2*n", 9, 18}, Valid{"n**2", 9, 81},
        // "**" binds more loosely than "*" and groups from the right
        Valid{"10*n**2", 3, 900}, Valid{"n**2*3", 2, 64}, Valid{"2**3**2", 0, 512},
        Valid{"2*3*4", 0, 24},
        // literals: signs, leading blanks, hexadecimal 32-bit patterns
        Valid{"+5*n", 2, 10}, Valid{"-5*n", 2, -10}, Valid{"  -7", 0, -7}, Valid{"$A*n", 4, 40},
        Valid{"xA", 0, 10}, Valid{"Xff", 0, 255}, Valid{"0x10", 0, 16}, Valid{"0X1f", 0, 31},
        Valid{"$FFFFFFFF", 0, -1}, Valid{"$80000000", 0, INT32_MIN}, Valid{"$000000007", 0, 7},
        Valid{"2147483647", 0, INT32_MAX}, Valid{"-2147483648", 0, INT32_MIN}, Valid{"007", 0, 7},
        Valid{"$7FFFFFFF", 0, INT32_MAX}, Valid{"0x7fffffff", 0, INT32_MAX},
        Valid{"$00000000000000000001", 0, 1}, Valid{"-00000000000000000009", 0, -9},
        // powers
        Valid{"5**0", 0, 1}, Valid{"0**0", 0, 1}, Valid{"n**0", 0, 1}, Valid{"0**3", 0, 0},
        Valid{"2**-1", 0, 0}, Valid{"3**-1", 0, 0}, Valid{"1**-3", 0, 1}, Valid{"n**-1", 40, 0},
        Valid{"-1**-3", 0, -1}, Valid{"-1**4", 0, 1}, Valid{"-2**31", 0, INT32_MIN},
        Valid{"2**30", 0, 1 << 30}, Valid{"n**2", 46340, 2147395600},
        // both ends of the 32-bit range, reached by products and powers
        Valid{"-65536*32768", 0, INT32_MIN}, Valid{"65535*32768", 0, 2147450880},
        Valid{"-46340*46340", 0, -2147395600}, Valid{"-3**19", 0, -1162261467},
        Valid{"3**19", 0, 1162261467}, Valid{"-1*2147483647", 0, -INT32_MAX},
        // values beyond 32 bits inside the formula are carried in 64 bits
        Valid{"100000*100000**0", 0, 1}, Valid{"2**62*0", 0, 1}, Valid{"0*2**62", 0, 0}));

class FormulaError_ : public testing::TestWithParam<const char*> {};

TEST_P(FormulaError_, IsAnEvaluationError) {
    EXPECT_THROW(EvaluateComplexity(GetParam(), 40), FormulaError) << "«" << GetParam() << "»";
}

INSTANTIATE_TEST_SUITE_P(
    Language, FormulaError_,
    testing::Values(
        // malformed texts
        "", "***", "*n", "n*", "2***3", "2****3", "**", "10 * n", "10 *n", "1.5*n", "10 ", "+", "-",
        "+-5", "$", "0x", "x", "$G", "$-1", "-$A", "5a", " ", "\t5", "2**", "**2",
        // the letter N only in its Latin form: Cyrillic "н" and "Н" are no operand
        "10*\xED", "10*\xCD",
        // literals outside 32 bits
        "2147483648", "-2147483649", "$100000000", "99999999999999999999", "-99999999999999999999",
        "0x100000000", "$1FFFFFFFF", "$FFFFFFFFFFFFFFFF", "$10000000000000000",
        "x10000000000000001", "$100000000000000000000",
        // powers that cannot be formed
        "0**-1", "2**63", "2**64", "2**100000", "-2**64", "10**n",
        // values beyond 32 bits: the caption's own example already at N = 40
        "10*n**5", "2**31", "65536*65536", "$FFFF*$FFFF*$FFFF*$FFFF",
        // ... at either end of the 32-bit range
        "-65536*65536", "-65536*32769", "-3**21", "-3**20", "-2**33", "-2**32", "-46341*46341",
        "$80000000*-1", "-1*-2147483648", "2147483647*2", "-2147483648*2",
        // a 64-bit product overflow is an error even when raised to the power 0 later
        "65536*65536*65536*65536**0"));

TEST(FormulaLanguage, EvaluatesLongTextsWithoutDeepRecursion) {
    std::string product = "1";
    std::string power = "1";
    for (int i = 0; i < 100000; ++i) {
        product += "*1";
        power += "**1";
    }
    EXPECT_EQ(EvaluateComplexity(product + "*n", 5), 5);
    EXPECT_EQ(EvaluateComplexity("2**" + power, 5), 2);
}

TEST(FormulaLanguage, LeavesFloatingPointFlagsAlone) {
    FloatCheck flags;
    EXPECT_THROW(EvaluateComplexity("0**-1", 1), FormulaError);
    EXPECT_THROW(EvaluateComplexity("2**100000", 1), FormulaError);
    EXPECT_NO_THROW(flags.check());
}

// ---- the task computation ------------------------------------------------

TEST(ComputeTask, WorkedValues) {
    for (const auto& [n, cycles] : {std::pair{40, 50283}, {10, 2427}, {1, 241}}) {
        TaskRecord task = MakeTask(n, "10*n");
        const Outcome out = Compute(task);
        EXPECT_EQ(out.cycles, cycles) << "N = " << n;
        EXPECT_EQ(out.formulaErrors, 0);
        EXPECT_EQ(task.DataFactor, 0.004);
    }
}

TEST(ComputeTask, GradeSetsTheDataFactorOnly) {
    for (const auto& [grade, factor] : {std::pair{0, 0.004}, {1, 0.008}, {2, 0.016}}) {
        TaskRecord task = MakeTask(40, "10*n", grade);
        EXPECT_EQ(Compute(task).cycles, 50283);
        EXPECT_EQ(task.DataFactor, factor);
    }
}

TEST(ComputeTask, NegativeFormulaGivesPositiveCount) {
    TaskRecord task = MakeTask(40, "-10*n");
    EXPECT_EQ(Compute(task).cycles, 50283);
    task = MakeTask(40, "$FFFFFFF6*n"); // -10 as a 32-bit pattern
    EXPECT_EQ(Compute(task).cycles, 50283);
}

TEST(ComputeTask, InvalidFormulaReportsAndCountsZero) {
    for (const char* formula : {"10 * n", "", "*n", "n*", "1.5*n", "2***3", "10*n**5"}) {
        TaskRecord task = MakeTask(40, formula);
        task.Cycles = 777;
        const Outcome out = Compute(task);
        EXPECT_EQ(out.formulaErrors, 1) << "«" << formula << "»";
        EXPECT_EQ(out.cycles, 0) << "«" << formula << "»";
        EXPECT_EQ(task.DataFactor, 0.004);
    }
}

TEST(ComputeTask, CountBeyond32BitsIsAFormulaErrorNeverAWrappedCount) {
    // F itself fits, but (N + 2) · F and the count do not.
    for (const char* formula : {"2147483647", "-2147483648", "$7FFFFFFF*1", "46340*46340"}) {
        TaskRecord task = MakeTask(10000, formula);
        task.Cycles = 777;
        const Outcome out = Compute(task);
        EXPECT_EQ(out.formulaErrors, 1) << "«" << formula << "»";
        EXPECT_EQ(out.cycles, 0) << "«" << formula << "»";
    }
    // The largest count that still fits is kept.
    TaskRecord task = MakeTask(40, "17000000");
    const Outcome out = Compute(task);
    EXPECT_EQ(out.formulaErrors, 0);
    EXPECT_GT(out.cycles, 2000000000);
}

TEST(ComputeTask, ZeroInputsIsADivisionByZeroAfterTheFactor) {
    TaskRecord task = MakeTask(0, "10*n", 2);
    task.Cycles = 1234;
    try {
        ComputeTask(task, [] {});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
    EXPECT_EQ(task.Cycles, 1234);
    EXPECT_EQ(task.DataFactor, 0.016);
}

TEST(ComputeTask, DamagedValuesAreErrors) {
    for (const std::int32_t grade : {-1, 3, INT32_MIN, INT32_MAX}) {
        TaskRecord task = MakeTask(40, "10*n", grade);
        task.Cycles = 55;
        task.DataFactor = 9.5;
        EXPECT_THROW(ComputeTask(task, [] {}), Error) << grade;
        EXPECT_EQ(task.Cycles, 55);
        EXPECT_EQ(task.DataFactor, 9.5);
    }
    // N from a file beyond the window's 0..10000 gets the range message and
    // changes nothing.
    for (const std::int32_t n : {-1, -2, -292028475, INT32_MIN, 10001, INT32_MAX}) {
        TaskRecord task = MakeTask(n, "10*n");
        task.Cycles = 55;
        task.DataFactor = 9.5;
        try {
            ComputeTask(task, [] { ADD_FAILURE() << "a formula error instead"; });
            ADD_FAILURE() << "no error for N = " << n;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(
                          "Недопустимое число независимых входных N: " + std::to_string(n) +
                              " (допустимо от 0 до 10000)",
                          0),
                      0u)
                << e.what();
        }
        EXPECT_EQ(task.Cycles, 55);
        EXPECT_EQ(task.DataFactor, 9.5);
    }
    TaskRecord largest = MakeTask(10000, "n");
    EXPECT_EQ(Compute(largest).formulaErrors, 0);
}

TEST(ComputeTask, WorksWithoutAnErrorCallback) {
    TaskRecord task = MakeTask(40, "***");
    task.Cycles = 5;
    ComputeTask(task, {});
    EXPECT_EQ(task.Cycles, 0);
}

} // namespace
} // namespace orvik
