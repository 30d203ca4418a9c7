#include "app/MainWindow.h"
#include "core/Cp1251.h"
#include "shell/StudentDataDialog.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"
#include "workbook/WorkbookFile.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace orvik {
namespace {

using test::TestApp;

namespace fs = std::filesystem;

using test::TempFolder;

QString FileIn(const TempFolder& folder, const char* name) {
    return QString::fromStdString(folder.file(name));
}

std::vector<std::uint8_t> FileBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

const char* const kIndicators[kPartCount] = {"lab1p1", "lab1p2", "lab2p1", "lab2p2",
                                             "lab2p3", "lab2p4", "lab3p1"};

TEST(MainWindow, HasItsMenusAndIndicatorsAndShowsTheDefaultStudent) {
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    EXPECT_EQ(main->objectName(), QStringLiteral("TForm1"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("ОРВИК лабораторные работы"));
    QStringList menus;
    for (QAction* a : main->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("Файл"), QStringLiteral("Лабораторная работа"),
                                  QStringLiteral("Справка")}));
    QStringList fileItems;
    for (QAction* a : main->menuBar()->actions().at(0)->menu()->actions())
        fileItems << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(fileItems, (QStringList{"Новая", "-", "Открыть", "Сохранить", "Сохранить как...", "-",
                                      "Выход"}));
    EXPECT_EQ(test::LabelText(main, "sStudent"), QStringLiteral("Ордин Орд Ордович"));
    EXPECT_EQ(test::LabelText(main, "sGroup"), QStringLiteral("ВВ-3-98"));
    EXPECT_EQ(test::LabelText(main, "sPrepod"), QStringLiteral("Тальгов Таль Тальгович"));
    EXPECT_EQ(test::LabelText(main, "sVar"), QStringLiteral("1"));
    for (const char* name : kIndicators) {
        QLabel* notDone = test::Child<QLabel>(main, name);
        QLabel* done = test::Child<QLabel>(main, QString::fromLatin1(name) + u'd');
        ASSERT_TRUE(notDone && done);
        EXPECT_FALSE(notDone->isHidden()) << name;
        EXPECT_TRUE(done->isHidden()) << name;
    }
}

// Whatever an opened file holds, the main window keeps its size, shows each
// student text on one line within its label (cut with "…", whole in the
// tooltip), and one picture of each indicator pair: any byte but 0 is done.
TEST(MainWindow, ShowsAnyWorkbookOnOneLineInItsOwnSize) {
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    main->show();
    QApplication::processEvents();
    const QSize size = main->size();
    const std::string longText(255, '\xD8'); // "Ш" x 255
    struct Row {
        const char* what;
        std::string text; // each of the four student texts
        QString shown;    // what the labels show; empty: cut
        std::uint8_t done;
    };
    const Row rows[] = {
        {"plain", ToCp1251("Петров П. П."), QStringLiteral("Петров П. П."), 1},
        {"empty", "", QString(), 0},
        {"line breaks", ToCp1251("Иванов Иван\r\nИванович"), QStringLiteral("Иванов Иван Иванович"),
         2},
        {"lone line breaks", ToCp1251("А\rБ\n\nВ"), QStringLiteral("А Б  В"), 3},
        {"tab and control bytes", ToCp1251("ВТ\t41\x01\x7f"), QStringLiteral("ВТ 41  "), 255},
        {"wider than the label", longText, QString(), 7},
    };
    const char* const labels[] = {"sStudent", "sGroup", "sPrepod", "sVar"};
    for (const Row& row : rows) {
        app.wb().sStudent = app.wb().sGroup = app.wb().sPrepod = app.wb().sVar = row.text;
        app.wb().PartDone.fill(row.done);
        main->refreshStudent();
        main->refreshIndicators();
        QApplication::processEvents();
        // The size the window has, and the one its layout gives it next.
        EXPECT_EQ(main->size(), size) << row.what;
        EXPECT_EQ(main->sizeHint(), size) << row.what;
        for (const char* name : labels) {
            QLabel* label = test::Child<QLabel>(main, name);
            ASSERT_TRUE(label);
            const int room = label->contentsRect().width() - 2 * label->margin();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room) << row.what;
            if (!row.shown.isNull() || row.text.empty()) {
                EXPECT_EQ(label->text(), row.shown) << row.what << ' ' << name;
                EXPECT_EQ(label->toolTip(), QString()) << row.what << ' ' << name;
            } else {
                EXPECT_TRUE(label->text().startsWith(QStringLiteral("ШШШ"))) << name;
                EXPECT_TRUE(label->text().endsWith(u'…')) << name;
                EXPECT_EQ(label->toolTip(), QString(255, u'Ш')) << name;
            }
        }
        for (int i = 0; i < kPartCount; ++i) {
            const QString notDone = QString::fromLatin1(kIndicators[i]);
            EXPECT_EQ(test::Child<QLabel>(main, notDone + u'd')->isVisible(), row.done != 0)
                << row.what << ' ' << i;
            EXPECT_EQ(test::Child<QLabel>(main, notDone)->isVisible(), row.done == 0)
                << row.what << ' ' << i;
        }
    }
    main->hide();
}

TEST(MainWindow, TheIndicatorTimerShowsAPartDoneWithinASecond) {
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    app.wb().PartDone[PartFirm] = 1;
    QLabel* done = test::Child<QLabel>(main, "lab3p1d");
    QLabel* notDone = test::Child<QLabel>(main, "lab3p1");
    EXPECT_TRUE(done->isHidden());
    // The refresh comes from a timer of one second; on a busy machine it may
    // come late, so wait for it (bounded) rather than for a fixed time.
    const auto timers = main->findChildren<QTimer*>();
    EXPECT_TRUE(std::any_of(timers.begin(), timers.end(), [](const QTimer* t) {
        return t->isActive() && t->interval() == 1000 && !t->isSingleShot();
    }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !done->isHidden(); }, 30000));
    EXPECT_TRUE(notDone->isHidden());
}

TEST(MainWindow, SavingAskForANameOnceThenWritesToTheSameFile) {
    TempFolder folder;
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    app.state.WorkbookModified = true;
    app.dialogs.saveFiles.push_back(FileIn(folder, "first.orvik"));
    EXPECT_TRUE(main->saveWorkbook(QString()));
    ASSERT_EQ(app.dialogs.saveDialogs.size(), 1);
    EXPECT_EQ(app.dialogs.saveDialogs[0].title, QStringLiteral("Сахранить как..."));
    EXPECT_TRUE(app.dialogs.saveDialogs[0].proposed.endsWith(QStringLiteral("/new.orvik")));
    EXPECT_EQ(app.dialogs.saveDialogs[0].defaultSuffix, QStringLiteral("orvik"));
    EXPECT_FALSE(app.state.WorkbookModified);
    EXPECT_EQ(FileBytes(FileIn(folder, "first.orvik")), EncodeWorkbook(app.wb()));

    // "Сохранить" now writes without a dialog.
    app.wb().PartDone[PartTask] = 1;
    EXPECT_TRUE(main->saveWorkbook(QString::fromStdString(app.state.WorkbookFileName)));
    EXPECT_EQ(app.dialogs.saveDialogs.size(), 1);
    EXPECT_EQ(FileBytes(FileIn(folder, "first.orvik"))[1025 + 2], 1);
}

TEST(MainWindow, NewAsksOnlyWhenModifiedAndCancelKeepsEverything) {
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    app.wb().PartDone[PartProcessor1] = 1;
    app.state.WorkbookModified = true;
    app.dialogs.confirmAnswers.push_back(Dialogs::Answer::Cancel);
    main->newWorkbook();
    ASSERT_EQ(app.dialogs.confirms.size(), 1);
    EXPECT_EQ(app.dialogs.confirms[0],
              QStringLiteral("Confirm|Сохранить данные текущей лабораторной ?"));
    EXPECT_EQ(app.wb().PartDone[PartProcessor1], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
}

TEST(MainWindow, ASaveThatDoesNotHappenStopsTheCommandThatAsked) {
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    app.wb().PartDone[PartProcessor1] = 1;
    app.state.WorkbookModified = true;
    // Yes, then the save dialog is cancelled: New does not reset.
    app.dialogs.confirmAnswers.push_back(Dialogs::Answer::Yes);
    main->newWorkbook();
    EXPECT_EQ(app.wb().PartDone[PartProcessor1], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
    // Yes, then the save fails (a folder that does not exist): Open does not open.
    app.dialogs.confirmAnswers.push_back(Dialogs::Answer::Yes);
    app.dialogs.saveFiles.push_back(QStringLiteral("/nonexistent-folder/x.orvik"));
    main->openWorkbook();
    EXPECT_TRUE(app.dialogs.openDialogs.isEmpty());
    ASSERT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_TRUE(app.dialogs.errors[0].contains(QStringLiteral("x.orvik")));
    EXPECT_TRUE(app.state.WorkbookModified);
    // Closing: Yes, save cancelled: the window stays open.
    main->show();
    app.dialogs.confirmAnswers.push_back(Dialogs::Answer::Yes);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    main->hide();
}

// Each command that asks "Сохранить данные текущей лабораторной ?": "No" goes
// on without saving, "Cancel" stops the command and keeps everything.
TEST(MainWindow, NoGoesOnWithoutSavingAndCancelStops) {
    enum Command { New, Open, Close };
    for (const Command command : {New, Open, Close}) {
        for (const Dialogs::Answer answer : {Dialogs::Answer::No, Dialogs::Answer::Cancel}) {
            const bool no = answer == Dialogs::Answer::No;
            SCOPED_TRACE(std::string(command == New    ? "New"
                                     : command == Open ? "Open"
                                                       : "Close") +
                         (no ? ", No" : ", Cancel"));
            TestApp app;
            MainWindow* main = app.ctx.windows.main.get();
            app.wb().PartDone[0] = 1;
            app.state.WorkbookModified = true;
            app.dialogs.confirmAnswers.push_back(answer);
            bool closed = false;
            switch (command) {
            case New:
                if (no) // the timer goes with the dialog, should New not show it
                    QTimer::singleShot(50, app.ctx.windows.studentData.get(),
                                       [&] { app.ctx.windows.studentData->close(); });
                main->newWorkbook();
                break;
            case Open:
                main->openWorkbook(); // the open dialog, if shown, is cancelled
                break;
            case Close:
                main->show();
                closed = main->close();
                break;
            }
            ASSERT_EQ(app.dialogs.confirms.size(), 1);
            EXPECT_TRUE(app.dialogs.saveDialogs.isEmpty()) << "nothing is saved";
            EXPECT_TRUE(app.state.WorkbookFileName.empty());
            EXPECT_TRUE(app.dialogs.errors.isEmpty());
            switch (command) {
            case New:
                EXPECT_EQ(app.wb().PartDone[0], no ? 0 : 1);
                EXPECT_EQ(app.wb().GuideAutoStart, no ? 1 : 0);
                break;
            case Open:
                EXPECT_EQ(app.dialogs.openDialogs.size(), no ? 1 : 0);
                EXPECT_EQ(app.wb().PartDone[0], 1);
                EXPECT_TRUE(app.state.WorkbookModified);
                break;
            case Close:
                EXPECT_EQ(closed, no);
                EXPECT_EQ(main->isVisible(), !no);
                main->hide();
                break;
            }
        }
    }
}

TEST(MainWindow, NewResetsAsksForTheStudentAndTurnsTheGuideOn) {
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    app.wb().PartDone[PartMemory] = 1;
    app.wb().GuideAutoStart = 0;
    QTimer::singleShot(50, [&] { app.ctx.windows.studentData->close(); });
    main->newWorkbook();
    EXPECT_TRUE(app.dialogs.confirms.isEmpty()) << "an unmodified workbook asks nothing";
    EXPECT_EQ(app.wb().PartDone[PartMemory], 0);
    EXPECT_EQ(app.wb().GuideAutoStart, 1);
}

TEST(MainWindow, OpeningReplacesTheWorkbookOnlyWhenTheWholeFileWasRead) {
    TempFolder folder;
    TestApp app;
    MainWindow* main = app.ctx.windows.main.get();
    Workbook saved = app.wb();
    saved.sStudent = ToCp1251("Иванов Иван");
    saved.PartDone[PartComputer] = 1;
    saved.GuideAutoStart = 1;
    SaveWorkbookFile(saved, FileIn(folder, "good.orvik").toStdString());
    auto bytes = EncodeWorkbook(saved);
    bytes.pop_back();
    {
        std::ofstream out(FileIn(folder, "short.orvik").toStdString(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), 21091);
    }

    // Cancelling the dialog changes nothing.
    main->openWorkbook();
    EXPECT_EQ(test::LabelText(main, "sStudent"), QStringLiteral("Ордин Орд Ордович"));

    app.state.WorkbookFileName = "/somewhere/else.orvik";
    app.dialogs.openFiles.push_back(FileIn(folder, "short.orvik"));
    Guarded(app.ctx, [&] { main->openWorkbook(); });
    ASSERT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_EQ(app.dialogs.errors[0], QStringLiteral("Read beyond end of file."));
    EXPECT_EQ(app.wb().PartDone[PartComputer], 0);
    EXPECT_EQ(app.state.WorkbookFileName, "/somewhere/else.orvik");

    app.dialogs.openFiles.push_back(FileIn(folder, "good.orvik"));
    main->openWorkbook();
    EXPECT_EQ(EncodeWorkbook(app.wb()), EncodeWorkbook(saved));
    EXPECT_EQ(test::LabelText(main, "sStudent"), QStringLiteral("Иванов Иван"));
    EXPECT_FALSE(app.state.WorkbookModified);
    EXPECT_EQ(app.state.WorkbookFileName, FileIn(folder, "good.orvik").toStdString());
}

} // namespace
} // namespace orvik
