#include "game/GameRules.h"

#include <cstdint>

namespace orvik {

const std::array<MarketSegment, kSegmentCount> kMarketSegments{{
    {"Офисные ПК", 150000, 1.25L, 0.7L, 0.3L, 2.5L, 0, 300, 60},
    {"Рабочие станции", 20000, 1.20L, 2.0L, 0.3L, 1.2L, 0, 1500, 250},
    {"Промышленные системы", 8000, 1.15L, 0.5L, 1.5L, 1.0L, 20000, 1500, 100},
}};

namespace {

constexpr std::array<double, kGameYears> kSmallestFeature{1.00, 0.85, 0.72, 0.61,
                                                          0.52, 0.44, 0.38, 0.32};

// factor^(year − 1) by repeated multiplication, the same on every machine.
long double YearPower(long double factor, int year) {
    long double x = 1;
    for (int y = 1; y < year; ++y)
        x *= factor;
    return x;
}

int ClampYear(int year) {
    return year < 1 ? 1 : (year > kGameYears ? kGameYears : year);
}

// SplitMix64 (Steele, Lea, Flood 2014): one step from the given state.
std::uint64_t SplitMix64(std::uint64_t state) {
    std::uint64_t z = state + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

long double GameDefectFactor(int year) {
    return 2.0L * YearPower(0.8L, ClampYear(year));
}

double SmallestFeature(int year) {
    return kSmallestFeature[ClampYear(year) - 1];
}

// The seed packs variant, year and segment into one word:
// variant × 2^32 + year × 2^16 + segment. The top 53 bits of the SplitMix64
// output give u in [0, 1); the shock is −0.1 + 0.2 × u.
long double MarketShock(int variant, int year, int segment) {
    const std::uint64_t seed =
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(variant)) << 32) |
        (static_cast<std::uint64_t>(static_cast<std::uint16_t>(year)) << 16) |
        static_cast<std::uint16_t>(segment);
    const std::uint64_t bits = SplitMix64(seed) >> 11;
    const long double u = static_cast<long double>(bits) / 9007199254740992.0L; // 2^53
    return -0.1L + 0.2L * u;
}

long double ExpectedMarketSize(int year, int segment) {
    const MarketSegment& s = kMarketSegments[segment];
    return s.BaseSize * YearPower(s.Growth, ClampYear(year));
}

long double MarketSize(int variant, int year, int segment) {
    return ExpectedMarketSize(year, segment) * (1 + MarketShock(variant, year, segment));
}

long double ReferencePrice(int year, int segment) {
    return kMarketSegments[segment].BasePrice * YearPower(0.85L, ClampYear(year));
}

long double ReferencePerformance(int year, int segment) {
    return kMarketSegments[segment].BasePerformance * YearPower(1.10L, ClampYear(year));
}

long double RivalMarkupFactor(int variant) {
    return 1 + 0.03L * (variant - 1);
}

// Price, volume and advertising bounds are this program's choice: wide
// enough for any sensible plan, small enough that every sum stays exact.
GameDecisionLimits DecisionLimitsOfYear(int year) {
    return GameDecisionLimits{
        .Technology = {0, 4, 1, 0},
        .MinFeature = {SmallestFeature(year), 5, 0.01, 2},
        .ChipArea = {0.01, 1, 0.01, 2},
        .DeviceIntegration = {50, 1000, 10, 0},
        .Price = {1, 1000000, 10, 2},
        .Volume = {0, 10000000, 1000, 0},
        .Advertising = {0, 100000, 10, 0},
    };
}

} // namespace orvik
