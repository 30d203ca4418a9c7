// Starts the program as a student would and reports what it cost:
//   orvik_tour program  starts the program and ends once the main window has
//                       been painted (the start-up the student waits for;
//                       the guide, which opens over it, comes after);
//   orvik_tour tour     starts the program, then opens every window, computes
//                       every lab part, plays a year of the business game,
//                       draws a graph and closes each window
//                       again, prints the process's peak resident size and
//                       ends, without tearing the windows down;
//   orvik_tour bare     the floor of both: a bare Qt window, shown and painted;
//   orvik_tour text     the same window with one line of text on it: what the
//                       first text costs (the font database and one font).
// It runs on whatever platform Qt picks (offscreen, xcb ...). The benchmark
// bench/ui/startup_bench.cpp measures the CPU time and peak of these runs.
#include "support/QuietDialogs.h"

#include "app/AppContext.h"
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/SplashWindow.h"
#include "app/WindowSet.h"
#include "firm/FirmInputWindow.h"
#include "game/GameWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/TaskWindow.h"
#include "processor/CurveTableWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/ReportWindow.h"
#include "shell/AboutWindow.h"
#include "shell/HintWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"
#include "widgets/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

using orvik::bench::QuietDialogs;

// The process's peak resident size in kB, from /proc/self/status.
long PeakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Runs the event loop until `window` (or a widget on it) has been painted,
// then runs `painted`. It waits without polling, so that the wait itself
// costs no CPU time. The end of the painting is told by an event of high
// priority, which goes ahead of whatever the painted window has queued to
// run after it (the main window's guide, for one).
bool WaitForPainting(QWidget* window, int timeoutMs, const std::function<void()>& painted = {}) {
    static const auto kPainted = static_cast<QEvent::Type>(QEvent::registerEventType());
    struct Watcher : QObject {
        QWidget* window = nullptr;
        std::function<void()> then;
        QEventLoop loop;
        bool painted = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && !painted)
                if (auto* w = qobject_cast<QWidget*>(watched); w && w->window() == window) {
                    painted = true;
                    QCoreApplication::postEvent(this, new QEvent(kPainted), Qt::HighEventPriority);
                }
            return false;
        }
        bool event(QEvent* event) override {
            if (event->type() != kPainted)
                return QObject::event(event);
            if (then)
                then();
            loop.quit();
            return true;
        }
    } watcher;
    watcher.window = window;
    watcher.then = painted;
    qApp->installEventFilter(&watcher);
    QTimer::singleShot(timeoutMs, &watcher.loop, &QEventLoop::quit);
    watcher.loop.exec();
    qApp->removeEventFilter(&watcher);
    return watcher.painted;
}

// Reports the peak and ends the process at once, without tearing anything
// down: a start-up ends with the first painting and a tour with its last
// window closed, and neither the program nor the bare window pays for its
// ending.
void EndNow() {
    std::printf("peak resident: %ld kB\n", PeakResidentKb());
    std::fflush(stdout);
    std::_Exit(0);
}

// Lets every shown window be exposed and painted.
void Settle() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            (void)QTest::qWaitForWindowExposed(w, 2000);
    QTest::qWait(100);
}

void Click(QWidget* window, const char* caption) {
    const QString text = QString::fromUtf8(caption);
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->text() == text && b->isVisible()) {
            b->click();
            Settle();
            return;
        }
    std::fprintf(stderr, "no button \"%s\" in %s\n", caption, qPrintable(window->objectName()));
}

// Opens lab part `part` through the guide's own way in, with what it builds
// on marked done, lets its windows show and runs `work` on the input window.
void VisitPart(orvik::AppContext& ctx, int part, QWidget* input,
               const std::function<void()>& work) {
    for (int before = 0; before < part; ++before)
        ctx.workbook().PartDone[static_cast<std::size_t>(before)] = 1;
    ctx.OpenLabPart(part);
    Settle();
    work();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != ctx.mainWindow() && w != input)
            w->close();
    input->close();
    Settle();
}

int Tour(orvik::AppContext& ctx) {
    orvik::Windows& w = ctx.windows;
    // The guide of the start page: on to the lab works, then "Отмена".
    ctx.ShowGuide(0, std::nullopt);
    Settle();
    Click(w.guide.get(), "Отмена");

    w.studentData->show();
    Settle();
    Click(w.studentData.get(), "OK");
    w.about->show();
    Settle();
    Click(w.about.get(), "OK");

    VisitPart(ctx, orvik::PartProcessor1, w.processorInput.get(), [&] {
        Click(w.processorInput.get(), "Расчет текущего процессора");
        w.processorResults->close();
        Click(w.processorInput.get(), "Построить графики зависимостей");
        w.curveTable->open();
        Settle();
    });
    VisitPart(ctx, orvik::PartTask, w.task.get(), [&] { Click(w.task.get(), "Расчитать"); });
    VisitPart(ctx, orvik::PartProcessor2, w.processorInput.get(),
              [&] { Click(w.processorInput.get(), "Расчет текущего процессора"); });
    VisitPart(ctx, orvik::PartMemory, w.memoryInput.get(),
              [&] { Click(w.memoryInput.get(), "Расчитать"); });
    VisitPart(ctx, orvik::PartComputer, w.computerInput.get(),
              [&] { Click(w.computerInput.get(), "Расчитать"); });
    VisitPart(ctx, orvik::PartBusinessGame, w.game.get(), [&] {
        Click(w.game.get(), "Рассчитать");
        Click(w.game.get(), "Сделать ход");
    });
    VisitPart(ctx, orvik::PartFirm, w.firmInput.get(), [&] {
        Click(w.firmInput.get(), "Расчет");
        Click(w.firmInput.get(), "Расчитать для всех видов комплектации");
    });

    w.report->open();
    Settle();
    w.report->close();
    ctx.ShowHintText(1);
    Settle();
    w.hint->close();
    ctx.ShowTaskText(orvik::TaskCourseGuide);
    Settle();
    w.taskText->close();
    Settle();

    // The tour is over: the process ends here, as the bare window's does once
    // painted, so that neither peak counts the tearing down of its windows.
    EndNow();
    return 0;
}

int Program(bool tour) {
    orvik::SetUpApplication();
    orvik::LabState state;
    QuietDialogs dialogs;
    orvik::AppContext ctx(state, dialogs);
    orvik::WindowSet windows(ctx);
    ctx.windows.splash->show();
    // The splash gives way to the main window after its two seconds.
    if (!tour) {
        // Ends the process once the main window has been painted.
        (void)WaitForPainting(ctx.windows.main.get(), 30000, EndNow);
        std::fprintf(stderr, "the main window was not painted\n");
        return 1;
    }
    if (!WaitForPainting(ctx.windows.main.get(), 30000)) {
        std::fprintf(stderr, "the main window was not painted\n");
        return 1;
    }
    // The guide's start page follows the main window.
    Settle();
    return Tour(ctx);
}

int Bare(bool withText) {
    QWidget window;
    window.resize(640, 480);
    if (withText)
        (new QLabel(QStringLiteral("Загрузка..."), &window))->move(20, 20);
    window.show();
    // Ends the process once painted, with its report.
    (void)WaitForPainting(&window, 30000, EndNow);
    std::fprintf(stderr, "the bare window was not painted\n");
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    if (std::strcmp(mode, "program") == 0)
        return Program(false);
    if (std::strcmp(mode, "tour") == 0)
        return Program(true);
    if (std::strcmp(mode, "bare") == 0)
        return Bare(false);
    if (std::strcmp(mode, "text") == 0)
        return Bare(true);
    std::fprintf(stderr, "usage: orvik_tour program|tour|bare|text\n");
    return 2;
}
