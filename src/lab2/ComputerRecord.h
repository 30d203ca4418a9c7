#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace orvik {

// The whole computer of lab work 2, as stored in the workbook file.
struct ComputerRecord {
    std::int32_t CacheSize;   // KB
    std::int32_t CacheTime;   // ns
    std::uint8_t UsesStorage; // 0 or 1
    std::uint8_t Padding0[3];
    std::int32_t StorageCycle;     // ms
    std::int32_t StorageSize;      // MB
    std::uint8_t AccessCountKnown; // 0 or 1
    std::uint8_t Padding1[3];
    std::int32_t GivenAccesses;
    std::int32_t StorageAccesses; // result
    std::int32_t ComputerCost;    // result
    std::int32_t CostPerMips;     // result
    double TaskTime;              // result, ms
    double Performance;           // result, MIPS
};

static_assert(std::is_standard_layout_v<ComputerRecord> &&
              std::is_trivially_copyable_v<ComputerRecord>);
static_assert(sizeof(ComputerRecord) == 56);
static_assert(offsetof(ComputerRecord, UsesStorage) == 8);
static_assert(offsetof(ComputerRecord, StorageCycle) == 12);
static_assert(offsetof(ComputerRecord, StorageSize) == 16);
static_assert(offsetof(ComputerRecord, AccessCountKnown) == 20);
static_assert(offsetof(ComputerRecord, GivenAccesses) == 24);
static_assert(offsetof(ComputerRecord, StorageAccesses) == 28);
static_assert(offsetof(ComputerRecord, ComputerCost) == 32);
static_assert(offsetof(ComputerRecord, CostPerMips) == 36);
static_assert(offsetof(ComputerRecord, TaskTime) == 40);
static_assert(offsetof(ComputerRecord, Performance) == 48);

} // namespace orvik
