#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace orvik {

// The task estimate of lab work 2, as stored in the workbook file.
struct TaskRecord {
    std::int32_t Cycles;
    std::int32_t InputCount;
    std::int32_t DataComplexity; // 0 low, 1 medium, 2 high
    std::uint8_t Padding0[4];
    double DataFactor;
    std::uint8_t Formula[256]; // length byte, then up to 255 Windows-1251 characters
};

static_assert(std::is_standard_layout_v<TaskRecord> && std::is_trivially_copyable_v<TaskRecord>);
static_assert(sizeof(TaskRecord) == 280);
static_assert(offsetof(TaskRecord, Cycles) == 0);
static_assert(offsetof(TaskRecord, InputCount) == 4);
static_assert(offsetof(TaskRecord, DataComplexity) == 8);
static_assert(offsetof(TaskRecord, Padding0) == 12);
static_assert(offsetof(TaskRecord, DataFactor) == 16);
static_assert(offsetof(TaskRecord, Formula) == 24);

// The formula text (Windows-1251 bytes) of the record.
inline std::string FormulaText(const TaskRecord& task) {
    return std::string(reinterpret_cast<const char*>(task.Formula) + 1, task.Formula[0]);
}

// Stores the first 255 bytes of text; the bytes behind them keep their contents.
inline void SetFormulaText(TaskRecord& task, const std::string& text) {
    const std::size_t n = text.size() < 255 ? text.size() : 255;
    task.Formula[0] = static_cast<std::uint8_t>(n);
    for (std::size_t i = 0; i < n; ++i)
        task.Formula[1 + i] = static_cast<std::uint8_t>(text[i]);
}

} // namespace orvik
