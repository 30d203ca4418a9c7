// The balance of the game in every variant, and its replay.

#include "game/GamePlayers.h"
#include "game/GameSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <set>

namespace orvik {
namespace {

using test::FreshGame;
using test::GreedyDecision;

void ExpectSameYears(const std::vector<YearResult>& a, const std::vector<YearResult>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t y = 0; y < a.size(); ++y)
        for (int f = 0; f < kGameFirmCount; ++f) {
            const FirmYear& x = a[y].Firms[f];
            const FirmYear& z = b[y].Firms[f];
            SCOPED_TRACE("year " + std::to_string(y + 1) + ", firm " + std::to_string(f));
            EXPECT_EQ(x.InMarket, z.InMarket);
            EXPECT_EQ(x.Decision.Price, z.Decision.Price);
            EXPECT_EQ(x.Decision.Volume, z.Decision.Volume);
            EXPECT_EQ(x.Product.UnitCost, z.Product.UnitCost);
            EXPECT_EQ(x.Share, z.Share);
            EXPECT_EQ(x.Sales, z.Sales);
            EXPECT_EQ(x.Money.Profit, z.Money.Profit);
            EXPECT_EQ(x.Money.Cash, z.Money.Cash);
        }
}

class GameBalance : public testing::TestWithParam<int> {};

TEST_P(GameBalance, DefaultPlayerLosesAndTheRivalsGain) {
    const int variant = GetParam();
    for (bool playOn : {false, true}) {
        SCOPED_TRACE(playOn ? "rivals play on to year 8" : "the game ends");
        GameSession game(FreshGame(variant), playOn);
        while (!game.over())
            game.commit(DefaultDecision());
        const auto& years = game.years();
        EXPECT_LT(years.front().Firms[0].Money.Profit, 0);
        EXPECT_TRUE(game.studentBankrupt());
        EXPECT_EQ(years.size(), playOn ? 8u : game.state().Decisions.size());
        for (int r = 1; r < kGameFirmCount; ++r)
            EXPECT_GT(years.back().Firms[r].Money.Cash, kStartCash) << kGameFirmNames[r];
        const FinalStanding standing = game.standing();
        EXPECT_EQ(standing.StudentPlace, 4);
        EXPECT_NE(standing.Verdict.find("обанкротилась"), std::string::npos);
        EXPECT_THROW(game.commit(DefaultDecision()), Error);
    }
}

TEST_P(GameBalance, GreedyPlayerEndsAheadAndChangesTechnology) {
    GameSession game(FreshGame(GetParam()));
    std::set<int> technologies;
    while (!game.over()) {
        const GameDecision d = GreedyDecision(game);
        technologies.insert(d.Technology);
        game.commit(d);
    }
    ASSERT_EQ(game.years().size(), 8u);
    EXPECT_FALSE(game.studentBankrupt());
    const auto& last = game.years().back().Firms;
    for (int r = 1; r < kGameFirmCount; ++r)
        EXPECT_GT(last[0].Money.Cash, last[r].Money.Cash) << kGameFirmNames[r];
    EXPECT_GE(technologies.size(), 2u);
    EXPECT_EQ(game.standing().StudentPlace, 1);
    EXPECT_EQ(game.standing().Rows[0].Firm, 0);
    EXPECT_EQ(game.standing().Verdict.rfind("Победа", 0), 0u);

    // The saved decisions replay to the same results, bit for bit.
    GameSession replayed(game.state());
    EXPECT_TRUE(replayed.over());
    ExpectSameYears(replayed.years(), game.years());

    // Keeping the year-1 design for all eight years pays far less.
    GameSession kept(FreshGame(GetParam()));
    const GameDecision design = game.state().Decisions.front();
    while (!kept.over())
        kept.commit(test::KeptDesign(kept, design));
    EXPECT_LE(kept.years().back().Firms[0].Money.Cash, 0.7 * last[0].Money.Cash);
}

// With any markup up to 20 allowed, the best price stays near the market's.
TEST_P(GameBalance, GreedyPriceStaysNearTheReferencePrice) {
    constexpr std::array<double, 10> kMarkups{1.1, 1.3, 1.6, 2, 2.5, 3.5, 5, 8, 12, 20};
    GameSession game(FreshGame(GetParam()));
    while (!game.over()) {
        const GameDecision d = GreedyDecision(game, kMarkups);
        EXPECT_LE(d.Price, 2 * 1500 * std::pow(0.85, game.year() - 1)) << "year " << game.year();
        game.commit(d);
    }
}

// A firm that asks 1 rouble and sells (almost) nothing must not drive the
// rivals out of the market: their buyers go to the others.
TEST_P(GameBalance, SpoilersNeitherWinNorBankruptTheRivals) {
    const auto spoiler = [](int year) {
        return GameDecision{2, SmallestFeature(year), 0.2, 250, 1, 1, 0};
    };
    const auto phantom = [](int year) {
        return GameDecision{2, SmallestFeature(year), 0.2, 250, year % 2 ? 1.0 : 1000000.0, 0, 0};
    };
    for (const auto& player : {std::function<GameDecision(int)>(spoiler), {phantom}}) {
        GameSession game(FreshGame(GetParam()), true);
        while (!game.over())
            game.commit(player(game.year()));
        ASSERT_EQ(game.years().size(), 8u);
        EXPECT_EQ(game.standing().StudentPlace, 4);
        EXPECT_EQ(game.standing().Verdict.find("Победа"), std::string::npos);
        for (int r = 1; r < kGameFirmCount; ++r) {
            EXPECT_TRUE(game.years().back().Firms[r].InMarket) << kGameFirmNames[r];
            EXPECT_GT(game.years().back().Firms[r].Money.Cash, 12e6) << kGameFirmNames[r];
        }
    }
}

TEST_P(GameBalance, InvariantsOverRandomDecisions) {
    std::mt19937 random(static_cast<unsigned>(GetParam()));
    for (int game = 0; game < 3; ++game) {
        GameSession session(FreshGame(GetParam()), true);
        while (!session.over()) {
            const GameDecisionLimits limits = DecisionLimitsOfYear(session.year());
            auto pick = [&](const DecisionLimit& l) {
                return std::uniform_real_distribution<double>(l.Min, l.Max)(random);
            };
            GameDecision d;
            d.Technology = static_cast<int>(random() % 5);
            d.MinFeature = std::min(pick(limits.MinFeature), 2 * limits.MinFeature.Min);
            d.ChipArea = pick(limits.ChipArea);
            d.DeviceIntegration = 50 + 10 * static_cast<int>(random() % 96);
            d.Price = std::uniform_real_distribution<double>(1, 30000)(random);
            d.Volume = static_cast<int>(random() % 200000);
            d.Advertising = std::uniform_real_distribution<double>(0, 3000)(random);
            session.commit(d);
        }
        std::array<double, kGameFirmCount> cash;
        cash.fill(static_cast<double>(kStartCash));
        for (const YearResult& y : session.years()) {
            SCOPED_TRACE("year " + std::to_string(y.Year));
            for (int s = 0; s < kSegmentCount; ++s) {
                double sum = 0;
                for (const FirmYear& f : y.Firms) {
                    EXPECT_GE(f.Share[s], 0);
                    sum += f.Share[s];
                }
                EXPECT_LT(sum, 1);
            }
            for (int f = 0; f < kGameFirmCount; ++f) {
                const FirmYear& firm = y.Firms[f];
                if (firm.InMarket) {
                    EXPECT_LE(firm.TotalSales, firm.Decision.Volume);
                    EXPECT_DOUBLE_EQ(firm.Money.Cash,
                                     cash[f] + firm.Money.Profit - firm.Money.Interest);
                    EXPECT_DOUBLE_EQ(firm.Money.Interest, cash[f] < 0 ? -0.15 * cash[f] : 0);
                } else {
                    EXPECT_EQ(firm.Money.Cash, cash[f]); // a firm gone stays as it was
                }
                cash[f] = firm.Money.Cash;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, GameBalance, testing::Range(1, 11));

TEST(GameReplay, SavedStateGivesTheSameGameAndDropsWhatCannotBePlayed) {
    GameState state = FreshGame(4);
    GameSession game(state);
    for (int i = 0; i < 3; ++i)
        game.commit(GreedyDecision(game));
    GameState saved = game.state();
    ExpectSameYears(GameSession(saved).years(), game.years());

    // The forecast sees the same rivals as the replayed session.
    const GameSession reopened(saved);
    EXPECT_EQ(reopened.year(), 4);
    const GameDecision next = GreedyDecision(game);
    EXPECT_EQ(reopened.forecast(next).Money.Profit, game.forecast(next).Money.Profit);

    // A decision out of its year's limits ends the replay there.
    GameDecision bad = next;
    bad.MinFeature = 0.2;
    EXPECT_EQ(CheckDecision(4, bad), "Значение \"МЛР\" должно быть от 0.61 до 5.00.");
    EXPECT_EQ(game.forecast(bad).Message, CheckDecision(4, bad));
    saved.Decisions.push_back(bad);
    saved.Decisions.push_back(next);
    EXPECT_EQ(GameSession(saved).state().Decisions.size(), 3u);
    EXPECT_THROW(game.commit(bad), Error);
    EXPECT_EQ(game.year(), 4);

    // A restart keeps count and forgets the years.
    RestartGame(saved, 7);
    EXPECT_EQ(saved.Variant, 7);
    EXPECT_EQ(saved.Restarts, 1u);
    EXPECT_TRUE(saved.Decisions.empty());
    EXPECT_TRUE(GameSession(saved).years().empty());
}

} // namespace
} // namespace orvik
