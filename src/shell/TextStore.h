#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

inline constexpr int kTextCount = 67;

// Entries 67 and up of the data file: the business game's texts. A data file
// that ends after entry 66 leaves them empty.
enum GameText : int {
    GameHintTechnology,
    GameHintMinFeature,
    GameHintChipArea,
    GameHintIntegration,
    GameHintPrice,
    GameHintVolume,
    GameHintAdvertising,
    GameTask,
};
inline constexpr int kGameTextCount = 8;
inline constexpr int kFirstGameText = kTextCount; // file entry of GameHintTechnology

// The longest text kept. Text boxes take time growing with the square of a
// line's length to wrap it, so a longer text (only a damaged data file holds
// one: the builder refuses it) is cut to this length, with a note saying so.
inline constexpr std::size_t kTextLimit = 32768;

// The help texts: hints, variant tasks, the course guide and the lab tasks,
// as Windows-1251 bytes with CR LF line breaks.
struct TextStore {
    std::array<std::string, kTextCount> entries;
    std::array<std::string, kGameTextCount> game; // indexed by GameText
};

// Entry `entry` of the data file (0..66, then the game's 67..74); an empty
// text for any other number.
const std::string& TextEntry(const TextStore& store, int entry);

// XOR scrambling of the data file; its own inverse.
std::string UnscrambleText(std::string_view text);

// (Re)loads the store from the data file at `path`. Returns false, changing
// nothing, when the file cannot be opened. A file that ends before entry 66
// is whole throws Error("Read beyond end of file"); the entries read before
// keep their new texts. The game's entries are read when present; one that
// is cut short leaves it and those after it empty, without an error.
bool LoadTextStore(TextStore& store, const std::string& path);

// The bytes of a data file holding the given texts, then `more` as entries
// 67, 68, ...
std::vector<std::uint8_t> BuildTextStoreFile(const std::array<std::string, kTextCount>& texts,
                                             const std::vector<std::string>& more = {});

} // namespace orvik
