#pragma once

#include "firm/FirmModel.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/ProcessorModel.h"
#include "workbook/Workbook.h"

namespace orvik::test {

// Computes every lab of the workbook once, as the windows would (circuit
// variant 2 as GaAs), without marking any part done.
inline void ComputeAllLabs(Workbook& wb) {
    ComputeProcessor(wb.Circuit1);
    wb.Circuit2.Technology = 4; // GaAs
    ComputeProcessor(wb.Circuit2);
    ComputeTask(wb.Task, [] {});
    ComputeProcessor(wb.Lab2Processor);
    ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
    ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
    ComputeFirm(wb.Firm);
}

} // namespace orvik::test
