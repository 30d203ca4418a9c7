#include "lab2/TaskModel.h"

#include "core/Errors.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace orvik {

namespace {

constexpr const char* kFormulaMessage =
    "Ошибка вычисления. Измените сложность алгоритма обработки.";

[[noreturn]] void Fail() {
    throw FormulaError(kFormulaMessage);
}

constexpr std::size_t kNotFound = std::string_view::npos;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// An integer literal: leading blanks, then a signed decimal number within the
// 32-bit range or an unsigned hexadecimal 32-bit pattern ("$", "x", "X", "0x",
// "0X"); nothing may follow.
std::int64_t ReadLiteral(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    if (i == s.size())
        Fail();

    std::size_t hexStart = kNotFound;
    if (s[i] == '$' || s[i] == 'x' || s[i] == 'X')
        hexStart = i + 1;
    else if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X'))
        hexStart = i + 2;

    if (hexStart != kNotFound) {
        if (hexStart == s.size())
            Fail();
        std::uint64_t value = 0;
        for (std::size_t k = hexStart; k < s.size(); ++k) {
            const int d = HexDigit(s[k]);
            if (d < 0)
                Fail();
            value = value * 16 + static_cast<std::uint64_t>(d);
            if (value > 0xFFFFFFFFu)
                Fail();
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

    bool negative = false;
    if (s[i] == '+' || s[i] == '-') {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size())
        Fail();
    std::int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            Fail();
        value = value * 10 + (s[i] - '0');
        if (value > 2147483648LL)
            Fail();
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        Fail();
    return value;
}

// An operand: N when the Latin letter N stands anywhere in it, a literal otherwise.
std::int64_t ReadOperand(std::string_view s, std::int32_t n) {
    for (const char c : s)
        if (c == 'n' || c == 'N')
            return n;
    return ReadLiteral(s);
}

std::int64_t Multiply(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        Fail();
    return r;
}

// The parts of `text` between `separator`s, combined from the right end:
// value = combine(part, value). This is what splitting at the first
// separator and grouping from the right gives, without recursion on long
// texts; `read` evaluates one part.
template <typename Read, typename Combine>
std::int64_t FoldFromRight(std::string_view text, std::string_view separator, Read read,
                           Combine combine) {
    std::size_t at = text.rfind(separator);
    if (at == kNotFound)
        return read(text);
    std::int64_t value = read(text.substr(at + separator.size()));
    for (;;) {
        const std::string_view head = text.substr(0, at);
        at = head.rfind(separator);
        const std::size_t from = at == kNotFound ? 0 : at + separator.size();
        value = combine(read(head.substr(from)), value);
        if (at == kNotFound)
            return value;
    }
}

// A product "a*b*...".
std::int64_t ReadProduct(std::string_view s, std::int32_t n) {
    return FoldFromRight(
        s, "*", [n](std::string_view part) { return ReadOperand(part, n); }, Multiply);
}

// base ** exponent, the exact value rounded to the nearest integer (ties to
// even), which must lie in the signed 64-bit range.
std::int64_t Power(std::int64_t base, std::int64_t exponent) {
    if (exponent == 0)
        return 1;
    if (base == 0) {
        if (exponent < 0)
            Fail(); // a division by zero
        return 0;
    }
    if (base == 1)
        return 1;
    if (base == -1)
        return (exponent & 1) ? -1 : 1;
    if (exponent < 0)
        return 0; // |base| >= 2: a fraction of magnitude at most 1/2, rounded to even
    std::int64_t result = 1;
    std::int64_t b = base;
    std::uint64_t e = static_cast<std::uint64_t>(exponent);
    for (;;) {
        if (e & 1)
            result = Multiply(result, b);
        e >>= 1;
        if (e == 0)
            break;
        b = Multiply(b, b); // |b| >= 2 and more factors follow: the result would not fit
    }
    return result;
}

// The whole formula: products between "**" signs, the powers grouping from
// the right. Parting the text from the right end parts it alike wherever the
// stars come singly or in pairs; a run of three or more leaves an empty
// operand whichever way it is parted.
std::int64_t ReadFormula(std::string_view text, std::int32_t n) {
    return FoldFromRight(
        text, "**", [n](std::string_view part) { return ReadProduct(part, n); }, Power);
}

} // namespace

std::int32_t EvaluateComplexity(std::string_view text, std::int32_t n) {
    const std::int64_t value = ReadFormula(text, n);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        Fail();
    return static_cast<std::int32_t>(value);
}

void ComputeTask(TaskRecord& task, const std::function<void()>& onFormulaError) {
    // The window keeps N in 0..10000; only a damaged or edited file holds more.
    if (task.InputCount < 0 || task.InputCount > 10000)
        throw Error("Недопустимое число независимых входных N: " + std::to_string(task.InputCount) +
                    " (допустимо от 0 до 10000): задайте его заново в окне оценки характеристик "
                    "задачи");
    if (task.DataComplexity < 0 || task.DataComplexity >= static_cast<int>(DataFactors.size()))
        throw Error("Неизвестная сложность структуры данных (" +
                    std::to_string(task.DataComplexity) +
                    "): выберите ее заново в окне оценки характеристик задачи");

    const auto formulaFailed = [&] {
        if (onFormulaError)
            onFormulaError();
    };

    // 1. The complexity of the algorithm.
    std::int32_t f = 0;
    try {
        f = EvaluateComplexity(FormulaText(task), task.InputCount);
    } catch (const FormulaError&) {
        formulaFailed();
        f = 0;
    }

    // 2. The factor of the data structure.
    task.DataFactor = DataFactors[static_cast<std::size_t>(task.DataComplexity)];

    // 3. The duration in cycles; N = 0 has no logarithm and ends here.
    const std::int64_t n = task.InputCount;
    const auto cycles = [&](std::int32_t complexity) {
        FloatCheck flags;
        const long double a = std::pow(std::log(static_cast<long double>(n + 2)), 2.3L);
        const long double l1 = 1.44L * std::log(a * static_cast<long double>(n));
        const long double l2 = 1.44L * std::log(static_cast<long double>(n + 2));
        const std::int64_t p = (n + 2) * complexity; // at most about 2^62: fits
        const long double x = Settle(l2 * l2 * static_cast<long double>(p) / l1);
        flags.check();
        if (std::isnan(x))
            throw Error(kInvalidOperation);
        return std::nearbyint(std::fabs(x)); // ties to even
    };

    long double rounded = cycles(f);
    if (rounded > std::numeric_limits<std::int32_t>::max()) {
        formulaFailed();
        rounded = cycles(0);
    }
    // 4. The duration as a whole number of cycles.
    task.Cycles = RoundToInt32(rounded);
}

} // namespace orvik
