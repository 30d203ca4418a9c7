#include "app/WindowSet.h"

#include "app/AppContext.h"
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmInputWindow.h"
#include "firm/FirmResultsWindow.h"
#include "game/GameWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerResultsWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/MemoryResultsWindow.h"
#include "lab2/TaskWindow.h"
#include "processor/CurveTableWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/GraphPage.h"
#include "report/ReportWindow.h"
#include "report/TitlePage.h"
#include "shell/AboutWindow.h"
#include "shell/HintWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"

namespace orvik {

template <typename W> W* WindowSet::make(AppContext& ctx) {
    auto window = std::make_unique<W>(ctx);
    W* raw = window.get();
    owned_.push_back(std::move(window));
    return raw;
}

WindowSet::WindowSet(AppContext& ctx) : ctx_(ctx) {
    Windows& w = ctx.windows;
    w.splash = make<SplashWindow>(ctx); // sets ProgramDir, GraphBitmap and the pictures
    w.main = make<MainWindow>(ctx);     // resets the workbook
    w.guide = make<GuideWindow>(ctx);
    w.about = make<AboutWindow>(ctx);
    w.processorInput = make<ProcessorInputWindow>(ctx);
    w.processorResults = make<ProcessorResultsWindow>(ctx);
    w.graph = make<GraphWindow>(ctx);
    w.curveTable = make<CurveTableWindow>(ctx);
    w.studentData = make<StudentDataDialog>(ctx);
    w.task = make<TaskWindow>(ctx);
    w.memoryInput = make<MemoryInputWindow>(ctx);
    w.memoryResults = make<MemoryResultsWindow>(ctx);
    w.computerInput = make<ComputerInputWindow>(ctx);
    w.computerResults = make<ComputerResultsWindow>(ctx);
    w.hint = make<HintWindow>(ctx);
    w.firmInput = make<FirmInputWindow>(ctx);
    w.firmAllKits = make<FirmAllKitsWindow>(ctx);
    w.firmResults = make<FirmResultsWindow>(ctx);
    w.taskText = make<TaskTextWindow>(ctx);
    w.report = make<ReportWindow>(ctx);
    w.titlePage = make<TitlePage>(ctx);
    w.graphPage = make<GraphPage>(ctx);
    w.game = make<GameWindow>(ctx);
}

WindowSet::~WindowSet() {
    // Destroyed in reverse order of creation; the splash window goes last.
    while (!owned_.empty())
        owned_.pop_back();
    ctx_.windows = {};
}

} // namespace orvik
