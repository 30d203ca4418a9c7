#include "TextHelpers.h"

namespace orvik::inspect {

char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]) & 0x3F; };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) {
        const char32_t c = (char32_t(b0 & 0x1F) << 6) | at(1);
        i += 2;
        return c;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
        const char32_t c = (char32_t(b0 & 0x0F) << 12) | (char32_t(at(1)) << 6) | at(2);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
            i += 3;
            return c;
        }
    }
    if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
        const char32_t c =
            (char32_t(b0 & 0x07) << 18) | (char32_t(at(1)) << 12) | (char32_t(at(2)) << 6) | at(3);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            i += 4;
            return c;
        }
    }
    ++i;
    return 0xFFFD;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t DisplayWidth(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size();) {
        NextCodePoint(s, i);
        ++n;
    }
    return n;
}

std::string PadRight(const std::string& s, std::size_t width) {
    const std::size_t w = DisplayWidth(s);
    return w >= width ? s : s + std::string(width - w, ' ');
}

std::string PadLeft(const std::string& s, std::size_t width) {
    const std::size_t w = DisplayWidth(s);
    return w >= width ? s : std::string(width - w, ' ') + s;
}

std::string OneLine(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = NextCodePoint(s, i);
        if (c < 0x20 || c == 0x7F)
            out += '?';
        else
            AppendUtf8(out, c);
    }
    return out;
}

char FlagChar(std::uint8_t flag) {
    return flag == 1 ? '+' : flag == 0 ? '-' : '?';
}

std::string FlagString(const Workbook& wb) {
    std::string s;
    for (const std::uint8_t f : wb.PartDone)
        s += FlagChar(f);
    return s;
}

} // namespace orvik::inspect
