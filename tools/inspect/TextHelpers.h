// Text helpers the inspector's outputs share: UTF-8 code points, terminal
// widths and padding, one-line texts, the part flags.

#pragma once

#include "workbook/Workbook.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvik::inspect {

// Decodes one UTF-8 sequence at `i`; a byte that starts no valid sequence
// gives U+FFFD and counts one byte.
char32_t NextCodePoint(std::string_view s, std::size_t& i);
void AppendUtf8(std::string& out, char32_t c);
// Characters a terminal shows for the text (one per code point).
std::size_t DisplayWidth(std::string_view s);
std::string PadRight(const std::string& s, std::size_t width);
std::string PadLeft(const std::string& s, std::size_t width);
// A text fit for one line of a terminal: control characters (a line feed in
// a file name, for instance) become "?".
std::string OneLine(const std::string& s);
// "+" done, "-" not done, "?" a damaged flag; one character per part.
char FlagChar(std::uint8_t flag);
std::string FlagString(const Workbook& wb);

} // namespace orvik::inspect
