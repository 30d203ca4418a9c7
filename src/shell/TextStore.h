#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

inline constexpr int kTextCount = 67;

// The longest text kept. Text boxes take time growing with the square of a
// line's length to wrap it, so a longer text (only a damaged data file holds
// one: the builder refuses it) is cut to this length, with a note saying so.
inline constexpr std::size_t kTextLimit = 32768;

// The help texts: hints, variant tasks, the course guide and the lab tasks,
// as Windows-1251 bytes with CR LF line breaks.
struct TextStore {
    std::array<std::string, kTextCount> entries;
};

// XOR scrambling of the data file; its own inverse.
std::string UnscrambleText(std::string_view text);

// (Re)loads the store from the data file at `path`. Returns false, changing
// nothing, when the file cannot be opened. A file that ends early throws
// Error("Read beyond end of file"); the entries read before keep their new texts.
bool LoadTextStore(TextStore& store, const std::string& path);

// The bytes of a data file holding the given texts.
std::vector<std::uint8_t> BuildTextStoreFile(const std::array<std::string, kTextCount>& texts);

} // namespace orvik
