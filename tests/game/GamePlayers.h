#pragma once

// Players of the business game for the balance tests.

#include "game/Game.h"

#include <array>

namespace orvik::test {

// Each year: the grid design and markup with the best forecast profit
// against the rivals' published offers, advertising 500, volume = forecast.
inline GameDecision GreedyDecision(const GameSession& session) {
    constexpr std::array<double, 5> kMarkups{1.3, 1.6, 2, 2.5, 3.5};
    const DecisionLimit volumeLimit = DecisionLimitsOfYear(session.year()).Volume;
    const DecisionLimit priceLimit = DecisionLimitsOfYear(session.year()).Price;
    GameDecision best{};
    double bestProfit = 0;
    bool found = false;
    for (GameDecision d : GridDesigns(session.year())) {
        d.Advertising = 500;
        d.Price = 1;
        const GameForecast probe = session.forecast(d);
        if (!probe.Product.Made)
            continue;
        for (double markup : kMarkups) {
            d.Price = markup * probe.Product.UnitCost;
            if (d.Price < priceLimit.Min || d.Price > priceLimit.Max)
                continue;
            d.Volume = 0;
            const std::int64_t demand = session.forecast(d).ExpectedDemand;
            d.Volume =
                static_cast<std::int32_t>(demand < volumeLimit.Max ? demand : volumeLimit.Max);
            const double profit = session.forecast(d).Money.Profit;
            if (!found || profit > bestProfit) {
                best = d;
                bestProfit = profit;
                found = true;
            }
        }
    }
    return best;
}

inline GameState FreshGame(int variant) {
    GameState state;
    StartGame(state, variant);
    return state;
}

} // namespace orvik::test
