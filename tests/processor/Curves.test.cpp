#include "processor/Curves.h"
#include "core/Errors.h"
#include "processor/ProcessorModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

using namespace orvik;

namespace {

ProcessorRecord Variant(int technology, double area, int integration = 250) {
    ProcessorRecord r{};
    ResetProcessorInputs(r);
    r.Technology = technology;
    r.ChipArea = area;
    r.DeviceIntegration = integration;
    return r;
}

struct Lowest {
    double set0, set1, set2;
};

Lowest LowestSizes(ProcessorRecord r) {
    return {static_cast<double>(CurveLowestSize(r, 0.5)),
            static_cast<double>(CurveLowestSize(r, 1.0)),
            static_cast<double>(CurveLowestSize(r, 5.0))};
}

bool SameBytes(const ProcessorRecord& a, const ProcessorRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool AllFinite(const ProcessorRecord& r) {
    for (double v :
         {r.DefectFactor, r.MinFeature, r.ChipArea, r.Power, r.GateDelay, r.Yield, r.ChipCost,
          r.GateCost, r.ChipFailureRate, r.Frequency, r.Mtbf, r.ProcessorCost})
        if (!std::isfinite(v) || v < 0)
            return false;
    return r.ChipIntegration > 0 && r.ChipCount > 0 && r.AluCount > 0;
}

} // namespace

TEST(CurveDescent, DefaultVariantLowestSizes) {
    const Lowest l = LowestSizes(Variant(0, 1.0));
    EXPECT_NEAR(l.set0, 0.35, 1e-12);
    EXPECT_NEAR(l.set1, 0.50, 1e-12);
    EXPECT_NEAR(l.set2, 1.05, 1e-12);
}

TEST(CurveDescent, GaAsLowestSizes) {
    const Lowest l = LowestSizes(Variant(4, 1.0));
    EXPECT_NEAR(l.set0, 0.60, 1e-12);
    EXPECT_NEAR(l.set1, 0.85, 1e-12);
    EXPECT_NEAR(l.set2, 1.90, 1e-12);
}

TEST(CurveDescent, NoGoodChipsAtTheFirstStepGivesTheTop) {
    ProcessorRecord r = Variant(0, 10.0);
    EXPECT_NEAR(static_cast<double>(CurveLowestSize(r, 5.0)), 3.0, 1e-12);
    EXPECT_NEAR(r.MinFeature, 2.95, 1e-12); // the one size tried
}

TEST(CurveDescent, SmallAreaStopsAtTheLastStepAboveZero) {
    // Set 0 still has good chips at about 0.05; the next step would be a
    // rounding remainder near zero and is never computed.
    for (int technology = 0; technology < 5; ++technology) {
        ProcessorRecord r = Variant(technology, 0.01);
        const long double lowest = CurveLowestSize(r, 0.5);
        EXPECT_NEAR(static_cast<double>(lowest), 0.05, 1e-12);
        EXPECT_EQ(r.MinFeature, static_cast<double>(lowest)); // nothing smaller tried
        // The lowest size lies inside the model's domain and has good chips.
        EXPECT_TRUE(ComputeProcessor(r));
        EXPECT_TRUE(AllFinite(r));
    }
}

TEST(CurveDescent, StopsAtTheFirstSizeWithoutGoodChipsForEveryArea) {
    // Every size from 2.95 down to the lowest has good chips; the size the
    // descent stopped at, one step lower, has none.
    for (int technology = 0; technology < 5; ++technology)
        for (int a = 1; a <= 300; ++a)
            for (double defect : CurveDefects) {
                ProcessorRecord r = Variant(technology, a / 100.0);
                const long double lowest = CurveLowestSize(r, defect);
                ProcessorRecord at = Variant(technology, a / 100.0);
                at.DefectFactor = defect;
                for (long double size = 3.0L;;) {
                    at.MinFeature = static_cast<double>(size - 0.05L);
                    if (at.MinFeature < lowest - 1e-9L)
                        break;
                    ASSERT_TRUE(ComputeProcessor(at)) << technology << ' ' << a << ' ' << defect;
                    size = at.MinFeature;
                }
                if (lowest > 0.06L) {
                    EXPECT_FALSE(ComputeProcessor(r)) << technology << ' ' << a << ' ' << defect;
                }
            }
}

TEST(Curves, DefaultVariantTable) {
    ProcessorRecord working = Variant(0, 1.0);
    CurveTableData table{};
    CurveResults results;
    ComputeCurves(working, table, results);

    EXPECT_NEAR(results.MlrSweepStart, 0.35, 1e-12);
    const double start = results.MlrSweepStart;
    for (std::size_t i = 0; i < 3; ++i) {
        const CurveSet& set = table[i];
        EXPECT_EQ(set[0].MinFeature, start);
        EXPECT_EQ(set[49].MinFeature, 3.0);
        for (std::size_t j = 0; j < 50; ++j) {
            EXPECT_NEAR(set[j].MinFeature, start + (3.0 - start) / 49 * j, 1e-12);
            // Each row is exactly the model's record for its inputs.
            ProcessorRecord expected = Variant(0, 1.0);
            expected.DefectFactor = CurveDefects[i];
            expected.MinFeature = set[j].MinFeature;
            ComputeProcessor(expected);
            EXPECT_TRUE(SameBytes(set[j], expected)) << "set " << i << " row " << j;
        }
    }
    EXPECT_NEAR(table[0][1].MinFeature, 0.35 + 2.65 / 49, 1e-12);
    // Rows below a set's own lowest size are kept, without good chips.
    EXPECT_EQ(table[0][0].HasGoodChips, 1);
    EXPECT_EQ(table[2][0].HasGoodChips, 0);
    EXPECT_EQ(table[2][49].HasGoodChips, 1);
}

TEST(Curves, SweepStartIsTheSmallestLowestSize) {
    ProcessorRecord working = Variant(4, 1.0);
    CurveTableData table{};
    CurveResults results;
    ComputeCurves(working, table, results);
    EXPECT_NEAR(results.MlrSweepStart, 0.60, 1e-12);

    for (int technology = 0; technology < 5; ++technology) {
        ProcessorRecord small = Variant(technology, 0.1);
        ComputeCurves(small, table, results);
        EXPECT_NEAR(results.MlrSweepStart, technology == 4 ? 0.15 : 0.10, 1e-12);
        // Set 0 ends at the step 0.05 because it has no good chips there.
        ProcessorRecord r = Variant(technology, 0.1);
        r.DefectFactor = 0.5;
        r.MinFeature = 0.05;
        EXPECT_FALSE(ComputeProcessor(r));
    }
}

TEST(Curves, AreaCurveAndWorkingRecord) {
    ProcessorRecord working = Variant(1, 0.3, 500);
    CurveTableData table{};
    CurveResults results;
    ComputeCurves(working, table, results);
    for (std::size_t k = 0; k < 10; ++k) {
        const ProcessorRecord& row = results.AreaCurveTable[k];
        EXPECT_EQ(row.DefectFactor, 0.5);
        EXPECT_EQ(row.MinFeature, 1.5);
        EXPECT_EQ(row.ChipArea, AreaSweep[k]);
        EXPECT_EQ(row.Technology, 1);
        EXPECT_EQ(row.DeviceIntegration, 500);
    }
    EXPECT_TRUE(SameBytes(working, results.AreaCurveTable[9]));
    EXPECT_EQ(table[1][7].ChipArea, 0.3); // the variant's own area in the curve rows
}

// An error is the first one met going through the sweep step by step, and
// the working record is left as that step left it: at the first curve point
// for a division by zero there, at the first area point when only the
// smallest area breaks the chip count, at the top of the descent for an
// unknown technology.
TEST(Curves, ErrorIsTheFirstOneMet) {
    const struct {
        ProcessorRecord variant;
        const char* error;
        double minFeature, defect, area;
    } rows[] = {
        {Variant(2, 1.0, 0), kDivisionByZero, -1, 0.5, 1.0},
        {Variant(0, 1.0, INT32_MAX), kInvalidOperation, 1.5, 0.5, 0.01},
        {Variant(9, 1.0), "Неизвестный тип схемотехники (9) в данных процессора", 2.95, 0.5, 1.0},
    };
    for (const auto& row : rows) {
        ProcessorRecord working = row.variant;
        CurveTableData table{};
        CurveResults results;
        std::string error;
        try {
            ComputeCurves(working, table, results);
        } catch (const Error& e) {
            error = e.what();
        }
        EXPECT_EQ(error, row.error);
        if (row.minFeature < 0) { // the sweep start, the smallest lowest size
            const Lowest lowest = LowestSizes(row.variant);
            EXPECT_EQ(working.MinFeature, std::min({lowest.set0, lowest.set1, lowest.set2}));
        } else {
            EXPECT_EQ(working.MinFeature, row.minFeature) << row.error;
        }
        EXPECT_EQ(working.DefectFactor, row.defect) << row.error;
        EXPECT_EQ(working.ChipArea, row.area) << row.error;
    }
}

TEST(Curves, ErrorKeepsThePreviousCurves) {
    ProcessorRecord working = Variant(0, 1.0);
    CurveTableData table{};
    CurveResults results;
    ComputeCurves(working, table, results);
    const CurveTableData before = table;
    const CurveResults resultsBefore = results;

    ProcessorRecord broken = Variant(2, 1.0, 0); // integration 0: N / G fails
    EXPECT_THROW(ComputeCurves(broken, table, results), Error);
    broken.Technology = 9;
    EXPECT_THROW(ComputeCurves(broken, table, results), Error);
    EXPECT_EQ(std::memcmp(&before, &table, sizeof table), 0);
    EXPECT_EQ(results.MlrSweepStart, resultsBefore.MlrSweepStart);
    EXPECT_TRUE(SameBytes(results.AreaCurveTable[3], resultsBefore.AreaCurveTable[3]));
}

TEST(Curves, EveryAllowedVariantCompletesWithFiniteValues) {
    CurveTableData table{};
    CurveResults results;
    for (int technology = 0; technology < 5; ++technology)
        for (int a = 1; a <= 100; ++a)
            for (int integration : {50, 250, 1000}) {
                ProcessorRecord working = Variant(technology, a / 100.0, integration);
                working.DefectFactor = 0.1 + (a % 50) * 0.098; // overwritten by the sweep
                ASSERT_NO_THROW(ComputeCurves(working, table, results))
                    << technology << ' ' << a << ' ' << integration;
                ASSERT_GE(results.MlrSweepStart, 0.025);
                for (const CurveSet& set : table)
                    for (const ProcessorRecord& row : set)
                        ASSERT_TRUE(AllFinite(row)) << technology << ' ' << a << ' ' << integration
                                                    << ' ' << row.MinFeature;
                for (const ProcessorRecord& row : results.AreaCurveTable)
                    ASSERT_TRUE(AllFinite(row));
            }
}

// Every bit of the curve tables stays as the curves have always been
// computed: FNV-1a over the bytes of the three sets, the area rows and the
// sweep start, for variants of every technology.
TEST(Curves, TablesAreTheSameBitForBit) {
    struct Row {
        int technology;
        double area;
        int integration;
        std::uint64_t checksum;
    };
    const Row rows[] = {
        {0, 1.0, 250, 4065490030379788553ULL},    {4, 1.0, 250, 8362205699507916959ULL},
        {1, 0.3, 500, 13563793365763779090ULL},   {2, 0.01, 50, 10703969852528655ULL},
        {3, 0.75, 1000, 11984474940660887844ULL}, {0, 10.0, 250, 5477883384535408046ULL},
        {2, 2.5, 100000, 8450141068505544211ULL},
    };
    for (const Row& row : rows) {
        ProcessorRecord working = Variant(row.technology, row.area, row.integration);
        CurveTableData table{};
        CurveResults results;
        ComputeCurves(working, table, results);
        std::uint64_t hash = 14695981039346656037ULL;
        const auto add = [&hash](const void* data, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i)
                hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ULL;
        };
        add(&table, sizeof table);
        add(&results.AreaCurveTable, sizeof results.AreaCurveTable);
        add(&results.MlrSweepStart, sizeof results.MlrSweepStart);
        add(&working, sizeof working);
        EXPECT_EQ(hash, row.checksum)
            << row.technology << ' ' << row.area << ' ' << row.integration;
    }
}
