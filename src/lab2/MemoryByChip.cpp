#include "lab2/MemoryByChip.h"

#include "core/RestoreOnExit.h"

#include <cstdint>

namespace orvik {

std::array<MemoryRecord, ChipTable.size()> ComputeMemoryByChip(MemoryRecord& memory,
                                                               double defectFactor) {
    std::array<MemoryRecord, ChipTable.size()> rows{};
    {
        const RestoreOnExit restore(memory.ChipType);
        for (std::size_t chip = 0; chip < ChipTable.size(); ++chip) {
            memory.ChipType = static_cast<std::int32_t>(chip);
            ComputeMemory(memory, defectFactor);
            rows[chip] = memory;
        }
    }
    ComputeMemory(memory, defectFactor);
    return rows;
}

} // namespace orvik
