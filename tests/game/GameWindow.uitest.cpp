// The business game played through its window: the year header, the
// forecast that commits nothing, the move, the history, the end of the game,
// the restart, the task text and a damaged game block on opening.
#include "game/GameSession.h"
#include "support/TempFolder.h"
#include "support/TestApp.h"

#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "game/GamePlayers.h"
#include "game/GameWindow.h"
#include "shell/TaskTextWindow.h"
#include "widgets/SpinBox.h"
#include "workbook/WorkbookFile.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>

#include <fstream>

namespace orvik::test {
namespace {

QTableWidget* Grid(QWidget* window, const char* name) {
    return Child<QTableWidget>(window, QString::fromLatin1(name));
}

QString Cell(QWidget* window, const char* grid, int row, int column) {
    QTableWidget* t = Grid(window, grid);
    return t && t->item(row, column) ? t->item(row, column)->text() : QString();
}

int LastRow(QWidget* window, const char* grid) {
    return Grid(window, grid)->rowCount() - 1;
}

// Types a decision into the window's boxes, as the student would.
void Enter(GameWindow* window, const GameDecision& d) {
    Child<QComboBox>(window, "technology")->setCurrentIndex(d.Technology);
    Child<SpinBox>(window, "MinFeature")->setValue(d.MinFeature);
    Child<SpinBox>(window, "ChipArea")->setValue(d.ChipArea);
    Child<SpinBox>(window, "DeviceIntegration")->setValue(d.DeviceIntegration);
    Child<SpinBox>(window, "Price")->setValue(d.Price);
    Child<SpinBox>(window, "Volume")->setValue(d.Volume);
    Child<SpinBox>(window, "Advertising")->setValue(d.Advertising);
}

GameWindow* OpenGame(TestApp& app, const char* variant) {
    app.wb().PartDone[PartProcessor1] = 1;
    app.wb().sVar = variant;
    app.ctx.windows.guide->OpenLabPart(PartBusinessGame);
    GameWindow* window = app.ctx.windows.game.get();
    EXPECT_TRUE(window->isVisible());
    return window;
}

TEST(GameWindow, FirstYearHeaderAndTheRivalsOffers) {
    TestApp app;
    GameWindow* w = OpenGame(app, "3");
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Деловая игра"));
    EXPECT_EQ(LabelText(w, "year"), QStringLiteral("Год 1 из 8"));
    EXPECT_EQ(LabelText(w, "kdefYear"), QStringLiteral("2.00"));
    EXPECT_EQ(LabelText(w, "smallestFeature"), QStringLiteral("1.00"));
    // Last year's segments: M0 / g, 150000 / 1.25, 20000 / 1.2, 8000 / 1.15.
    EXPECT_EQ(LabelText(w, "market0"), QStringLiteral("120 000"));
    EXPECT_EQ(LabelText(w, "market1"), QStringLiteral("16 667"));
    EXPECT_EQ(LabelText(w, "market2"), QStringLiteral("6 957"));
    // Nothing is kept before the first move: the workbook stays plain.
    EXPECT_TRUE(app.wb().Game.empty());
    EXPECT_EQ(EncodeWorkbook(app.wb()).size(), 21092u);
    EXPECT_EQ(Child<SpinBox>(w, "MinFeature")->minimum(), 1.0);
    // The rivals' published offers: their design and price, no results yet.
    for (int rival = 2; rival <= 4; ++rival) {
        EXPECT_FALSE(Cell(w, "forecast", 0, rival).isEmpty()) << rival;
        EXPECT_EQ(Cell(w, "forecast", LastRow(w, "forecast"), rival), QStringLiteral("—"));
    }
    EXPECT_TRUE(Cell(w, "forecast", 0, 1).isEmpty()); // the student's column before "Рассчитать"
    EXPECT_FALSE(app.state.WorkbookModified);

    // "Закрыть" leads back to the guide when it starts by itself.
    app.wb().GuideAutoStart = 1;
    ButtonNamed(w, QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(app.ctx.windows.guide->isVisible());
}

// Rows: who plays, and how the game ends.
TEST(GameWindow, AWholeGamePlayedThroughTheWindow) {
    struct Case {
        bool greedy;
        int lastYear;        // 0: any year up to 8
        const char* verdict; // its start
    };
    const Case cases[] = {
        {true, 8, "Победа"},
        {false, 0, "Ваша фирма обанкротилась"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict);
        TestApp app;
        GameWindow* w = OpenGame(app, "7");
        int year = 0;
        while (!w->session()->over() && year < 9) {
            ++year;
            EXPECT_EQ(LabelText(w, "year"), QStringLiteral("Год %1 из 8").arg(year));
            const GameDecision d = c.greedy ? GreedyDecision(*w->session()) : DefaultDecision();
            if (c.greedy)
                Enter(w, d);
            ButtonNamed(w, QStringLiteral("Рассчитать"))->click();
            // The forecast shows the student's column and commits nothing;
            // the default decision is told it takes the cash below zero.
            EXPECT_FALSE(Cell(w, "forecast", LastRow(w, "forecast"), 1).isEmpty());
            if (!c.greedy && year == 1) {
                EXPECT_TRUE(LabelText(w, "forecastNote").contains(QStringLiteral("кредит")));
            }
            EXPECT_EQ(app.wb().Game.Decisions.size(), static_cast<std::size_t>(year - 1));
            ButtonNamed(w, QStringLiteral("Сделать ход"))->click();
            ASSERT_EQ(app.wb().Game.Decisions.size(), static_cast<std::size_t>(year));
            EXPECT_TRUE(app.state.WorkbookModified);
            // The year's results of the four firms and the history row.
            for (int firm = 1; firm <= 4; ++firm)
                EXPECT_FALSE(Cell(w, "results", LastRow(w, "results"), firm).isEmpty());
            EXPECT_EQ(Cell(w, "history", year - 1, 0), QString::number(year));
            EXPECT_EQ(Cell(w, "history", year, 0), QString());
            EXPECT_EQ(app.wb().PartDone[PartBusinessGame], year == 8 ? 1 : 0);
        }
        if (c.lastYear) {
            EXPECT_EQ(year, c.lastYear);
        }
        EXPECT_TRUE(w->session()->over());
        EXPECT_TRUE(LabelText(w, "verdict").startsWith(QString::fromUtf8(c.verdict)))
            << LabelText(w, "verdict").toStdString();
        EXPECT_TRUE(Child<QGroupBox>(w, "standing")->isVisibleTo(w));
        EXPECT_FALSE(ButtonNamed(w, QStringLiteral("Сделать ход"))->isEnabled());
        EXPECT_EQ(LabelText(w, "year"), QStringLiteral("Игра окончена"));
        EXPECT_EQ(LabelText(w, "market0"), QStringLiteral("—"));
        // The verdict, once; after a bankruptcy with the offer to start again.
        EXPECT_EQ(app.dialogs.messages.size(), c.greedy ? 1 : 0);
        EXPECT_EQ(app.dialogs.questions.size(), c.greedy ? 0 : 1);
        // Money is grouped by thousands: "-25 516 181".
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d{1,3}( \\d{3})+$"))
                        .match(Cell(w, "history", 0, 10))
                        .hasMatch())
            << Cell(w, "history", 0, 10).toStdString();
        // Replayed from the saved decisions, the same game.
        const GameSession replay(app.wb().Game);
        EXPECT_EQ(replay.standing().Rows[0].Cash, w->session()->standing().Rows[0].Cash);
        EXPECT_EQ(replay.years().size(), w->session()->years().size());
    }
}

// After a bankruptcy the window offers to start again at once.
TEST(GameWindow, BankruptcyOffersToStartAgain) {
    TestApp app;
    GameWindow* w = OpenGame(app, "5");
    app.dialogs.yesNoAnswers.push_back(true);
    while (app.dialogs.questions.isEmpty())
        ButtonNamed(w, QStringLiteral("Сделать ход"))->click();
    EXPECT_TRUE(app.dialogs.questions[0].contains(QStringLiteral("обанкротилась")));
    EXPECT_EQ(app.wb().Game.Restarts, 1u);
    EXPECT_TRUE(app.wb().Game.Decisions.empty());
    EXPECT_EQ(LabelText(w, "year"), QStringLiteral("Год 1 из 8"));
    EXPECT_EQ(app.wb().PartDone[PartBusinessGame], 0);
}

TEST(GameWindow, RestartAsksFirstAndIsCounted) {
    TestApp app;
    GameWindow* w = OpenGame(app, "2");
    ButtonNamed(w, QStringLiteral("Сделать ход"))->click();
    app.state.WorkbookModified = false;
    struct Case {
        bool answer;
        std::size_t years;
        unsigned restarts;
    };
    for (const Case& c : {Case{false, 1, 0}, Case{true, 0, 1}, Case{true, 0, 2}}) {
        app.dialogs.yesNoAnswers.push_back(c.answer);
        ButtonNamed(w, QStringLiteral("Начать заново"))->click();
        EXPECT_EQ(app.wb().Game.Decisions.size(), c.years);
        EXPECT_EQ(app.wb().Game.Restarts, c.restarts);
        EXPECT_EQ(LabelText(w, "restarts"), QString::number(c.restarts));
        EXPECT_EQ(app.state.WorkbookModified, c.answer || c.restarts > 0);
    }
    EXPECT_EQ(app.dialogs.questions.size(), 3);
    EXPECT_EQ(LabelText(w, "year"), QStringLiteral("Год 1 из 8"));
    EXPECT_EQ(Cell(w, "history", 0, 0), QString());
}

// The played years go out as they are shown (tab-separated text and .xlsx);
// the chart as a 1600 x 900 PNG, an SVG drawing, or a picture to paste.
TEST(GameWindow, TheHistoryGoesOutAsATableAndAPicture) {
    TestApp app;
    TempFolder dir;
    GameWindow* w = OpenGame(app, "4");
    for (int year = 0; year < 2; ++year)
        ButtonNamed(w, QStringLiteral("Сделать ход"))->click();
    ASSERT_EQ(app.wb().Game.Decisions.size(), 2u);

    ButtonNamed(w, QStringLiteral("Копировать"))->click();
    const QStringList lines = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3); // the headings and the two played years
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("Год\t")));
    EXPECT_TRUE(lines.back().startsWith(u"2\t")) << lines.back().toStdString();
    EXPECT_EQ(lines.back().split(u'\t').value(1), Cell(w, "history", 1, 1));
    // Sums go out as plain numbers: "-15 516 181" on the window, "-15516181" here.
    EXPECT_EQ(lines.back().split(u'\t').value(10), Cell(w, "history", 1, 10).remove(u' '));
    EXPECT_TRUE(Cell(w, "history", 1, 10).contains(u' '));

    struct Case {
        const char* file;
        const char* button;
        QByteArray starts;
    };
    for (const Case& c : {Case{"years.xlsx", "Сохранить в Excel", "PK"},
                          Case{"chart.png", "Сохранить рисунок", "\x89PNG"},
                          Case{"chart.svg", "Сохранить рисунок", "<?xml"}}) {
        SCOPED_TRACE(c.file);
        const QString path = QString::fromStdString((dir / c.file).string());
        app.dialogs.saveFiles = {path};
        ButtonNamed(w, QString::fromUtf8(c.button))->click();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith(c.starts));
        if (QByteArray(c.file).endsWith(".png")) {
            EXPECT_EQ(QImage::fromData(bytes).size(), QSize(1600, 900));
        }
        if (QByteArray(c.file).endsWith(".svg")) {
            EXPECT_TRUE(bytes.contains("width=\"1600\" height=\"900\""));
            EXPECT_TRUE(bytes.contains("<polyline") || bytes.contains("<path"));
        }
    }
    ButtonNamed(w, QStringLiteral("Копировать рисунок"))->click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(1600, 900));

    // A chart of no year yet: its axes do not read "0.0" at both ends.
    GameWindow fresh(app.ctx);
    const QString empty = QString::fromStdString((dir / "empty.svg").string());
    app.dialogs.saveFiles = {empty};
    ButtonNamed(&fresh, QStringLiteral("Сохранить рисунок"))->click();
    QFile svg(empty);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    EXPECT_EQ(drawing.count(">0.0<"), 2) << drawing.toStdString(); // once in each panel
    EXPECT_EQ(drawing.count(">1.0<"), 2);
    EXPECT_TRUE(app.dialogs.errors.isEmpty()) << app.dialogs.errors.join(u'\n').toStdString();
    EXPECT_EQ(app.wb().Game.Decisions.size(), 2u);
}

// GaAs on a 1 cm² chip at 1 µm in year 1 (D = 2): Y = 3^-5 and
// 3,14 × (5 − 1)² × Y < 0,6, so the wafer gives no good chip.
TEST(GameWindow, AWaferWithoutGoodChipsMakesNothingButCostsRemain) {
    TestApp app;
    GameWindow* w = OpenGame(app, "1");
    GameDecision d = DefaultDecision();
    d.Technology = 4;
    d.Advertising = 100;
    Enter(w, d);
    ButtonNamed(w, QStringLiteral("Рассчитать"))->click();
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages[0], QString::fromUtf8(kNoGoodChipsMessage));
    EXPECT_EQ(Cell(w, "forecast", 4, 1), QStringLiteral("НЕТ")); // the frequency
    EXPECT_TRUE(app.wb().Game.Decisions.empty());

    ButtonNamed(w, QStringLiteral("Сделать ход"))->click();
    ASSERT_EQ(app.wb().Game.Decisions.size(), 1u);
    const FirmYear& own = w->session()->years()[0].Firms[0];
    EXPECT_EQ(own.TotalSales, 0);
    EXPECT_EQ(own.Money.FixedCosts, 1500000);
    EXPECT_EQ(own.Money.Advertising, 100000);
    EXPECT_EQ(Cell(w, "results", 4, 1), QStringLiteral("НЕТ"));
}

TEST(GameWindow, TaskButtonShowsTheGamesTask) {
    TestApp app;
    app.state.Texts.game[GameTask] = "\xc7\xc0\xc4\xc0\xcd\xc8\xc5"; // "ЗАДАНИЕ" in Windows-1251
    GameWindow* w = OpenGame(app, "1");
    ButtonNamed(w, QStringLiteral("Задание"))->click();
    auto* text = Child<QPlainTextEdit>(app.ctx.windows.taskText.get(), "text");
    EXPECT_TRUE(app.ctx.windows.taskText->isVisible());
    EXPECT_EQ(text->toPlainText(), QStringLiteral("ЗАДАНИЕ"));
}

// A damaged game block: the workbook opens, the game is empty and the
// student reads one message, whether the file is opened from the menu or
// from the guide.
TEST(GameWindow, DamagedGameBlockIsToldOnceOnOpening) {
    TempFolder folder;
    Workbook saved;
    saved.PartDone[PartProcessor1] = 1;
    saved.Game = FreshGame(4);
    saved.Game.Decisions.push_back(DefaultDecision());
    std::vector<std::uint8_t> bytes = EncodeWorkbook(saved);
    ASSERT_GT(bytes.size(), 21092u);
    bytes.back() ^= 0xFF; // the block's check sum
    const std::string path = folder.file("damaged.orvik");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    for (const bool fromGuide : {false, true}) {
        TestApp app;
        app.dialogs.openFiles.push_back(QString::fromStdString(path));
        if (fromGuide) {
            app.ctx.ShowGuide(4, 1);
            ButtonNamed(app.ctx.windows.guide.get(), QStringLiteral("OK"))->click();
        } else {
            app.ctx.windows.main->openWorkbook();
        }
        EXPECT_EQ(app.dialogs.messages.size(), 1) << fromGuide;
        EXPECT_TRUE(app.dialogs.errors.isEmpty());
        EXPECT_EQ(app.wb().PartDone[PartProcessor1], 1);
        EXPECT_TRUE(app.wb().Game.empty());
        EXPECT_EQ(app.state.WorkbookFileName, path);
    }
}

} // namespace
} // namespace orvik::test
