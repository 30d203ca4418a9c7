#include "report/ReportWindow.h"
#include "firm/FirmModel.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/ProcessorModel.h"
#include "report/GraphPage.h"
#include "report/ReportPage.h"
#include "report/TablePages.h"
#include "report/TitlePage.h"
#include "support/ReportTestHelpers.h"
#include "support/TestApp.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>

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
        Workbook& wb = app.wb();
        ComputeProcessor(wb.Circuit1);
        wb.Circuit2.Technology = 4; // GaAs
        ComputeProcessor(wb.Circuit2);
        ComputeTask(wb.Task, [] {});
        ComputeProcessor(wb.Lab2Processor);
        ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
        ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
        ComputeFirm(wb.Firm);
        wb.PartDone.fill(1);
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

    report()->list()->item(12)->setSelected(true); // the business game has no page
    closer.arm();
    ButtonNamed(report(), "Просмотр")->click();
    QApplication::processEvents();
    EXPECT_EQ(closer.seen, 1);
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_TRUE(app.dialogs.messages[0].contains("деловой игры"));
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    report()->close();
}

TEST_F(ReportTest, TitlePageTextsStandAtTheirPlaces) {
    setStudent("7", "Иванов Иван", "Петров П.П.", "ИВТ-21");
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
    const PdfWord moscow = at("Москва,");
    const PdfWord year = at(QString::number(QDate::currentDate().year()));
    EXPECT_NEAR(moscow.yMin, 269.4, kTol);
    EXPECT_NEAR((moscow.xMin + year.xMax) / 2, 19.1 + 178.1 / 2, kTol); // centred
    const PdfWord course = at("Лабораторные");
    EXPECT_NEAR(course.yMin, 117.7, kTol);
    const PdfWord institution = at("Московский");
    EXPECT_NEAR(institution.yMin, 23.3, kTol);
    EXPECT_GT(institution.xMin, 21.2);
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

    const QString pdf = path("graph.pdf");
    ASSERT_TRUE(WriteReportPdf(*page, pdf));
    const QString images = RunTool("pdfimages", {"-list", pdf});
    EXPECT_EQ(images.count(QRegularExpression("\\n\\s*1\\s+\\d+\\s+image\\s+650\\s+450")), 2)
        << images.toStdString();
    const auto words = PdfWords(pdf);
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

    const QString lab1 = path("lab1.pdf");
    ASSERT_TRUE(WriteReportPdf(ProcessorTablesPage(wb), lab1));
    const QString t1 = PdfText(lab1);
    for (const char* s : {"Схемотехника 1", "Схемотехника 2", "ЭСЛ", "GaAs", "62500", "0.176777",
                          "122.60", "0.0020", "0.0000066", "Коифецент дефектности"})
        EXPECT_TRUE(t1.contains(QString::fromUtf8(s))) << s;

    const QString lab2 = path("lab2.pdf");
    ASSERT_TRUE(WriteReportPdf(Lab2TablesPage(wb), lab2));
    const QString t2 = PdfText(lab2);
    // The task's cycles, the four memory chips, and the twelve caches.
    for (const char* s : {"50283", "10*n", "1872", "919", "1514", "7844", "1335", "5338", "21348",
                          "85348", "64 Мбит", "Ст.вычисл."})
        EXPECT_TRUE(t2.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(PdfPageCount(lab2), 1);

    const QString lab3 = path("lab3.pdf");
    ASSERT_TRUE(WriteReportPdf(FirmTablesPage(wb), lab3));
    const QString t3 = PdfText(lab3);
    for (const char* s : {"2360000", "2195815", "164185", "0.000067", "3622, 1818, 2363, 4507",
                          "38291", "22782", "N16", "Стандартное"})
        EXPECT_TRUE(t3.contains(QString::fromUtf8(s))) << s;

    EXPECT_TRUE(SameBytes(wb.Memory, before.Memory));
    EXPECT_TRUE(SameBytes(wb.Computer, before.Computer));
    EXPECT_TRUE(SameBytes(wb.Firm, before.Firm));
    EXPECT_TRUE(SameBytes(wb.Task, before.Task));
    EXPECT_TRUE(SameBytes(wb.Lab2Processor, before.Lab2Processor));
}

TEST_F(ReportTest, WithoutAPrinterThePageMayGoToAPdfFile) {
    app.wb().PartDone[PartProcessor1] = 1;
    report()->open();
    report()->list()->item(0)->setCheckState(Qt::Checked);
    report()->list()->item(4)->setCheckState(Qt::Checked); // graph kind 2
    const QString title = path("title-out.pdf");
    app.dialogs.yesNoAnswers = {true, false};
    app.dialogs.saveFiles = {title};
    ButtonNamed(report(), "Печать")->click();
    ASSERT_EQ(app.dialogs.questions.size(), 2);
    EXPECT_TRUE(app.dialogs.questions[0].contains("Принтер"));
    ASSERT_EQ(app.dialogs.saveDialogs.size(), 1); // the second page was declined
    EXPECT_EQ(app.dialogs.saveDialogs[0].filter, "PDF (*.pdf)");
    EXPECT_TRUE(PdfIsA4(title));
    EXPECT_EQ(PdfPageCount(title), 1);
    EXPECT_TRUE(PdfText(title).contains("Москва"));
    EXPECT_EQ(app.state.GraphKind, 2);
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    report()->close();
}

// Every page of a finished workbook goes out (here to PDF files, as there is
// no printer), one A4 page each, with every word inside the margins. With
// ORVIK_REPORT_PDF_DIR set the pages are kept there for a look.
TEST_F(ReportTest, EveryPageOfAFinishedWorkbookFitsItsSheet) {
    doAllLabs();
    setStudent("10",
               "Римский-Корсаков-Преображенский Александр-Константин Вячеславович Иванов-Петровъ",
               "Петров П.П.", "ИВТ-21");
    const QString outDir = qEnvironmentVariable("ORVIK_REPORT_PDF_DIR", dir.path());
    report()->open();
    ButtonNamed(report(), "Отметить все")->click();
    QStringList files;
    for (int row = 0; row < report()->list()->count(); ++row) {
        const int kind = report()->ReportPageKinds()[static_cast<std::size_t>(row)];
        if (kind == PageBusinessGame)
            continue;
        files << QDir(outDir).filePath(
            QStringLiteral("report-%1.pdf").arg(kind, 2, 10, QChar(u'0')));
        QFile::remove(files.back());
        app.dialogs.yesNoAnswers.push_back(true);
        app.dialogs.saveFiles.push_back(files.back());
    }
    ASSERT_EQ(files.size(), 14);
    ButtonNamed(report(), "Печать")->click();
    EXPECT_TRUE(app.dialogs.errors.isEmpty()) << app.dialogs.errors.join(u'\n').toStdString();
    EXPECT_EQ(app.dialogs.saveDialogs.size(), 14);
    for (const QString& pdf : files) {
        SCOPED_TRACE(pdf.toStdString());
        ASSERT_TRUE(QFile::exists(pdf));
        EXPECT_EQ(PdfPageCount(pdf), 1);
        EXPECT_TRUE(PdfIsA4(pdf));
        const auto words = PdfWords(pdf);
        EXPECT_GT(words.size(), 3u);
        for (const PdfWord& w : words) {
            EXPECT_GE(w.xMin, kMarginLeftMm - 0.2) << w.text.toStdString();
            EXPECT_LE(w.xMax, kSheetWidthMm - kMarginRightMm + 0.2) << w.text.toStdString();
            EXPECT_GE(w.yMin, kMarginTopMm - 0.2) << w.text.toStdString();
            EXPECT_LE(w.yMax, kSheetHeightMm - kMarginBottomMm + 0.2) << w.text.toStdString();
        }
    }
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
    EXPECT_TRUE(app.dialogs.questions.isEmpty());
    EXPECT_FALSE(QFile::exists(path("never.pdf")));
    report()->close();
}

} // namespace
