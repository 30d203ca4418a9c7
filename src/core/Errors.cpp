#include "core/Errors.h"

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orvik {

FloatCheck::FloatCheck() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void FloatCheck::check() const {
    if (std::fetestexcept(FE_DIVBYZERO))
        throw Error(kDivisionByZero);
    if (std::fetestexcept(FE_INVALID))
        throw Error(kInvalidOperation);
    if (std::fetestexcept(FE_OVERFLOW))
        throw Error(kOverflow);
}

namespace {

template <typename Int> Int RoundTo(long double x) {
    if (std::isnan(x))
        throw Error(kInvalidOperation);
    // rintl rounds in the default mode (nearest, ties to even); unlike
    // nearbyintl it does not save and restore the floating-point state, which
    // matters in the curve sweeps. The inexact flag it may raise is ignored.
    const long double r = rintl(x);
    if (r < static_cast<long double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<long double>(std::numeric_limits<Int>::max()))
        throw Error(kInvalidOperation);
    return static_cast<Int>(r);
}

} // namespace

std::int32_t RoundToInt32(long double x) {
    return RoundTo<std::int32_t>(x);
}
std::int64_t RoundToInt64(long double x) {
    return RoundTo<std::int64_t>(x);
}

std::int32_t TextToInt(const std::string& text) {
    const auto fail = [&]() -> Error {
        return Error("'" + text + "' is not a valid integer value");
    };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i == text.size())
        throw fail();
    const char* begin = text.c_str() + i;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        throw fail();
    return static_cast<std::int32_t>(value);
}

} // namespace orvik
