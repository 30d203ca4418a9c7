#include "app/WindowSet.h"

#include "app/AppContext.h"
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
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
#include "report/ReportWindow.h"
#include "report/TitlePage.h"
#include "shell/AboutWindow.h"
#include "shell/HintWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"

#include <QEvent>
#include <QPointer>

namespace orvik {

namespace {

// QWidget::destroy() is protected; this names it through a class that makes
// it public, which C++ allows for a pointer to the base class's member.
struct NativeWindow : QWidget {
    using QWidget::destroy;
};

} // namespace

template <typename W> void WindowSet::offer(WindowSlot<W>& slot) {
    slot.make_ = [this]() -> W* {
        if (ending_)
            return nullptr;
        auto window = std::make_unique<W>(ctx_);
        W* raw = window.get();
        raw->installEventFilter(this);
        owned_.push_back(std::move(window));
        return raw;
    };
    slots_.push_back([&slot]() -> QWidget* { return slot.get(); });
}

std::vector<QWidget*> WindowSet::all() const {
    std::vector<QWidget*> windows;
    for (const auto& slot : slots_)
        windows.push_back(slot());
    return windows;
}

WindowSet::WindowSet(AppContext& ctx) : ctx_(ctx) {
    Windows& w = ctx.windows;
    offer(w.splash);
    offer(w.main);
    offer(w.guide);
    offer(w.about);
    offer(w.processorInput);
    offer(w.processorResults);
    offer(w.graph);
    offer(w.curveTable);
    offer(w.studentData);
    offer(w.task);
    offer(w.memoryInput);
    offer(w.memoryResults);
    offer(w.computerInput);
    offer(w.computerResults);
    offer(w.hint);
    offer(w.firmInput);
    offer(w.firmAllKits);
    offer(w.firmResults);
    offer(w.taskText);
    offer(w.report);
    offer(w.titlePage);
    offer(w.graphPage);
    offer(w.game);
    w.splash.get(); // sets ProgramDir and the pictures
    w.main.get();   // resets the workbook
}

WindowSet::~WindowSet() {
    ending_ = true;
    while (!owned_.empty())
        owned_.pop_back();
    ctx_.windows = {};
}

bool WindowSet::eventFilter(QObject* watched, QEvent* event) {
    // Hidden by the program (not minimised by the user): the window's
    // buffers go back to the window system once the hiding is over.
    if (event->type() == QEvent::Hide && !event->spontaneous())
        if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
            releaseWhenStillHidden(window);
    return false;
}

void WindowSet::releaseWhenStillHidden(QWidget* window) {
    // close() takes the native window away but keeps the backing store and
    // its pixels; destroy() gives both back.
    QMetaObject::invokeMethod(
        this,
        [window = QPointer<QWidget>(window)] {
            if (window && !window->isVisible() &&
                (window->backingStore() || window->testAttribute(Qt::WA_WState_Created)))
                (window->*(&NativeWindow::destroy))(true, true);
        },
        Qt::QueuedConnection);
}

} // namespace orvik
