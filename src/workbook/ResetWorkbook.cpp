#include "core/Cp1251.h"
#include "processor/ProcessorModel.h"
#include "workbook/LabState.h"

namespace orvik {

namespace {

// Only the listed fields are written; results and padding keep their bytes.
void ResetTask(TaskRecord& task) {
    task.InputCount = 40;
    task.DataComplexity = 0;
    SetFormulaText(task, "10*n");
}

void ResetMemory(MemoryRecord& memory) {
    memory.Capacity = 8;
    memory.WordBits = 32;
    memory.AccessTime = 70;
    memory.ChipType = 0;
}

void ResetComputer(ComputerRecord& computer) {
    computer.CacheSize = 16;
    computer.CacheTime = 20;
    computer.UsesStorage = 0;
    computer.StorageCycle = 15;
    computer.StorageSize = 500;
    computer.AccessCountKnown = 0;
    computer.GivenAccesses = 1;
}

void ResetFirm(FirmRecord& firm) {
    for (auto& grade : firm.Grade)
        grade = 0;
    firm.Hours = 8;
}

} // namespace

void ResetWorkbook(LabState& state) {
    Workbook& wb = state.workbook;
    ResetProcessorInputs(state.Working);
    wb.Circuit1 = state.Working;
    wb.Circuit2 = state.Working;
    wb.Lab2Processor = state.Working;
    for (auto& set : wb.CurveTable)
        set.fill(state.Working);
    wb.PartDone.fill(0);
    wb.sStudent = ToCp1251("Ордин Орд Ордович");
    wb.sGroup = ToCp1251("ВВ-3-98");
    wb.sPrepod = ToCp1251("Тальгов Таль Тальгович");
    wb.sVar.assign(1, '1');
    ResetTask(wb.Task);
    ResetMemory(wb.Memory);
    ResetComputer(wb.Computer);
    ResetFirm(wb.Firm);
    wb.Game = GameState{};
    state.WorkbookFileName.clear();
    state.WorkbookModified = false;
}

} // namespace orvik
