#include "workbook/Progress.h"

#include "game/GameRules.h"

#include <array>

namespace orvik {

namespace {

struct PartInfo {
    const char* name;
    int labWork;
};

constexpr std::array<PartInfo, kPartCount> kParts{{
    {"Расчет характеристик процессора", 1},
    {"Деловая игра", 1},
    {"Оценка характеристик задачи", 2},
    {"Расчет характеристик процессора", 2},
    {"Расчет характеристик памяти", 2},
    {"Расчет характеристик компьютера", 2},
    {"Моделирование деятельности компьютерной фирмы", 3},
}};

constexpr PartNeed kNeeds[] = {
    {PartBusinessGame, PartProcessor1, "Сначала выполните расчет характеристик процессора"},
    {PartProcessor2, PartTask, "Сначала выполните оценку характеристик задачи."},
    {PartMemory, PartProcessor2, "Сначала выполните расчет характеристик процессора."},
    {PartComputer, PartMemory, "Сначала выполните расчет характеристик памяти."},
};

bool IsPart(int part) {
    return part >= 0 && part < kPartCount;
}

} // namespace

const char* PartName(int part) {
    return IsPart(part) ? kParts[static_cast<std::size_t>(part)].name : "";
}

int PartLabWork(int part) {
    return IsPart(part) ? kParts[static_cast<std::size_t>(part)].labWork : 0;
}

std::optional<PartNeed> MissingStep(const Workbook& wb, int part) {
    for (const PartNeed& need : kNeeds)
        if (need.part == part && !wb.done(need.needs))
            return need;
    return std::nullopt;
}

std::optional<int> NeededPart(int part) {
    for (const PartNeed& need : kNeeds)
        if (need.part == part)
            return need.needs;
    return std::nullopt;
}

std::vector<int> PartsBuiltOn(int part) {
    // The memory is sized for the lab-2 processor and the computer is built
    // from both; the task and the lab-1 processor only open the way.
    if (part == PartProcessor2)
        return {PartMemory, PartComputer};
    return {};
}

void CompletePart(Workbook& wb, int part) {
    if (!IsPart(part))
        return;
    wb.PartDone[static_cast<std::size_t>(part)] = 1;
    for (const int stale : PartsBuiltOn(part))
        wb.PartDone[static_cast<std::size_t>(stale)] = 0;
}

bool GameCompletesItsPart(int yearsPlayed, bool studentBankrupt) {
    return yearsPlayed >= kGameYears && !studentBankrupt;
}

} // namespace orvik
