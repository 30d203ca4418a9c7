#pragma once

// Players of the business game for the balance tests.

#include "game/GameSession.h"

#include <array>

namespace orvik::test {

inline constexpr std::array<double, 5> kGreedyMarkups{1.3, 1.6, 2, 2.5, 3.5};

// With a design: the markup of `markups` with the best forecast profit,
// advertising 500, volume = forecast. Returns whether the wafer gives chips.
template <std::size_t N>
bool BestPricing(const GameSession& session, GameDecision& d, const std::array<double, N>& markups,
                 double& bestProfit, bool& found) {
    const DecisionLimit volumeLimit = DecisionLimitsOfYear(session.year()).Volume;
    const DecisionLimit priceLimit = DecisionLimitsOfYear(session.year()).Price;
    GameDecision probe = d;
    probe.Advertising = 500;
    probe.Price = 1;
    const GameForecast facts = session.forecast(probe);
    if (!facts.Product.Made)
        return false;
    for (double markup : markups) {
        probe.Price = markup * facts.Product.UnitCost;
        if (probe.Price < priceLimit.Min || probe.Price > priceLimit.Max)
            continue;
        probe.Volume = 0;
        const std::int64_t demand = session.forecast(probe).ExpectedDemand;
        probe.Volume =
            static_cast<std::int32_t>(demand < volumeLimit.Max ? demand : volumeLimit.Max);
        const double profit = session.forecast(probe).Money.Profit;
        if (!found || profit > bestProfit) {
            d = probe;
            bestProfit = profit;
            found = true;
        }
    }
    return true;
}

// Each year: the grid design and markup with the best forecast profit
// against the rivals' published offers, advertising 500, volume = forecast.
template <std::size_t N = kGreedyMarkups.size()>
GameDecision GreedyDecision(const GameSession& session,
                            const std::array<double, N>& markups = kGreedyMarkups) {
    GameDecision best{};
    double bestProfit = 0;
    bool found = false;
    for (const GameDecision& design : GridDesigns(session.year())) {
        GameDecision d = design;
        double profit = 0;
        bool any = false;
        if (BestPricing(session, d, markups, profit, any) && (!found || profit > bestProfit)) {
            best = d;
            bestProfit = profit;
            found = true;
        }
    }
    return best;
}

// The same design every year, priced and sized as the greedy player does.
inline GameDecision KeptDesign(const GameSession& session, GameDecision design) {
    double profit = 0;
    bool found = false;
    BestPricing(session, design, kGreedyMarkups, profit, found);
    return design;
}

inline GameState FreshGame(int variant) {
    GameState state;
    StartGame(state, variant);
    return state;
}

} // namespace orvik::test
