// The business game: a full eight-year replay from the saved state, with the
// rivals' grid searches (560 processor computations a year) and all market
// years.

#include "game/GameSession.h"

#include <benchmark/benchmark.h>

namespace {

// Eight years of a student who copies "Гамма"'s published offer every year.
orvik::GameState EightYears(int variant) {
    orvik::GameState state;
    orvik::StartGame(state, variant);
    orvik::GameSession game(state);
    while (!game.over())
        game.commit(game.rivalOffers()[2].Decision);
    return game.state();
}

void BM_GameReplayEightYears(benchmark::State& state) {
    const orvik::GameState saved = EightYears(5);
    if (saved.Decisions.size() != 8)
        state.SkipWithError("the copying student went bankrupt");
    for (auto _ : state) {
        orvik::GameSession game(saved);
        benchmark::DoNotOptimize(game.standing());
    }
}
BENCHMARK(BM_GameReplayEightYears)->Unit(benchmark::kMillisecond);

} // namespace
