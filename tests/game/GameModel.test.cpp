#include "game/Game.h"
#include "game/GamePlayers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvik {
namespace {

// The calendar of the game.
TEST(GameRules, YearlyValues) {
    struct Row {
        int year;
        long double defect;
        double smallest;
        long double officePrice;
        long double stationPerformance;
    };
    const Row rows[] = {
        {1, 2.0L, 1.00, 300, 250},
        {2, 1.6L, 0.85, 255, 275},
        {3, 1.28L, 0.72, 216.75L, 302.5L},
        {4, 1.024L, 0.61, 184.2375L, 332.75L},
        {5, 0.8192L, 0.52, 156.601875L, 366.025L},
        {6, 0.65536L, 0.44, 0, 0},
        {7, 0.524288L, 0.38, 0, 0},
        {8, 0.4194304L, 0.32, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.year);
        EXPECT_NEAR(GameDefectFactor(r.year), r.defect, 1e-15L);
        EXPECT_EQ(SmallestFeature(r.year), r.smallest);
        EXPECT_EQ(DecisionLimitsOfYear(r.year).MinFeature.Min, r.smallest);
        if (r.officePrice > 0) {
            EXPECT_NEAR(ReferencePrice(r.year, 0), r.officePrice, 1e-9L);
            EXPECT_NEAR(ReferencePerformance(r.year, 1), r.stationPerformance, 1e-9L);
        }
    }
    EXPECT_NEAR(ExpectedMarketSize(3, 0), 150000 * 1.5625L, 1e-6L);
    EXPECT_NEAR(ExpectedMarketSize(2, 2), 9200, 1e-9L);
    EXPECT_NEAR(RivalMarkupFactor(1), 1, 1e-18L);
    EXPECT_NEAR(RivalMarkupFactor(10), 1.27L, 1e-15L);
}

TEST(GameRules, ShocksStayWithinTenPercentAndDifferEverywhere) {
    long double low = 1, high = -1;
    for (int v = 1; v <= 10; ++v)
        for (int y = 1; y <= 8; ++y)
            for (int s = 0; s < kSegmentCount; ++s) {
                const long double shock = MarketShock(v, y, s);
                low = std::min(low, shock);
                high = std::max(high, shock);
                EXPECT_NEAR(MarketSize(v, y, s), ExpectedMarketSize(y, s) * (1 + shock), 1e-6L);
            }
    EXPECT_GE(low, -0.1L);
    EXPECT_LT(high, 0.1L);
    EXPECT_LT(low, -0.05L); // the range is really used
    EXPECT_GT(high, 0.05L);
    EXPECT_NE(MarketShock(1, 1, 0), MarketShock(2, 1, 0));
    EXPECT_NE(MarketShock(1, 1, 0), MarketShock(1, 2, 0));
    EXPECT_NE(MarketShock(1, 1, 0), MarketShock(1, 1, 1));
}

// The sizes of the rivals' grid are rounded half-up to hundredths on the
// decimal value.
TEST(GameRules, GridSizesAreRoundedHalfUp) {
    struct Row {
        int year;
        std::array<double, 4> sizes;
    };
    const Row rows[] = {
        {1, {1.00, 1.25, 1.60, 2.00}}, {3, {0.72, 0.90, 1.15, 1.44}}, // 1.152 → 1.15
        {4, {0.61, 0.76, 0.98, 1.22}}, // 0.7625 → 0.76, 0.976 → 0.98
        {7, {0.38, 0.48, 0.61, 0.76}}, // 0.475 → 0.48, 0.608 → 0.61
        {8, {0.32, 0.40, 0.51, 0.64}}, // 0.512 → 0.51
    };
    for (const Row& r : rows) {
        const std::vector<GameDecision> grid = GridDesigns(r.year);
        ASSERT_EQ(grid.size(), 560u);
        for (int l = 0; l < 4; ++l)
            EXPECT_EQ(grid[l * 28].MinFeature, r.sizes[l]) << "year " << r.year << " size " << l;
        EXPECT_EQ(grid[0].ChipArea, 0.05);
        EXPECT_EQ(grid[3].DeviceIntegration, 1000);
        EXPECT_EQ(grid[559].Technology, 4);
    }
}

GameOffer Offer(long double performance, long double mtbf, long double price, long double ad) {
    GameOffer o;
    o.Product.Made = true;
    o.Product.Performance = performance;
    o.Product.Mtbf = mtbf;
    o.Product.UnitCost = 100;
    o.Price = price;
    o.Advertising = ad;
    return o;
}

TEST(GameMarket, AttractionOfReferenceOffers) {
    struct Row {
        const char* what;
        int year;
        int segment;
        GameOffer offer;
        long double attraction;
    };
    const Row rows[] = {
        {"reference office PC", 1, 0, Offer(60, 20000, 300, 0), 1},
        {"reference station, year 2", 2, 1, Offer(275, 20000, 1275, 0), 1},
        {"reference industrial", 1, 2, Offer(100, 20000, 1500, 0), 1},
        {"1000 thousand of advertising", 1, 0, Offer(60, 20000, 300, 1000), 1.25L},
        {"twice the performance", 1, 1, Offer(500, 20000, 1500, 0), 4},
        {"twice the price", 1, 2, Offer(100, 20000, 3000, 0), 0.5L},
        {"MTBF counts up to 100000 h", 1, 2, Offer(100, 500000, 1500, 0), std::pow(5.0L, 1.5L)},
        {"below the industrial minimum", 1, 2, Offer(100, 19999, 1500, 0), 0},
        {"a price below 1 counts as 1", 1, 0, Offer(60, 20000, 0.25L, 0), std::pow(300.0L, 2.5L)},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(Attraction(r.offer, r.year, r.segment), r.attraction, 1e-12L * r.attraction)
            << r.what;

    GameOffer none = Offer(60, 20000, 300, 0);
    none.Product.Made = false;
    EXPECT_EQ(Attraction(none, 1, 0), 0);
}

TEST(GameMarket, SharesLeaveRoomForBuyersWhoGoElsewhere) {
    const GameOffer a = Offer(60, 20000, 300, 0);
    const GameOffer b = Offer(60, 20000, 300, 1000);
    const auto shares = MarketShares(GameFirms{&a, nullptr, &b, nullptr}, 1);
    EXPECT_NEAR(shares[0][0], 1 / 3.25L, 1e-15L);
    EXPECT_NEAR(shares[2][0], 1.25L / 3.25L, 1e-15L);
    EXPECT_EQ(shares[1][0], 0);
}

TEST(GameMarket, SalesAreSplitByTheLargestRemainder) {
    struct Row {
        SegmentValues demand;
        std::int64_t volume;
        std::array<std::int64_t, 3> sales;
    };
    const Row rows[] = {
        {{10.6L, 20.3L, 5.1L}, 100, {11, 20, 5}}, // ⌊36.0⌋ = 36, the 0.6 gets the unit
        {{10.6L, 20.3L, 5.1L}, 30, {9, 17, 4}},   // 8.83, 16.92, 4.25
        {{0.4L, 0.4L, 0.4L}, 10, {1, 0, 0}},      // equal remainders: the earlier segment
        {{0.3L, 0.3L, 0.3L}, 10, {0, 0, 0}},      // less than one unit in all
        {{1000, 0, 0}, 0, {0, 0, 0}},             // nothing made
        {{0, 0, 0}, 500, {0, 0, 0}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(SplitSales(r.demand, r.volume), r.sales)
            << r.demand[0] << " " << r.demand[1] << " " << r.demand[2] << " / " << r.volume;
}

TEST(GameMarket, MoneyOfAYear) {
    GameOffer o = Offer(60, 4380, 3000, 200); // 8760 / 4380 = 2 repairs a year
    o.Product.UnitCost = 1000;
    o.Volume = 150;
    const FirmMoney m = SettleYear(o, 100, -1000000);
    EXPECT_EQ(m.Revenue, 300000);
    EXPECT_EQ(m.Production, 150000);
    EXPECT_EQ(m.Warranty, 100000);
    EXPECT_EQ(m.Advertising, 200000);
    EXPECT_EQ(m.FixedCosts, 1500000);
    EXPECT_EQ(m.Profit, -1650000);
    EXPECT_EQ(m.Interest, 150000);
    EXPECT_EQ(m.Cash, -2800000);

    o.Product.Mtbf = 1000; // repairs are at most three a year
    EXPECT_EQ(SettleYear(o, 100, 0).Warranty, 150000);
    o.Product.Mtbf = 0;
    EXPECT_EQ(SettleYear(o, 100, 0).Warranty, 150000);
    o.Product.Made = false; // no good chips: nothing is produced
    EXPECT_EQ(SettleYear(o, 0, 5000000).Production, 0);
    EXPECT_EQ(SettleYear(o, 0, 5000000).Cash, 5000000 - 200000 - 1500000);
}

TEST(GameSession, YearOneHeaderAndRivalOffers) {
    GameState state;
    StartGame(state, 10);
    const GameSession game(state);
    const YearHeader h = game.header();
    EXPECT_EQ(h.Year, 1);
    EXPECT_EQ(h.DefectFactor, 2.0);
    EXPECT_EQ(h.SmallestFeature, 1.0);
    EXPECT_NEAR(h.LastYearMarket[0], 120000, 1e-9);
    EXPECT_NEAR(h.LastYearMarket[2], 8000 / 1.15, 1e-9);

    const long double markups[] = {1.5L, 2.5L, 2.0L};
    for (int r = 0; r < 3; ++r) {
        const FirmYear& offer = game.rivalOffers()[r];
        SCOPED_TRACE(kGameFirmNames[r + 1]);
        ASSERT_TRUE(offer.InMarket && offer.Product.Made);
        EXPECT_NEAR(offer.Decision.Price, markups[r] * 1.27L * offer.Product.UnitCost,
                    1e-9 * offer.Decision.Price);
        EXPECT_EQ(offer.Decision.Advertising, 500);
        EXPECT_GT(offer.Decision.Volume, 0);
    }
    EXPECT_GE(game.rivalOffers()[1].Product.Mtbf, 5000);
    EXPECT_GE(game.rivalOffers()[2].Product.Mtbf, 20000);
    EXPECT_EQ(game.standing().Verdict, "Игра еще идет: сыграно лет - 0 из 8.");
}

TEST(GameSession, WaferWithoutGoodChipsStillPaysItsCosts) {
    GameSession game(test::FreshGame(1));
    GameDecision gaas{4, 1.0, 1.0, 1000, 5000, 20000, 100}; // D 2, L 1, S 1: 0.21 good chips
    const GameForecast f = game.forecast(gaas);
    EXPECT_FALSE(f.Product.Made);
    EXPECT_EQ(f.Message, kNoGoodChipsMessage);
    const YearResult& year = game.commit(gaas);
    EXPECT_EQ(year.Firms[0].TotalSales, 0);
    EXPECT_EQ(year.Firms[0].Money.Production, 0);
    EXPECT_EQ(year.Firms[0].Money.Profit, -1600000);
    EXPECT_EQ(year.Firms[0].Money.Cash, 8400000);
}

} // namespace
} // namespace orvik
