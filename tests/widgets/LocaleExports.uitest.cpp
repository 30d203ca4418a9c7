// What the program writes while the C library follows a Russian desktop,
// where printf and strtod use a decimal comma: the spreadsheet, the report,
// the picture, the workbook, the window's numbers and the game's messages are
// those of the C locale, byte for byte where the format has no locale. The
// desktop's locale is set after the program's start-up here, as a library
// that calls setlocale would set it.
#include "game/Game.h"
#include "processor/DrawGraph.h"
#include "processor/GraphPicture.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/ReportWindow.h"
#include "support/FinishedWorkbook.h"
#include "support/ReportTestHelpers.h"
#include "support/TestApp.h"
#include "widgets/LabFrame.h"
#include "workbook/WorkbookFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <charconv>
#include <clocale>
#include <string>

using namespace orvik;
using namespace orvik::test;

namespace {

// The C library's locale for one scope.
class CLibraryLocale {
public:
    CLibraryLocale(int category, const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
        ok_ = std::setlocale(category, name) != nullptr;
    }
    ~CLibraryLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string saved_;
    bool ok_ = false;
};

struct Written {
    QByteArray sheet, styles; // of the .xlsx
    QByteArray pdf;           // without its dates and identifier
    QByteArray svg;
    std::vector<std::uint8_t> workbook;
    QStringList numbers; // the processor results window's values
    std::string gameMessage;
};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything the program writes of one finished workbook, into `folder`.
Written WriteEverything(const QString& folder) {
    TestApp app;
    Workbook& wb = app.wb();
    ComputeAllLabs(wb);
    wb.PartDone.fill(1);
    Written out;

    LabFrame* caches = nullptr;
    for (QWidget* w : app.windows->all())
        if (w->objectName() == "TForm14")
            caches = qobject_cast<LabFrame*>(w);
    if (!caches) {
        ADD_FAILURE() << "no cache table window";
        return out;
    }
    caches->open();
    const QString xlsx = folder + "/table.xlsx";
    app.dialogs.saveFiles = {xlsx};
    ButtonNamed(caches, "Сохранить в Excel")->click();
    caches->close();
    out.sheet = RunTool("unzip", {"-p", xlsx, "xl/worksheets/sheet1.xml"}).toUtf8();
    out.styles = RunTool("unzip", {"-p", xlsx, "xl/styles.xml"}).toUtf8();

    ReportWindow* report = app.ctx.windows.report.get();
    report->open();
    ButtonNamed(report, "Отметить все")->click();
    const QString pdf = folder + "/report.pdf";
    app.dialogs.saveFiles = {pdf};
    ButtonNamed(report, "Сохранить в PDF")->click();
    report->close();
    EXPECT_EQ(PdfStructureProblems(pdf), "");
    out.pdf = ReadFile(pdf);
    static const QRegularExpression stamps(
        QStringLiteral("/(CreationDate|ModDate) ?\\([^)]*\\)|/ID ?\\[[^\\]]*\\]"));
    out.pdf = QString::fromLatin1(out.pdf).remove(stamps).toLatin1();

    app.state.Working = wb.Circuit1;
    ComputeCurves(app.state.Working, wb.CurveTable, app.state.Curves);
    out.svg = GraphSvg(5, GraphData{wb.CurveTable, app.state.Curves, "ЭСЛ"}, "График");

    const QString workbook = folder + "/work.orvik";
    SaveWorkbookFile(wb, workbook.toStdString());
    const QByteArray bytes = ReadFile(workbook);
    out.workbook.assign(bytes.begin(), bytes.end());

    auto* results = app.ctx.windows.processorResults.get();
    results->open();
    for (const QLabel* label : results->findChildren<QLabel*>())
        if (label->text().contains(QRegularExpression("\\d")))
            out.numbers << label->text();
    results->close();

    GameDecision decision = DefaultDecision();
    decision.MinFeature = 0;
    out.gameMessage = CheckDecision(1, decision);
    EXPECT_TRUE(app.dialogs.errors.isEmpty()) << app.dialogs.errors.join('\n').toStdString();
    return out;
}

// Every number of a sheet (cell values and column widths) read as the C
// locale writes numbers; fails the test at the first one that is not.
void ExpectCNumbers(const QByteArray& xml) {
    static const QRegularExpression number(QStringLiteral("<v>([^<]*)</v>|width=\"([^\"]*)\""));
    int seen = 0;
    for (auto it = number.globalMatch(QString::fromUtf8(xml)); it.hasNext(); ++seen) {
        const auto m = it.next();
        const std::string text = (m.hasCaptured(1) ? m.captured(1) : m.captured(2)).toStdString();
        double value = 0;
        const auto end = std::from_chars(text.data(), text.data() + text.size(), value);
        EXPECT_TRUE(end.ec == std::errc() && end.ptr == text.data() + text.size()) << text;
    }
    EXPECT_GT(seen, 50);
}

struct LocaleCase {
    const char* name;
    int category;
};

TEST(RussianDesktop, EverythingWrittenIsTheSameAsUnderTheCLocale) {
    QTemporaryDir cDir;
    Written c;
    {
        const CLibraryLocale locale(LC_ALL, "C");
        c = WriteEverything(cDir.path());
    }
    ExpectCNumbers(c.sheet);
    EXPECT_TRUE(c.pdf.startsWith("%PDF"));
    EXPECT_FALSE(c.numbers.isEmpty());
    EXPECT_EQ(c.gameMessage.find(','), std::string::npos) << c.gameMessage;

    for (const LocaleCase& lc :
         {LocaleCase{"LC_ALL", LC_ALL}, LocaleCase{"LC_NUMERIC", LC_NUMERIC}}) {
        SCOPED_TRACE(lc.name);
        const CLibraryLocale locale(lc.category, "ru_RU.UTF-8");
        if (!locale.ok()) {
            GTEST_SKIP() << "ORVIK-SKIP: the locale ru_RU.UTF-8 is not installed";
        }
        ASSERT_STREQ(std::localeconv()->decimal_point, ","); // the desktop's numbers
        QTemporaryDir dir;
        const Written ru = WriteEverything(dir.path());
        EXPECT_EQ(ru.sheet.toStdString(), c.sheet.toStdString());
        EXPECT_EQ(ru.styles.toStdString(), c.styles.toStdString());
        EXPECT_EQ(ru.pdf.toStdString(), c.pdf.toStdString());
        EXPECT_EQ(ru.svg.toStdString(), c.svg.toStdString());
        EXPECT_EQ(ru.workbook, c.workbook);
        EXPECT_EQ(ru.numbers, c.numbers);
        EXPECT_EQ(ru.gameMessage, c.gameMessage);
    }
}

// The program's start-up (as the tests' own) puts the C library's numbers
// back to a full stop, whatever the desktop's language; the rest of the
// desktop's locale stays.
TEST(RussianDesktop, StartUpKeepsTheFullStopInNumbers) {
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    const std::string ctype = std::setlocale(LC_CTYPE, nullptr);
    if (qEnvironmentVariable("LC_ALL").startsWith("ru_RU")) {
        EXPECT_EQ(ctype.substr(0, 5), "ru_RU");
    }
}

} // namespace
