#pragma once

#include "lab2/MemoryModel.h"

#include <array>

namespace orvik {

// The memory computed with each chip of ChipTable, in the table's order. The
// record then gets its own chip back and holds its own results again; an
// error ends the comparison and still gives the chip back.
std::array<MemoryRecord, ChipTable.size()> ComputeMemoryByChip(MemoryRecord& memory,
                                                               double defectFactor);

} // namespace orvik
