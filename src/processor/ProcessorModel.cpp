#include "processor/ProcessorModel.h"

#include "core/Errors.h"
#include "processor/Technology.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace orvik {

namespace {

constexpr unsigned kErrorFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// A quick look at the sticky error flags of the x87 unit, which carries all
// of the model's arithmetic; FloatCheck::check() then tells which error it
// was. fetestexcept() costs several times more, and the curves call the
// model a few hundred times per plot.
inline bool X87ErrorRaised() {
#if defined(__x86_64__) || defined(__i386__)
    std::uint16_t status;
    asm volatile("fnstsw %0" : "=am"(status)::"memory");
    return (status & kErrorFlags) != 0;
#else
    return std::fetestexcept(kErrorFlags) != 0;
#endif
}

// Turns an error raised by the step just done into an Error.
inline void Check(const FloatCheck& flags) {
    if (flags.eachStep() && X87ErrorRaised())
        flags.check();
}

// The same for both units (x87 and SSE, the same bit positions), once at the end.
inline void CheckAll(const FloatCheck& flags) {
    if (!flags.eachStep())
        return;
#if defined(__x86_64__) || defined(__i386__)
    std::uint16_t status;
    asm volatile("fnstsw %0" : "=am"(status)::"memory");
    if (((status | _mm_getcsr()) & kErrorFlags) != 0)
        flags.check();
#else
    flags.check();
#endif
}

// exp() of a larger argument overflows even in extended precision. The
// quotient of the failure-time step is then far below the smallest 8-byte
// real, so the stored value is 0 either way.
constexpr long double kLargestExpArgument = 11356.0L;

// Chips per 100 mm wafer for a chip area s (cm²); 3.14 as the lab text uses.
inline long double ChipsPerWafer(long double s) {
    const long double edge = 5 / std::sqrt(s) - 1;
    return 3.14L * (edge * edge);
}

// Step 4: the yield, stored as an 8-byte real.
inline double YieldOf(long double D, long double L, long double S, long double k3) {
    return static_cast<double>(std::exp(-k3 * std::log(D / (L * L) * S + 1)));
}

// Step 5: the cost of one chip.
inline double ChipCostOf(long double chips, double yield) {
    return static_cast<double>((100 / chips / yield + 1) * 10);
}

// Step 6: the cost of one logic element.
inline double GateCostOf(double chipCost, std::int32_t N) {
    return static_cast<double>(static_cast<long double>(chipCost) / N);
}

// Step 12: the cost of the processor.
inline double ProcessorCostOf(std::int32_t K, double chipCost, long double m) {
    return static_cast<double>(K * static_cast<long double>(chipCost) * m);
}

// Step 13: strictly more than 0.6 good chips per wafer.
inline bool GoodChips(long double chips, double yield) {
    return 0.6L < chips * static_cast<long double>(yield);
}

} // namespace

void ResetProcessorInputs(ProcessorRecord& working) {
    working.Technology = 0;
    working.DefectFactor = 1.0;
    working.MinFeature = 1.0;
    working.ChipArea = 1.0;
    working.DeviceIntegration = 250;
}

bool ComputeProcessor(ProcessorRecord& working) {
    FloatCheck flags;
    return ComputeProcessor(working, flags);
}

bool ComputeProcessor(ProcessorRecord& w, const FloatCheck& flags) {
    const TechnologyInfo& tech = TechnologyAt(w.Technology);
    const long double k0 = tech.DelayFactor;
    const long double k1 = tech.PowerFactor;
    const long double k2 = tech.FailureFactor;
    const long double k3 = tech.YieldExponent;
    const long double k4 = tech.DensityFactor;
    const long double m = tech.PackageFactor;

    const long double L = w.MinFeature;
    const long double S = w.ChipArea;
    const long double D = w.DefectFactor;
    const std::int32_t G = w.DeviceIntegration;

    // 1. Logic elements on one chip, left to right.
    {
        const long double inv = 1 / L;
        const long double x = Settle(inv * inv * 10000 * k4 * S / 0.25L);
        Check(flags);
        w.ChipIntegration = RoundToInt32(x);
    }
    const std::int32_t N = w.ChipIntegration;

    // 2. Power of one chip.
    {
        long double p = 0;
        switch (tech.Law) {
        case PowerLaw::Square: {
            const long double inv = 1 / L;
            p = inv * inv * k1 * N / 1000;
            break;
        }
        case PowerLaw::Linear:
            p = k1 / L * N / 1000;
            break;
        case PowerLaw::Root:
            p = std::sqrt(1 / L) * k1 * N / 1000;
            break;
        }
        w.Power = static_cast<double>(p);
        Check(flags);
    }

    // 3. Delay of one logic element.
    w.GateDelay = static_cast<double>(k0 * L);
    Check(flags);

    // 4. Yield of good chips: (1 + D·S/L²) to the power −k3.
    w.Yield = YieldOf(D, L, S, k3);
    Check(flags);

    // 5. Cost of one chip.
    const long double chips = ChipsPerWafer(S);
    w.ChipCost = ChipCostOf(chips, w.Yield);
    Check(flags);

    // 6. Cost of one logic element.
    w.GateCost = GateCostOf(w.ChipCost, N);
    Check(flags);

    // 7. Failure rate of one chip.
    {
        const long double inv = 1 / L;
        const long double b = inv * inv;
        w.ChipFailureRate = static_cast<double>(
            ((0.00065L * b + 0.003L * k2) * 35 + 0.018L + b * (0.0034L * b + 0.01L) * 15) / 100000);
        Check(flags);
    }

    // 8. Chips the device needs; one more is always added.
    {
        const std::int64_t elements = static_cast<std::int64_t>(G) * 1000;
        const long double x = Settle(static_cast<long double>(elements) / N);
        Check(flags);
        const std::int32_t k = RoundToInt32(x);
        if (k == std::numeric_limits<std::int32_t>::max())
            throw Error(kInvalidOperation);
        w.ChipCount = k + 1;
    }
    const std::int32_t K = w.ChipCount;

    // 9. Copies of the device on one chip, at least one.
    {
        const long double x = Settle(static_cast<long double>(N) / G / 1000);
        Check(flags);
        const std::int32_t a = RoundToInt32(x);
        w.AluCount = a == 0 ? 1 : a;
    }

    // 10. Working frequency, MHz; N^0.33 as exp(0.33 ln N).
    {
        const long double root = std::exp(0.33L * std::log(static_cast<long double>(N)));
        w.Frequency = static_cast<double>(1000 / ((20 / L / L) / root * 3 + k0 * L * 10));
        Check(flags);
    }

    // 11. Mean time between failures.
    {
        const long double sum =
            std::sqrt(static_cast<long double>(N)) * 2 / 1000 * K / 1000 * 5 / 1000 +
            K * static_cast<long double>(w.ChipFailureRate);
        const long double reliability = Settle(1 / sum);
        const long double heat = Settle(K * static_cast<long double>(w.Power) * 0.022L);
        Check(flags);
        if (heat > kLargestExpArgument)
            w.Mtbf = 0.0;
        else
            w.Mtbf = static_cast<double>(reliability / std::exp(heat));
        Check(flags);
    }

    // 12. Cost of the processor.
    w.ProcessorCost = ProcessorCostOf(K, w.ChipCost, m);
    Check(flags);

    // 13. Does the wafer give any good chip at all (strictly more than 0.6)?
    w.HasGoodChips = GoodChips(chips, w.Yield) ? 1 : 0;
    CheckAll(flags);
    return w.HasGoodChips != 0;
}

bool ComputeDefectResults(ProcessorRecord& w, const FloatCheck& flags) {
    const TechnologyInfo& tech = TechnologyAt(w.Technology);
    w.Yield = YieldOf(w.DefectFactor, w.MinFeature, w.ChipArea, tech.YieldExponent);
    Check(flags);
    const long double chips = ChipsPerWafer(w.ChipArea);
    w.ChipCost = ChipCostOf(chips, w.Yield);
    Check(flags);
    w.GateCost = GateCostOf(w.ChipCost, w.ChipIntegration);
    Check(flags);
    w.ProcessorCost = ProcessorCostOf(w.ChipCount, w.ChipCost, tech.PackageFactor);
    Check(flags);
    w.HasGoodChips = GoodChips(chips, w.Yield) ? 1 : 0;
    CheckAll(flags);
    return w.HasGoodChips != 0;
}

bool HasGoodChipsAt(const ProcessorRecord& w, const FloatCheck& flags) {
    const TechnologyInfo& tech = TechnologyAt(w.Technology);
    const double yield = YieldOf(w.DefectFactor, w.MinFeature, w.ChipArea, tech.YieldExponent);
    const long double chips = ChipsPerWafer(w.ChipArea);
    Check(flags);
    return GoodChips(chips, yield);
}

} // namespace orvik
