// How the windows stand on a desktop: which window stays above which, their
// titles and title-bar buttons, and captions that must be shown whole.
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmInputWindow.h"
#include "firm/FirmResultsWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerResultsWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/MemoryResultsWindow.h"
#include "lab2/TaskWindow.h"
#include "processor/CurveTableWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/ReportWindow.h"
#include "shell/AboutWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"
#include "support/FinishedWorkbook.h"
#include "support/TestApp.h"
#include "widgets/WindowPlacement.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace orvik::test {
namespace {

// Each window shown over another is the transient of the one beneath, which
// it disables, so a message box goes to it and the window manager keeps it
// on top after the box closes.
TEST(WindowFrames, AWindowShownOverAnotherStaysAboveIt) {
    TestApp app;
    Windows& w = app.ctx.windows;
    w.main->show();
    struct Step {
        const char* what;
        std::function<void()> open;
        QWidget* above;
        QWidget* beneath;
    };
    const Step steps[] = {
        {"guide over the main window", [&] { app.ctx.OpenGuide(); }, w.guide.get(), w.main.get()},
        {"input over the main window",
         [&] {
             w.guide->hide();
             app.state.CurrentPart = PartProcessor1;
             w.processorInput->open();
         },
         w.processorInput.get(), w.main.get()},
        {"results over the input window",
         [&] { ButtonNamed(w.processorInput.get(), "Расчет текущего процессора")->click(); },
         w.processorResults.get(), w.processorInput.get()},
        {"graph over the input window",
         [&] {
             w.processorResults->hide();
             w.graph->open();
         },
         w.graph.get(), w.processorInput.get()},
        {"report over the main window",
         [&] {
             w.graph->close();
             w.processorInput->hide();
             w.report->open();
         },
         w.report.get(), w.main.get()},
    };
    for (const Step& step : steps) {
        step.open();
        ASSERT_TRUE(step.above->isVisible()) << step.what;
        ASSERT_TRUE(step.above->windowHandle()) << step.what;
        EXPECT_EQ(step.above->windowHandle()->transientParent(), step.beneath->windowHandle())
            << step.what;
        EXPECT_FALSE(step.beneath->isEnabled()) << step.what;
        EXPECT_EQ(UppermostAbove(step.beneath), step.above) << step.what;
        EXPECT_EQ(UppermostAbove(w.main.get()), step.above) << step.what << ": the whole chain";
    }
    w.report->hide();
    EXPECT_TRUE(w.main->isEnabled());
    EXPECT_EQ(UppermostAbove(w.main.get()), w.main.get());
    w.main->hide();
}

// The texts of `window` that do not fit the room their widget has: a label's
// or a button's caption (each of its lines) wider than its text area, the
// lines of a label taller than it, an item of a list wider than the list.
QStringList CutTexts(QWidget* window) {
    QStringList cut;
    const auto where = [&](const QWidget* w, const QString& text) {
        return QStringLiteral("%1 %2 \"%3\"").arg(window->objectName(), w->objectName(), text);
    };
    const auto wider = [](int needed, int room) {
        return QStringLiteral(" needs %1 px, has %2").arg(needed).arg(room);
    };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || label->text().isEmpty() ||
            Qt::mightBeRichText(label->text()))
            continue;
        const QFontMetrics fm(label->font());
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                          -label->margin(), -label->margin());
        const QStringList lines = label->text().split(u'\n');
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                cut << where(label, label->text()) + QStringLiteral(" (wrapped)");
            continue;
        }
        for (QString line : lines) {
            while (line.endsWith(u' ')) // a blank at the end shows nothing
                line.chop(1);
            const int needed = fm.horizontalAdvance(line);
            if (needed > room.width() - label->indent())
                cut << where(label, line) + wider(needed, room.width() - label->indent());
        }
        if (lines.size() * fm.lineSpacing() > room.height() + fm.leading())
            cut << where(label, label->text()) + QStringLiteral(" (lines)");
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        int needed = QFontMetrics(button->font()).horizontalAdvance(button->text());
        int room = 0;
        if (auto* tool = qobject_cast<QToolButton*>(button)) {
            if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
                continue;
            // The caption is drawn inside the button's frame.
            room = tool->width() - 2 * tool->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        } else {
            if (!button->icon().isNull())
                needed += button->iconSize().width() + 4;
            room = button->style()->subElementRect(contents, &option, button).width();
        }
        if (needed > room)
            cut << where(button, button->text()) + wider(needed, room);
    }
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
        if (!view->isVisibleTo(window) || !view->model())
            continue;
        const QAbstractItemModel* model = view->model();
        for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
            for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
                const QModelIndex index = model->index(r, c, view->rootIndex());
                const QRect rect = view->visualRect(index);
                if (rect.isEmpty())
                    continue;
                // A cell has its column; an item of a list has the list's width.
                const int needed = view->sizeHintForIndex(index).width();
                int room = rect.width();
                if (qobject_cast<QListView*>(view))
                    room = std::min(room, view->viewport()->width() - rect.x());
                if (needed > room)
                    cut << where(view, index.data().toString()) + wider(needed, room);
            }
    }
    return cut;
}

// Every caption, label and item of every window is shown whole in the
// program's font (Arial, which the Liberation fonts stand in for) at the
// windows' own sizes: every window over a computed workbook, and each page of
// the guide, which keeps one size for all of them.
TEST(WindowFrames, EveryTextIsShownWhole) {
    if (QFontInfo(QFont(QStringLiteral("Arial"))).family() != QStringLiteral("Liberation Sans"))
        GTEST_SKIP() << "the windows are laid out for Liberation Sans";
    TestApp app;
    ComputeAllLabs(app.wb());
    for (QWidget* window : app.windows->all()) {
        window->show();
        QApplication::processEvents();
        EXPECT_EQ(CutTexts(window).join(u'\n').toStdString(), "")
            << window->objectName().toStdString();
        window->hide();
        QApplication::processEvents();
    }
    GuideWindow* guide = app.ctx.windows.guide.get();
    guide->show();
    const QSize size = guide->size();
    for (int page = 0; page <= 4; ++page) {
        guide->SetGuidePage(page, std::nullopt);
        QApplication::processEvents();
        EXPECT_EQ(CutTexts(guide).join(u'\n').toStdString(), "") << "guide page " << page;
        EXPECT_EQ(guide->size(), size) << "guide page " << page;
    }
    guide->hide();
}

// Each window with its title, and what its title bar offers under a window
// manager: the fixed windows have no buttons of their own there, and close
// only as their own close button does.
TEST(WindowFrames, EveryWindowHasItsTitleAndOnlyItsTitleBarButtons) {
    TestApp app;
    Windows& w = app.ctx.windows;
    w.main->show();
    enum Bar { MinimiseAndClose, NoButtons, Borderless, MaximiseAndClose };
    struct Row {
        QWidget* window;
        const char* title;
        Bar bar;
    };
    const char* processor = "Расчет характеристик процессора";
    const char* memory = "Расчет характеристик памяти";
    const char* computer = "Расчет характеристик компьютера";
    const char* firm = "Моделирование деятельности компьютерной фирмы";
    const Row rows[] = {
        {w.main.get(), "ОРВИК лабораторные работы", MinimiseAndClose},
        {w.guide.get(), "Путеводитель", NoButtons},
        {w.about.get(), "О программе", Borderless},
        {w.processorInput.get(), processor, NoButtons},
        {w.processorResults.get(), processor, NoButtons},
        {w.graph.get(), "Графики зависимостей", MaximiseAndClose},
        {w.curveTable.get(), "Результаты расчетов для графиков", NoButtons},
        {w.studentData.get(), "Новая лабораторная работа", NoButtons},
        {w.task.get(), "Оценка характеристик задачи", NoButtons},
        {w.memoryInput.get(), memory, NoButtons},
        {w.memoryResults.get(), memory, NoButtons},
        {w.computerInput.get(), computer, NoButtons},
        {w.computerResults.get(), computer, NoButtons},
        {w.firmInput.get(), firm, NoButtons},
        {w.firmAllKits.get(), firm, NoButtons},
        {w.firmResults.get(), firm, NoButtons},
        {w.taskText.get(), "Методические указания, задание", MaximiseAndClose},
        {w.report.get(), "Печать отчетов", NoButtons},
    };
    // The window system adds a display name that differs from the program's
    // name to every title.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    for (const Row& row : rows) {
        QWidget* window = row.window;
        const QString name = window->objectName();
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(row.title)) << name.toStdString();
        if (window != w.main.get())
            window->show();
        ASSERT_TRUE(window->windowHandle()) << name.toStdString();
        const Qt::WindowFlags flags = window->windowFlags();
        const bool fixed = window->minimumSize() == window->maximumSize();
        switch (row.bar) {
        case MinimiseAndClose:
            EXPECT_TRUE(fixed && (flags & Qt::WindowMinimizeButtonHint) &&
                        (flags & Qt::WindowSystemMenuHint) &&
                        !(flags & Qt::WindowMaximizeButtonHint))
                << name.toStdString();
            break;
        case NoButtons:
            EXPECT_TRUE(fixed && !(flags & Qt::WindowMinMaxButtonsHint) &&
                        window->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar))
                << name.toStdString();
            // The window manager's close button and close key (a request to
            // the native window), and Escape, do what the window's own close
            // button does; the guide, left only through its choices, refuses.
            for (const bool escape : {false, true}) {
                window->show();
                if (escape) {
                    QTest::keyClick(window, Qt::Key_Escape);
                } else {
                    QCloseEvent request;
                    QCoreApplication::sendEvent(window->windowHandle(), &request);
                    EXPECT_FALSE(request.isAccepted()) << name.toStdString();
                }
                EXPECT_EQ(window->isVisible(), window == w.guide.get())
                    << name.toStdString() << (escape ? " Escape" : " title bar");
            }
            break;
        case Borderless:
            EXPECT_TRUE(fixed && (flags & Qt::FramelessWindowHint) &&
                        window->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar))
                << name.toStdString() << ": no minimise either";
            break;
        case MaximiseAndClose:
            EXPECT_TRUE(!fixed && (flags & Qt::WindowMaximizeButtonHint) &&
                        (flags & Qt::WindowCloseButtonHint))
                << name.toStdString();
            break;
        }
        if (window != w.main.get())
            window->hide();
    }
    EXPECT_TRUE(w.main->isEnabled());
    w.main->hide();
}

// A window the window manager hid (minimised) over a disabled one comes back,
// with the windows above it, when the student clicks the disabled window.
TEST(WindowFrames, AHiddenWindowComesBackWhenTheOneBeneathIsClicked) {
    TestApp app;
    Windows& w = app.ctx.windows;
    w.main->show();
    app.state.CurrentPart = PartProcessor1;
    w.processorInput->open();
    ButtonNamed(w.processorInput.get(), "Расчет текущего процессора")->click();
    ASSERT_TRUE(w.processorResults->isVisible());
    struct Case {
        const char* what;
        QWidget* hidden;
        QWidget* clicked;
    };
    const Case cases[] = {
        {"results, clicking the input window", w.processorResults.get(), w.processorInput.get()},
        {"results, clicking the main window", w.processorResults.get(), w.main.get()},
        {"input, clicking the main window", w.processorInput.get(), w.main.get()},
    };
    for (const Case& c : cases) {
        c.hidden->showMinimized();
        ASSERT_TRUE(c.hidden->isMinimized()) << c.what;
        QTest::mouseClick(c.clicked->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(c.hidden->isMinimized()) << c.what;
        EXPECT_FALSE(w.processorResults->isMinimized()) << c.what << ": the window on top";
    }
    w.processorResults->hide();
    w.processorInput->hide();
    EXPECT_TRUE(w.main->isEnabled());
    w.main->hide();
}

// The frame goes where it is centred, and stays within the screen with its
// title bar in sight.
TEST(WindowFrames, CentringPlacesTheFrameWithinTheScreen) {
    struct Case {
        const char* what;
        QSize client;
        QRect area;
        bool centred; // else pushed onto the screen
    };
    const QMargins frame(1, 20, 1, 1);
    const QRect screen(0, 0, 1024, 768);
    const Case cases[] = {
        {"on the main window", {377, 382}, {207, 137, 609, 472}, true},
        {"on the screen", {496, 300}, screen, true},
        {"on a window near the bottom edge", {487, 494}, {0, 500, 609, 472}, false},
        {"taller than the screen", {600, 900}, screen, false},
    };
    for (const Case& c : cases) {
        const QPoint client = CentredClientPosition(c.client, frame, c.area, screen);
        const QRect outer = QRect(client, c.client).marginsAdded(frame);
        EXPECT_EQ(outer.size(), c.client.grownBy(frame)) << c.what;
        EXPECT_TRUE(outer.top() >= 0 && outer.left() >= 0) << c.what << ": title bar in sight";
        if (outer.height() <= screen.height()) {
            EXPECT_TRUE(screen.contains(outer)) << c.what;
        }
        if (c.centred) {
            EXPECT_LE(std::abs((outer.left() - c.area.left()) - (c.area.right() - outer.right())),
                      1)
                << c.what;
            EXPECT_LE(std::abs((outer.top() - c.area.top()) - (c.area.bottom() - outer.bottom())),
                      1)
                << c.what;
        }
    }
}

// Centring a window shown but not yet framed (here: one without a frame)
// leaves what else hangs on its native window alone: a native child's window
// and any other object there. Placing it again, as a second showing does,
// keeps them too, and replaces what the first placing left waiting.
TEST(WindowFrames, CentringKeepsWhatElseHangsOnTheNativeWindow) {
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(300, 200);
    auto* child = new QWidget(&window);
    child->setAttribute(Qt::WA_NativeWindow);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* handle = window.windowHandle();
    ASSERT_TRUE(handle && child->windowHandle());
    const QPointer<QWindow> childWindow = child->windowHandle();
    const QPointer<QObject> other = new QObject(handle);
    const qsizetype before = handle->children().size();

    CentreOn(&window, nullptr);
    CentreAtSize(&window, nullptr, QSize(320, 240));

    EXPECT_TRUE(childWindow) << "the native child's window was deleted";
    EXPECT_EQ(child->windowHandle(), childWindow.data());
    EXPECT_TRUE(other) << "an object on the native window was deleted";
    EXPECT_EQ(handle->children().size(), before + 1) << "the second placing replaces the first";
}

// Qt's own buttons and file dialogs speak Russian; the program's own
// captions stay as they are.
TEST(WindowFrames, QtsOwnButtonsAndFileDialogsAreRussian) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    const std::pair<QString, const char*> rows[] = {
        {box.button(QMessageBox::Yes)->text(), "&Да"},
        {box.button(QMessageBox::No)->text(), "&Нет"},
        {box.button(QMessageBox::Cancel)->text(), "Отмена"},
        {box.windowTitle(), "Confirm"},
        {files.labelText(QFileDialog::LookIn), "Перейти к:"},
        {files.labelText(QFileDialog::FileName), "&Имя файла:"},
        {files.labelText(QFileDialog::Accept), "&Сохранить"},
        {files.labelText(QFileDialog::Reject), "Отмена"},
    };
    for (const auto& [shown, expected] : rows)
        EXPECT_EQ(shown, QString::fromUtf8(expected));
}

} // namespace
} // namespace orvik::test
