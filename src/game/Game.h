#pragma once

// The business game as the window sees it: a session replays the saved state
// and then plays one year per commit.

#include "game/GameMarket.h"
#include "game/GameRules.h"
#include "game/GameState.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvik {

inline constexpr std::array<const char*, kGameFirmCount> kGameFirmNames{"Ваша фирма", "Альфа",
                                                                        "Бета", "Гамма"};

inline constexpr const char* kNoGoodChipsMessage =
    "Пластина не дает годных кристаллов: процессоры не выпускаются, а реклама и постоянные "
    "расходы все равно оплачиваются.";
inline constexpr const char* kRulesRecomputedMessage =
    "Деловая игра в этом файле была сыграна по прежним правилам рынка. Ваши решения сохранены, "
    "а результаты всех лет пересчитаны по новым правилам: места и деньги фирм могли измениться.";
inline constexpr const char* kGameOverMessage =
    "Игра окончена. Чтобы сыграть еще раз, нажмите \"Начать заново\".";

// What the window shows above the decision.
struct YearHeader {
    int Year = 1; // 1..8
    double DefectFactor = 0;
    double SmallestFeature = 0;
    // Each segment's size last year; in year 1 the size of the year before
    // the game, M0 / g, without a shock.
    std::array<double, kSegmentCount> LastYearMarket{};
};

// The processor a design makes in a year.
struct ProductFacts {
    bool Made = false; // the wafer gives good chips
    double Frequency = 0;
    double Mtbf = 0;
    double UnitCost = 0;
    double GoodChips = 0; // per wafer
    double Performance = 0;
};

// One firm's year, published offer and results.
struct FirmYear {
    bool InMarket = false; // false: the firm has gone bankrupt before this year
    GameDecision Decision{};
    ProductFacts Product{};
    std::array<double, kSegmentCount> Share{};
    std::array<std::int64_t, kSegmentCount> Sales{};
    std::int64_t TotalSales = 0;
    FirmMoney Money{};
    bool Bankrupt = false; // its cash fell below −20 000 000 this year
};

struct YearResult {
    int Year = 0;
    std::array<double, kSegmentCount> MarketSize{};
    std::array<FirmYear, kGameFirmCount> Firms{}; // 0: the student's firm
};

// "Рассчитать": a decision against the rivals' offers of this year, in a
// market of the expected size. Nothing is committed. After the end of the
// game, or for a decision beyond its limits, only Message is set.
struct GameForecast {
    ProductFacts Product{};
    std::string Message; // why nothing is made or forecast; empty when all is well
    std::array<double, kSegmentCount> Share{};
    std::array<double, kSegmentCount> Demand{};
    std::int64_t ExpectedDemand = 0; // Σ demand, rounded half-up
    std::array<std::int64_t, kSegmentCount> Sales{};
    std::int64_t TotalSales = 0;
    FirmMoney Money{};
    // What this decision does to the cash: below zero (a loan at 15 %) or
    // below the bankruptcy line; empty when the cash stays positive.
    std::string Warning;
};

struct StandingRow {
    int Firm = 0;
    double Cash = 0;
    bool Bankrupt = false;
};

struct FinalStanding {
    std::array<StandingRow, kGameFirmCount> Rows{}; // by cash, the richest first
    int StudentPlace = 1;                           // 1..4
    std::string Verdict;                            // one line
};

// The error message for a decision out of this year's limits, or empty.
std::string CheckDecision(int year, const GameDecision& decision);

// The lab's default processor ("ЭСЛ", 1.0 µm, 1 cm², 250) at twice its cost
// in year 1, 5000 units, no advertising.
GameDecision DefaultDecision();

// The grid of the rivals' search as decisions (design only).
std::vector<GameDecision> GridDesigns(int year);

} // namespace orvik
