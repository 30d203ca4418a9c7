#pragma once

#include "widgets/UiContext.h"

#include <QPointer>

#include <functional>
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

// One window of the program: made the first time it is asked for (by the
// window set, see WindowSet.cpp), then kept until the program ends.
template <typename W> class WindowSlot {
public:
    // The window, made now if it does not exist yet; nullptr once the
    // window set has ended (or in a context without one).
    W* get() const {
        if (!window_ && make_)
            window_ = make_();
        return window_;
    }
    W* operator->() const { return get(); }
    // The window if it has been made, without making it.
    W* existing() const { return window_; }
    explicit operator bool() const { return get() != nullptr; }

private:
    friend class WindowSet;
    mutable QPointer<W> window_;
    std::function<W*()> make_;
};

// The 23 windows. The splash and main windows are made at start; the others
// when the program first needs them.
struct Windows {
    WindowSlot<SplashWindow> splash;                     // TForm3
    WindowSlot<MainWindow> main;                         // TForm1
    WindowSlot<GuideWindow> guide;                       // TForm2
    WindowSlot<AboutWindow> about;                       // TForm4
    WindowSlot<ProcessorInputWindow> processorInput;     // TForm5
    WindowSlot<ProcessorResultsWindow> processorResults; // TForm6
    WindowSlot<GraphWindow> graph;                       // TForm7
    WindowSlot<CurveTableWindow> curveTable;             // TForm8
    WindowSlot<StudentDataDialog> studentData;           // TForm9
    WindowSlot<TaskWindow> task;                         // TForm10
    WindowSlot<MemoryInputWindow> memoryInput;           // TForm11
    WindowSlot<MemoryResultsWindow> memoryResults;       // TForm12
    WindowSlot<ComputerInputWindow> computerInput;       // TForm13
    WindowSlot<ComputerResultsWindow> computerResults;   // TForm14
    WindowSlot<HintWindow> hint;                         // TForm15
    WindowSlot<FirmInputWindow> firmInput;               // TForm16
    WindowSlot<FirmAllKitsWindow> firmAllKits;           // TForm17
    WindowSlot<FirmResultsWindow> firmResults;           // TForm18
    WindowSlot<TaskTextWindow> taskText;                 // TForm19
    WindowSlot<ReportWindow> report;                     // TForm20
    WindowSlot<TitlePage> titlePage;                     // TForm21
    WindowSlot<GraphPage> graphPage;                     // TForm22
    WindowSlot<GameWindow> game;                         // TForm23
};

// The program's context: the named ways of UiContext carried out on the 23
// windows, which it alone knows.
class AppContext : public UiContext {
public:
    AppContext(LabState& state, Dialogs& dialogs);

    Windows windows;

    QWidget* mainWindow() const override;
    void ShowHintText(int index, const QWidget* from = nullptr) override;
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
