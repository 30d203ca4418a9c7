#pragma once

#include "game/Game.h"

#include <array>
#include <vector>

namespace orvik {

// Starts a game for the student's variant (clamped to 1..10), keeping the
// restart count; RestartGame also counts the restart.
void StartGame(GameState& state, int variant);
void RestartGame(GameState& state, int variant);

class GameSession {
public:
    // Replays every saved decision. Decisions after the end of the game or
    // out of their limits are dropped. With rivalsPlayOn the rivals play the
    // remaining years among themselves once the student's firm is bankrupt.
    // The rivals start with rivalStartCash (the game's rules: 10 000 000; a
    // smaller sum lets a test see a rival go bankrupt).
    explicit GameSession(const GameState& state, bool rivalsPlayOn = false,
                         long double rivalStartCash = kStartCash);

    const GameState& state() const { return state_; }
    int variant() const { return state_.Variant; }
    bool over() const { return over_; }
    bool studentBankrupt() const { return studentBankrupt_; }
    int year() const { return year_; } // the year to decide; after the end, the last played + 1

    YearHeader header() const;
    // The rivals' offers published for the year to decide (results empty).
    const std::array<FirmYear, 3>& rivalOffers() const { return rivalOffers_; }
    GameForecast forecast(const GameDecision& decision) const;

    // Plays the year. Throws Error with the student's message when the game
    // is over or the decision is out of its limits.
    const YearResult& commit(const GameDecision& decision);

    const std::vector<YearResult>& years() const { return years_; }
    std::vector<FirmYear> studentHistory() const;
    FinalStanding standing() const;

private:
    void prepareYear();
    void playYear(const GameOffer* student, const GameDecision& decision);

    GameState state_;
    bool rivalsPlayOn_ = false;
    int year_ = 1;
    bool over_ = false;
    bool studentBankrupt_ = false;
    std::array<bool, kGameFirmCount> inMarket_{true, true, true, true};
    std::array<long double, kGameFirmCount> cash_{};
    std::array<GameOffer, kGameFirmCount> lastOffer_{};
    std::array<GameOffer, kGameFirmCount> offer_{};  // this year's rival offers (1..3)
    std::array<int, kGameFirmCount> bankruptYear_{}; // 0: never bankrupt
    std::array<FirmYear, 3> rivalOffers_{};
    std::vector<YearResult> years_;
};

} // namespace orvik
