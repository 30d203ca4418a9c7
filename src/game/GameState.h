#pragma once

#include <cstdint>
#include <vector>

namespace orvik {

// One year's decision of the student's firm: the processor it designs and how
// it sells it.
struct GameDecision {
    std::int32_t Technology = 0;          // 0..4, as in the processor lab
    double MinFeature = 1.0;              // МЛР, µm
    double ChipArea = 1.0;                // cm²
    std::int32_t DeviceIntegration = 250; // thousands of logic elements
    double Price = 0;                     // roubles per processor
    std::int32_t Volume = 0;              // processors made
    double Advertising = 0;               // thousand roubles

    bool operator==(const GameDecision&) const = default;
};

// How the game was found in the workbook file; it is not saved.
enum class GameOrigin {
    None,     // no game block: the game was never started
    Current,  // a block of this program's rules
    OldRules, // a block of the first rules: the decisions are replayed under the current ones
    Damaged,  // a block that is cut, changed or inconsistent: not loaded
    Unknown,  // a block of a format version this program does not know: not loaded
};

// The whole saved state of the business game; every result is replayed from
// it. Variant 0 means the game has not been started.
struct GameState {
    std::int32_t Variant = 0;
    std::uint32_t Restarts = 0;
    std::vector<GameDecision> Decisions; // one per played year, at most 8
    GameOrigin Origin = GameOrigin::None;

    bool empty() const { return Variant == 0 && Restarts == 0 && Decisions.empty(); }
};

} // namespace orvik
