#pragma once

#include "lab2/ComputerRecord.h"
#include "lab2/MemoryRecord.h"
#include "lab2/TaskRecord.h"
#include "processor/ProcessorRecord.h"

namespace orvik {

// Computes StorageAccesses, ComputerCost, CostPerMips, TaskTime and
// Performance of the computer from its inputs, the task, the lab-2
// processor and the memory. Throws Error with a clear message when the
// results would have no finite value (no cycles, storage size not positive).
void ComputeComputer(ComputerRecord& computer, const TaskRecord& task,
                     const ProcessorRecord& processor, const MemoryRecord& memory);

} // namespace orvik
