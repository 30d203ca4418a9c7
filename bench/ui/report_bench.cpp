// Filling a graph page (curves of both circuit variants, two drawings) and
// writing it as a PDF page; the whole report of a finished workbook (the
// business game played) as one PDF file.
#include "support/QuietDialogs.h"

#include "app/AppContext.h"
#include "app/WindowSet.h"
#include "firm/FirmModel.h"
#include "game/GameSession.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/ProcessorModel.h"
#include "report/GraphPage.h"
#include "report/ReportPage.h"
#include "report/ReportWindow.h"
#include "report/TitlePage.h"
#include "widgets/Dialogs.h"
#include "workbook/LabState.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

// The program's windows, among them the report window and the two page
// holders it fills.
struct ReportRig {
    explicit ReportRig(orvik::LabState& state) : ctx(state, dialogs), windows(ctx) {}
    orvik::bench::QuietDialogs dialogs;
    orvik::AppContext ctx;
    orvik::WindowSet windows;
    orvik::GraphPage* graphPage() { return ctx.windows.graphPage.get(); }
    orvik::ReportWindow* report() { return ctx.windows.report.get(); }
};

void BM_GraphPageToPdf(benchmark::State& bench) {
    App();
    orvik::LabState state;
    orvik::ResetWorkbook(state);
    ReportRig rig(state);
    orvik::ReportWindow* report = rig.report();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    for (auto _ : bench) {
        report->FillGraphPage(5);
        benchmark::DoNotOptimize(orvik::WriteReportPdf(*rig.graphPage(), pdf));
    }
}
BENCHMARK(BM_GraphPageToPdf)->Unit(benchmark::kMillisecond);

void BM_TitlePageToPdf(benchmark::State& bench) {
    App();
    orvik::LabState state;
    orvik::ResetWorkbook(state);
    orvik::bench::QuietDialogs dialogs;
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

void BM_WholeReportToPdf(benchmark::State& bench) {
    App();
    orvik::LabState state;
    orvik::ResetWorkbook(state);
    ReportRig rig(state); // the main window, made with it, starts a new workbook
    orvik::Workbook& wb = state.workbook;
    orvik::ComputeProcessor(wb.Circuit1);
    wb.Circuit2.Technology = 4;
    orvik::ComputeProcessor(wb.Circuit2);
    orvik::ComputeTask(wb.Task, [] {});
    orvik::ComputeProcessor(wb.Lab2Processor);
    orvik::ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
    orvik::ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
    orvik::ComputeFirm(wb.Firm);
    orvik::StartGame(wb.Game, 6); // eight years of a student copying "Гамма"
    orvik::GameSession game(wb.Game);
    while (!game.over())
        game.commit(game.rivalOffers()[2].Decision);
    wb.Game = game.state();
    wb.PartDone.fill(1);
    orvik::ReportWindow* report = rig.report();
    report->open(); // lists the fifteen pages
    report->setAllChecked(true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : bench)
        benchmark::DoNotOptimize(report->writeCheckedPdf(pdf));
    bench.counters["rows"] = report->list()->count();
    bench.counters["pdf_kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
    report->close();
}
BENCHMARK(BM_WholeReportToPdf)->Unit(benchmark::kMillisecond);

} // namespace
