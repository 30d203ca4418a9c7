// Showing the longest help text the program keeps, in the narrow hint popup
// and in the task window, from a tampered data file whose course guide is one
// unbroken line of 2 MB (the text boxes wrap such a line character by
// character, which costs time growing with the square of its length).
#include "app/AppContext.h"
#include "shell/HintWindow.h"
#include "shell/TaskTextWindow.h"
#include "shell/TextStore.h"
#include "widgets/Dialogs.h"
#include "workbook/LabState.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "helptext_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

template <typename Window, typename Show> void ShowLongest(benchmark::State& bench, Show show) {
    App();
    orvik::LabState state;
    orvik::QtDialogs dialogs;
    orvik::AppContext ctx(state, dialogs);
    std::array<std::string, orvik::kTextCount> texts;
    texts[0] = std::string(std::size_t{2} << 20, '\xC6'); // "Ж"
    texts[63] = texts[0];
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("orviklab.db2")).toStdString();
    const auto bytes = orvik::BuildTextStoreFile(texts);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    orvik::LoadTextStore(state.Texts, path);
    auto window = std::make_unique<Window>(ctx);
    for (auto _ : bench) {
        show(*window);
        window->repaint();
        QApplication::processEvents();
        window->hide();
    }
}

void BM_HintPopupShowsTheLongestText(benchmark::State& bench) {
    ShowLongest<orvik::HintWindow>(bench, [](orvik::HintWindow& w) { w.ShowHintText(0); });
}
BENCHMARK(BM_HintPopupShowsTheLongestText)->Unit(benchmark::kMillisecond);

void BM_TaskWindowShowsTheLongestText(benchmark::State& bench) {
    ShowLongest<orvik::TaskTextWindow>(bench, [](orvik::TaskTextWindow& w) { w.ShowTaskText(0); });
}
BENCHMARK(BM_TaskWindowShowsTheLongestText)->Unit(benchmark::kMillisecond);

// Loading the program's own help data file, as the main window does when it
// first shows: every text read and unscrambled.
void BM_LoadTextStore(benchmark::State& bench) {
    const std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string path = (dir / "orviklab.db2").string();
    orvik::TextStore store;
    if (!orvik::LoadTextStore(store, path)) {
        bench.SkipWithError("no orviklab.db2 beside the benchmark");
        return;
    }
    for (auto _ : bench) {
        orvik::LoadTextStore(store, path);
        benchmark::DoNotOptimize(store.entries.data());
    }
}
BENCHMARK(BM_LoadTextStore)->Unit(benchmark::kMicrosecond);

} // namespace
