#pragma once

#include <string>

namespace orvik {

// A number as the game shows money and unit counts: `decimals` digits after
// a full stop, the whole part grouped by thousands with spaces
// ("194 008 460", "-25 512 345", "1 234.50").
std::string GroupedNumber(double x, int decimals = 0);

} // namespace orvik
