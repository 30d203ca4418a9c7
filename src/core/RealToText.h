#pragma once

#include <string>

namespace orvik {

// Fixed-point text of x with `decimals` digits after a full stop (none for 0),
// right-aligned in at least 6 characters. The magnitude is first taken to 18
// significant digits, then cut at the last digit shown, rounding half up in
// magnitude; a negative x keeps its "-" even when every digit shown is 0.
std::string RealToText(double x, int decimals);

} // namespace orvik
