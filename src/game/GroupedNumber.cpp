#include "game/GroupedNumber.h"

#include "core/RealToText.h"

#include <cctype>

namespace orvik {

std::string GroupedNumber(double x, int decimals) {
    std::string text = RealToText(x, decimals);
    const std::size_t first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    std::size_t digits = 0; // where the whole part's digits start and end
    while (digits < text.size() && !std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    std::size_t end = digits;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
        ++end;
    for (std::size_t at = end; at > digits + 3; at -= 3)
        text.insert(at - 3, 1, ' ');
    return text;
}

} // namespace orvik
