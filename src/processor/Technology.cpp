#include "processor/Technology.h"

#include "core/Errors.h"

namespace orvik {

const TechnologyInfo& TechnologyAt(int index) {
    if (index < 0 || index >= static_cast<int>(TechnologyTable.size()))
        throw Error("Неизвестный тип схемотехники (" + std::to_string(index) +
                    ") в данных процессора");
    return TechnologyTable[static_cast<std::size_t>(index)];
}

} // namespace orvik
