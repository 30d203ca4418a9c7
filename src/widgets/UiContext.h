#pragma once

#include "widgets/HelpText.h"
#include "widgets/Pictures.h"
#include "workbook/LabState.h"

#include <QImage>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace orvik {

class Dialogs;

// The windows one lab window may ask for by name: the window it opens or the
// one it lies above. The program's window set (app/) knows which is which.
enum class LabWindow {
    TaskInput,
    ProcessorInput,
    ProcessorResults,
    Graph,
    CurveTable,
    MemoryInput,
    MemoryResults,
    ComputerInput,
    ComputerResults,
    FirmInput,
    FirmResults,
    FirmAllKits,
    TitlePage,
    GraphPage,
    Game,
};

// What every window below app/ is handed: the lab state, the dialogs, the
// shared pictures and off-screen graph picture, and the named ways to the
// rest of the program (hint, task text, guide, lab part, other windows).
class UiContext {
public:
    UiContext(LabState& state, Dialogs& dialogs);
    virtual ~UiContext() = default;
    UiContext(const UiContext&) = delete;
    UiContext& operator=(const UiContext&) = delete;

    LabState& state;
    Dialogs& dialogs;
    Pictures pictures;  // painted by the splash window at its creation
    QImage GraphBitmap; // null until a graph is drawn; at most 1600 x 1200

    // GraphBitmap to draw a w x h graph into: made the first time it is
    // needed, and made anew, larger, when a graph does not fit it (up to
    // 1600 x 1200). A graph drawn smaller leaves the rest as it was.
    QImage& GraphBitmapToDraw(int w, int h);

    Workbook& workbook() { return state.workbook; }

    // The main window: the one a lab window centres on and disables.
    virtual QWidget* mainWindow() const = 0;
    // The hint popup with TextStore entry `index`, placed beside `from` (the
    // button or control it explains) or else beside the button clicked.
    virtual void ShowHintText(int index, const QWidget* from = nullptr) = 0;
    // The task text window with TextStore entry 63 + `index`.
    virtual void ShowTaskText(int index) = 0;
    // The guide at its lab-work page, as "2. Выполнение лабораторных" opens it.
    virtual void OpenGuide() = 0;
    // The input window of lab part `part`, when its prerequisites are done.
    virtual void OpenLabPart(int part) = 0;
    // The student texts changed: the main window shows them again.
    virtual void StudentDataChanged() = 0;
    // The window named `which`, or nullptr before the windows exist.
    virtual QWidget* window(LabWindow which) const = 0;
    template <typename W> W* window(LabWindow which) const {
        return dynamic_cast<W*>(window(which));
    }

    // The variant's task: entry `offset` + the variant number of sVar.
    // Throws Error when sVar is not a whole number, or one outside 1..10
    // (no task to show).
    void ShowVariantTask(int offset);
    // A calculation marks its part done, the parts built on its earlier
    // results not done (see workbook/Progress.h), and the workbook modified.
    void MarkDone(int part);
    // A lab window closes: the guide comes back when it starts by itself.
    void ReturnToGuide();

    // Student texts as UTF-8 for the windows.
    static QString FromWorkbookText(const std::string& cp1251);
    // A text for one line of a window: line breaks (CR LF as one), tabs and
    // the other control characters (only a damaged or foreign file holds
    // them) as blanks.
    static QString OneLine(QString text);
    // UTF-8 text as workbook bytes; characters without a Windows-1251 code
    // become '?' (the text boxes refuse them before they get here).
    static std::string ToWorkbookText(const QString& text);
};

// Runs one event's work under the general error report (see ErrorGuard.h).
bool Guarded(UiContext& ctx, const std::function<void()>& work);

} // namespace orvik
