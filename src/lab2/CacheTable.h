#pragma once

#include "lab2/ComputerRecord.h"
#include "lab2/MemoryRecord.h"
#include "lab2/TaskRecord.h"
#include "processor/ProcessorRecord.h"

#include <array>
#include <cstdint>

namespace orvik {

// The caches the computer table compares: four sizes (KB) by three fetch times (ns).
inline constexpr std::array<std::int32_t, 4> TableCacheSizes{4, 8, 16, 32};
inline constexpr std::array<std::int32_t, 3> TableCacheTimes{10, 20, 30};
inline constexpr int CacheTableRows = 12;

// The computer computed with each of the twelve caches, row 4·t + s holding
// size s and time t (all sizes at 10 ns first). The record then gets its own
// cache back and holds its own results again; an error ends the table and
// still gives the cache back.
std::array<ComputerRecord, CacheTableRows> ComputeCacheTable(ComputerRecord& computer,
                                                             const TaskRecord& task,
                                                             const ProcessorRecord& processor,
                                                             const MemoryRecord& memory);

} // namespace orvik
