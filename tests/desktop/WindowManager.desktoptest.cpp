// The windows under a real window manager (openbox on Xvfb, started by
// scripts/desktop-tests.sh): which window is active and has the focus after
// another closes, which stays above which, and what becomes of a minimising.
// The offscreen platform of the other window tests has no window manager.
// Every step waits for its condition, read from the window manager, with a
// time limit: a busy machine only makes the tests slower.
#include "app/AppContext.h"
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/WindowSet.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "shell/AboutWindow.h"
#include "shell/HintWindow.h"
#include "shell/StudentDataDialog.h"
#include "widgets/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace orvik::test {
namespace {

constexpr int kPatience = 15000; // ms for any one thing to happen

// Runs an X tool (xdotool, xprop) and returns what it printed.
QString X(const QStringList& arguments) {
    QProcess tool;
    tool.start(arguments.first(), arguments.mid(1));
    if (!tool.waitForFinished(kPatience))
        return {};
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QString Id(const QWidget* window) {
    return QString::number(window->winId());
}

// The window the window manager has made active.
QString ActiveWindow() {
    return X({"xdotool", "getactivewindow"});
}

// `window` is active for the window manager and for the program, and no
// control of another window has the focus.
bool HasTheFocus(const QWidget* window) {
    const QWidget* focus = QApplication::focusWidget();
    return window->isVisible() && ActiveWindow() == Id(window) &&
           QApplication::activeWindow() == window && (!focus || focus->window() == window);
}

bool ShownNormally(const QWidget* window) {
    return window->isVisible() && X({"xprop", "-id", Id(window), "WM_STATE"}).contains("Normal");
}

// The windows from the bottom of the stack to its top.
QStringList Stacking() {
    QStringList ids;
    const QString list = X({"xprop", "-root", "_NET_CLIENT_LIST_STACKING"});
    for (const QString& id : list.section(u'#', 1).split(u',', Qt::SkipEmptyParts))
        ids << QString::number(id.trimmed().toULongLong(nullptr, 16));
    return ids;
}

bool Above(const QWidget* upper, const QWidget* lower) {
    const QStringList ids = Stacking();
    return ids.indexOf(Id(upper)) > ids.indexOf(Id(lower)) && ids.indexOf(Id(lower)) >= 0;
}

void Key(const char* key) {
    X({"xdotool", "key", QString::fromLatin1(key)});
}

#define WAIT_FOR(condition, what)                                                                  \
    EXPECT_TRUE(QTest::qWaitFor([&] { return (condition); }, kPatience)) << what

// The program with the real message boxes, its main window shown.
class Desktop : public ::testing::Test {
protected:
    LabState state;
    QtDialogs dialogs;
    AppContext ctx{state, dialogs};
    WindowSet windows{ctx};
    Windows& w = ctx.windows;

    void SetUp() override {
        w.main->show();
        WAIT_FOR(HasTheFocus(w.main.get()), "the main window");
    }
    void TearDown() override {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window != w.main.get())
                window->hide();
        state.WorkbookModified = false;
        w.main->hide();
        QTest::qWait(50);
    }
    void openProcessorInput() {
        state.CurrentPart = PartProcessor1;
        w.processorInput->open();
        WAIT_FOR(HasTheFocus(w.processorInput.get()), "the input window");
    }
    QAbstractButton* button(QWidget* window, const char* caption) {
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            if (b->text() == QString::fromUtf8(caption))
                return b;
        ADD_FAILURE() << "no button " << caption;
        return nullptr;
    }
};

// When a window shown over another closes by its key, the window beneath is
// active again, with the focus where the student left it.
TEST_F(Desktop, TheFocusGoesBackToTheWindowBeneath) {
    openProcessorInput();
    QWidget* input = w.processorInput.get();
    QAbstractButton* calculate = button(input, "Расчет текущего процессора");
    ASSERT_TRUE(calculate);

    // A message box, closed by Return.
    calculate->setFocus();
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box && ActiveWindow() == Id(box)) {
            answer.stop();
            Key("Return");
        }
    });
    answer.start(100);
    dialogs.inform(QStringLiteral("Проверка"));
    WAIT_FOR(HasTheFocus(input) && calculate->hasFocus(), "input after the message box");

    // The results window and the graph window, closed by Escape.
    struct Row {
        const char* what;
        std::function<void()> open;
        QWidget* above;
    };
    const Row rows[] = {
        {"results", [&] { calculate->click(); }, w.processorResults.get()},
        {"graph", [&] { button(input, "Построить графики зависимостей")->click(); }, w.graph.get()},
    };
    for (const Row& row : rows) {
        row.open();
        WAIT_FOR(HasTheFocus(row.above), row.what << " open");
        EXPECT_TRUE(Above(row.above, input)) << row.what;
        Key("Escape");
        WAIT_FOR(!row.above->isVisible() && HasTheFocus(input), row.what << " closed");
    }
}

// The hint popup takes no focus from the dialog it explains, and Escape
// closes it alone.
TEST_F(Desktop, AHintPopupLeavesTheFocusWhereItIs) {
    w.studentData->show();
    QWidget* dialog = w.studentData.get();
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("Student"));
    ASSERT_TRUE(name);
    WAIT_FOR(HasTheFocus(dialog) && name->hasFocus(), "the student dialog");
    Key("F1");
    WAIT_FOR(w.hint->isVisible(), "the hint of F1");
    QTest::qWait(300); // time for a window manager to hand the focus over, were it to
    EXPECT_TRUE(HasTheFocus(dialog) && name->hasFocus());
    EXPECT_TRUE(Above(w.hint.get(), dialog));
    Key("Escape");
    WAIT_FOR(!w.hint->isVisible(), "the hint closed");
    EXPECT_TRUE(dialog->isVisible()) << "Escape closed the dialog too";
    WAIT_FOR(HasTheFocus(dialog) && name->hasFocus(), "the dialog after the hint");
}

// A window shown over another stays above it, and has the focus, when the
// student clicks the window beneath; a minimising (the window manager takes
// the whole chain with it) is undone.
TEST_F(Desktop, AWindowAboveStaysAboveAndIsNeverMinimisedAway) {
    struct Row {
        const char* what;
        std::function<void()> open;
        QWidget* above;
        QWidget* beneath;
    };
    const Row rows[] = {
        {"guide", [&] { ctx.OpenGuide(); }, w.guide.get(), w.main.get()},
        {"About", [&] { w.about->show(); }, w.about.get(), w.main.get()},
        {"results over the input window",
         [&] {
             openProcessorInput();
             button(w.processorInput.get(), "Расчет текущего процессора")->click();
         },
         w.processorResults.get(), w.processorInput.get()},
    };
    for (const Row& row : rows) {
        row.open();
        WAIT_FOR(HasTheFocus(row.above), row.what);
        // A click on the main window, disabled beneath them, where it is in sight.
        const QRect main = w.main->frameGeometry();
        const QPoint corners[] = {main.topLeft() + QPoint(5, 40), main.topRight() + QPoint(-5, 40),
                                  main.bottomLeft() + QPoint(5, -5),
                                  main.bottomRight() + QPoint(-5, -5)};
        const auto inSight = [&](QPoint p) {
            return !row.above->frameGeometry().contains(p) &&
                   (row.beneath == w.main.get() || !row.beneath->frameGeometry().contains(p));
        };
        QPoint spot = corners[0];
        for (const QPoint& corner : corners)
            if (inSight(corner))
                spot = corner;
        X({"xdotool", "mousemove", QString::number(spot.x()), QString::number(spot.y()), "click",
           "1"});
        WAIT_FOR(HasTheFocus(row.above) && Above(row.above, row.beneath), row.what << ", clicked");

        for (QWidget* minimised : {row.above, static_cast<QWidget*>(w.main.get())}) {
            X({"xdotool", "windowminimize", Id(minimised)});
            WAIT_FOR(ShownNormally(row.above) && ShownNormally(row.beneath) &&
                         ShownNormally(w.main.get()) && HasTheFocus(row.above),
                     row.what << ", " << minimised->objectName().toStdString() << " minimised");
        }
        row.above->hide();
        if (row.beneath != w.main.get())
            row.beneath->hide();
        WAIT_FOR(HasTheFocus(w.main.get()), row.what << ", closed");
    }
}

} // namespace
} // namespace orvik::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "No X display: run these tests through scripts/desktop-tests.sh\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    orvik::SetUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
