#pragma once

#include "game/GameState.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvik {

// The business game's state travels in the workbook file as one tagged block
// after the 21092 bytes of the plain workbook, which readers of the plain
// format ignore:
//   offset 0   4 bytes  magic "ORVG"
//   offset 4   2 bytes  format version (2), little-endian
//   offset 6   4 bytes  payload length n, little-endian
//   offset 10  n bytes  payload
//   offset 10+n 4 bytes CRC-32 (IEEE 802.3, as zlib) of bytes 0 .. 10+n−1
// and nothing after it. Payload of version 2: the market rules the game is
// played by (1 byte, 2), variant (1 byte, 1..10), restarts (4 bytes), the
// number of played years (1 byte, 0..8), then per year 41 bytes: technology
// (1), МЛР (8, IEEE double), chip area (8), integration (4), price (8),
// volume (4), advertising (8). Version 1 has no rules byte; its games were
// played by the first rules and are replayed under the current ones. An
// empty game writes no block, so such a workbook stays 21092 bytes.

inline constexpr std::uint16_t kGameBlockVersion = 2;
inline constexpr std::uint8_t kGameRules = 2;
inline constexpr std::size_t kGameBlockMaxBytes = 4 + 2 + 4 + 7 + 8 * 41 + 4;

inline constexpr const char* kGameBlockDamaged =
    "Сохраненная в файле деловая игра повреждена и не загружена. Остальные данные работы "
    "открыты полностью; деловую игру нужно начать заново.";
inline constexpr const char* kGameBlockUnknown =
    "Сохраненная в файле деловая игра записана в неизвестном этой программе формате "
    "(возможно, более новой версией программы) и не загружена. Остальные данные работы "
    "открыты полностью; деловую игру нужно начать заново.";

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// Appends the block of a game that is not empty.
void AppendGameBlock(std::vector<std::uint8_t>& file, const GameState& game);

// The game held by the bytes after the plain workbook, its Origin telling
// how it was found. No bytes: an empty game and no message. A block of
// version 1: its game and the notice that it is replayed under the new rules.
// A block that is damaged, cut short, of an unknown version or followed by
// other bytes: an empty game and `message` set to the one text the student
// is shown.
GameState ReadGameBlock(std::span<const std::uint8_t> tail, std::string& message);

} // namespace orvik
