#pragma once

#include "shell/Pictures.h"
#include "workbook/LabState.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace orvik {

class Dialogs;
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

// The 22 windows, created once each, in this order (see WindowSet.cpp).
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
};

// What every window is handed: the lab state, the dialogs, the shared
// pictures and off-screen graph picture, and the other windows.
class AppContext {
public:
    AppContext(LabState& state, Dialogs& dialogs);

    LabState& state;
    Dialogs& dialogs;
    Pictures pictures;  // painted by the splash window at its creation
    QImage GraphBitmap; // 1600 x 1200, created by the splash window
    Windows windows;

    Workbook& workbook() { return state.workbook; }
    QWidget* mainWindow() const;

    // The hint popup with TextStore entry `index`.
    void ShowHintText(int index);
    // The task text window with TextStore entry 63 + `index`.
    void ShowTaskText(int index);
    // The variant's task: entry `offset` + the variant number of sVar.
    // Throws Error when sVar is not a whole number.
    void ShowVariantTask(int offset);
    // The guide at its lab-work page, as "2. Выполнение лабораторных" opens it.
    void OpenGuide();
    // The guide at `page` with an item preselected (or the page's default).
    void ShowGuide(int page, std::optional<int> preselect);
    // A calculation marks its part done and the workbook modified.
    void MarkDone(int part);
    // The student texts changed (new workbook, opened file, student data):
    // the main window shows them again.
    void StudentDataChanged();

    // Student texts as UTF-8 for the windows.
    static QString FromWorkbookText(const std::string& cp1251);
    // UTF-8 text as workbook bytes; characters without a Windows-1251 code
    // become '?' (the text boxes refuse them before they get here).
    static std::string ToWorkbookText(const QString& text);
};

// Runs one event's work under the general error report (see ErrorGuard.h).
bool Guarded(AppContext& ctx, const std::function<void()>& work);

} // namespace orvik
