#pragma once

#include "core/RealToText.h"

#include <QString>

namespace orvik {

// A real with `decimals` decimals in the program's own formatting, padded
// as that writes it (the result windows align their values on it).
inline QString RealText(double value, int decimals) {
    return QString::fromStdString(RealToText(value, decimals));
}

// The same without its padding, as a cell, a chart label or a spin box shows it.
inline QString TrimmedReal(double value, int decimals) {
    return RealText(value, decimals).trimmed();
}

} // namespace orvik
