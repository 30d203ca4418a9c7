#include "app/AppContext.h"

#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmInputWindow.h"
#include "firm/FirmResultsWindow.h"
#include "game/GameWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerResultsWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/MemoryResultsWindow.h"
#include "lab2/TaskWindow.h"
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
    return windows.main.get();
}

void AppContext::ShowHintText(int index, const QWidget* from) {
    if (windows.hint)
        windows.hint->ShowHintText(index, from);
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
    case LabWindow::TaskInput:
        return windows.task.get();
    case LabWindow::ProcessorInput:
        return windows.processorInput.get();
    case LabWindow::ProcessorResults:
        return windows.processorResults.get();
    case LabWindow::Graph:
        return windows.graph.get();
    case LabWindow::CurveTable:
        return windows.curveTable.get();
    case LabWindow::MemoryInput:
        return windows.memoryInput.get();
    case LabWindow::MemoryResults:
        return windows.memoryResults.get();
    case LabWindow::ComputerInput:
        return windows.computerInput.get();
    case LabWindow::ComputerResults:
        return windows.computerResults.get();
    case LabWindow::FirmInput:
        return windows.firmInput.get();
    case LabWindow::FirmResults:
        return windows.firmResults.get();
    case LabWindow::FirmAllKits:
        return windows.firmAllKits.get();
    case LabWindow::TitlePage:
        return windows.titlePage.get();
    case LabWindow::GraphPage:
        return windows.graphPage.get();
    case LabWindow::Game:
        return windows.game.get();
    }
    return nullptr;
}

} // namespace orvik
