#include "lab2/MemoryModel.h"

#include "core/Errors.h"

#include <cmath>
#include <string>

namespace orvik {

void ComputeMemory(MemoryRecord& memory, double defectFactor) {
    if (memory.ChipType < 0 || memory.ChipType >= static_cast<int>(ChipTable.size()))
        throw Error("Неизвестный тип БИС ЗУ (" + std::to_string(memory.ChipType) +
                    "): выберите БИС ЗУ заново");
    // The window keeps its inputs in range; only a damaged or edited file
    // holds other values.
    const auto checkRange = [](std::int32_t value, std::int32_t low, std::int32_t high,
                               const char* what) {
        if (value < low || value > high)
            throw Error(std::string("Недопустимое значение \"") + what +
                        "\": " + std::to_string(value) + " (допустимо от " + std::to_string(low) +
                        " до " + std::to_string(high) + ")");
    };
    checkRange(memory.Capacity, 8, 10000, "Объем ЗУ в словах, Мслов");
    checkRange(memory.WordBits, 16, 80, "Размер слова ЗУ в битах");
    checkRange(memory.AccessTime, 5, 500, "Время выборки, нс");

    const MemoryChip& chip = ChipTable[static_cast<std::size_t>(memory.ChipType)];
    const long double mb = chip.CapacityMbit;
    const long double area = chip.DieArea;
    const long double lambda = chip.MinFeature;
    const long double lambda2 = lambda * lambda;
    const long double d = defectFactor;
    const long double m = memory.Capacity;
    const long double w = memory.WordBits;

    FloatCheck flags;

    // 1. Cycle time.
    const long double cycle = Settle(1.5L * memory.AccessTime);

    // 2. Dies per wafer and the cost of one die.
    const long double edge = 5 / std::sqrt(area / 100) - 1;
    const long double g = 3.14L * (edge * edge);
    const long double k = 100 / g;

    // 3. Yield.
    const long double y = std::exp(-2 * std::log(1 + (d / lambda2) * area / 100));

    // 4. Chips in the store, W + 7 bits per word.
    const long double q = (m / mb) * (w + 7);

    // 5. Cost.
    const long double cost = Settle((k / y + 1) * q * 4);

    // 6. Failure rate of one chip.
    const long double r =
        ((0.00065L / lambda2 + 0.006L) * 35 + 0.018L + (0.0034L * lambda2 + 0.01L) * 15 / lambda2) /
        100000;

    // 7. What the failure rate of one chip is divided by in step 8.
    const long double x = std::sqrt(m * 1000000) * (1.22L * w / (w + 7));

    // 8. Mean time between failures.
    const long double mtbf = Settle((1 / q) / (r / x + 2.4e-6L));

    flags.check();
    const std::int32_t cycleTime = RoundToInt32(cycle);
    const std::int32_t memoryCost = RoundToInt32(cost);
    const std::int32_t memoryMtbf = RoundToInt32(mtbf);
    memory.CycleTime = cycleTime;
    memory.MemoryCost = memoryCost;
    memory.MemoryMtbf = memoryMtbf;
}

} // namespace orvik
