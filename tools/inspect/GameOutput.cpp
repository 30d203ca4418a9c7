// The business game as the inspector shows it: the saved state (variant,
// restarts, each year's decision) and what a replay of it gives (each year's
// results of the four firms, the final standing).

#include "Inspector.h"
#include "TextHelpers.h"

#include "game/GameBlock.h"
#include "game/GameSession.h"
#include "game/GroupedNumber.h"
#include "processor/Technology.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

namespace orvik::inspect {

namespace {

std::string Number(double v, int decimals) {
    if (!std::isfinite(v))
        return ExactText(Value::Real(v));
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    return std::string(buffer, end.ptr);
}

std::string TechnologyName(int index) {
    return index >= 0 && index < static_cast<int>(TechnologyTable.size())
               ? TechnologyTable[static_cast<std::size_t>(index)].Name
               : "?";
}

std::string DecisionText(const GameDecision& d) {
    return TechnologyName(d.Technology) + ", МЛР " + Number(d.MinFeature, 2) + ", S " +
           Number(d.ChipArea, 2) + ", G " + std::to_string(d.DeviceIntegration) + ", цена " +
           GroupedNumber(d.Price, 2) + ", объем " + GroupedNumber(d.Volume) + ", реклама " +
           GroupedNumber(d.Advertising);
}

std::string Place(int place) {
    return std::to_string(place) + "-е место";
}

// Money and unit counts grouped by thousands, as the game window shows them.
std::string Grouped(double v) {
    return std::isfinite(v) ? GroupedNumber(v) : ExactText(Value::Real(v));
}

} // namespace

const char* GameBlockName(GameOrigin origin) {
    switch (origin) {
    case GameOrigin::Current:
        return "current";
    case GameOrigin::OldRules:
        return "first-rules";
    case GameOrigin::Damaged:
        return "damaged";
    case GameOrigin::Unknown:
        return "unknown-version";
    case GameOrigin::None:
        break;
    }
    return "none";
}

bool GameBlockLost(const Workbook& wb) {
    return wb.Game.Origin == GameOrigin::Damaged || wb.Game.Origin == GameOrigin::Unknown;
}

GameReplay ReplayGame(const Workbook& wb) {
    GameReplay r;
    r.lost = GameBlockLost(wb);
    if (r.lost) {
        r.error = wb.Game.Origin == GameOrigin::Damaged ? kGameBlockDamaged : kGameBlockUnknown;
        return r;
    }
    r.started = !wb.Game.empty();
    if (!r.started)
        return r;
    try {
        r.session.emplace(wb.Game);
    } catch (const std::exception& e) {
        r.error = e.what();
    }
    return r;
}

void PrintGame(std::ostream& out, const Workbook& wb) {
    out << "\n  Деловая игра [Game]";
    const GameReplay replay = ReplayGame(wb);
    if (replay.lost) {
        out << ": !!! "
            << (wb.Game.Origin == GameOrigin::Damaged
                    ? "сохраненная игра повреждена и не прочитана"
                    : "сохраненная игра в неизвестном формате и не прочитана")
            << "\n";
        return;
    }
    if (!replay.started) {
        out << ": не начата\n";
        return;
    }
    const GameState& game = wb.Game;
    if (game.Origin == GameOrigin::OldRules)
        out << "\n    Игра сохранена по прежним правилам рынка; результаты пересчитаны по "
               "новым правилам.";
    out << "\n    Вариант игры: " << game.Variant << "; начата заново, раз: " << game.Restarts
        << "; сыграно лет: " << game.Decisions.size() << " из " << kGameYears << "\n";
    out << "    Решения по годам:\n";
    for (std::size_t y = 0; y < game.Decisions.size(); ++y)
        out << "      " << y + 1 << ": " << DecisionText(game.Decisions[y]) << "\n";
    if (!replay.session) {
        out << "    !!! Повтор игры не удался: " << OneLine(replay.error) << "\n";
        return;
    }
    const GameSession& s = *replay.session;
    if (s.years().size() < game.Decisions.size())
        out << "    !!! Решения после конца игры или вне пределов года не учитываются: "
            << game.Decisions.size() - s.years().size() << "\n";
    out << "    Результаты повтора (фирма: продано, шт; прибыль, руб.; деньги, руб.):\n";
    for (const YearResult& y : s.years()) {
        out << "      Год " << y.Year << ":";
        for (int f = 0; f < kGameFirmCount; ++f) {
            const FirmYear& fy = y.Firms[static_cast<std::size_t>(f)];
            out << (f == 0 ? " " : "; ") << kGameFirmNames[static_cast<std::size_t>(f)] << " ";
            if (!fy.InMarket)
                out << "ушла с рынка";
            else
                out << Grouped(static_cast<double>(fy.TotalSales)) << ", "
                    << Grouped(fy.Money.Profit) << ", " << Grouped(fy.Money.Cash)
                    << (fy.Bankrupt ? " (банкрот)" : "");
        }
        out << "\n";
    }
    const FinalStanding standing = s.standing();
    out << "    " << (s.over() ? "Итог игры" : "Положение после сыгранных лет") << ":\n";
    for (int i = 0; i < kGameFirmCount; ++i) {
        const StandingRow& row = standing.Rows[static_cast<std::size_t>(i)];
        out << "      " << i + 1 << ". " << kGameFirmNames[static_cast<std::size_t>(row.Firm)]
            << " — " << Grouped(row.Cash) << " руб." << (row.Bankrupt ? " (банкрот)" : "") << "\n";
    }
    out << "    " << standing.Verdict << "\n";
}

std::string GameSummary(const Workbook& wb) {
    const GameReplay replay = ReplayGame(wb);
    if (replay.lost)
        return wb.Game.Origin == GameOrigin::Damaged ? "повреждена" : "неизвестный формат";
    if (!replay.started)
        return "-";
    if (!replay.session)
        return "ошибка";
    const GameSession& s = *replay.session;
    const FinalStanding standing = s.standing();
    double cash = 0;
    for (const StandingRow& row : standing.Rows)
        if (row.Firm == 0)
            cash = row.Cash;
    std::string text = Grouped(cash) + ", " + Place(standing.StudentPlace);
    if (!s.over())
        text += " (лет " + std::to_string(s.years().size()) + ")";
    return text;
}

} // namespace orvik::inspect
