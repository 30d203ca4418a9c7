#pragma once

#include <array>
#include <cstdint>

namespace orvik {

// The fixed rules of the business game: its calendar, its three market
// segments and the money every firm deals with.

inline constexpr int kGameYears = 8;
inline constexpr int kSegmentCount = 3;
inline constexpr int kGameFirmCount = 4; // 0 is the student's firm, 1..3 the rivals
inline constexpr int kMinGameVariant = 1;
inline constexpr int kMaxGameVariant = 10;

inline constexpr long double kStartCash = 10000000.0L;
inline constexpr long double kFixedCosts = 1500000.0L;
inline constexpr long double kInterestRate = 0.15L;
inline constexpr long double kBankruptcyCash = -20000000.0L;

struct MarketSegment {
    const char* Name; // UTF-8, as the windows show it
    long double BaseSize;
    long double Growth;
    long double Alpha;   // weight of performance
    long double Beta;    // weight of reliability
    long double Epsilon; // weight of price
    long double MinMtbf; // hours; a processor failing sooner is not bought here
    long double BasePrice;
    long double BasePerformance;
};

extern const std::array<MarketSegment, kSegmentCount> kMarketSegments;

// Defect coefficient of year 1..8: 2.0 × 0.8^(year − 1).
long double GameDefectFactor(int year);

// The smallest МЛР the factories master in year 1..8.
double SmallestFeature(int year);

// The market's surprise of a year in one segment, in [−0.1, 0.1).
long double MarketShock(int variant, int year, int segment);

// Segment size without the shock (what every forecast assumes) and with it.
long double ExpectedMarketSize(int year, int segment);
long double MarketSize(int variant, int year, int segment);

// Reference price and performance of a segment in a year.
long double ReferencePrice(int year, int segment);
long double ReferencePerformance(int year, int segment);

// The markup factor of the rivals in a variant: 1 + 0.03 × (variant − 1).
long double RivalMarkupFactor(int variant);

// Bounds of one number of the decision, as the window's spin box takes them.
struct DecisionLimit {
    double Min;
    double Max;
    double Step;
    int Decimals;
};

struct GameDecisionLimits {
    DecisionLimit Technology;
    DecisionLimit MinFeature; // from this year's smallest size
    DecisionLimit ChipArea;
    DecisionLimit DeviceIntegration;
    DecisionLimit Price;
    DecisionLimit Volume;
    DecisionLimit Advertising;
};

GameDecisionLimits DecisionLimitsOfYear(int year);

} // namespace orvik
