#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvik {

// Windows-1251 <-> UTF-8, through the C library's iconv.

// UTF-8 text as Windows-1251 bytes; nullopt when a character has no
// Windows-1251 code (or the text is not valid UTF-8).
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// As Utf8ToCp1251, for texts known to convert (the program's own); a text
// that does not convert is a programming error and throws std::logic_error.
std::string ToCp1251(std::string_view utf8);

// Windows-1251 bytes as UTF-8; the one unassigned byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view cp1251);

} // namespace orvik
