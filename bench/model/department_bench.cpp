// The end of term of a whole department: 10 000 workbooks (1 % damaged, a
// few planted copies) through --similar and --xlsx, with --summary and
// --summary --recompute of the same files as the floors they are held to.

#include "Inspector.h"

#include "core/Cp1251.h"
#include "firm/FirmModel.h"
#include "game/Game.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// ORVIK_DEPARTMENT=N makes N workbooks instead; ORVIK_KEEP_DEPARTMENT=1
// leaves the folder for a look at the outputs.
int Workbooks() {
    const char* n = std::getenv("ORVIK_DEPARTMENT");
    return n ? std::max(10, std::atoi(n)) : 10000;
}

struct Department {
    fs::path dir;
    ~Department() {
        if (!dir.empty() && !std::getenv("ORVIK_KEEP_DEPARTMENT"))
            fs::remove_all(dir);
    }
};

// A student who follows the variant's task and plays the game their own way.
orvik::Workbook Student(int i) {
    using namespace orvik;
    std::mt19937 random(static_cast<unsigned>(i));
    const int variant = i % 10 + 1;
    LabState state;
    ResetWorkbook(state);
    Workbook& wb = state.workbook;
    wb.sStudent = ToCp1251("Студент " + std::to_string(i));
    wb.sGroup = ToCp1251("ВВ-" + std::to_string(i / 25) + "-26");
    wb.sPrepod = ToCp1251("Преподаватель " + std::to_string(i / 250));
    wb.sVar = std::to_string(variant);
    wb.Circuit1.Technology = variant % 5;
    wb.Circuit2.Technology = (variant + 2) % 5;
    wb.Circuit1.ChipArea = wb.Circuit2.ChipArea = 0.25 + 0.05 * variant;
    ComputeProcessor(wb.Circuit1);
    ComputeProcessor(wb.Circuit2);
    ProcessorRecord working = wb.Circuit1;
    ComputeCurves(working, wb.CurveTable, state.Curves);
    wb.Task.InputCount = 100 * variant;
    ComputeTask(wb.Task, {});
    wb.Lab2Processor.DefectFactor = 0.1 * variant;
    ComputeProcessor(wb.Lab2Processor);
    wb.Memory.Capacity = 8 * variant;
    ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
    ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
    wb.Firm.Hours = variant;
    ComputeFirm(wb.Firm);
    wb.PartDone = {1, 1, 1, 1, 1, 1, 1};
    StartGame(wb.Game, variant);
    const int years = static_cast<int>(random() % 9);
    for (int y = 1; y <= years; ++y) {
        GameDecision d = DefaultDecision();
        d.Volume = 1000 * static_cast<int>(2 + random() % 20);
        d.Advertising = 10.0 * static_cast<double>(random() % 500);
        d.Price = std::round(d.Price * (0.8 + 0.01 * static_cast<double>(random() % 60)));
        wb.Game.Decisions.push_back(d);
    }
    return wb;
}

fs::path MakeDepartment() {
    static Department department;
    if (!department.dir.empty())
        return department.dir;
    std::string pattern = (fs::temp_directory_path() / "orvik-department-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return {};
    department.dir = pattern;
    const int n = Workbooks();
    for (int i = 0; i < n; ++i) {
        orvik::Workbook wb = Student(i);
        if (i % 1000 == 1) { // a renamed copy of the previous student
            wb = Student(i - 1);
            wb.sStudent = orvik::ToCp1251("Копия " + std::to_string(i));
        } else if (i % 1000 == 2) { // the game of two students before
            wb.Game.Decisions = Student(i - 2).Game.Decisions;
        }
        const fs::path folder = department.dir / ("группа-" + std::to_string(i / 25));
        fs::create_directories(folder);
        const std::string path = (folder / ("w" + std::to_string(i) + ".orvik")).string();
        // Written plainly: the program's safe save waits for the disk each time.
        const auto bytes = orvik::EncodeWorkbook(wb);
        const std::size_t size = i % 100 == 50 ? 20000 : bytes.size(); // damaged: cut short
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
    }
    return department.dir;
}

void Inspect(benchmark::State& state, std::vector<std::string> args) {
    const fs::path dir = MakeDepartment();
    if (dir.empty()) {
        state.SkipWithError("no folder for the department");
        return;
    }
    args.push_back(dir.string());
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = orvik::inspect::RunInspector(args, out, err);
        benchmark::DoNotOptimize(status);
        if (status != orvik::inspect::kExitTrouble) // the damaged files are seen
            state.SkipWithError("the damaged workbooks were not reported");
    }
    state.counters["workbooks"] = Workbooks();
}

void DepartmentSummary(benchmark::State& state) {
    Inspect(state, {"--summary"});
}
void DepartmentSummaryRecompute(benchmark::State& state) {
    Inspect(state, {"--summary", "--recompute"});
}
void DepartmentSimilar(benchmark::State& state) {
    Inspect(state, {"--similar"});
}
void DepartmentXlsx(benchmark::State& state) {
    const fs::path sheet = fs::temp_directory_path() / "orvik-department-bench.xlsx";
    Inspect(state, {"--xlsx", sheet.string()});
    fs::remove(sheet);
}

// Wall-clock time: the per-file work runs on every core.
BENCHMARK(DepartmentSummary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DepartmentSummaryRecompute)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DepartmentSimilar)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DepartmentXlsx)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
