#pragma once

#include "widgets/UiContext.h"

#include <optional>

namespace orvik {

class SplashWindow;
class MainWindow;
class GuideWindow;
class AboutWindow;
class ProcessorInputWindow;
class ProcessorResultsWindow;
class GraphWindow;
class CurveTableWindow;
class StudentDataDialog;
class TaskWindow;
class MemoryInputWindow;
class MemoryResultsWindow;
class ComputerInputWindow;
class ComputerResultsWindow;
class HintWindow;
class FirmInputWindow;
class FirmAllKitsWindow;
class FirmResultsWindow;
class TaskTextWindow;
class ReportWindow;
class TitlePage;
class GraphPage;
class GameWindow;

// The 23 windows, created once each, in this order (see WindowSet.cpp).
struct Windows {
    SplashWindow* splash = nullptr;                     // TForm3
    MainWindow* main = nullptr;                         // TForm1
    GuideWindow* guide = nullptr;                       // TForm2
    AboutWindow* about = nullptr;                       // TForm4
    ProcessorInputWindow* processorInput = nullptr;     // TForm5
    ProcessorResultsWindow* processorResults = nullptr; // TForm6
    GraphWindow* graph = nullptr;                       // TForm7
    CurveTableWindow* curveTable = nullptr;             // TForm8
    StudentDataDialog* studentData = nullptr;           // TForm9
    TaskWindow* task = nullptr;                         // TForm10
    MemoryInputWindow* memoryInput = nullptr;           // TForm11
    MemoryResultsWindow* memoryResults = nullptr;       // TForm12
    ComputerInputWindow* computerInput = nullptr;       // TForm13
    ComputerResultsWindow* computerResults = nullptr;   // TForm14
    HintWindow* hint = nullptr;                         // TForm15
    FirmInputWindow* firmInput = nullptr;               // TForm16
    FirmAllKitsWindow* firmAllKits = nullptr;           // TForm17
    FirmResultsWindow* firmResults = nullptr;           // TForm18
    TaskTextWindow* taskText = nullptr;                 // TForm19
    ReportWindow* report = nullptr;                     // TForm20
    TitlePage* titlePage = nullptr;                     // TForm21
    GraphPage* graphPage = nullptr;                     // TForm22
    GameWindow* game = nullptr;                         // TForm23
};

// The program's context: the named ways of UiContext carried out on the 23
// windows, which it alone knows.
class AppContext : public UiContext {
public:
    AppContext(LabState& state, Dialogs& dialogs);

    Windows windows;

    QWidget* mainWindow() const override;
    void ShowHintText(int index) override;
    void ShowTaskText(int index) override;
    void OpenGuide() override;
    void OpenLabPart(int part) override;
    void StudentDataChanged() override;
    QWidget* window(LabWindow which) const override;
    using UiContext::window;

    // The guide at `page` with an item preselected (or the page's default).
    void ShowGuide(int page, std::optional<int> preselect);
};

} // namespace orvik
