#include "app/AppContext.h"

#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmResultsWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerResultsWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/MemoryResultsWindow.h"
#include "processor/CurveTableWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/GraphPage.h"
#include "report/TitlePage.h"
#include "shell/HintWindow.h"
#include "shell/TaskTextWindow.h"

namespace orvik {

AppContext::AppContext(LabState& labState, Dialogs& dialogBoxes)
    : UiContext(labState, dialogBoxes) {}

QWidget* AppContext::mainWindow() const {
    return windows.main;
}

void AppContext::ShowHintText(int index) {
    if (windows.hint)
        windows.hint->ShowHintText(index);
}

void AppContext::ShowTaskText(int index) {
    if (windows.taskText)
        windows.taskText->ShowTaskText(index);
}

void AppContext::OpenGuide() {
    ShowGuide(0, std::nullopt);
}

void AppContext::OpenLabPart(int part) {
    if (windows.guide)
        windows.guide->OpenLabPart(part);
}

void AppContext::ShowGuide(int page, std::optional<int> preselect) {
    if (!windows.guide)
        return;
    windows.guide->SetGuidePage(page, preselect);
    windows.guide->show();
    windows.guide->raise();
    windows.guide->activateWindow();
}

void AppContext::StudentDataChanged() {
    if (windows.main)
        windows.main->refreshStudent();
}

QWidget* AppContext::window(LabWindow which) const {
    switch (which) {
    case LabWindow::ProcessorInput:
        return windows.processorInput;
    case LabWindow::ProcessorResults:
        return windows.processorResults;
    case LabWindow::Graph:
        return windows.graph;
    case LabWindow::CurveTable:
        return windows.curveTable;
    case LabWindow::MemoryInput:
        return windows.memoryInput;
    case LabWindow::MemoryResults:
        return windows.memoryResults;
    case LabWindow::ComputerInput:
        return windows.computerInput;
    case LabWindow::ComputerResults:
        return windows.computerResults;
    case LabWindow::FirmResults:
        return windows.firmResults;
    case LabWindow::FirmAllKits:
        return windows.firmAllKits;
    case LabWindow::TitlePage:
        return windows.titlePage;
    case LabWindow::GraphPage:
        return windows.graphPage;
    }
    return nullptr;
}

} // namespace orvik
