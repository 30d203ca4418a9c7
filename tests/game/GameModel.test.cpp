#include "game/GamePlayers.h"
#include "game/GameSession.h"

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
    const long double e = std::exp(1.0L);
    const Row rows[] = {
        {"reference office PC", 1, 0, Offer(60, 20000, 300, 0), 1},
        {"reference station, year 2", 2, 1, Offer(275, 20000, 1275, 0), 1},
        {"reference industrial", 1, 2, Offer(100, 20000, 1500, 0), 1},
        {"1000 thousand of advertising", 1, 0, Offer(60, 20000, 300, 1000), 1.25L},
        {"half the performance", 1, 1, Offer(125, 20000, 1500, 0), 0.25L},
        {"performance above the need is not paid", 1, 1, Offer(500, 20000, 1500, 0), 1},
        {"twice the price, industrial", 1, 2, Offer(100, 20000, 3000, 0), 1 / e},
        {"twice the price, office", 1, 0, Offer(60, 20000, 600, 0), std::pow(e, -2.5L)},
        {"a price of 1 rouble", 1, 0, Offer(60, 20000, 1, 0), std::pow(e, 2.5L * 299 / 300)},
        {"MTBF counts up to 100000 h", 1, 2, Offer(100, 500000, 1500, 0), std::pow(5.0L, 1.5L)},
        {"below the industrial minimum", 1, 2, Offer(100, 19999, 1500, 0), 0},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(Attraction(r.offer, r.year, r.segment), r.attraction, 1e-12L * r.attraction)
            << r.what;

    GameOffer none = Offer(60, 20000, 300, 0);
    none.Product.Made = false;
    EXPECT_EQ(Attraction(none, 1, 0), 0);
}

// Buyers a firm cannot serve go to the others in one pass, from the demands
// before the pass.
TEST(GameMarket, UnservedBuyersGoToTheOthers) {
    FirmValues attraction{};
    attraction[0] = {1, 2, 0};
    attraction[1] = {1, 0, 0};
    attraction[2] = {2, 2, 0};
    FirmValues demand{};
    demand[0] = {100, 300, 0}; // 400 wanted, 100 made: 3/4 of it leaves
    demand[1] = {50, 0, 0};    // 50 wanted, 20 made: 3/5 leaves
    demand[2] = {80, 90, 0};   // enough
    const FirmValues served = ServedDemand(demand, attraction, {100, 20, 1000, 0});
    // Firm 0 loses 75 and 225; firm 1 gets 75 × 1/4 in segment 0, firm 2
    // 75 × 2/4 and 225 × 2/3. Firm 1 loses 30; firm 0 gets 30 × 1/4, firm 2 30 × 2/4.
    const FirmValues expected{{{25 + 7.5L, 75, 0}, {20 + 18.75L, 0, 0}, {80 + 37.5L + 15, 240, 0}}};
    for (int f = 0; f < kGameFirmCount; ++f)
        for (int s = 0; s < kSegmentCount; ++s)
            EXPECT_NEAR(served[f][s], expected[f][s], 1e-12L) << f << " " << s;
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

    const long double markups[] = {2.0L, 2.5L, 2.0L};
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
    EXPECT_GE(game.rivalOffers()[1].Product.Performance, 250); // the workstations' need
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

namespace orvik {
namespace {

GameOffer OfferOf(int year, const GameDecision& d) {
    GameOffer o;
    o.Product = MakeGameProduct(year, d.Technology, d.MinFeature, d.ChipArea, d.DeviceIntegration,
                                FloatCheck());
    o.Price = d.Price;
    o.Volume = d.Volume;
    o.Advertising = d.Advertising;
    return o;
}

// A rival's volume: its forecast of its own offer against the others' offers
// of last year, in a market of the expected size (no shock).
std::int64_t ForecastVolume(int year, int rival, const GameOffer& own,
                            const std::array<GameOffer, kGameFirmCount>& last) {
    const std::array<long double, 3> expected =
        year == 1 ? std::array<long double, 3>{150000, 20000, 8000}
                  : std::array<long double, 3>{187500, 24000, 9200};
    long double demand = 0;
    for (int s = 0; s < kSegmentCount; ++s) {
        long double total = 1;
        for (int f = 0; f < kGameFirmCount; ++f)
            total += Attraction(f == rival ? own : last[f], year, s);
        demand += Attraction(own, year, s) / total * expected[s];
    }
    return static_cast<std::int64_t>(std::floor(demand + 0.5L));
}

TEST(GameSession, RivalVolumesAndForecastsUseTheExpectedMarket) {
    GameSession game(test::FreshGame(3));
    // Year 1: against each other's first offers and the lab's default processor.
    std::array<GameOffer, kGameFirmCount> last{OfferOf(1, DefaultDecision())};
    for (int r = 1; r < kGameFirmCount; ++r)
        last[r] = OfferOf(1, game.rivalOffers()[r - 1].Decision);
    for (int r = 1; r < kGameFirmCount; ++r)
        EXPECT_EQ(game.rivalOffers()[r - 1].Decision.Volume, ForecastVolume(1, r, last[r], last))
            << kGameFirmNames[r];

    const GameDecision mine{2, 1.0, 0.1, 100, 400, 50000, 300};
    const GameForecast forecast = game.forecast(mine);
    EXPECT_EQ(forecast.Warning, "");
    // Warnings: a loan below zero, bankruptcy below −20 000 000.
    EXPECT_NE(game.forecast(DefaultDecision()).Warning.find("-15 516 181 руб.): банк даст кредит"),
              std::string::npos);
    GameDecision ruin = DefaultDecision();
    ruin.Volume = 10000;
    EXPECT_NE(game.forecast(ruin).Warning.find("обанкротится, и игра будет проиграна"),
              std::string::npos);
    for (int s = 0; s < kSegmentCount; ++s)
        EXPECT_NEAR(forecast.Demand[s] / forecast.Share[s], (std::array{150000, 20000, 8000}[s]),
                    1e-6);
    game.commit(mine);

    // Year 2: against last year's offers as they were, judged by year 2.
    last[0] = OfferOf(1, mine);
    for (int r = 1; r < kGameFirmCount; ++r)
        last[r] = OfferOf(1, game.years()[0].Firms[r].Decision);
    for (int r = 1; r < kGameFirmCount; ++r)
        EXPECT_EQ(game.rivalOffers()[r - 1].Decision.Volume,
                  ForecastVolume(2, r, OfferOf(2, game.rivalOffers()[r - 1].Decision), last))
            << kGameFirmNames[r];
    const GameForecast second = game.forecast(mine);
    for (int s = 0; s < kSegmentCount; ++s)
        EXPECT_NEAR(second.Demand[s] / second.Share[s], (std::array{187500, 24000, 9200}[s]), 1e-6);
}

// A rival whose cash falls below −20 000 000 leaves the market from the next
// year: no offer, no share, no sales, its cash as it was.
TEST(GameSession, BankruptRivalLeavesTheMarket) {
    GameSession game(test::FreshGame(1), false, -18e6);
    const auto phantom = [&] {
        return GameDecision{2, SmallestFeature(game.year()), 0.2, 250, 1000000, 0, 0};
    };
    int seen = 0;
    for (int year = 1; year < kGameYears && !game.over(); ++year) {
        const YearResult before = game.commit(phantom());
        for (int r = 1; r < kGameFirmCount; ++r) {
            if (!before.Firms[r].Bankrupt)
                continue;
            ++seen;
            SCOPED_TRACE(kGameFirmNames[r]);
            EXPECT_LT(before.Firms[r].Money.Cash, -20e6);
            EXPECT_FALSE(game.rivalOffers()[r - 1].InMarket);
            EXPECT_EQ(game.rivalOffers()[r - 1].Decision.Volume, 0);
            const YearResult& after = game.commit(phantom());
            EXPECT_FALSE(after.Firms[r].InMarket);
            EXPECT_EQ(after.Firms[r].Share, (std::array<double, 3>{}));
            EXPECT_EQ(after.Firms[r].TotalSales, 0);
            EXPECT_EQ(after.Firms[r].Money.Cash, before.Firms[r].Money.Cash);
            break;
        }
        if (seen > 0)
            break;
    }
    EXPECT_EQ(seen, 1);
}

} // namespace
} // namespace orvik
