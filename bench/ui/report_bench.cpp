// Filling a graph page (curves of both circuit variants, two drawings) and
// writing it as a PDF page.
#include "app/AppContext.h"
#include "app/WindowSet.h"
#include "report/GraphPage.h"
#include "report/ReportPage.h"
#include "report/ReportWindow.h"
#include "report/TitlePage.h"
#include "widgets/Dialogs.h"
#include "workbook/LabState.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class SilentDialogs : public orvik::Dialogs {
public:
    Answer confirm(const QString&, const QString&) override { return Answer::Cancel; }
    bool askYesNo(const QString&) override { return false; }
    void inform(const QString&) override {}
    void error(const QString&) override {}
    QString chooseOpenFile(const orvik::FileDialogOptions&) override { return {}; }
    QString chooseSaveFile(const orvik::FileDialogOptions&) override { return {}; }
};

QApplication& App() {
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_GraphPageToPdf(benchmark::State& bench) {
    App();
    orvik::LabState state;
    orvik::ResetWorkbook(state);
    SilentDialogs dialogs;
    orvik::AppContext ctx(state, dialogs);
    orvik::WindowSet windows(ctx);
    orvik::GraphPage* graphPage = ctx.windows.graphPage.get();
    orvik::ReportWindow* report = ctx.windows.report.get();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    for (auto _ : bench) {
        report->FillGraphPage(5);
        benchmark::DoNotOptimize(orvik::WriteReportPdf(*graphPage, pdf));
    }
}
BENCHMARK(BM_GraphPageToPdf)->Unit(benchmark::kMillisecond);

void BM_TitlePageToPdf(benchmark::State& bench) {
    App();
    orvik::LabState state;
    orvik::ResetWorkbook(state);
    SilentDialogs dialogs;
    orvik::AppContext ctx(state, dialogs);
    auto titlePage = std::make_unique<orvik::TitlePage>(ctx);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("title.pdf"));
    for (auto _ : bench) {
        titlePage->fill(state.workbook, 2026);
        benchmark::DoNotOptimize(orvik::WriteReportPdf(*titlePage, pdf));
    }
}
BENCHMARK(BM_TitlePageToPdf)->Unit(benchmark::kMillisecond);

} // namespace
