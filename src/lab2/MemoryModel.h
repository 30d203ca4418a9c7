#pragma once

#include "lab2/MemoryRecord.h"

#include <array>

namespace orvik {

struct MemoryChip {
    const char* Name; // UTF-8, as the windows show it
    // Extended reals like every constant of the model's arithmetic: 0.7 as
    // an 8-byte real would move costs that lie exactly halfway.
    long double CapacityMbit;
    long double DieArea;    // mm²
    long double MinFeature; // µm
};

inline const std::array<MemoryChip, 4> ChipTable{{
    {"1 Мбит", 1, 25, 1.4L},
    {"4 Мбит", 4, 50, 1.0L},
    {"16 Мбит", 16, 100, 0.7L},
    {"64 Мбит", 64, 200, 0.5L},
}};

// Computes CycleTime, MemoryCost and MemoryMtbf of the memory built from the
// chip ChipType, with the base defect coefficient of the lab-2 processor.
// Throws Error for a chip type outside 0..3 or an arithmetic error.
void ComputeMemory(MemoryRecord& memory, double defectFactor);

} // namespace orvik
