#pragma once

#include "lab2/TaskRecord.h"

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace orvik {

// A formula that is not a formula of the complexity language, or whose
// value cannot be formed.
class FormulaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Evaluates a complexity formula (Windows-1251 text, used as it stands) for N.
// Throws FormulaError; the value must fit a signed 32-bit integer.
std::int32_t EvaluateComplexity(std::string_view text, std::int32_t n);

inline constexpr std::array<double, 3> DataFactors{0.004, 0.008, 0.016};

// Estimates Cycles and DataFactor of the task. An evaluation error calls
// onFormulaError (the window shows its message) and goes on with F = 0.
// Throws Error for an arithmetic error (N = 0), N outside 0..10000 or a grade
// outside 0..2.
void ComputeTask(TaskRecord& task, const std::function<void()>& onFormulaError);

} // namespace orvik
