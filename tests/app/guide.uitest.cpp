// The guide: its pages and default items, the prerequisites of the lab
// parts, closing, and the New command it starts.
#include "support/TestApp.h"

#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "core/Cp1251.h"
#include "game/GameWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace orvik::test {
namespace {

GuideWindow* Guide(TestApp& app) {
    return app.ctx.windows.guide.get();
}

QStringList Items(GuideWindow* guide) {
    QStringList items;
    for (int i = 0; i < 6; ++i)
        if (auto* item = guide->findChild<QRadioButton*>(QStringLiteral("item%1").arg(i)))
            items << item->text();
    return items;
}

void Choose(GuideWindow* guide, int item) {
    Child<QRadioButton>(guide, QStringLiteral("item%1").arg(item))->click();
}

QAbstractButton* LeftButton(GuideWindow* guide) {
    return Child<QAbstractButton>(guide, QStringLiteral("leftButton"));
}

TEST(Guide, PagesHaveTheirPromptItemsAndLeftButton) {
    TestApp app;
    GuideWindow* guide = Guide(app);
    guide->SetGuidePage(0, std::nullopt);
    EXPECT_EQ(LabelText(guide, "prompt"), QStringLiteral("Выберите номер лабораторной работы:"));
    EXPECT_EQ(Items(guide),
              (QStringList{QStringLiteral("Справка: Методические указания по курсу ОРВИК"),
                           QStringLiteral("Лабораторная работа N1"),
                           QStringLiteral("Лабораторная работа N2"),
                           QStringLiteral("Лабораторная работа N3")}));
    EXPECT_EQ(LeftButton(guide)->text(), QStringLiteral("Отмена"));
    EXPECT_TRUE(LeftButton(guide)->isEnabled());

    guide->SetGuidePage(4, std::nullopt);
    EXPECT_EQ(LabelText(guide, "prompt"), QStringLiteral("Выберите действие:"));
    EXPECT_EQ(Items(guide), (QStringList{QStringLiteral("Начать новую работу"),
                                         QStringLiteral("Открыть сохраненную работу")}));
    EXPECT_FALSE(LeftButton(guide)->isEnabled());
    EXPECT_EQ(guide->selectedItem(), 0);

    guide->SetGuidePage(3, std::nullopt);
    EXPECT_EQ(Items(guide).size(), 2);
    EXPECT_EQ(LeftButton(guide)->text(), QStringLiteral("< Назад"));
    EXPECT_TRUE(LeftButton(guide)->isEnabled());
    EXPECT_EQ(guide->selectedItem(), 1);

    // A preselection that is no item of the page falls back to the default.
    guide->SetGuidePage(2, 7);
    EXPECT_EQ(Items(guide).size(), 5);
    EXPECT_EQ(guide->selectedItem(), 1);
    // A page that does not exist changes nothing.
    guide->SetGuidePage(5, 0);
    EXPECT_EQ(guide->GuidePage(), 2);
}

TEST(Guide, DefaultItemsPointAtTheFirstPartNotDone) {
    struct Case {
        int page;
        std::vector<int> done;
        int expected;
    };
    const Case cases[] = {
        {1, {}, 1},     {1, {0}, 2}, {1, {0, 1}, 1}, {1, {1}, 1}, {2, {}, 1},           {2, {2}, 2},
        {2, {2, 3}, 3}, {2, {3}, 3}, {2, {4}, 4},    {2, {5}, 4}, {2, {2, 3, 4, 5}, 4}, {3, {6}, 1},
    };
    TestApp app;
    for (const Case& c : cases) {
        app.wb().PartDone = {};
        for (int part : c.done)
            app.wb().PartDone[static_cast<std::size_t>(part)] = 1;
        Guide(app)->SetGuidePage(c.page, std::nullopt);
        EXPECT_EQ(Guide(app)->selectedItem(), c.expected)
            << "page " << c.page << " with " << c.done.size() << " parts done";
    }
    Guide(app)->SetGuidePage(2, 0);
    EXPECT_EQ(Guide(app)->selectedItem(), 0);
}

TEST(Guide, RefusesAPartWhosePredecessorIsNotDone) {
    struct Case {
        int page;
        int item;
        int part;
        int missing;
        QString message;
        int preselected;
    };
    const Case cases[] = {
        {1, 2, 1, 0, QStringLiteral("Сначала выполните расчет характеристик процессора"), 1},
        {2, 2, 3, 2, QStringLiteral("Сначала выполните оценку характеристик задачи."), 1},
        {2, 3, 4, 3, QStringLiteral("Сначала выполните расчет характеристик процессора."), 2},
        {2, 4, 5, 4, QStringLiteral("Сначала выполните расчет характеристик памяти."), 3},
    };
    for (const Case& c : cases) {
        TestApp app;
        app.wb().PartDone.fill(1);
        app.wb().PartDone[static_cast<std::size_t>(c.missing)] = 0;
        app.ctx.ShowGuide(c.page, c.item);
        ButtonNamed(Guide(app), "OK")->click();

        ASSERT_EQ(app.dialogs.messages, QStringList{c.message});
        EXPECT_TRUE(Guide(app)->isVisible());
        EXPECT_EQ(Guide(app)->GuidePage(), c.page);
        EXPECT_EQ(Guide(app)->selectedItem(), c.preselected);
        EXPECT_EQ(app.state.CurrentPart, c.part);
        EXPECT_FALSE(app.ctx.windows.main->isEnabled());
        for (QWidget* lab : {static_cast<QWidget*>(app.ctx.windows.processorInput.get()),
                             static_cast<QWidget*>(app.ctx.windows.memoryInput.get()),
                             static_cast<QWidget*>(app.ctx.windows.computerInput.get()),
                             static_cast<QWidget*>(app.ctx.windows.game.get())})
            EXPECT_FALSE(lab->isVisible()) << lab->objectName().toStdString();
    }
}

TEST(Guide, OpensThePartWhenItsPredecessorIsDone) {
    struct Case {
        int page;
        int item;
        int done;
        int part;
        const char* window;
        bool byEnter; // the Enter key instead of a click on "OK"
    };
    const Case cases[] = {
        {2, 3, PartProcessor2, PartMemory, "TForm11", false},
        {1, 2, PartProcessor1, PartBusinessGame, "TForm23", true},
    };
    for (const Case& c : cases) {
        TestApp app;
        app.wb().PartDone[static_cast<std::size_t>(c.done)] = 1;
        app.ctx.ShowGuide(c.page, c.item);
        if (c.byEnter)
            QTest::keyClick(Guide(app), Qt::Key_Return);
        else
            ButtonNamed(Guide(app), "OK")->click();
        EXPECT_TRUE(app.dialogs.messages.isEmpty()) << c.window;
        EXPECT_FALSE(Guide(app)->isVisible());
        EXPECT_EQ(app.state.CurrentPart, c.part);
        QWidget* opened = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != app.ctx.windows.main.get())
                opened = w;
        ASSERT_NE(opened, nullptr) << c.window;
        EXPECT_EQ(opened->objectName().toStdString(), c.window);
        EXPECT_FALSE(app.ctx.windows.main->isEnabled()) << c.window;
    }
}

TEST(Guide, BackReturnsToTheFirstPage) {
    TestApp app;
    for (int page = 1; page <= 3; ++page) {
        app.ctx.ShowGuide(page, 0);
        LeftButton(Guide(app))->click();
        EXPECT_TRUE(Guide(app)->isVisible());
        EXPECT_EQ(Guide(app)->GuidePage(), 0);
        EXPECT_EQ(Guide(app)->selectedItem(), 1);
    }
    // From the first page a lab work's page opens.
    Choose(Guide(app), 3);
    ButtonNamed(Guide(app), "OK")->click();
    EXPECT_EQ(Guide(app)->GuidePage(), 3);
}

TEST(Guide, ClosesOnlyThroughItsButtons) {
    TestApp app;
    app.ctx.ShowGuide(4, std::nullopt);
    EXPECT_FALSE(app.ctx.windows.main->isEnabled());
    EXPECT_FALSE(Guide(app)->close());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Guide(app), &escape);
    EXPECT_TRUE(Guide(app)->isVisible());
    EXPECT_FALSE(Guide(app)->GuideMayClose);
}

// The picture is there whenever the guide shows, the same each time; while
// the guide is closed it holds none, and the guide keeps its size.
TEST(Guide, PictureIsPaintedForEachOpening) {
    TestApp app;
    auto* picture = Child<QLabel>(Guide(app), "GuidePicture");
    app.ctx.ShowGuide(0, std::nullopt);
    const QSize size = Guide(app)->size();
    const QImage first = picture->pixmap().toImage();
    EXPECT_EQ(first.size(), QSize(130, 300));
    EXPECT_NE(first.pixel(65, 150), first.pixel(65, 5)); // a gradient, not a blank
    LeftButton(Guide(app))->click();                     // "Отмена"
    EXPECT_TRUE(picture->pixmap().isNull());
    app.ctx.ShowGuide(4, std::nullopt);
    EXPECT_TRUE(picture->pixmap().toImage() == first);
    EXPECT_EQ(Guide(app)->size(), size);
    EXPECT_EQ(picture->geometry().topLeft(), QPoint(0, 0));
}

TEST(Guide, CheckBoxCarriesGuideAutoStart) {
    TestApp app;
    app.wb().GuideAutoStart = 1;
    app.ctx.ShowGuide(0, std::nullopt);
    auto* box = Child<QCheckBox>(Guide(app), "GuideAutoStart");
    EXPECT_TRUE(box->isChecked());
    box->click();
    LeftButton(Guide(app))->click(); // "Отмена"
    EXPECT_FALSE(Guide(app)->isVisible());
    EXPECT_EQ(app.wb().GuideAutoStart, 0);
    EXPECT_TRUE(app.ctx.windows.main->isEnabled());

    app.ctx.ShowGuide(0, std::nullopt);
    EXPECT_FALSE(box->isChecked());
    box->click();
    Choose(Guide(app), 0); // the course guide: closes and shows the task window
    ButtonNamed(Guide(app), "OK")->click();
    EXPECT_EQ(app.wb().GuideAutoStart, 1);
    EXPECT_TRUE(static_cast<QWidget*>(app.ctx.windows.taskText.get())->isVisible());
}

TEST(Guide, NewWorkbookAsksForStudentDataThenLeadsToLabWorkOne) {
    TestApp app;
    app.wb().PartDone[PartProcessor1] = 1;
    app.ctx.ShowGuide(4, std::nullopt);
    auto* dialog = static_cast<QWidget*>(app.ctx.windows.studentData.get());
    bool dialogWasShown = false;
    // newWorkbook waits for the dialog; answer it from inside that wait.
    QTimer::singleShot(0, [&] {
        dialogWasShown = dialog->isVisible();
        EXPECT_FALSE(Guide(app)->isVisible());
        EXPECT_FALSE(app.ctx.windows.main->isEnabled());
        auto* name = Child<QLineEdit>(dialog, "Student");
        name->selectAll();
        name->insert(QStringLiteral("Петров Ёжик"));
        ButtonNamed(dialog, "OK")->click();
    });
    ButtonNamed(Guide(app), "OK")->click(); // "Начать новую работу"

    EXPECT_TRUE(dialogWasShown);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(app.wb().sStudent, ToCp1251("Петров Ёжик"));
    EXPECT_EQ(app.wb().PartDone[PartProcessor1], 0); // the workbook is a new one
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_EQ(app.wb().GuideAutoStart, 1);
    EXPECT_EQ(LabelText(app.ctx.windows.main.get(), "sStudent"), QStringLiteral("Петров Ёжик"));
    EXPECT_TRUE(Guide(app)->isVisible());
    EXPECT_EQ(Guide(app)->GuidePage(), 0);
    EXPECT_EQ(Guide(app)->selectedItem(), 1);
    EXPECT_TRUE(Child<QCheckBox>(Guide(app), "GuideAutoStart")->isChecked());
}

TEST(Guide, OpenCancelledLeavesTheGuideClosedAndTheWorkbookAsItWas) {
    TestApp app;
    app.wb().sStudent = ToCp1251("Сидоров");
    app.ctx.ShowGuide(4, 1);
    ButtonNamed(Guide(app), "OK")->click(); // "Открыть сохраненную работу"; the dialog is cancelled
    EXPECT_EQ(app.dialogs.openDialogs.size(), 1);
    EXPECT_FALSE(Guide(app)->isVisible());
    EXPECT_EQ(app.wb().sStudent, ToCp1251("Сидоров"));
    EXPECT_TRUE(app.ctx.windows.main->isEnabled());
}

} // namespace
} // namespace orvik::test
