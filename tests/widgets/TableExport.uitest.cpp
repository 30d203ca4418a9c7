// The export of the table windows: the copy as tab-separated text and the
// .xlsx file, read back from its sheet XML and compared with the models.
#include "widgets/TableExport.h"
#include "firm/AllKits.h"
#include "firm/FirmModel.h"
#include "firm/FirmResultsWindow.h"
#include "lab2/CacheTable.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryByChip.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "processor/ProcessorResultsWindow.h"
#include "support/FinishedWorkbook.h"
#include "support/ReportTestHelpers.h"
#include "support/TestApp.h"
#include "widgets/ExportFile.h"
#include "widgets/LabFrame.h"
#include "workbook/WorkbookFile.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <ostream>

using namespace orvik;
using namespace orvik::test;

namespace {

// One cell of a sheet: numeric or a (shared) string.
struct SheetCell {
    bool number = false;
    QString text;  // the string, or the number as written
    int style = 0; // index into the cell formats
};

// Column letters of a 0-based column (A .. Z, AA ..).
QString ColumnName(int column) {
    QString name;
    for (++column; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}

QString Unzipped(const QString& xlsx, const QString& member) {
    return RunTool(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, member});
}

QString XmlText(QString s) {
    return s.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&amp;", "&");
}

// The first sheet's cells by reference ("B5"), strings resolved.
std::map<QString, SheetCell> ReadSheet(const QString& xlsx) {
    QStringList shared;
    static const QRegularExpression si(QStringLiteral("<si><t[^>]*>([^<]*)</t></si>"));
    for (auto it = si.globalMatch(Unzipped(xlsx, "xl/sharedStrings.xml")); it.hasNext();)
        shared << XmlText(it.next().captured(1));
    static const QRegularExpression cell(
        QStringLiteral("<c r=\"([A-Z]+\\d+)\"((?: [a-z]+=\"[^\"]*\")*)>(?:<v>([^<]*)</v>)?</c>"));
    static const QRegularExpression type(QStringLiteral(" t=\"([a-z]+)\""));
    static const QRegularExpression style(QStringLiteral(" s=\"(\\d+)\""));
    std::map<QString, SheetCell> cells;
    for (auto it = cell.globalMatch(Unzipped(xlsx, "xl/worksheets/sheet1.xml")); it.hasNext();) {
        const auto m = it.next();
        SheetCell c;
        const auto t = type.match(m.captured(2));
        c.number = !t.hasMatch();
        c.text = m.captured(3);
        if (t.hasMatch() && t.captured(1) == "s")
            c.text = shared.value(c.text.toInt());
        c.style = style.match(m.captured(2)).captured(1).toInt();
        cells[m.captured(1)] = c;
    }
    return cells;
}

// The number format code of each cell format index.
QStringList FormatCodes(const QString& xlsx) {
    const QString styles = Unzipped(xlsx, "xl/styles.xml");
    std::map<int, QString> codes{{0, "General"}, {1, "0"}, {2, "0.00"}};
    static const QRegularExpression numFmt(
        QStringLiteral("<numFmt numFmtId=\"(\\d+)\" formatCode=\"([^\"]*)\""));
    for (auto it = numFmt.globalMatch(styles); it.hasNext();) {
        const auto m = it.next();
        codes[m.captured(1).toInt()] = m.captured(2);
    }
    QStringList byStyle;
    const QString xfs = styles.section(QStringLiteral("<cellXfs"), 1).section("</cellXfs>", 0, 0);
    static const QRegularExpression xf(QStringLiteral("<xf numFmtId=\"(\\d+)\""));
    for (auto it = xf.globalMatch(xfs); it.hasNext();)
        byStyle << codes[it.next().captured(1).toInt()];
    return byStyle;
}

// A value the window shows, in grid row and column, as the model computes it.
struct ModelCell {
    int row, column;
    double value;
    double tolerance; // half a unit of the last shown decimal
};

struct TableCase {
    const char* name;
    QString window; // object name
    std::function<std::vector<ModelCell>(TestApp&)> computeAndExpect;
};

// The case by its name in test output, not as the bytes of the record.
void PrintTo(const TableCase& c, std::ostream* os) {
    *os << c.name;
}

class TableExportTest : public ::testing::TestWithParam<TableCase> {
protected:
    TestApp app;
    QTemporaryDir dir;
};

const TableCase kTables[] = {
    {"curves", "TForm8",
     [](TestApp& app) {
         Workbook& wb = app.wb();
         app.state.Working = wb.Circuit1;
         ComputeCurves(app.state.Working, wb.CurveTable, app.state.Curves);
         const auto& t = wb.CurveTable;
         // The default variant's sweep runs from 0.35 to 3.00; grid rows 0..9
         // hold set 0, 11..20 set 1, 22..31 set 2, 34..43 the area points.
         return std::vector<ModelCell>{{0, 1, 0.35, 0},
                                       {9, 1, 3.00, 0},
                                       {20, 2, double(t[1][49].ChipIntegration), 0},
                                       {31, 11, t[2][49].ProcessorCost, 0.005},
                                       {16, 9, t[1][27].Frequency, 0.00005},
                                       {34, 12, 0.010, 0},
                                       {43, 12, 1.000, 0}};
     }},
    {"memory chips", "TForm12",
     [](TestApp& app) {
         Workbook& wb = app.wb();
         ComputeAllLabs(wb);
         MemoryRecord memory = wb.Memory;
         const auto chips = ComputeMemoryByChip(memory, wb.Lab2Processor.DefectFactor);
         std::vector<ModelCell> cells;
         for (int k = 0; k < 4; ++k) {
             cells.push_back({1, 1 + k, double(chips[k].CycleTime), 0});
             cells.push_back({2, 1 + k, double(chips[k].MemoryCost), 0});
             cells.push_back({3, 1 + k, double(chips[k].MemoryMtbf), 0});
         }
         return cells;
     }},
    {"caches", "TForm14",
     [](TestApp& app) {
         Workbook& wb = app.wb();
         ComputeAllLabs(wb);
         ComputerRecord computer = wb.Computer;
         const auto rows = ComputeCacheTable(computer, wb.Task, wb.Lab2Processor, wb.Memory);
         std::vector<ModelCell> cells;
         for (int r = 0; r < CacheTableRows; ++r) {
             cells.push_back({r, 0, double(rows[r].CacheSize), 0});
             cells.push_back({r, 3, rows[r].TaskTime, 0.005});
             cells.push_back({r, 5, double(rows[r].ComputerCost), 0});
             cells.push_back({r, 6, double(rows[r].CostPerMips), 0});
         }
         return cells;
     }},
    {"all kits", "TForm17",
     [](TestApp& app) {
         Workbook& wb = app.wb();
         ComputeAllLabs(wb);
         FirmRecord firm = wb.Firm;
         const auto kits = ComputeAllKits(firm);
         std::vector<ModelCell> cells;
         for (int k = 0; k < FirmKitCount; ++k) {
             cells.push_back({6 * k, 7, double(kits[k].KitPrice), 0});
             cells.push_back({6 * k + 4, 7, double(kits[k].ActivityProfit), 0});
             cells.push_back({6 * k + 1, 3, kits[k].FailureRate[0], 5e-7});
         }
         return cells;
     }},
};

TEST_P(TableExportTest, TheSpreadsheetAndTheCopyHoldTheShownNumbers) {
    const TableCase& c = GetParam();
    app.wb().sStudent = AppContext::ToWorkbookText("Иванов И.И.");
    app.wb().sGroup = AppContext::ToWorkbookText("ИВТ-21");
    const std::vector<ModelCell> expected = c.computeAndExpect(app);
    const std::vector<std::uint8_t> workbookBytes = EncodeWorkbook(app.wb());
    LabFrame* window = nullptr;
    for (QWidget* w : app.windows->all()) // makes every window
        if (w->objectName() == c.window)
            window = qobject_cast<LabFrame*>(w);
    ASSERT_NE(window, nullptr);
    window->open();
    auto* grid = window->findChild<QTableWidget*>();
    ASSERT_NE(grid, nullptr);

    const QString xlsx = dir.filePath("table.xlsx");
    app.dialogs.saveFiles = {xlsx};
    ButtonNamed(window, "Сохранить в Excel")->click();
    ASSERT_TRUE(app.dialogs.errors.isEmpty()) << app.dialogs.errors.join('\n').toStdString();
    ASSERT_EQ(app.dialogs.saveDialogs.size(), 1);
    EXPECT_EQ(app.dialogs.saveDialogs[0].filter, "Книга Excel (*.xlsx)");
    const auto* notice = window->findChild<QLabel*>("savedNotice");
    ASSERT_NE(notice, nullptr); // the window says where the file went
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->toolTip(), xlsx);
    const auto cells = ReadSheet(xlsx);
    const QStringList formats = FormatCodes(xlsx);
    ASSERT_FALSE(cells.empty());
    // The header line: each label with its own value.
    EXPECT_EQ(cells.at("A2").text, "Студент: Иванов И.И., группа: ИВТ-21, вариант: 1");
    const int firstRow = 4 + (grid->horizontalHeader()->isHidden() ? 0 : 1); // 1-based

    // Every shown number is a numeric cell of its value, formatted with the
    // shown decimals; every text is a string.
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int col = 0; col < grid->columnCount(); ++col) {
            const QString shown = grid->item(r, col) ? grid->item(r, col)->text().trimmed() : "";
            const QString ref = ColumnName(col) + QString::number(firstRow + r);
            SCOPED_TRACE(ref.toStdString() + " " + shown.toStdString());
            if (shown.isEmpty()) {
                EXPECT_EQ(cells.count(ref), 0u);
                continue;
            }
            ASSERT_EQ(cells.count(ref), 1u);
            const SheetCell& cell = cells.at(ref);
            bool isNumber = false;
            shown.toDouble(&isNumber);
            if (isNumber) {
                EXPECT_TRUE(cell.number);
                EXPECT_EQ(cell.text.toDouble(), shown.toDouble());
                const qsizetype point = shown.indexOf(u'.');
                const QString decimals = point < 0 ? QString() : shown.mid(point + 1);
                const QString code = formats.value(cell.style);
                EXPECT_EQ(code, decimals.isEmpty() ? QString("0")
                                                   : "0." + QString(decimals.size(), u'0'));
            } else {
                EXPECT_FALSE(cell.number);
                EXPECT_EQ(cell.text, shown);
            }
        }
    // Below the table, a legend where the window has one (the curve table's).
    bool legend = false;
    for (const auto& [ref, cell] : cells)
        legend = legend || cell.text == "п13 - Стоимость ед.быстродействия, у.е";
    EXPECT_EQ(legend, c.window == "TForm8");
    for (const ModelCell& m : expected) {
        const QString ref = ColumnName(m.column) + QString::number(firstRow + m.row);
        SCOPED_TRACE(ref.toStdString());
        ASSERT_EQ(cells.count(ref), 1u);
        EXPECT_TRUE(cells.at(ref).number);
        EXPECT_NEAR(cells.at(ref).text.toDouble(), m.value, m.tolerance);
    }

    // The copy: one line per grid row (and the header), cells by tabs; Ctrl+C
    // copies the same.
    ButtonNamed(window, "Копировать")->click();
    const QString copied = QApplication::clipboard()->text();
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(window);
    grid->setFocus(); // the grid's own copy of one cell must not win
    QTest::keySequence(grid, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), copied);
    QStringList lines = copied.split('\n');
    ASSERT_EQ(lines.takeLast(), "");
    if (!grid->horizontalHeader()->isHidden()) {
        EXPECT_EQ(lines.takeFirst().split('\t').size(), grid->columnCount());
    }
    ASSERT_EQ(lines.size(), grid->rowCount());
    for (const ModelCell& m : expected)
        EXPECT_NEAR(lines[m.row].split('\t').value(m.column).toDouble(), m.value, m.tolerance);

    // Exporting changed nothing in the workbook.
    EXPECT_FALSE(app.state.WorkbookModified);
    EXPECT_EQ(EncodeWorkbook(app.wb()), workbookBytes);
    window->close();
}

INSTANTIATE_TEST_SUITE_P(Windows, TableExportTest, ::testing::ValuesIn(kTables),
                         [](const auto& info) {
                             QString name = info.param.name;
                             return name.remove(' ').toStdString();
                         });

// Each shown text becomes the cell a spreadsheet reads: a number with the
// shown decimals as its format, whatever its sign or size, or else a string.
TEST(SpreadsheetCells, ShownTextsBecomeNumbersWithTheirFormatOrStrings) {
    struct Row {
        const char* shown;
        bool number;
        double value;
        const char* format;
    };
    const Row rows[] = {
        {"-12.50", true, -12.5, "0.00"},
        {"0", true, 0, "0"},
        {"0.000", true, 0, "0.000"},
        {"-3", true, -3, "0"},
        {"0.0000525", true, 5.25e-5, "0.0000000"},
        {"4560.627517", true, 4560.627517, "0.000000"},
        {"2147483648", true, 2147483648.0, "0"},
        {"НЕТ", false, 0, nullptr},
        {"10*n", false, 0, nullptr},
        {"1.2.3", false, 0, nullptr},
        {"-", false, 0, nullptr},
        {"N16", false, 0, nullptr},
    };
    ShownTable table{QStringLiteral("Проверка"), {QStringLiteral("п1")}, {}, {}};
    for (const Row& r : rows)
        table.rows << QStringList{QString::fromUtf8(r.shown)};
    QTemporaryDir dir;
    const QString xlsx = dir.filePath("cells.xlsx");
    WriteXlsx(table, QStringLiteral("Студент: А, группа: Б, вариант: 2"), xlsx.toStdString());
    const auto cells = ReadSheet(xlsx);
    const QStringList formats = FormatCodes(xlsx);
    EXPECT_EQ(cells.at("A1").text, "Проверка");
    EXPECT_EQ(cells.at("A2").text, "Студент: А, группа: Б, вариант: 2");
    EXPECT_EQ(cells.at("A4").text, "п1");
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(r.shown);
        const SheetCell& cell = cells.at("A" + QString::number(5 + i));
        ASSERT_EQ(cell.number, r.number);
        if (r.number) {
            EXPECT_EQ(cell.text.toDouble(), r.value);
            EXPECT_EQ(formats.value(cell.style), r.format);
        } else {
            EXPECT_EQ(cell.text, QString::fromUtf8(r.shown));
        }
    }
}

// The results windows copy their lines as "caption<TAB>value".
TEST(ResultsCopy, CaptionsAndValuesGoToTheClipboard) {
    TestApp app;
    ComputeAllLabs(app.wb());
    app.state.Working = app.wb().Circuit1;
    struct Case {
        LabFrame* window;
        QString line;
    };
    auto* processor = app.ctx.windows.processorResults.get();
    auto* firm = app.ctx.windows.firmResults.get();
    processor->open();
    firm->open();
    for (const Case& c :
         {Case{processor, "Степень интеграции БИС\t" + LabelText(processor, "integrBis").trimmed()},
          Case{processor, "Выход годных\t" + LabelText(processor, "godn").trimmed()},
          Case{firm, "Стоимость выбранного комплекта ПЭВМ, у.е.\t" +
                         LabelText(firm, "KitPrice").trimmed()}}) {
        QApplication::clipboard()->clear();
        QApplication::setActiveWindow(c.window);
        QTest::keySequence(c.window, QKeySequence::Copy);
        EXPECT_TRUE(QApplication::clipboard()->text().split('\n').contains(c.line))
            << QApplication::clipboard()->text().toStdString();
    }
    processor->close();
    firm->close();
}

// File names from the student's texts.
TEST(ExportNames, CharactersAFileCannotHoldAreReplaced) {
    const struct {
        const char* given;
        const char* name;
    } cases[] = {{"Иванов И.И. ИВТ-21", "Иванов И.И. ИВТ-21"},
                 {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
                 {"  ", "Отчет"},
                 {"..", "Отчет"},
                 {"line\nbreak", "line break"}};
    for (const auto& c : cases)
        EXPECT_EQ(SafeFileName(QString::fromUtf8(c.given), "Отчет"), QString::fromUtf8(c.name))
            << c.given;
}

} // namespace
