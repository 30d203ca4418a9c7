// Fuzz target: a complexity formula with an input count. The first four
// bytes are N (little-endian), the fifth picks the data complexity (also
// values no window offers), the rest is the formula text as the student types
// it. Evaluation either gives a 32-bit value or a FormulaError; the task
// estimate either completes or raises an Error, and never leaves a result
// that could not be shown.

#include "FuzzSupport.h"

#include "core/Errors.h"
#include "lab2/TaskModel.h"

#include <cmath>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvik;
    if (size < 5)
        return 0;
    std::int32_t n = 0;
    std::memcpy(&n, data, sizeof n);
    const std::int32_t complexity = static_cast<std::int8_t>(data[4]) % 4;
    const std::string_view text(reinterpret_cast<const char*>(data + 5), size - 5);

    try {
        (void)EvaluateComplexity(text, n);
    } catch (const FormulaError&) {
    }

    TaskRecord task{};
    task.InputCount = n;
    task.DataComplexity = complexity;
    SetFormulaText(task, std::string(text));
    const TaskRecord before = task;
    bool formulaFailed = false;
    try {
        ComputeTask(task, [&] { formulaFailed = true; });
    } catch (const Error&) {
        return 0;
    }
    if (task.Cycles < 0)
        fuzz::Broken("a negative cycle count");
    if (!std::isfinite(task.DataFactor))
        fuzz::Broken("a data factor that is not a number");
    if (task.InputCount != before.InputCount || task.DataComplexity != before.DataComplexity ||
        std::memcmp(task.Formula, before.Formula, sizeof task.Formula) != 0)
        fuzz::Broken("the estimate changed an input of the task");
    (void)formulaFailed;
    return 0;
}
