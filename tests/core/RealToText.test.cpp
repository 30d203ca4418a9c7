#include "core/RealToText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvik {
namespace {

struct Case {
    double x;
    int decimals;
    const char* text;
};

TEST(RealToText, FormatsTheProgramsExamples) {
    const Case cases[] = {
        {3.14159, 2, "  3.14"},
        {0.5, 6, "0.500000"},
        {1234567.891, 2, "1234567.89"},
        {-0.25, 1, "  -0.3"},
        {2.675, 2, "  2.67"},
        {-0.001, 2, " -0.00"},
        {7, 0, "     7"},
        {0.0, 2, "  0.00"},
        {62500, 0, " 62500"},
        {0.17677669529663689, 6, "0.176777"},
        {0.0000066175, 7, "0.0000066"},
        {122.59659, 2, "122.60"},
        {9.9951, 2, " 10.00"},
        {-9.999, 2, "-10.00"},
        {0.05, 1, "   0.1"},
        {1e-300, 6, "0.000000"},
        {999999.5, 0, "1000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RealToText(c.x, c.decimals), c.text) << c.x << " with " << c.decimals;
}

TEST(RealToText, RoundsAtEighteenSignificantDigitsFirst) {
    // 0.1 + 0.2 is 0.30000000000000004441; its 18 digits end in ...044.
    EXPECT_EQ(RealToText(0.1 + 0.2, 16), "0.3000000000000000");
    // 2.675 lies just below 2.675 and stays below at 18 digits: 2.67499999999999982.
    EXPECT_EQ(RealToText(2.675, 3), " 2.675");
    EXPECT_EQ(RealToText(2.675, 17), "2.67499999999999982");
    EXPECT_EQ(RealToText(1.0000000000000002, 16), "1.0000000000000002");
}

TEST(RealToText, NegativeZeroHasNoSignButTinyNegativesDo) {
    EXPECT_EQ(RealToText(-0.0, 2), "  0.00");
    EXPECT_EQ(RealToText(-1e-20, 3), "-0.000");
}

TEST(RealToText, DecimalCountsOutsideTheUsualRangeAreKeptInBounds) {
    EXPECT_EQ(RealToText(1.5, -3), "     2");
    EXPECT_EQ(RealToText(0.25, 2147483647).size(), 62u);
}

TEST(RealToText, HugeAndNonFiniteValuesDoNotCrash) {
    EXPECT_EQ(RealToText(1e35, 0), "99999999999999996900000000000000000");
    EXPECT_EQ(RealToText(std::numeric_limits<double>::max(), 2).size(), 312u);
    EXPECT_EQ(RealToText(std::numeric_limits<double>::infinity(), 2), "   INF");
    EXPECT_EQ(RealToText(-std::numeric_limits<double>::infinity(), 2), "  -INF");
    EXPECT_EQ(RealToText(std::nan(""), 2), "   NAN");
}

} // namespace
} // namespace orvik
