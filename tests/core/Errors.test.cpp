#include "core/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvik {
namespace {

TEST(RoundToInt32, RoundsTiesToEven) {
    EXPECT_EQ(RoundToInt32(2.5L), 2);
    EXPECT_EQ(RoundToInt32(3.5L), 4);
    EXPECT_EQ(RoundToInt32(-2.5L), -2);
    EXPECT_EQ(RoundToInt32(22.5L), 22);
    EXPECT_EQ(RoundToInt32(37.5L), 38);
    EXPECT_EQ(RoundToInt32(2147483647.4L), 2147483647);
    EXPECT_EQ(RoundToInt32(-2147483648.4L), -2147483647 - 1);
}

TEST(RoundToInt32, RefusesWhatDoesNotFit) {
    for (long double x : {2147483647.5L, -2147483648.6L, 1e30L,
                          std::numeric_limits<long double>::infinity(), std::nanl("")}) {
        try {
            RoundToInt32(x);
            ADD_FAILURE() << "no error for " << static_cast<double>(x);
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Invalid floating point operation");
        }
    }
    EXPECT_THROW(RoundToInt64(1e19L), Error);
    EXPECT_EQ(RoundToInt64(4e18L), 4000000000000000000LL);
}

long double Divide(long double a, long double b) {
    volatile long double x = a;
    volatile long double y = b;
    return x / y;
}

long double Of(long double (*f)(long double), long double x) {
    volatile long double arg = x;
    return f(arg);
}

TEST(FloatCheck, TurnsFloatingPointExceptionsIntoTheProgramsMessages) {
    const auto message = [](auto work) -> std::string {
        try {
            FloatCheck check;
            volatile long double r = work();
            (void)r;
            check.check();
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_EQ(message([] { return Divide(1, 0); }), "Floating point division by zero");
    EXPECT_EQ(message([] { return Of(logl, 0.0L); }), "Floating point division by zero");
    EXPECT_EQ(message([] { return Of(sqrtl, -1.0L); }), "Invalid floating point operation");
    EXPECT_EQ(message([] { return Of(expl, 20000.0L); }), "Floating point overflow");
    // Underflow to zero is normal.
    EXPECT_EQ(message([] { return Of(expl, -20000.0L); }), "");
    // Flags raised before the check began do not count.
    volatile long double before = Divide(1, 0);
    (void)before;
    EXPECT_EQ(message([] { return Divide(1, 4); }), "");
}

TEST(TextToInt, ReadsWholeNumbersOnly) {
    EXPECT_EQ(TextToInt("7"), 7);
    EXPECT_EQ(TextToInt("  10"), 10);
    EXPECT_EQ(TextToInt("-3"), -3);
    for (const char* bad : {"", " ", "abc", "1.5", "7 ", "99999999999"}) {
        try {
            TextToInt(bad);
            ADD_FAILURE() << "accepted \"" << bad << '"';
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

} // namespace
} // namespace orvik
