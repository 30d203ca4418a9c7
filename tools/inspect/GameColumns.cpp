// The business game's columns of the group sheet. Everything the sheet
// needs to know of the game is here.

#include "GroupSheet.h"

#include "game/Game.h"

namespace orvik::inspect {

GameColumns GameRow(const Workbook& wb, const std::string& gameMessage) {
    GameColumns c;
    if (!gameMessage.empty()) {
        c.verdict = "блок игры испорчен: " + gameMessage;
        return c;
    }
    const GameReplay replay = ReplayGame(wb);
    if (!replay.started) {
        c.verdict = "не начата";
        return c;
    }
    c.played = true;
    c.restarts = wb.Game.Restarts;
    if (!replay.session) {
        c.verdict = "повтор игры не удался: " + replay.error;
        return c;
    }
    const GameSession& s = *replay.session;
    c.years = static_cast<int>(s.years().size());
    const FinalStanding standing = s.standing();
    for (const StandingRow& row : standing.Rows)
        if (row.Firm == 0)
            c.cash = row.Cash;
    c.place = standing.StudentPlace;
    c.verdict =
        s.over() ? standing.Verdict : "не окончена (сыграно лет: " + std::to_string(c.years) + ")";
    c.replayed = true;
    return c;
}

} // namespace orvik::inspect
