// The small shell windows: student data dialog, hint popup, task text
// window, About, and the start of the program.
#include "support/TestApp.h"

#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "core/Cp1251.h"
#include "processor/ProcessorInputWindow.h"
#include "report/ReportWindow.h"
#include "shell/AboutWindow.h"
#include "shell/HintWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"
#include "widgets/Pictures.h"
#include "widgets/SpinBox.h"
#include "workbook/WorkbookFile.h"

#include <QCheckBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace orvik::test {
namespace {

QWidget* Student(TestApp& app) {
    return static_cast<QWidget*>(app.ctx.windows.studentData.get());
}

TEST(StudentData, ShowsTheWorkbookAndStoresOnClosing) {
    TestApp app;
    app.wb().sStudent = ToCp1251("Иванов И. И.");
    app.wb().sGroup = ToCp1251("ВТ-41");
    app.wb().sPrepod = ToCp1251("Белов Г. П.");
    app.wb().sVar = "7";
    app.state.WorkbookModified = false;
    app.ctx.windows.studentData->show();
    QWidget* dialog = Student(app);
    EXPECT_FALSE(app.ctx.windows.main->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(dialog, "Student")->text(), QStringLiteral("Иванов И. И."));
    EXPECT_EQ(Child<QLineEdit>(dialog, "Group")->text(), QStringLiteral("ВТ-41"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "Prepod")->text(), QStringLiteral("Белов Г. П."));
    EXPECT_EQ(Child<SpinBox>(dialog, "Variant")->intValue(), 7);

    // Unchanged data still mark the workbook modified.
    ButtonNamed(dialog, "OK")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(app.ctx.windows.main->isEnabled());
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_EQ(app.wb().sStudent, ToCp1251("Иванов И. И."));
    EXPECT_EQ(app.wb().sVar, "7");

    // Closed by other means, it stores as well; a variant typed beyond the
    // limits is stored as the nearest limit.
    app.ctx.windows.studentData->show();
    Child<QLineEdit>(dialog, "Group")->setText(QStringLiteral("ВТ-42"));
    Child<SpinBox>(dialog, "Variant")->findChild<QLineEdit*>()->setText(QStringLiteral("15"));
    dialog->close();
    EXPECT_EQ(app.wb().sGroup, ToCp1251("ВТ-42"));
    EXPECT_EQ(app.wb().sVar, "10");
    EXPECT_EQ(LabelText(app.ctx.windows.main.get(), "sGroup"), QStringLiteral("ВТ-42"));
}

TEST(StudentData, VariantThatIsNoNumberIsReportedAndTheDialogStillOpens) {
    TestApp app;
    app.wb().sVar = "4";
    app.ctx.windows.studentData->show();
    Student(app)->close();
    app.wb().sVar = "abc";
    app.ctx.windows.studentData->show();
    EXPECT_EQ(app.dialogs.errors,
              QStringList{QStringLiteral("'abc' is not a valid integer value.")});
    EXPECT_TRUE(Student(app)->isVisible());
    EXPECT_EQ(Child<SpinBox>(Student(app), "Variant")->intValue(), 4);
    ButtonNamed(Student(app), "OK")->click();
    EXPECT_EQ(app.wb().sVar, "4");
    EXPECT_TRUE(app.ctx.windows.main->isEnabled());
}

TEST(StudentData, TextBoxesTakeOnlyWhatTheWorkbookCanHold) {
    TestApp app;
    app.ctx.windows.studentData->show();
    auto* name = Child<QLineEdit>(Student(app), "Student");
    name->clear();
    name->insert(QStringLiteral("Ёлкин №1 «А»"));
    EXPECT_EQ(name->text(), QStringLiteral("Ёлкин №1 «А»"));
    name->insert(QStringLiteral("漢"));
    name->insert(QString::fromUtf8("\xF0\x9F\x98\x80")); // a character beyond 16 bits
    EXPECT_EQ(name->text(), QStringLiteral("Ёлкин №1 «А»"));
    name->insert(QString(50, u'ж'));
    EXPECT_EQ(name->text().size(), 40);
    ButtonNamed(Student(app), "OK")->click();
    EXPECT_EQ(AppContext::FromWorkbookText(app.wb().sStudent), name->text());
}

// A text from a file that the student does not change stays exactly as it
// was, however long or odd; typing follows the box's limit of 40 characters.
TEST(StudentData, TextsFromAFileStayAsTheyWereUnlessEdited) {
    const std::string longText =
        ToCp1251("Тальгов Таль Тальгович, профессор кафедры ЭВМ, д. т. н., доц.");
    ASSERT_EQ(longText.size(), 61u);
    struct Row {
        const char* what;
        std::string text;   // each of the three texts in the file
        QString shown;      // the student's box shows
        QString typed;      // then typed into it (a backspace as '\b')
        std::string stored; // the student's text after "OK"
    };
    const Row rows[] = {
        {"long, untouched", longText, QString::fromStdString(Cp1251ToUtf8(longText)), {}, longText},
        {"long, shortened, then no room to type", longText,
         QString::fromStdString(Cp1251ToUtf8(longText)), QStringLiteral("\b\b\bя"),
         longText.substr(0, 58)},
        {"line break, untouched",
         ToCp1251("Иванов\r\nИван"),
         QStringLiteral("Иванов Иван"),
         {},
         ToCp1251("Иванов\r\nИван")},
        {"line break, edited", ToCp1251("Иванов\nИван"), QStringLiteral("Иванов Иван"),
         QStringLiteral("ов"), ToCp1251("Иванов Иванов")},
        {"unassigned byte, untouched", "A\x98Z", QStringLiteral("A?Z"), {}, "A\x98Z"},
        {"short, typed beyond the limit", ToCp1251("Петров"), QStringLiteral("Петров"),
         QString(50, u'ж'), ToCp1251("Петров") + std::string(34, '\xE6')}, // "ж" x 34
    };
    for (const Row& row : rows) {
        TestApp app;
        Workbook& wb = app.wb();
        wb.sStudent = wb.sGroup = wb.sPrepod = row.text;
        app.ctx.windows.studentData->show();
        auto* name = Child<QLineEdit>(Student(app), "Student");
        EXPECT_EQ(name->text(), row.shown) << row.what;
        // The box shows the start of the text, also when Tab reaches it.
        EXPECT_EQ(name->cursorPosition(), 0) << row.what;
        auto* group = Child<QLineEdit>(Student(app), "Group");
        group->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(group->cursorPosition(), 0) << row.what;
        EXPECT_EQ(group->selectedText(), row.shown) << row.what;
        name->end(false);
        for (const QChar c : row.typed) {
            QKeyEvent key(QEvent::KeyPress, c == u'\b' ? Qt::Key_Backspace : Qt::Key_A,
                          Qt::NoModifier, c == u'\b' ? QString() : QString(c));
            QApplication::sendEvent(name, &key);
        }
        ButtonNamed(Student(app), "OK")->click();
        EXPECT_EQ(wb.sStudent, row.stored) << row.what;
        EXPECT_EQ(wb.sGroup, row.text) << row.what;
        EXPECT_EQ(wb.sPrepod, row.text) << row.what;
        EXPECT_TRUE(app.state.WorkbookModified) << row.what;
    }
}

TEST(HintPopup, OpensBesideThePointerAndKeepsItsPlaceForTheNextHint) {
    TestApp app;
    app.state.Texts.entries[5] = ToCp1251("Первая строка\r\nвторая строка");
    app.state.Texts.entries[6] = ToCp1251("Другая подсказка");
    HintWindow* hint = app.ctx.windows.hint.get();
    QCursor::setPos(400, 300);
    const QPoint pointer = QCursor::pos();
    hint->ShowHintText(5);
    auto* text = Child<QPlainTextEdit>(hint, "text");
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->y(), pointer.y() - 16);
    EXPECT_FALSE(hint->frameGeometry().contains(pointer));
    EXPECT_GE(hint->width(), 273);
    EXPECT_GE(hint->height(), 212);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Первая строка\nвторая строка"));
    EXPECT_EQ(text->textCursor().position(), 0);

    hint->move(120, 80);
    hint->ShowHintText(6);
    EXPECT_EQ(hint->pos(), QPoint(120, 80));
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Другая подсказка"));
    hint->ShowHintText(67);
    EXPECT_TRUE(text->toPlainText().isEmpty());
    hint->ShowHintText(-1);
    EXPECT_TRUE(text->toPlainText().isEmpty());

    ButtonNamed(hint, "X")->click();
    EXPECT_FALSE(hint->isVisible());
}

// F1 in a box opens its hint beside its "?", which takes no focus; the popup
// closes on Escape (the window stays), on a click elsewhere, when another
// window opens and when its window closes.
TEST(HintPopup, FollowsTheKeyboardAndClosesWhenItIsNoLongerWanted) {
    TestApp app;
    Windows& w = app.ctx.windows;
    w.main->show(); // loads the texts of the data file
    for (int i = 0; i < 67; ++i)
        app.state.Texts.entries[static_cast<std::size_t>(i)] = std::to_string(i);
    app.state.CurrentPart = PartProcessor1;
    w.processorInput->open();
    QWidget* input = w.processorInput.get();
    HintWindow* hint = w.hint.get();
    auto* text = Child<QPlainTextEdit>(hint, "text");
    auto* defect = Child<SpinBox>(input, "defectFactor");
    auto* integration = Child<SpinBox>(input, "deviceIntegration");
    ASSERT_TRUE(defect && integration);
    struct Step {
        const char* what;
        std::function<void()> close;
        bool windowStays;
    };
    const Step steps[] = {
        {"Escape", [&] { QTest::keyClick(EditOf(defect), Qt::Key_Escape); }, true},
        {"a click elsewhere", [&] { QTest::mouseClick(integration, Qt::LeftButton); }, true},
        {"another window", [&] { w.about->show(); }, true},
        {"its window closing", [&] { ButtonNamed(input, "Закрыть")->click(); }, false},
    };
    for (const Step& step : steps) {
        w.about->hide();
        if (!input->isVisible())
            w.processorInput->open();
        QTest::keyClick(EditOf(defect), Qt::Key_F1);
        ASSERT_TRUE(hint->isVisible()) << step.what;
        EXPECT_EQ(text->toPlainText(), QString::number(HintDefectFactor)) << step.what;
        EXPECT_TRUE(hint->testAttribute(Qt::WA_ShowWithoutActivating) &&
                    (hint->windowFlags() & Qt::WindowDoesNotAcceptFocus));
        const QWidget* button =
            input->findChild<QWidget*>(QStringLiteral("hint%1").arg(HintDefectFactor));
        EXPECT_FALSE(hint->frameGeometry().intersects(
            QRect(button->mapToGlobal(QPoint(0, 0)), button->size())))
            << step.what;
        step.close();
        EXPECT_FALSE(hint->isVisible()) << step.what;
        EXPECT_EQ(input->isVisible(), step.windowStays) << step.what;
    }
    // Return presses the focused button, as Space does.
    w.processorInput->open();
    QAbstractButton* task = ButtonNamed(input, "Задание");
    task->setFocus();
    QTest::keyClick(task, Qt::Key_Return);
    EXPECT_TRUE(hint->isVisible());
    w.processorInput->hide();
    w.main->hide();
}

// Wherever the "?" is, the whole popup is on the screen's free area and the
// button clicked stays in sight; where there is room, beside the window.
// Where there is none, it covers none of the window's buttons if it can.
TEST(HintPopup, StaysOnTheScreenAndOffTheButtonClicked) {
    enum Side { BesideTheWindow, BesideTheButton, AboveOrBelowTheButton };
    struct Case {
        const char* where;
        QRect screen;
        QRect window;
        QPoint button; // its top-left corner; a "?" is 22 x 22
        Side side;
        QList<QRect> keep = {}; // the window's buttons
    };
    const QRect large(0, 0, 1600, 1200), small(0, 0, 1024, 768);
    const QRect panelled(0, 24, 1024, 744); // a panel along the top edge
    const Case cases[] = {
        {"right column of a window in the middle",
         large,
         {600, 400, 400, 400},
         {970, 500},
         BesideTheWindow},
        {"window at the right edge", large, {1150, 400, 450, 400}, {1570, 500}, BesideTheWindow},
        {"window at the left edge", large, {0, 400, 450, 400}, {420, 500}, BesideTheWindow},
        {"window as wide as the screen", small, {0, 0, 1024, 700}, {990, 300}, BesideTheButton},
        {"top-left corner", small, {0, 0, 1024, 768}, {0, 0}, BesideTheButton},
        {"top-right corner", small, {0, 0, 1024, 768}, {1002, 0}, BesideTheButton},
        {"bottom-left corner", small, {0, 0, 1024, 768}, {0, 746}, BesideTheButton},
        {"bottom-right corner", small, {0, 0, 1024, 768}, {1002, 746}, BesideTheButton},
        {"under a top panel", panelled, {0, 24, 1024, 744}, {1002, 24}, BesideTheButton},
        {"screen too narrow beside the button",
         QRect(0, 0, 600, 768),
         {0, 0, 600, 768},
         {289, 300},
         AboveOrBelowTheButton},
        {"the window's buttons beside and below the button",
         small,
         {0, 0, 1024, 768},
         {600, 300},
         AboveOrBelowTheButton,
         {{250, 300, 340, 22}, {632, 300, 340, 22}, {500, 330, 200, 30}}},
    };
    const QSize popup(320, 260);
    for (const Case& c : cases) {
        const QRect button(c.button, QSize(22, 22));
        const HintAnchor anchor{button, c.window, button.center(), c.keep};
        const QRect place(HintPosition(popup, anchor, c.screen), popup);
        EXPECT_TRUE(c.screen.contains(place)) << c.where;
        EXPECT_FALSE(place.intersects(button)) << c.where;
        for (const QRect& kept : c.keep)
            EXPECT_FALSE(place.intersects(kept)) << c.where;
        switch (c.side) {
        case BesideTheWindow:
            EXPECT_FALSE(place.intersects(c.window)) << c.where;
            break;
        case BesideTheButton:
            EXPECT_TRUE(place.left() > button.right() || place.right() < button.left()) << c.where;
            break;
        case AboveOrBelowTheButton:
            EXPECT_TRUE(place.top() > button.bottom() || place.bottom() < button.top()) << c.where;
            break;
        }
    }
}

TEST(TaskText, ShowsTheEntryOrNothingForABlankOne) {
    TestApp app;
    app.state.Texts.entries[63] = ToCp1251("Курс ОРВИК\r\nЦели работы");
    app.state.Texts.entries[64] = " \t\r\n \r\n";
    TaskTextWindow* window = app.ctx.windows.taskText.get();
    auto* text = Child<QPlainTextEdit>(window, "text");
    window->ShowTaskText(0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Курс ОРВИК\nЦели работы"));
    EXPECT_EQ(text->textCursor().position(), 0);
    EXPECT_FALSE(text->textCursor().hasSelection());
    window->ShowTaskText(1); // blank: the text before is cleared
    EXPECT_TRUE(text->toPlainText().isEmpty());
    window->ShowTaskText(4); // no such entry
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_TRUE(app.ctx.windows.main->isEnabled());
    ButtonNamed(window, "Закрыть")->click();
    EXPECT_FALSE(window->isVisible());
}

TEST(About, LaterCreditLinesVanishAfterTheirDates) {
    struct Case {
        int year, month;
        bool third, fourth;
    };
    const Case cases[] = {
        {2003, 6, true, true},   {2003, 7, true, false}, {2003, 12, true, false},
        {2004, 1, false, false}, {2002, 12, true, true}, {3, 6, true, true},
        {3, 12, true, false},    {4, 1, false, false},   {99, 1, true, true},
        {80, 1, true, true},     {79, 12, false, false}, {2025, 5, false, false},
    };
    for (const Case& c : cases) {
        const CreditLines lines = VisibleCreditLines(c.year, c.month);
        EXPECT_EQ(lines.third, c.third) << c.year << '-' << c.month;
        EXPECT_EQ(lines.fourth, c.fourth) << c.year << '-' << c.month;
    }
}

TEST(About, DisablesTheMainWindowAndClosesOnEscape) {
    TestApp app;
    auto* about = static_cast<QWidget*>(app.ctx.windows.about.get());
    about->show();
    EXPECT_FALSE(app.ctx.windows.main->isEnabled());
    EXPECT_TRUE(Child<QLabel>(about, "credit1")->isVisibleTo(about));
    EXPECT_TRUE(Child<QLabel>(about, "credit2")->isVisibleTo(about));
    QKeyEvent escape(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(about, &escape);
    EXPECT_FALSE(about->isVisible());
    EXPECT_TRUE(app.ctx.windows.main->isEnabled());
    about->show();
    ButtonNamed(about, "OK")->click();
    EXPECT_FALSE(about->isVisible());
    // Closed, it gives its window-system buffers back; shown again, it is whole.
    EXPECT_TRUE(QTest::qWaitFor([&] { return about->backingStore() == nullptr; }));
    about->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_NE(about->backingStore(), nullptr);
    EXPECT_TRUE(Child<QLabel>(about, "credit1")->isVisibleTo(about));
    // Its background is the splash picture, painted for it (the splash's own
    // copy is gone by now): a corner outside the credits' panel shows it.
    const QImage splashPicture = PaintSplashPicture().toImage();
    EXPECT_EQ(about->grab().toImage().pixel(5, 5), splashPicture.pixel(5, 5));
    about->close();
}

TEST(StartUp, SplashGivesWayToTheMainWindowAndTheGuide) {
    TestApp app;
    auto* splash = static_cast<QWidget*>(app.ctx.windows.splash.get());
    splash->show();
    EXPECT_TRUE(app.state.ProgramDir.ends_with('/'));
    // The splash gives way after two seconds; a busy machine may take longer,
    // so wait for it (bounded) rather than for a fixed time.
    const auto timers = splash->findChildren<QTimer*>();
    EXPECT_TRUE(std::any_of(timers.begin(), timers.end(), [](const QTimer* t) {
        return t->isActive() && t->interval() == 2000 && t->isSingleShot();
    }));
    // Only the splash and main windows are made before the splash gives way.
    EXPECT_EQ(app.ctx.windows.guide.existing(), nullptr);
    EXPECT_EQ(app.ctx.windows.report.existing(), nullptr);
    EXPECT_TRUE(app.ctx.GraphBitmap.isNull());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const GuideWindow* guide = app.ctx.windows.guide.existing();
            return guide && guide->isVisible();
        },
        30000));

    EXPECT_FALSE(splash->isVisible());
    // The hidden splash gives its window-system buffers and its picture back.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash->testAttribute(Qt::WA_WState_Created); }));
    EXPECT_TRUE(app.ctx.pictures.ImageMain.isNull());
    EXPECT_EQ(app.ctx.windows.report.existing(), nullptr);
    EXPECT_TRUE(app.ctx.windows.main->isVisible());
    GuideWindow* guide = app.ctx.windows.guide.get();
    ASSERT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->GuidePage(), 4);
    EXPECT_EQ(guide->selectedItem(), 0);
    EXPECT_FALSE(Child<QAbstractButton>(guide, "leftButton")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(guide, "GuideAutoStart")->isChecked());
    EXPECT_FALSE(app.ctx.windows.main->isEnabled());
}

// A tick of the animation changes the small picture beside the caption and
// nothing else; the first tick shows the second frame.
TEST(StartUp, TheSplashAnimatesItsSmallPictureOnly) {
    TestApp app;
    SplashWindow* splash = app.ctx.windows.splash.get();
    QTimer* ticks = nullptr;
    for (QTimer* timer : splash->findChildren<QTimer*>()) {
        if (timer->interval() == 150 && timer->isActive() && !timer->isSingleShot())
            ticks = timer;
        timer->stop(); // the splash stays, and the test gives the ticks
    }
    ASSERT_NE(ticks, nullptr);
    const auto tick = [&] { ASSERT_TRUE(QMetaObject::invokeMethod(ticks, "timeout")); };
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    EXPECT_EQ(splash->animationFrame(), 0);
    const QImage first = splash->grab().toImage();
    tick();
    EXPECT_EQ(splash->animationFrame(), 1);
    const QImage second = splash->grab().toImage();
    ASSERT_EQ(first.size(), second.size());
    QRect changed;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            if (first.pixel(x, y) != second.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_FALSE(changed.isEmpty());
    const QSize frame = app.ctx.pictures.ImageBlue.size();
    EXPECT_LE(changed.width(), frame.width());
    EXPECT_LE(changed.height(), frame.height());
    // Left of the caption, in the lower part of the picture.
    EXPECT_GE(changed.left(), 34);
    EXPECT_GT(changed.top(), first.height() / 2);
    tick();
    EXPECT_EQ(splash->animationFrame(), 2);
    EXPECT_NE(splash->grab().toImage(), second);
    tick();
    EXPECT_EQ(splash->animationFrame(), 0);
    EXPECT_EQ(splash->grab().toImage(), first);
    splash->hide();
}

TEST(StartUp, WindowsMadeLaterLeaveTheWorkbookAsItWas) {
    TestApp app;
    Workbook& wb = app.wb();
    wb.GuideAutoStart = 1;
    wb.sStudent = ToCp1251("Петров П. П.");
    wb.sVar = "3";
    wb.PartDone = {1, 0, 1, 1, 1, 0, 1};
    wb.Circuit1.DefectFactor = 3.3;
    wb.Circuit2.MinFeature = 0.7;
    wb.Lab2Processor.DeviceIntegration = 640;
    wb.Task.InputCount = 77;
    wb.Memory.Capacity = 64;
    wb.Memory.ChipType = 2;
    wb.Computer.CacheSize = 256;
    wb.Firm.Hours = 7;
    wb.Firm.Grade[2] = 1;
    app.state.CurrentPart = PartMemory;
    app.state.WorkbookModified = false;
    const auto before = EncodeWorkbook(wb);

    const std::vector<QWidget*> windows = app.windows->all();
    ASSERT_EQ(windows.size(), 23u);
    for (QWidget* w : windows)
        ASSERT_NE(w, nullptr);
    EXPECT_EQ(windows[0]->objectName(), "TForm3");
    EXPECT_EQ(windows[21]->objectName(), "TForm22");
    EXPECT_EQ(windows[22]->objectName(), "TForm23");
    QApplication::processEvents();
    EXPECT_EQ(EncodeWorkbook(wb), before);
    EXPECT_FALSE(app.state.WorkbookModified);
    EXPECT_EQ(app.state.CurrentPart, PartMemory);
    EXPECT_TRUE(app.ctx.GraphBitmap.isNull());
    for (QWidget* w : windows)
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

} // namespace
} // namespace orvik::test
