#include "report/ReportWindow.h"
#include "firm/FirmModel.h"
#include "game/GamePlayers.h"
#include "game/GameSession.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "report/GameReportPage.h"
#include "report/GraphPage.h"
#include "report/ReportPage.h"
#include "report/TablePages.h"
#include "report/TitlePage.h"
#include "support/FinishedWorkbook.h"
#include "support/ReportTestHelpers.h"
#include "support/TestApp.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstring>

#include <unistd.h>

using namespace orvik;
using namespace orvik::test;

namespace {

// No printer for these tests: the printing path must take its no-printer way.
const bool kNoPrinterServer = [] {
    qputenv("CUPS_SERVER", "/nonexistent/orvik-test/cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    return true;
}();

constexpr double kTol = 1.2; // mm

template <typename T> bool SameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

QStringList RowTexts(ReportWindow* w) {
    QStringList texts;
    for (int i = 0; i < w->list()->count(); ++i)
        texts << w->list()->item(i)->text();
    return texts;
}

// Closes the next print preview once it is open and counts it.
struct PreviewCloser {
    int seen = 0;
    void arm() {
        QTimer::singleShot(0, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QPrintPreviewDialog*>(w); d && d->isVisible()) {
                    ++seen;
                    d->reject();
                }
        });
    }
};

class ReportTest : public ::testing::Test {
protected:
    TestApp app;
    QTemporaryDir dir;
    ReportWindow* report() { return app.ctx.windows.report.get(); }
    QString path(const QString& name) { return dir.filePath(name); }

    void setStudent(const QString& var, const QString& student, const QString& teacher,
                    const QString& group) {
        app.wb().sVar = AppContext::ToWorkbookText(var);
        app.wb().sStudent = AppContext::ToWorkbookText(student);
        app.wb().sPrepod = AppContext::ToWorkbookText(teacher);
        app.wb().sGroup = AppContext::ToWorkbookText(group);
    }
    std::vector<PdfWord> titleWords() {
        report()->FillTitlePage();
        const QString pdf = path("title.pdf");
        EXPECT_TRUE(WriteReportPdf(*app.ctx.windows.titlePage.get(), pdf));
        return PdfWords(pdf);
    }
    // Computes every lab once, as the windows would, and marks it done.
    void doAllLabs() {
        ComputeAllLabs(app.wb());
        app.wb().PartDone.fill(1);
    }
    // Eight years of the business game, each with the best forecast profit.
    void playGame() {
        GameSession session(FreshGame(6));
        while (!session.over())
            session.commit(GreedyDecision(session));
        app.wb().Game = session.state();
    }
};

TEST_F(ReportTest, ListFollowsThePartsDone) {
    report()->open();
    EXPECT_EQ(RowTexts(report()), QStringList{"Титульный лист"});
    EXPECT_EQ(report()->ReportPageKinds()[0], 1);
    EXPECT_EQ(report()->ReportPageKinds()[1], 0);
    report()->close();

    app.wb().PartDone[PartProcessor1] = 1;
    report()->open();
    const QStringList rows = RowTexts(report());
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows[1], "Лаб.1 - Таблица расчетов");
    EXPECT_EQ(rows[2], "Лаб.1 - график Степень интеграции от МЛР");
    EXPECT_EQ(rows[7], "Лаб.1 - график Частота от МЛР");
    EXPECT_EQ(rows[11], "Лаб.1 - график Стоимость процессора от к.деф.");
    for (int r = 0; r < 12; ++r)
        EXPECT_EQ(report()->ReportPageKinds()[r], r + 1) << r;
    EXPECT_EQ(report()->ReportPageKinds()[12], 0);
    // Every showing starts unchecked and unselected, whatever was before.
    ButtonNamed(report(), "Отметить все")->click();
    report()->list()->item(3)->setSelected(true);
    report()->close();
    EXPECT_TRUE(app.ctx.mainWindow()->isEnabled());

    app.wb().PartDone.fill(0);
    app.wb().PartDone[PartFirm] = 1;
    report()->open();
    EXPECT_EQ(RowTexts(report()),
              (QStringList{"Титульный лист", "Лаб.3 - Деятельность компьютерной фирмы"}));
    EXPECT_EQ(report()->ReportPageKinds()[1], 15);
    EXPECT_EQ(report()->list()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(report()->list()->selectedItems().isEmpty());
    report()->close();

    app.wb().PartDone.fill(1);
    report()->open();
    const QStringList all = RowTexts(report());
    ASSERT_EQ(all.size(), 15);
    EXPECT_EQ(all.mid(12), (QStringList{"Лаб.1 - деловая игра", "Лаб.2 - Таблицы расчетов",
                                        "Лаб.3 - Деятельность компьютерной фирмы"}));
    EXPECT_EQ(report()->ReportPageKinds()[12], 13);
    EXPECT_EQ(report()->ReportPageKinds()[13], 14);
    report()->close();
}

TEST_F(ReportTest, CheckAllAndClearAll) {
    app.wb().PartDone[PartProcessor1] = 1;
    report()->open();
    ButtonNamed(report(), "Отметить все")->click();
    for (int i = 0; i < report()->list()->count(); ++i)
        EXPECT_EQ(report()->list()->item(i)->checkState(), Qt::Checked);
    ButtonNamed(report(), "Снять все")->click();
    for (int i = 0; i < report()->list()->count(); ++i)
        EXPECT_EQ(report()->list()->item(i)->checkState(), Qt::Unchecked);
    ButtonNamed(report(), "Закрыть")->click();
    EXPECT_FALSE(report()->isVisible());
}

TEST_F(ReportTest, PreviewActsOnTheSelectedRowOnly) {
    app.wb().PartDone[PartProcessor1] = 1;
    app.wb().PartDone[PartBusinessGame] = 1;
    report()->open();
    ButtonNamed(report(), "Отметить все")->click();
    PreviewCloser closer;
    closer.arm();
    ButtonNamed(report(), "Просмотр")->click(); // checked rows, none selected
    QApplication::processEvents();
    EXPECT_EQ(closer.seen, 0);
    EXPECT_EQ(app.state.GraphKind, 0);

    report()->list()->item(7)->setSelected(true); // graph kind 5
    closer.arm();
    ButtonNamed(report(), "Просмотр")->click();
    EXPECT_EQ(closer.seen, 1);
    EXPECT_EQ(app.state.GraphKind, 5);
    EXPECT_EQ(app.ctx.windows.graphPage->titleLine(), "Зависимость частоты от МЛР");

    report()->list()->item(12)->setSelected(true); // the business game's page
    closer.arm();
    ButtonNamed(report(), "Просмотр")->click();
    QApplication::processEvents();
    EXPECT_EQ(closer.seen, 2);
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    report()->close();
}

TEST_F(ReportTest, TitlePageTextsStandAtTheirPlaces) {
    // A line break from a file stays on the teacher's one line.
    setStudent("7", "Иванов Иван", "Петров\nП.П.", "ИВТ-21");
    // The department's institution from its file: the comments are not printed.
    QFile institution(path("institution.txt"));
    ASSERT_TRUE(institution.open(QIODevice::WriteOnly));
    institution.write("# Название\r\n\r\n  Кафедра ЭВМ\r\n");
    institution.close();
    app.ctx.windows.titlePage->setInstitutionFile(institution.fileName());
    const auto words = titleWords();
    ASSERT_FALSE(words.empty()) << "pdftotext gave no words";
    const auto at = [&](const QString& text) {
        const PdfWord* w = FindWord(words, text);
        EXPECT_NE(w, nullptr) << text.toStdString();
        return w ? *w : PdfWord{};
    };
    // Captions end 4 mm before their fields, which start at 129.1 mm.
    const struct {
        const char* caption;
        const char* value;
        double top;
    } rows[] = {{"Вариант", "7", 179.7},
                {"Группа", "ИВТ-21", 190.8},
                {"Студент", "Иванов", 197.1},
                {"Преподаватель", "Петров", 212.2}};
    for (const auto& r : rows) {
        const PdfWord c = at(r.caption), v = at(r.value);
        EXPECT_NEAR(c.xMax, 125.1, kTol) << r.caption;
        EXPECT_NEAR(c.yMin, r.top, kTol) << r.caption;
        EXPECT_NEAR(v.xMin, 129.1, kTol) << r.value;
        EXPECT_NEAR(v.yMin, r.top, kTol) << r.value;
    }
    EXPECT_NEAR(at("П.П.").yMin, 212.2, kTol);
    const PdfWord moscow = at("Москва,");
    const PdfWord year = at(QString::number(QDate::currentDate().year()));
    EXPECT_NEAR(moscow.yMin, 269.4, kTol);
    EXPECT_NEAR((moscow.xMin + year.xMax) / 2, 19.1 + 178.1 / 2, kTol); // centred
    const PdfWord course = at("Лабораторные");
    EXPECT_NEAR(course.yMin, 117.7, kTol);
    const PdfWord department = at("Кафедра");
    EXPECT_NEAR(department.yMin, 23.3, kTol);
    EXPECT_NEAR((department.xMin + at("ЭВМ").xMax) / 2, 21.2 + 173.8 / 2, kTol); // centred
    EXPECT_EQ(FindWord(words, "Название"), nullptr) << "a comment was printed";
    for (const PdfWord& w : words) {
        EXPECT_GE(w.xMin, 17.0) << w.text.toStdString();
        EXPECT_LE(w.xMax, 200.0) << w.text.toStdString();
    }
    EXPECT_TRUE(PdfIsA4(path("title.pdf")));
}

TEST_F(ReportTest, LongStudentNameWrapsInsideItsBox) {
    const QString longName =
        "Константинопольская-Преображенская Анастасия Вячеславовна Длиннофамильная "
        "Сверхдлинная Фамилия Студентки Которая Не Помещается Никуда Вообще";
    setStudent("3", longName, "Петров П.П.", "");
    const auto words = titleWords();
    ASSERT_FALSE(words.empty());
    std::vector<double> lineTops;
    for (const PdfWord& w : words) {
        if (w.xMin < 128 || w.yMin < 196 || w.yMin > 211)
            continue; // not the student field
        EXPECT_LE(w.xMax, 129.1 + 68.0 + 0.3) << w.text.toStdString();
        EXPECT_LE(w.yMax, 197.1 + 13.0 + 0.5) << w.text.toStdString();
        if (lineTops.empty() || qAbs(lineTops.back() - w.yMin) > 1)
            lineTops.push_back(w.yMin);
    }
    EXPECT_EQ(lineTops.size(), 3u); // the rest of the name does not fit the box
    const PdfWord* teacher = FindWord(words, "Преподаватель");
    ASSERT_NE(teacher, nullptr);
    EXPECT_NEAR(teacher->yMin, 212.2, kTol);
    const PdfWord* petrov = FindWord(words, "Петров");
    ASSERT_NE(petrov, nullptr);
    EXPECT_NEAR(petrov->yMin, 212.2, kTol);
    EXPECT_EQ(FindWord(words, "Никуда"), nullptr);
    // An empty group leaves its field blank; the caption stays.
    const PdfWord* group = FindWord(words, "Группа");
    ASSERT_NE(group, nullptr);
    for (const PdfWord& w : words)
        EXPECT_FALSE(w.xMin > 128 && qAbs(w.yMin - 190.8) < 1.5) << w.text.toStdString();
}

TEST_F(ReportTest, GraphPageFillingLeavesTheStoredRecords) {
    Workbook& wb = app.wb();
    wb.Circuit2.Technology = 4;
    wb.Circuit2.ChipArea = 0.5;
    const ProcessorRecord c1 = wb.Circuit1, c2 = wb.Circuit2;
    for (bool modified : {false, true}) {
        app.state.WorkbookModified = modified;
        report()->FillGraphPage(5);
        EXPECT_EQ(app.state.GraphKind, 5);
        EXPECT_EQ(app.state.WorkbookModified, modified);
    }
    EXPECT_TRUE(SameBytes(wb.Circuit1, c1));
    EXPECT_TRUE(SameBytes(wb.Circuit2, c2));
    // The curves are those of variant 2.
    EXPECT_EQ(wb.CurveTable[0][0].Technology, 4);
    EXPECT_DOUBLE_EQ(wb.CurveTable[1][49].ChipArea, 0.5);
    const GraphPage* page = app.ctx.windows.graphPage.get();
    EXPECT_EQ(page->titleLine(), "Зависимость частоты от МЛР");
    EXPECT_EQ(page->picture(0).size(), QSize(650, 450));
    EXPECT_EQ(page->picture(1).size(), QSize(650, 450));

    // The graphs go onto the page as vector drawing: no pictures, and their
    // scale labels are text (the horizontal scale runs to 3.00 in both).
    const QString pdf = path("graph.pdf");
    ASSERT_TRUE(WriteReportPdf(*page, pdf));
    const QString images = RunTool("pdfimages", {"-list", pdf});
    EXPECT_FALSE(images.contains(" image ")) << images.toStdString();
    const auto words = PdfWords(pdf);
    EXPECT_EQ(std::count_if(words.begin(), words.end(),
                            [](const PdfWord& w) { return w.text == "3.00"; }),
              2);
    const PdfWord* title = FindWord(words, "Зависимость");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->xMin, 17.0 + 6.4, kTol);
    EXPECT_NEAR(title->yMin, 10.0 + 4.2, kTol);
}

TEST_F(ReportTest, GraphPicturesFillTheirBoxes) {
    QImage red(650, 450, QImage::Format_RGB32), blue(650, 450, QImage::Format_RGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    app.ctx.windows.graphPage->fill(2, red, blue);
    const QString pdf = path("boxes.pdf");
    ASSERT_TRUE(WriteReportPdf(*app.ctx.windows.graphPage.get(), pdf));
    RunTool("pdftoppm", {"-png", "-r", "60", "-singlefile", pdf, path("boxes")});
    const QImage sheet(path("boxes.png"));
    ASSERT_FALSE(sheet.isNull());
    const auto px = [&](double xmm, double ymm) {
        return sheet.pixelColor(int(xmm * 60 / 25.4), int(ymm * 60 / 25.4));
    };
    const auto isRed = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    const auto isBlue = [](QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; };
    const auto isWhite = [](QColor c) {
        return c.red() > 240 && c.green() > 240 && c.blue() > 240;
    };
    // Corners just inside each 172.0 x 119.1 mm box, and just outside.
    EXPECT_TRUE(isRed(px(23.5, 26.4)));
    EXPECT_TRUE(isRed(px(193.5, 143.5)));
    EXPECT_TRUE(isBlue(px(23.5, 152.0)));
    EXPECT_TRUE(isBlue(px(193.5, 269.1)));
    EXPECT_TRUE(isWhite(px(21.0, 60.0)));
    EXPECT_TRUE(isWhite(px(196.0, 60.0)));
    EXPECT_TRUE(isWhite(px(100.0, 147.2)));
    EXPECT_TRUE(isWhite(px(100.0, 272.5)));
}

TEST_F(ReportTest, TablePagesHoldTheResultsWithoutChangingTheWorkbook) {
    doAllLabs();
    Workbook& wb = app.wb();
    const Workbook before = wb;

    // The title strip spans the printable width from the top margin (10 mm) down
    // to 20.6 mm and holds the page's title alone; the tables begin below it.
    const auto expectTitleStripAlone = [](const TablePage& page, const QString& pdf) {
        QStringList inStrip;
        for (const PdfWord& w : PdfWords(pdf)) {
            if (w.yMin < 20.6) {
                inStrip << w.text;
                EXPECT_GE(w.yMin, 10.0) << w.text.toStdString();
                EXPECT_LE(w.yMax, 20.6) << w.text.toStdString();
                EXPECT_GE(w.xMin, 17.0 + 6.4 - kTol) << w.text.toStdString();
            }
        }
        EXPECT_EQ(inStrip.join(u' '), page.title()) << pdf.toStdString();
    };
    const QString lab1 = path("lab1.pdf");
    ASSERT_TRUE(WriteReportPdf(ProcessorTablesPage(wb), lab1));
    EXPECT_EQ(PdfStructureProblems(lab1), "");
    expectTitleStripAlone(ProcessorTablesPage(wb), lab1);
    const QString t1 = PdfText(lab1);
    for (const char* s : {"Схемотехника 1", "Схемотехника 2", "ЭСЛ", "GaAs", "62500", "0.176777",
                          "122.60", "0.0020", "0.0000066", "Коифецент дефектности"})
        EXPECT_TRUE(t1.contains(QString::fromUtf8(s))) << s;
    {
        // One table: the column header, the inputs, then the results, each
        // under its section line, as the results window lists them.
        const TablePage page = ProcessorTablesPage(wb);
        const std::vector<PageBlock>& blocks = page.blocks();
        ASSERT_EQ(blocks.size(), 1u);
        const char* const captions[] = {"",
                                        "Исходные данные",
                                        "Тип схемотехники",
                                        "Коифецент дефектности",
                                        "Минимальный литографический размер",
                                        "Площадь кристалла",
                                        "Степень интеграции устройства",
                                        "Результаты расчета",
                                        "Степень интеграции БИС",
                                        "Рассеиваемая мощность, Вт",
                                        "Задержка на ЛЭ, нс",
                                        "Выход годных",
                                        "Стоимость БИС, у.е",
                                        "Стоимость ЛЭ, у.е",
                                        "Интенсивность отказов, 1/ч",
                                        "Число БИС, шт",
                                        "Число АЛУ, шт",
                                        "Рабочая частота, МГц",
                                        "Наработка на отказ, ч",
                                        "Стоимость процессора, у.е"};
        const std::vector<PageTableRow>& rows = blocks[0].table.rows;
        ASSERT_EQ(rows.size(), std::size(captions));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(rows[i].cells.value(0), QString::fromUtf8(captions[i]));
            EXPECT_EQ(rows[i].header, i == 0);
            EXPECT_EQ(rows[i].section, i == 1 || i == 7);
        }
        // On the page they stand in the same order from top to bottom.
        const auto words = PdfWords(lab1);
        double above = 0;
        for (const char* first : {"Исходные", "Тип", "Результаты", "Рассеиваемая", "Наработка"}) {
            const PdfWord* w = FindWord(words, QString::fromUtf8(first));
            ASSERT_NE(w, nullptr) << first;
            EXPECT_GT(w->yMin, above) << first;
            above = w->yMin;
        }
    }

    const QString lab2 = path("lab2.pdf");
    ASSERT_TRUE(WriteReportPdf(Lab2TablesPage(wb), lab2));
    EXPECT_EQ(PdfStructureProblems(lab2), "");
    expectTitleStripAlone(Lab2TablesPage(wb), lab2);
    const QString t2 = PdfText(lab2);
    // The task's cycles, the four memory chips, and the twelve caches.
    for (const char* s : {"50283", "10*n", "1872", "919", "1514", "7844", "1335", "5338", "21348",
                          "85348", "64 Мбит", "Ст.вычисл."})
        EXPECT_TRUE(t2.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(PdfPageCount(lab2), 1);

    const QString lab3 = path("lab3.pdf");
    ASSERT_TRUE(WriteReportPdf(FirmTablesPage(wb), lab3));
    EXPECT_EQ(PdfStructureProblems(lab3), "");
    expectTitleStripAlone(FirmTablesPage(wb), lab3);
    const QString t3 = PdfText(lab3);
    for (const char* s : {"2360000", "2195815", "164185", "0.000067", "3622, 1818, 2363, 4507",
                          "38291", "22782", "N16", "Стандартное"})
        EXPECT_TRUE(t3.contains(QString::fromUtf8(s))) << s;

    // The game: none yet, then eight years won.
    const QString game = path("game.pdf");
    ASSERT_TRUE(WriteReportPdf(BusinessGamePage(wb), game));
    EXPECT_TRUE(PdfText(game).contains(QStringLiteral("Игра еще не начата.")));
    playGame();
    ASSERT_TRUE(WriteReportPdf(BusinessGamePage(wb), game));
    EXPECT_EQ(PdfStructureProblems(game), "");
    const QString tg = PdfText(game);
    for (const char* s :
         {"Вариант 6", "Итог игры", "Ваша фирма", "Альфа", "Бета", "Гамма", "Победа", "Деньги на"})
        EXPECT_TRUE(tg.contains(QString::fromUtf8(s))) << s;
    // Sums grouped by thousands, as the window shows them.
    EXPECT_TRUE(tg.contains(QRegularExpression(QStringLiteral("\\d \\d{3} \\d{3}"))));
    {
        // The result table: places 1..4 in order, each with the firm that
        // holds it (by cash, not by the firms' own order).
        const FinalStanding standing = GameSession(wb.Game).standing();
        const TablePage page = BusinessGamePage(wb);
        const PageTable* result = nullptr;
        for (const PageBlock& b : page.blocks())
            if (!b.table.rows.empty() && b.table.rows[0].cells.value(0) == "Место")
                result = &b.table;
        ASSERT_NE(result, nullptr);
        ASSERT_EQ(result->rows.size(), 5u);
        QStringList order;
        for (int place = 1; place <= 4; ++place) {
            const QStringList& cells = result->rows[static_cast<std::size_t>(place)].cells;
            EXPECT_EQ(cells.value(0), QString::number(place));
            order << cells.value(1);
        }
        EXPECT_EQ(order.first(), "Ваша фирма"); // the greedy player wins
        EXPECT_NE(order, (QStringList{"Ваша фирма", "Альфа", "Бета", "Гамма"}))
            << "the rivals end in their own order: the check cannot tell places from firms";
        EXPECT_EQ(standing.StudentPlace, 1);
    }
    EXPECT_EQ(PdfPageCount(game), 1);

    EXPECT_TRUE(SameBytes(wb.Memory, before.Memory));
    EXPECT_TRUE(SameBytes(wb.Computer, before.Computer));
    EXPECT_TRUE(SameBytes(wb.Firm, before.Firm));
    EXPECT_TRUE(SameBytes(wb.Task, before.Task));
    EXPECT_TRUE(SameBytes(wb.Lab2Processor, before.Lab2Processor));
}

TEST_F(ReportTest, WithoutAPrinterTheCheckedPagesMayGoToOnePdfFile) {
    app.wb().PartDone[PartProcessor1] = 1;
    report()->open();
    report()->list()->item(0)->setCheckState(Qt::Checked);
    report()->list()->item(4)->setCheckState(Qt::Checked); // graph kind 2
    const QString out = path("out.pdf");
    app.dialogs.yesNoAnswers = {true};
    app.dialogs.saveFiles = {out};
    ButtonNamed(report(), "Печать")->click();
    ASSERT_EQ(app.dialogs.questions.size(), 1); // one question for both pages
    EXPECT_TRUE(app.dialogs.questions[0].contains("Принтер"));
    ASSERT_EQ(app.dialogs.saveDialogs.size(), 1);
    EXPECT_EQ(app.dialogs.saveDialogs[0].filter, "Документ PDF (*.pdf)");
    EXPECT_TRUE(PdfIsA4(out));
    EXPECT_EQ(PdfStructureProblems(out), "");
    EXPECT_EQ(PdfPageCount(out), 2);
    EXPECT_TRUE(PdfText(out, 1).contains("Москва"));
    EXPECT_TRUE(PdfText(out, 2).contains("Зависимость интенсивности отказов от МЛР"));
    EXPECT_EQ(app.state.GraphKind, 2);
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    report()->close();
}

// A finished workbook goes out as one PDF file of fifteen A4 pages in list
// order, every word inside the margins, with the report's title and the
// student as the document's title and author; the workbook stays as it was.
// With ORVIK_REPORT_PDF_DIR set the file is kept there for a look.
TEST_F(ReportTest, AFinishedWorkbookIsOnePdfOfEveryPage) {
    doAllLabs();
    playGame();
    setStudent("10",
               "Римский-Корсаков-Преображенский Александр-Константин Вячеславович Иванов-Петровъ",
               "Петров П.П.", "ИВТ-21");
    app.state.WorkbookFileName = path("work.orvik").toStdString();
    const Workbook before = app.wb();
    const QString outDir = qEnvironmentVariable("ORVIK_REPORT_PDF_DIR", dir.path());
    const QString pdf = QDir(outDir).filePath("report.pdf");
    QFile::remove(pdf);
    report()->open();
    ButtonNamed(report(), "Отметить все")->click();
    app.dialogs.saveFiles = {pdf};
    ButtonNamed(report(), "Сохранить в PDF")->click();
    EXPECT_TRUE(app.dialogs.errors.isEmpty()) << app.dialogs.errors.join(u'\n').toStdString();
    ASSERT_EQ(app.dialogs.saveDialogs.size(), 1);
    // Proposed beside the workbook, named after the student and the group.
    EXPECT_EQ(app.dialogs.saveDialogs[0].proposed,
              path("Римский-Корсаков-Преображенский Александр-Константин Вячеславович "
                   "Иванов-Петровъ ИВТ-21.pdf"));
    const auto* notice = report()->findChild<QLabel*>("savedNotice");
    ASSERT_NE(notice, nullptr); // the window says where the file went
    EXPECT_EQ(notice->toolTip(), pdf);
    ASSERT_EQ(PdfPageCount(pdf), 15);
    EXPECT_EQ(PdfStructureProblems(pdf), ""); // the appended info dictionary included
    EXPECT_TRUE(PdfIsA4(pdf));
    EXPECT_EQ(PdfInfoField(pdf, "Title"), TitlePage::CourseLine());
    EXPECT_EQ(PdfInfoField(pdf, "Author"),
              "Римский-Корсаков-Преображенский Александр-Константин Вячеславович Иванов-Петровъ");
    // Each page's own words, in the order of the list.
    const char* const pageWords[15] = {"Москва",
                                       "Схемотехника 1",
                                       "Зависимость степени интеграции от МЛР",
                                       "Зависимость задержки на ЛЭ от МЛР",
                                       "Зависимость интенсивности отказов от МЛР",
                                       "Зависимость выхода годных кристаллов от МЛР",
                                       "Зависимость стоимости БИС от МЛР",
                                       "Зависимость частоты от МЛР",
                                       "Зависимость времени наработки от МЛР",
                                       "Зависимость стоимости процессора от МЛР",
                                       "Зависимость времени наработки от площади кристалла",
                                       "Зависимость стоимости процессора от площади кристалла",
                                       "деловая игра",
                                       "Ст.вычисл.",
                                       "Стандартное"};
    for (int page = 1; page <= 15; ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(PdfText(pdf, page).contains(QString::fromUtf8(pageWords[page - 1])));
        const auto words = PdfWords(pdf, page);
        EXPECT_GT(words.size(), 3u);
        for (const PdfWord& w : words) {
            // A4 with margins of 17 (left), 10 (right), 10 (top) and 17 mm (bottom).
            EXPECT_GE(w.xMin, 17.0 - 0.2) << w.text.toStdString();
            EXPECT_LE(w.xMax, 210.0 - 10.0 + 0.2) << w.text.toStdString();
            EXPECT_GE(w.yMin, 10.0 - 0.2) << w.text.toStdString();
            EXPECT_LE(w.yMax, 297.0 - 17.0 + 0.2) << w.text.toStdString();
        }
    }
    // The pages were filled as for a preview: the working record and the
    // curves are what the last graph page left, those of variant 2.
    ProcessorRecord working = before.Circuit2;
    CurveTableData table{};
    CurveResults curves;
    ComputeCurves(working, table, curves);
    EXPECT_TRUE(SameBytes(app.wb().CurveTable, table));
    EXPECT_TRUE(SameBytes(app.state.Working, working));
    EXPECT_EQ(app.state.GraphKind, 9);
    EXPECT_TRUE(SameBytes(app.wb().Circuit1, before.Circuit1));
    EXPECT_TRUE(SameBytes(app.wb().Circuit2, before.Circuit2));
    EXPECT_FALSE(app.state.WorkbookModified);
    report()->close();
}

// An existing file is replaced only after the question; a folder that cannot
// be written gets a message and keeps no part of the file.
TEST_F(ReportTest, SavingThePdfAsksBeforeReplacingAndLeavesNothingHalfWritten) {
    report()->open();
    report()->list()->item(0)->setCheckState(Qt::Checked);
    const QString pdf = path("old.pdf");
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    struct Case {
        bool replace;
        QByteArray starts;
    };
    for (const Case& c : {Case{false, "old"}, Case{true, "%PDF"}}) {
        app.dialogs.saveFiles = {pdf};
        app.dialogs.yesNoAnswers = {c.replace};
        ButtonNamed(report(), "Сохранить в PDF")->click();
        ASSERT_FALSE(app.dialogs.questions.isEmpty());
        EXPECT_EQ(app.dialogs.questions.back(),
                  QStringLiteral("Файл %1 уже существует. Заменить?").arg(pdf));
        QFile in(pdf);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        EXPECT_TRUE(in.readAll().startsWith(c.starts));
    }

    QDir(dir.path()).mkdir("locked");
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    app.dialogs.saveFiles = {path("locked/report.pdf")};
    ButtonNamed(report(), "Сохранить в PDF")->click();
    if (::geteuid() != 0) { // root writes anywhere
        ASSERT_EQ(app.dialogs.errors.size(), 1);
        EXPECT_TRUE(app.dialogs.errors[0].startsWith("Не удается создать файл"));
        EXPECT_TRUE(QDir(path("locked")).isEmpty());
    }
    // Nothing checked: a message, no dialog.
    const auto dialogs = app.dialogs.saveDialogs.size();
    ButtonNamed(report(), "Снять все")->click();
    ButtonNamed(report(), "Сохранить в PDF")->click();
    EXPECT_EQ(app.dialogs.saveDialogs.size(), dialogs);
    EXPECT_FALSE(app.dialogs.messages.isEmpty());
    EXPECT_FALSE(app.state.WorkbookModified);
    report()->close();
}

TEST_F(ReportTest, AModelErrorIsReportedAndNothingPrints) {
    app.wb().PartDone[PartProcessor1] = 1;
    app.wb().Circuit1.Technology = 9; // only a damaged workbook holds this
    report()->open();
    report()->list()->item(2)->setCheckState(Qt::Checked);
    app.dialogs.yesNoAnswers = {true};
    app.dialogs.saveFiles = {path("never.pdf")};
    ButtonNamed(report(), "Печать")->click();
    EXPECT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_FALSE(QFile::exists(path("never.pdf")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    report()->close();
}

} // namespace
