#pragma once

#include "processor/Curves.h"
#include "processor/ProcessorRecord.h"
#include "shell/TextStore.h"
#include "workbook/Workbook.h"

#include <string>

namespace orvik {

// The whole state of one run: the saved workbook and the transient state
// beside it. The program makes exactly one; tests make their own.
struct LabState {
    Workbook workbook;
    std::string WorkbookFileName; // UTF-8 path; empty for a new workbook
    bool WorkbookModified = false;
    int CurrentPart = 0;
    ProcessorRecord Working{}; // scratch record of the processor model
    CurveResults Curves;       // area curve and sweep start of the last curve computation
    int GraphKind = 0;
    TextStore Texts;
    std::string ProgramDir; // the program's directory, ending in '/'
};

// Makes the workbook a new one: default inputs in every record, no part
// done, the default student data, no file name, not modified. GuideAutoStart
// and CurrentPart stay as they are.
void ResetWorkbook(LabState& state);

} // namespace orvik
