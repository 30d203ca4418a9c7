#include "core/RealToText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvik {

namespace {

std::string PadLeft(std::string text) {
    if (text.size() < 6)
        text.insert(0, 6 - text.size(), ' ');
    return text;
}

} // namespace

std::string RealToText(double x, int decimals) {
    // The windows ask for 0..8 digits; anything else is kept within reason.
    if (decimals < 0)
        decimals = 0;
    if (decimals > 60)
        decimals = 60;
    if (std::isnan(x))
        return PadLeft("NAN");
    if (std::isinf(x))
        return PadLeft(x < 0 ? "-INF" : "INF");

    // 18 significant digits, correctly rounded: d.ddddddddddddddddde±XX
    char sci[64];
    std::snprintf(sci, sizeof sci, "%.17Le", static_cast<long double>(std::fabs(x)));
    std::string digits;
    digits += sci[0];
    digits.append(sci + 2, 17);
    const int exponent = std::atoi(sci + 20); // after "d.ddddddddddddddddde"

    // Digits before the point: exponent + 1; put the number into a plain
    // digit string with `intDigits` digits before the point.
    int intDigits = exponent + 1;
    if (intDigits < 1) {
        digits.insert(0, 1 - intDigits, '0');
        intDigits = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(intDigits + decimals);
    if (digits.size() < keep + 1)
        digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = static_cast<int>(keep) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(0, 1, '1');
            ++intDigits;
        }
    }
    // Drop leading zeros of the integer part, keeping one.
    std::size_t lead = 0;
    while (lead + 1 < static_cast<std::size_t>(intDigits) && digits[lead] == '0')
        ++lead;
    std::string text = digits.substr(lead, intDigits - lead);
    if (decimals > 0)
        text += '.' + digits.substr(intDigits);
    if (x < 0)
        text.insert(0, 1, '-');
    return PadLeft(text);
}

} // namespace orvik
