#include "processor/ProcessorModel.h"
#include "core/Errors.h"
#include "processor/Technology.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <tuple>

using namespace orvik;

namespace {

ProcessorRecord Inputs(int technology, double defect, double feature, double area,
                       int integration) {
    ProcessorRecord r{};
    r.Technology = technology;
    r.DefectFactor = defect;
    r.MinFeature = feature;
    r.ChipArea = area;
    r.DeviceIntegration = integration;
    return r;
}

ProcessorRecord Defaults() {
    ProcessorRecord r{};
    ResetProcessorInputs(r);
    return r;
}

void ExpectRelative(double actual, double expected, double tolerance = 1e-7) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << "expected " << expected;
}

std::string ErrorText(ProcessorRecord r) {
    try {
        ComputeProcessor(r);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(ProcessorModel, ResetSetsOnlyTheInputs) {
    ProcessorRecord r = Inputs(3, 4.0, 2.0, 0.5, 999);
    ComputeProcessor(r);
    ProcessorRecord before = r;
    ResetProcessorInputs(r);
    EXPECT_EQ(r.Technology, 0);
    EXPECT_EQ(r.DefectFactor, 1.0);
    EXPECT_EQ(r.MinFeature, 1.0);
    EXPECT_EQ(r.ChipArea, 1.0);
    EXPECT_EQ(r.DeviceIntegration, 250);
    // Results stay those of the last calculation.
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&r) + 36,
                          reinterpret_cast<const char*>(&before) + 36, 128 - 36),
              0);
}

TEST(ProcessorModel, DefaultVariant) {
    ProcessorRecord r = Defaults();
    EXPECT_TRUE(ComputeProcessor(r));
    EXPECT_EQ(r.ChipIntegration, 62500);
    EXPECT_DOUBLE_EQ(r.Power, 25.0);
    EXPECT_DOUBLE_EQ(r.GateDelay, 0.1);
    EXPECT_DOUBLE_EQ(r.Yield, std::pow(2.0, -2.5));
    EXPECT_NEAR(r.ChipCost, 122.5966, 0.00005);
    EXPECT_NEAR(r.GateCost, 0.0019615, 0.00000005);
    EXPECT_DOUBLE_EQ(r.ChipFailureRate, 0.0000066175);
    EXPECT_EQ(r.ChipCount, 5); // 250000 / 62500 = 4, and one more
    EXPECT_EQ(r.AluCount, 1);  // Round(0.25) = 0 is raised to 1
    EXPECT_NEAR(r.Frequency, 389.318, 0.0005);
    EXPECT_NEAR(r.Mtbf, 1402.31, 0.005);
    EXPECT_NEAR(r.ProcessorCost, 1838.949, 0.0005);
    EXPECT_EQ(r.HasGoodChips, 1);
    // Inputs and padding are not touched.
    EXPECT_EQ(r.DeviceIntegration, 250);
    EXPECT_EQ(r.Padding0[0] | r.Padding1[0] | r.Padding1[6], 0);
}

TEST(ProcessorModel, OtherTechnologies) {
    ProcessorRecord cmos = Defaults();
    cmos.Technology = 2; // КМОП: root power law
    ComputeProcessor(cmos);
    EXPECT_EQ(cmos.ChipIntegration, 450000);
    EXPECT_DOUBLE_EQ(cmos.Power, 4.5);
    EXPECT_EQ(cmos.ChipCount, 2); // Round(0.556) + 1
    EXPECT_EQ(cmos.AluCount, 2);  // Round(1.8)

    ProcessorRecord gaas = Defaults();
    gaas.Technology = 4;
    ComputeProcessor(gaas);
    EXPECT_EQ(gaas.ChipIntegration, 200000);
    EXPECT_DOUBLE_EQ(gaas.Yield, 0.03125);

    // ТТЛШ: linear power law, k1 / L × N / 1000.
    ProcessorRecord ttl = Inputs(1, 1.0, 0.5, 1.0, 250);
    ComputeProcessor(ttl);
    EXPECT_EQ(ttl.ChipIntegration, 560000);
    ExpectRelative(ttl.Power, 0.16 / 0.5 * 560000 / 1000, 1e-15);
}

TEST(ProcessorModel, TieOfChipCountRoundsToEven) {
    ProcessorRecord r = Inputs(0, 1.0, 0.5, 0.4, 250);
    ComputeProcessor(r);
    EXPECT_EQ(r.ChipIntegration, 100000);
    EXPECT_EQ(r.ChipCount, 3); // Round(2.5) = 2, not 3
    EXPECT_EQ(r.AluCount, 1);  // Round(0.4) = 0 is raised to 1
}

TEST(ProcessorModel, ChipIntegrationIsEvaluatedInExtendedPrecision) {
    // 6.25 × 10000 × 1.5625 × 0.06 / 0.25 is 23437.5 in decimal; the binary
    // inputs put it just below, which 8-byte arithmetic loses (23438).
    ProcessorRecord r = Inputs(0, 1.0, 0.40, 0.06, 250);
    ComputeProcessor(r);
    EXPECT_EQ(r.ChipIntegration, 23437);
}

TEST(ProcessorModel, GaAsAtTheSmallestSizeHasNoGoodChips) {
    ProcessorRecord r = Inputs(4, 5.0, 0.1, 1.0, 250);
    EXPECT_FALSE(ComputeProcessor(r));
    EXPECT_EQ(r.ChipIntegration, 20000000);
    ExpectRelative(r.Power, 400000.0, 1e-12);
    ExpectRelative(r.Yield, 3.17e-14, 1e-3);
    ExpectRelative(r.ChipCost, 6.28e14, 1e-3);
    EXPECT_EQ(r.Mtbf, 0.0); // below the smallest 8-byte real, no error
    EXPECT_EQ(r.HasGoodChips, 0);
    EXPECT_GT(r.ProcessorCost, 0.0);
}

TEST(ProcessorModel, MtbfIsZeroWhenItsExponentialOverflows) {
    // K × P × 0.022 is 17600 here: beyond even extended precision.
    ProcessorRecord r = Inputs(0, 0.5, 0.05, 0.2, 250);
    ComputeProcessor(r);
    EXPECT_EQ(r.ChipIntegration, 5000000);
    EXPECT_EQ(r.Mtbf, 0.0);
    EXPECT_TRUE(std::isfinite(r.ProcessorCost));
}

TEST(ProcessorModel, GoodChipsThresholdIsStrict) {
    // This defect coefficient makes chips per wafer × yield exactly 0.6.
    ProcessorRecord r = Inputs(0, 4.8836764023757926, 1.0, 0.99915299999999996, 250);
    EXPECT_FALSE(ComputeProcessor(r));
    const long double edge = 5 / std::sqrt(static_cast<long double>(r.ChipArea)) - 1;
    ASSERT_EQ(3.14L * (edge * edge) * r.Yield, 0.6L);

    r.DefectFactor = 4.8836;
    EXPECT_TRUE(ComputeProcessor(r));
}

TEST(ProcessorModel, DefectFactorChangesOnlyYieldCostsAndFlag) {
    for (int technology = 0; technology < 5; ++technology) {
        ProcessorRecord low = Inputs(technology, 0.2, 0.8, 0.5, 300);
        ProcessorRecord high = low;
        high.DefectFactor = 4.5;
        ComputeProcessor(low);
        ComputeProcessor(high);
        EXPECT_NE(low.Yield, high.Yield);
        EXPECT_NE(low.ChipCost, high.ChipCost);
        EXPECT_NE(low.GateCost, high.GateCost);
        EXPECT_NE(low.ProcessorCost, high.ProcessorCost);
        // Everything else is equal byte for byte.
        high.DefectFactor = low.DefectFactor;
        high.Yield = low.Yield;
        high.ChipCost = low.ChipCost;
        high.GateCost = low.GateCost;
        high.ProcessorCost = low.ProcessorCost;
        high.HasGoodChips = low.HasGoodChips;
        EXPECT_EQ(std::memcmp(&low, &high, sizeof low), 0) << "technology " << technology;
    }
    // The default variant at other defect coefficients: Y = (1 + D)^-2.5.
    for (const auto& [defects, yield, chipCost, processorCost] :
         {std::tuple{0.5, 0.36288737, 64.850238, 972.75357},
          {2.0, 0.06415003, 320.27980, 4804.1970}}) {
        ProcessorRecord r = Defaults();
        r.DefectFactor = defects;
        EXPECT_TRUE(ComputeProcessor(r));
        ExpectRelative(r.Yield, yield);
        ExpectRelative(r.ChipCost, chipCost);
        ExpectRelative(r.ProcessorCost, processorCost);
        EXPECT_EQ(r.ChipIntegration, 62500);
    }
    ProcessorRecord good = Defaults();
    ProcessorRecord none = Defaults();
    none.DefectFactor = 5.0;
    EXPECT_TRUE(ComputeProcessor(good));
    EXPECT_FALSE(ComputeProcessor(none));
}

TEST(ProcessorModel, ArithmeticErrorsAreReported) {
    EXPECT_EQ(ErrorText(Inputs(0, 1.0, 0.0, 1.0, 250)), kDivisionByZero);    // 1 / L
    EXPECT_EQ(ErrorText(Inputs(0, 1.0, 1.0, 25.0, 250)), kDivisionByZero);   // no chips per wafer
    EXPECT_EQ(ErrorText(Inputs(0, 1.0, 1.0, 1.0, 0)), kDivisionByZero);      // N / G
    EXPECT_EQ(ErrorText(Inputs(0, 1.0, 1.0, -2.0, 250)), kInvalidOperation); // ln of -1
    // Elements on one chip beyond 32 bits.
    EXPECT_EQ(ErrorText(Inputs(0, 1.0, 0.0001, 1.0, 250)), kInvalidOperation);
    // 1000 elements on a chip and a device of 2^31 - 1 thousand: the chip
    // count, one more than 2^31 - 1, does not fit.
    EXPECT_EQ(ErrorText(Inputs(0, 1.0, 1.0, 0.016, INT32_MAX)), kInvalidOperation);
}

TEST(ProcessorModel, UnknownTechnologyIsAnError) {
    ProcessorRecord r = Defaults();
    r.Technology = 9;
    EXPECT_THROW(ComputeProcessor(r), Error);
    EXPECT_NE(ErrorText(r).find("схемотехники"), std::string::npos);
    r.Technology = -1;
    EXPECT_THROW(ComputeProcessor(r), Error);
}

TEST(ProcessorModel, WholeInputRangeComputesFiniteResults) {
    const double defects[] = {0.1, 1.0, 2.5, 5.0};
    const double features[] = {0.1, 0.15, 0.5, 1.0, 2.0, 5.0};
    const double areas[] = {0.01, 0.05, 0.13, 0.5, 1.0};
    const int integrations[] = {50, 333, 1000};
    for (int technology = 0; technology < 5; ++technology)
        for (double d : defects)
            for (double l : features)
                for (double s : areas)
                    for (int g : integrations) {
                        ProcessorRecord r = Inputs(technology, d, l, s, g);
                        ASSERT_NO_THROW(ComputeProcessor(r))
                            << technology << ' ' << d << ' ' << l << ' ' << s << ' ' << g;
                        for (double v : {r.Power, r.GateDelay, r.Yield, r.ChipCost, r.GateCost,
                                         r.ChipFailureRate, r.Frequency, r.Mtbf, r.ProcessorCost})
                            EXPECT_TRUE(std::isfinite(v) && v >= 0);
                        EXPECT_GE(r.ChipIntegration, 25);
                        EXPECT_GE(r.ChipCount, 1);
                        EXPECT_GE(r.AluCount, 1);
                    }
}
