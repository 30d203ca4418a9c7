#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace orvik {

// The main memory of lab work 2, as stored in the workbook file.
struct MemoryRecord {
    std::int32_t Capacity;   // millions of words
    std::int32_t WordBits;   // bits per word
    std::int32_t AccessTime; // ns
    std::int32_t ChipType;   // 0..3
    std::int32_t CycleTime;  // result, ns
    std::int32_t MemoryCost; // result
    std::int32_t MemoryMtbf; // result, hours
};

static_assert(std::is_standard_layout_v<MemoryRecord> &&
              std::is_trivially_copyable_v<MemoryRecord>);
static_assert(sizeof(MemoryRecord) == 28);
static_assert(offsetof(MemoryRecord, ChipType) == 12);
static_assert(offsetof(MemoryRecord, MemoryMtbf) == 24);

} // namespace orvik
