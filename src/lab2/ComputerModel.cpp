#include "lab2/ComputerModel.h"

#include "core/Errors.h"

#include <cmath>

namespace orvik {

namespace {

// Results the windows could not show sensibly: the inputs the model reads
// from the earlier parts, or values of a damaged workbook file.
void CheckInputs(const ComputerRecord& c, const TaskRecord& task, const ProcessorRecord& p) {
    if (task.Cycles == 0)
        throw Error("Длительность выполнения программы равна нулю: выполните заново оценку "
                    "характеристик задачи");
    if (task.Cycles < 0)
        throw Error("Длительность выполнения программы отрицательна: выполните заново оценку "
                    "характеристик задачи");
    if (!(p.Frequency > 0) || !std::isfinite(p.Frequency))
        throw Error("Рабочая частота процессора должна быть положительной: выполните заново "
                    "расчет характеристик процессора");
    if (p.AluCount < 1)
        throw Error("Число устройств на кристалле должно быть не меньше 1: выполните заново "
                    "расчет характеристик процессора");
    if (c.CacheSize < 0)
        throw Error("Объем кэш-памяти не может быть отрицательным");
    if (c.UsesStorage != 0) {
        if (c.StorageSize <= 0)
            throw Error("Объем ВЗУ должен быть положительным");
        if (c.StorageCycle < 0)
            throw Error("Длительность цикла обращения к ВЗУ не может быть отрицательной");
        if (c.AccessCountKnown != 0 && c.GivenAccesses < 0)
            throw Error("Число обращений к ВЗУ не может быть отрицательным");
        if (c.AccessCountKnown == 0 && !(task.DataFactor > 0))
            throw Error("Коэффициент сложности структуры данных не задан: выполните заново "
                        "оценку характеристик задачи");
    }
}

} // namespace

void ComputeComputer(ComputerRecord& computer, const TaskRecord& task,
                     const ProcessorRecord& processor, const MemoryRecord& memory) {
    CheckInputs(computer, task, processor);

    const long double cycles = task.Cycles; // I
    const long double dataFactor = task.DataFactor;
    const long double pc = processor.ProcessorCost;
    const long double f = processor.Frequency;
    const long double u = processor.AluCount;
    const long double cm = memory.MemoryCost;
    const long double tm = memory.CycleTime;
    const long double s = computer.CacheSize;

    FloatCheck flags;

    // 1. Cache hit ratio, kept as an 8-byte real.
    const double h = static_cast<double>(Settle(1 - std::exp(-0.5L * std::pow(s, 0.33L))));

    // 2. Cost of the computer without external storage.
    flags.check();
    std::int32_t cost = RoundToInt32((1 + 0.0017L * s) * pc + cm);

    // 3. Duration of the task in ms (the bracket is in ns).
    long double taskTime = ((computer.CacheTime * static_cast<long double>(h) +
                             (1 - static_cast<long double>(h)) * tm) *
                                3 +
                            (1000 / f) * 4) *
                           cycles / u / 1000000;
    taskTime = static_cast<double>(Settle(taskTime));

    // 4. External storage.
    std::int32_t accesses = 0;
    if (computer.UsesStorage != 0) {
        const long double storageCost =
            Settle(56 * std::log(static_cast<long double>(computer.StorageSize)));
        flags.check();
        cost = RoundToInt32(static_cast<long double>(cost) + RoundToInt32(storageCost));
        if (computer.AccessCountKnown != 0) {
            accesses = computer.GivenAccesses;
        } else {
            const long double size =
                static_cast<long double>(memory.Capacity) * memory.WordBits / 8;
            const long double share =
                Settle(std::exp(-0.5L * std::pow(size / dataFactor, 0.33L)) * cycles);
            flags.check();
            accesses = RoundToInt32(share);
        }
        taskTime = static_cast<double>(
            Settle(static_cast<long double>(accesses) * computer.StorageCycle + taskTime));
    }
    flags.check();
    if (!std::isfinite(taskTime))
        throw Error(kInvalidOperation);
    if (!(taskTime > 0))
        throw Error("Длительность выполнения задания получилась неположительной: проверьте "
                    "исходные данные");

    // 5. Performance in MIPS.
    const long double performance = static_cast<double>(Settle(cycles / taskTime / 1000));

    // 6. Cost of computation per MIPS.
    const long double perMips = Settle(cost / performance);
    flags.check();
    const std::int32_t costPerMips = RoundToInt32(perMips);

    computer.StorageAccesses = accesses;
    computer.ComputerCost = cost;
    computer.CostPerMips = costPerMips;
    computer.TaskTime = static_cast<double>(taskTime);
    computer.Performance = static_cast<double>(performance);
}

} // namespace orvik
