// Fuzz target: RealToText on any double (eight bytes, NaNs and infinities
// included) with a decimal count from -4 to 40 (callers pass 0..8).
// Checked: at least 6 characters, blanks only in front, a full stop exactly
// when decimals > 0 followed by exactly that many digits, a "-" exactly when
// x < 0, and for |x| < 1e15 the text reads back to within half a unit of the
// last place shown.

#include "FuzzSupport.h"

#include "core/RealToText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvik;
    if (size < 9)
        return 0;
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    const int decimals = static_cast<int>(data[8] % 45) - 4;

    const std::string text = RealToText(x, decimals);
    if (text.size() < 6)
        fuzz::Broken("text shorter than 6 characters");
    if (std::isnan(x) || std::isinf(x))
        return 0;

    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        fuzz::Broken("a text of blanks only");
    if (i > 0 && text.size() != 6)
        fuzz::Broken("leading blanks in a text longer than 6 characters");
    const bool minus = text[i] == '-';
    if (minus != (x < 0))
        fuzz::Broken("a minus sign exactly when x < 0");
    if (minus)
        ++i;
    const std::size_t point = text.find('.');
    if ((point != std::string::npos) != (decimals > 0))
        fuzz::Broken("a full stop exactly when decimals > 0");
    const std::size_t intEnd = point == std::string::npos ? text.size() : point;
    if (intEnd == i)
        fuzz::Broken("no digit before the full stop");
    for (std::size_t k = i; k < text.size(); ++k)
        if (k != point && (text[k] < '0' || text[k] > '9'))
            fuzz::Broken("a character that is not a digit");
    if (intEnd - i > 1 && text[i] == '0')
        fuzz::Broken("a leading zero");
    if (decimals > 0 && text.size() - point - 1 != static_cast<std::size_t>(decimals))
        fuzz::Broken("the wrong number of decimals");

    if (std::fabs(x) < 1e15) {
        const long double back = std::strtold(text.c_str(), nullptr);
        const long double unit =
            std::pow(10.0L, -static_cast<long double>(decimals > 0 ? decimals : 0));
        // Half a unit of the last place, plus the first rounding to 18
        // significant digits.
        const long double allowed =
            unit / 2 * (1 + 1e-15L) + std::fabs(static_cast<long double>(x)) * 1e-17L;
        if (std::fabs(back - static_cast<long double>(x)) > allowed)
            fuzz::Broken("the text does not read back to within half a unit of the last place");
    }
    return 0;
}
