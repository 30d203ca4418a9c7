#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace orvik {

// The firm of lab work 3: the chosen kit, the hours a day, and the results.
struct FirmRecord {
    std::int32_t Grade[4]; // 1 = high reliability, anything else standard
    std::int32_t Hours;    // 1..24
    std::int32_t Price[4];
    std::uint8_t Padding0[4];
    double FailureRate[4];
    std::int32_t Repairs[4];
    std::int32_t KitPrice;
    std::int32_t SalesVolume;
    std::int32_t SalesProfit;
    std::int32_t WarrantyCost;
    std::int32_t ActivityProfit;
    std::uint8_t Padding1[4];
};

static_assert(std::is_standard_layout_v<FirmRecord> && std::is_trivially_copyable_v<FirmRecord>);
static_assert(sizeof(FirmRecord) == 112);
static_assert(offsetof(FirmRecord, Hours) == 16);
static_assert(offsetof(FirmRecord, Price) == 20);
static_assert(offsetof(FirmRecord, Padding0) == 36);
static_assert(offsetof(FirmRecord, FailureRate) == 40);
static_assert(offsetof(FirmRecord, Repairs) == 72);
static_assert(offsetof(FirmRecord, KitPrice) == 88);
static_assert(offsetof(FirmRecord, SalesVolume) == 92);
static_assert(offsetof(FirmRecord, SalesProfit) == 96);
static_assert(offsetof(FirmRecord, WarrantyCost) == 100);
static_assert(offsetof(FirmRecord, ActivityProfit) == 104);
static_assert(offsetof(FirmRecord, Padding1) == 108);

} // namespace orvik
