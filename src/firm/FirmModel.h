#pragma once

#include "firm/FirmRecord.h"

#include <array>
#include <cstdint>

namespace orvik {

// One of the four components of a kit, in the order of the record's arrays.
struct FirmComponent {
    const char* Caption;   // input and one-kit results windows (UTF-8)
    const char* TableName; // all-kits table (UTF-8)
    std::int32_t StandardPrice;
    double HighReliabilityFactor; // high-reliability price = standard price times this, rounded
    double StandardFailureRate;   // failures per hour
    double HighReliabilityFailureRate;
    std::int32_t RepairCostTenths; // cost of one repair, tenths of the component price
};

inline constexpr int FirmComponentCount = 4;
inline constexpr int FirmKitCount = 16;

inline constexpr std::array<FirmComponent, FirmComponentCount> FirmComponents{{
    {"Материнская плата", "Материнская плата", 600, 1.5, 0.00005, 0.00002, 2},
    {"Магнитные накопители", "Магнитный накопитель", 450, 1.8, 0.000067, 0.00002, 6},
    {"Цветной дисплей", "Цветной дисплей", 550, 1.7, 0.00009, 0.00004, 7},
    {"Матричный принтер", "Матричный принтер", 400, 1.5, 0.0002, 0.0001, 2},
}};

// Names of the two versions of a component, indexed by Grade.
inline constexpr std::array<const char*, 2> FirmGradeCaptions{"Стандартное", "Высоконадежное"};

// A grade selects the high-reliability version only when it is exactly 1;
// anything else a damaged file may hold counts as standard.
inline constexpr bool IsHighReliability(std::int32_t grade) {
    return grade == 1;
}

// Price of the high-reliability version of a component (900, 810, 935, 600).
// Throws Error for a component outside 0..3.
std::int32_t HighReliabilityPrice(int component);

// Kit number 1..16 of the record's grades, the motherboard being the most
// significant bit: 8·Grade[0] + 4·Grade[1] + 2·Grade[2] + Grade[3] + 1.
int FirmKitNumber(const FirmRecord& firm);

// Writes the grades of kit 1..16 into the record; throws Error for another kit.
void SetFirmKitGrades(FirmRecord& firm, int kit);

// Computes every result field of the firm record from Grade and Hours.
// Throws Error when Hours lies outside 1..24 (only a damaged file holds one);
// the record is then left as it was.
void ComputeFirm(FirmRecord& firm);

} // namespace orvik
