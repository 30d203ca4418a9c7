#pragma once

#include "core/Errors.h"
#include "game/GameRules.h"
#include "processor/ProcessorRecord.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orvik {

// A firm's processor of one year, as the processor model computes it.
struct GameProduct {
    ProcessorRecord Record{};
    bool Made = false;           // the wafer gives good chips
    long double Performance = 0; // Frequency × √(G / 250)
    long double UnitCost = 0;    // ProcessorCost
    long double Mtbf = 0;        // hours
    long double GoodChips = 0;   // good chips per wafer
};

GameProduct MakeGameProduct(int year, int technology, double minFeature, double chipArea,
                            int integration, const FloatCheck& flags);

// What a firm brings to the market in a year.
struct GameOffer {
    GameProduct Product;
    long double Price = 0;
    std::int64_t Volume = 0;
    long double Advertising = 0; // thousand roubles
};

// The firms in a market: a null entry is a firm that is not there.
using GameFirms = std::array<const GameOffer*, kGameFirmCount>;
using SegmentValues = std::array<long double, kSegmentCount>;

// Attraction of an offer in a segment:
//   (min(P, Pref) / Pref)^α × (min(T, 100000) / 20000)^β
//   × exp(−ε × (price / pref − 1)) × (1 + 0.5 × ad / (ad + 1000)),
// zero when the wafer gives no good chips or the processor fails sooner than
// the segment accepts. Buyers do not pay for performance above the year's
// need, and every pref / ε roubles above the reference price divide the
// attraction by e. The volume does not enter it: buyers see the product and
// its price, and a firm's forecast of its volume must not depend on the
// volume itself.
long double Attraction(const GameOffer& offer, int year, int segment);

using FirmValues = std::array<SegmentValues, kGameFirmCount>;

// Attraction of every firm in every segment (zero for a firm not there).
FirmValues MarketAttractions(const GameFirms& firms, int year);

// Share of every firm in every segment: attraction / (1 + all attractions).
FirmValues MarketShares(const GameFirms& firms, int year);
FirmValues SharesOf(const FirmValues& attraction);

// Demand of every firm after the buyers a firm cannot serve have gone to the
// others, in one pass over the firms in order, always from the demands
// before the pass: when firm f's demand Σ d(f, s) exceeds its volume V, the
// part u = d(f, s) × (1 − V / Σ d(f, s)) leaves it, and every other firm h
// gets u × a(h, s) / (1 + Σ a(h', s) over the firms other than f); the rest
// buy elsewhere. `volume` is what each firm can sell (0 without good chips).
FirmValues ServedDemand(const FirmValues& demand, const FirmValues& attraction,
                        const std::array<std::int64_t, kGameFirmCount>& volume);

// Sales in whole units: min(⌊Σ demand⌋, volume), split over the segments in
// proportion to their demand by the largest remainder (ties: the earlier
// segment gets the unit).
std::array<std::int64_t, kSegmentCount> SplitSales(const SegmentValues& demand,
                                                   std::int64_t volume);

// The money of one firm's year.
struct FirmMoney {
    double Revenue = 0;
    double Production = 0;
    double Warranty = 0;
    double Advertising = 0;
    double FixedCosts = 0;
    double Profit = 0;       // revenue − production − warranty − advertising − fixed costs
    std::int64_t Unsold = 0; // processors made and not sold
    double WrittenOff = 0;   // their cost, part of the production
    double Interest = 0;     // on last year's loan
    double Cash = 0;         // cash at the end of the year: last cash + profit − interest
};

FirmMoney SettleYear(const GameOffer& offer, std::int64_t sales, long double lastCash);

// Half-up rounding of a non-negative demand to whole units.
std::int64_t RoundHalfUp(long double x);

// The rivals' search grid of a year: the five technologies × four sizes from
// the year's smallest one × seven chip areas × four integrations, in this
// order (technology outermost, integration innermost).
inline constexpr int kGridSize = 5 * 4 * 7 * 4;
std::vector<GameProduct> SearchGrid(int year, const FloatCheck& flags);

// The grid point rival 1 ("Альфа"), 2 ("Бета") or 3 ("Гамма") picks in a
// year, or −1 when none fits its rule.
int RivalChoice(const std::vector<GameProduct>& grid, int rival, int year);

// The rival's markup on its unit cost before the variant factor.
long double RivalBaseMarkup(int rival);

} // namespace orvik
