#include "lab2/CacheTable.h"

#include "core/RestoreOnExit.h"
#include "lab2/ComputerModel.h"

namespace orvik {

std::array<ComputerRecord, CacheTableRows> ComputeCacheTable(ComputerRecord& computer,
                                                             const TaskRecord& task,
                                                             const ProcessorRecord& processor,
                                                             const MemoryRecord& memory) {
    std::array<ComputerRecord, CacheTableRows> rows{};
    {
        const RestoreOnExit restore(computer.CacheSize, computer.CacheTime);
        for (std::size_t t = 0; t < TableCacheTimes.size(); ++t)
            for (std::size_t s = 0; s < TableCacheSizes.size(); ++s) {
                computer.CacheSize = TableCacheSizes[s];
                computer.CacheTime = TableCacheTimes[t];
                ComputeComputer(computer, task, processor, memory);
                rows[TableCacheSizes.size() * t + s] = computer;
            }
    }
    ComputeComputer(computer, task, processor, memory);
    return rows;
}

} // namespace orvik
