#pragma once

#include "processor/Technology.h"

#include <QString>

namespace orvik {

// The name of technology `index` as the windows show it; "?" for an index
// that can only come from a damaged file.
inline QString TechnologyName(int index) {
    return index >= 0 && index < static_cast<int>(TechnologyTable.size())
               ? QString::fromUtf8(TechnologyTable[static_cast<std::size_t>(index)].Name)
               : QStringLiteral("?");
}

} // namespace orvik
