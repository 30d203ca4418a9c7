#include "core/Errors.h"

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orvik {

FloatCheck::FloatCheck(Steps steps) : steps_(steps) {
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

// Stores a whole number that fits in Int. On x86 it is stored in the current
// rounding mode, which keeps it exact: a cast would switch the x87 unit to
// truncation and back, and each switch waits for all the arithmetic before
// it, a stall the curve sweeps would pay at every point.
template <typename Int> Int StoreWhole(long double whole) {
#if defined(__x86_64__) || defined(__i386__)
    Int out;
    if constexpr (sizeof(Int) == 4)
        asm("fistpl %0" : "=m"(out) : "t"(whole) : "st");
    else
        asm("fistpll %0" : "=m"(out) : "t"(whole) : "st");
    return out;
#else
    return static_cast<Int>(whole);
#endif
}

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
    return StoreWhole<Int>(r);
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
