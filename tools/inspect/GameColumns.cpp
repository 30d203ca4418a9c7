// The business game's columns of the group sheet and its decisions for the
// search of copied work: everything these need to know of the game is here.

#include "GroupSheet.h"
#include "Similarity.h"

#include "game/GameSession.h"

#include <bit>

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

std::vector<std::uint64_t> GameDecisionKeys(const Workbook& wb) {
    const GameDecision standard = DefaultDecision();
    std::vector<std::uint64_t> keys;
    for (const GameDecision& d : wb.Game.Decisions) {
        std::uint64_t h = 0xCBF29CE484222325ull;
        for (const std::uint64_t v :
             {std::uint64_t(std::uint32_t(d.Technology)),
              std::bit_cast<std::uint64_t>(d.MinFeature), std::bit_cast<std::uint64_t>(d.ChipArea),
              std::uint64_t(std::uint32_t(d.DeviceIntegration)),
              std::bit_cast<std::uint64_t>(d.Price), std::uint64_t(std::uint32_t(d.Volume)),
              std::bit_cast<std::uint64_t>(d.Advertising)}) {
            h = (h ^ v) * 0x100000001B3ull;
            h ^= h >> 29;
        }
        keys.push_back(d == standard ? 0 : (h == 0 ? 1 : h));
    }
    return keys;
}

} // namespace orvik::inspect
