// Fuzz target: the business game's block and its replay. The first byte
// picks the way in: even, the rest is the bytes after the plain workbook as
// the block reader meets them; odd, the rest is a game state laid out as the
// block's payload of the current version but without its checks (variant,
// then 41-byte decisions), so that every decision, sensible or not, reaches
// the replay; bit 1 lets the rivals play on after a bankruptcy. A replayed
// game keeps the market's invariants, and a game read from a block is
// written back to the same block.

#include "FuzzSupport.h"

#include "game/GameBlock.h"
#include "game/GameSession.h"

#include <cmath>
#include <cstring>
#include <span>
#include <string>

namespace {

using namespace orvik;

template <typename T> T Take(const std::uint8_t*& at, const std::uint8_t* end) {
    T value{};
    if (static_cast<std::size_t>(end - at) >= sizeof value) {
        std::memcpy(&value, at, sizeof value);
        at += sizeof value;
    } else {
        at = end;
    }
    return value;
}

GameState RawState(const std::uint8_t* at, const std::uint8_t* end) {
    GameState state;
    state.Variant = Take<std::uint8_t>(at, end);
    while (at < end && state.Decisions.size() < 12) {
        GameDecision d;
        d.Technology = Take<std::uint8_t>(at, end);
        d.MinFeature = Take<double>(at, end);
        d.ChipArea = Take<double>(at, end);
        d.DeviceIntegration = Take<std::int32_t>(at, end);
        d.Price = Take<double>(at, end);
        d.Volume = Take<std::int32_t>(at, end);
        d.Advertising = Take<double>(at, end);
        state.Decisions.push_back(d);
    }
    return state;
}

void CheckReplay(const GameState& state, bool rivalsPlayOn) {
    GameSession game(state, rivalsPlayOn);
    if (game.years().size() > static_cast<std::size_t>(kGameYears) ||
        game.state().Decisions.size() > state.Decisions.size())
        fuzz::Broken("the replay played more than it was given");
    for (const YearResult& y : game.years())
        for (int s = 0; s < kSegmentCount; ++s) {
            double sum = 0;
            for (const FirmYear& f : y.Firms) {
                if (!(f.Share[s] >= 0))
                    fuzz::Broken("a negative share");
                if (f.InMarket && f.TotalSales > f.Decision.Volume)
                    fuzz::Broken("sales above the volume");
                if (!std::isfinite(f.Money.Cash))
                    fuzz::Broken("cash that is not a number");
                sum += f.Share[s];
            }
            if (!(sum < 1))
                fuzz::Broken("the shares leave no buyer elsewhere");
        }
    (void)game.standing();
    if (!game.over()) {
        for (const GameDecision& d : state.Decisions)
            (void)game.forecast(d);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool raw = data[0] & 1;
    const bool rivalsPlayOn = data[0] & 2;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    if (raw) {
        CheckReplay(RawState(rest.data(), rest.data() + rest.size()), rivalsPlayOn);
        return 0;
    }
    std::string message;
    const GameState game = ReadGameBlock(rest, message);
    if (game.empty()) {
        if (!rest.empty() && message.empty())
            fuzz::Broken("bytes after the workbook that are no game, without a message");
        return 0;
    }
    if (game.Origin != GameOrigin::Current && game.Origin != GameOrigin::OldRules)
        fuzz::Broken("a game read from a block that was refused");
    std::vector<std::uint8_t> again;
    AppendGameBlock(again, game);
    std::string second;
    const GameState back = ReadGameBlock(again, second);
    if (!second.empty() || back.Variant != game.Variant || back.Restarts != game.Restarts ||
        !(back.Decisions == game.Decisions))
        fuzz::Broken("a game written back reads differently");
    CheckReplay(game, rivalsPlayOn);
    return 0;
}
