#pragma once

#include "core/RealToText.h"

#include <QString>

namespace orvik {

// A real with `decimals` decimals as the windows and pages show it in a cell:
// the program's own formatting, without its padding.
inline QString TrimmedReal(double value, int decimals) {
    return QString::fromStdString(RealToText(value, decimals)).trimmed();
}

} // namespace orvik
