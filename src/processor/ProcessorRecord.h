#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace orvik {

static_assert(std::endian::native == std::endian::little,
              "records are stored byte for byte in little-endian order");

// One processor: five inputs and the results of ComputeProcessor. The byte
// layout is that of the workbook file (circuit variants, lab work 2, curve rows).
struct ProcessorRecord {
    std::int32_t Technology;
    std::uint8_t Padding0[4];
    double DefectFactor;
    double MinFeature;
    double ChipArea;
    std::int32_t DeviceIntegration;
    std::int32_t ChipIntegration;
    double Power;
    double GateDelay;
    double Yield;
    double ChipCost;
    double GateCost;
    double ChipFailureRate;
    std::int32_t ChipCount;
    std::int32_t AluCount;
    double Frequency;
    double Mtbf;
    double ProcessorCost;
    std::uint8_t HasGoodChips; // 0 or 1; any other byte from a damaged file reads as set
    std::uint8_t Padding1[7];
};

static_assert(std::is_standard_layout_v<ProcessorRecord> &&
              std::is_trivially_copyable_v<ProcessorRecord>);
static_assert(sizeof(ProcessorRecord) == 128);
static_assert(offsetof(ProcessorRecord, Technology) == 0);
static_assert(offsetof(ProcessorRecord, Padding0) == 4);
static_assert(offsetof(ProcessorRecord, DefectFactor) == 8);
static_assert(offsetof(ProcessorRecord, MinFeature) == 16);
static_assert(offsetof(ProcessorRecord, ChipArea) == 24);
static_assert(offsetof(ProcessorRecord, DeviceIntegration) == 32);
static_assert(offsetof(ProcessorRecord, ChipIntegration) == 36);
static_assert(offsetof(ProcessorRecord, Power) == 40);
static_assert(offsetof(ProcessorRecord, GateDelay) == 48);
static_assert(offsetof(ProcessorRecord, Yield) == 56);
static_assert(offsetof(ProcessorRecord, ChipCost) == 64);
static_assert(offsetof(ProcessorRecord, GateCost) == 72);
static_assert(offsetof(ProcessorRecord, ChipFailureRate) == 80);
static_assert(offsetof(ProcessorRecord, ChipCount) == 88);
static_assert(offsetof(ProcessorRecord, AluCount) == 92);
static_assert(offsetof(ProcessorRecord, Frequency) == 96);
static_assert(offsetof(ProcessorRecord, Mtbf) == 104);
static_assert(offsetof(ProcessorRecord, ProcessorCost) == 112);
static_assert(offsetof(ProcessorRecord, HasGoodChips) == 120);
static_assert(offsetof(ProcessorRecord, Padding1) == 121);

// Dependency-curve rows: 3 sets (defect coefficients 0.5, 1.0, 5.0) of 50 points.
using CurveSet = std::array<ProcessorRecord, 50>;
using CurveTableData = std::array<CurveSet, 3>;

} // namespace orvik
