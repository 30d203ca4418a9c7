#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvik {

// An error whose text is exactly what the student reads in the error report.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

// Watches the floating-point exception flags of one computation: the
// constructor clears them, check() turns a division by zero, an invalid
// operation or an overflow raised since then into an Error. Underflow and
// inexact results are normal and pass.
//
// A model looks at the flags after each step, so that the first error stops
// it where it happened; with AtEnd it leaves that to one check() by the
// caller at the end, and runs faster, since each look makes the processor
// wait for all the arithmetic before it.
class FloatCheck {
public:
    enum class Steps { EachStep, AtEnd };
    explicit FloatCheck(Steps steps = Steps::EachStep);
    void check() const;
    bool eachStep() const { return steps_ == Steps::EachStep; }

private:
    Steps steps_;
};

// Makes sure a value is really computed at this point of the program, before
// the floating-point flags are looked at: the compiler knows nothing of the
// flags and could otherwise move the arithmetic past the check.
inline long double Settle(long double x) {
    asm volatile("" : "+m"(x)::"memory");
    return x;
}

// Rounds to the nearest integer, ties to the even one. A NaN or a result
// outside the 32-bit (64-bit) range is an Error, never undefined behaviour.
std::int32_t RoundToInt32(long double x);
std::int64_t RoundToInt64(long double x);

// Reads a whole decimal number as the lab windows' variant text must be
// ("'abc' is not a valid integer value" otherwise).
std::int32_t TextToInt(const std::string& text);

} // namespace orvik
