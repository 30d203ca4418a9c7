// The inspector over a folder of 300 workbooks: the summary table a teacher
// asks for, with and without recomputing every record.

#include "Inspector.h"

#include "core/Cp1251.h"
#include "firm/FirmModel.h"
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
#include <sstream>

namespace {

namespace fs = std::filesystem;
constexpr int kWorkbooks = 300;

// The folder of workbooks, made once and removed when the program ends.
struct Folder {
    fs::path dir;
    std::vector<std::string> files;
    ~Folder() {
        if (!dir.empty())
            fs::remove_all(dir);
    }
};

Folder& TheFolder() {
    static Folder folder;
    return folder;
}

class InspectFolder : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override {
        Folder& folder = TheFolder();
        if (!folder.files.empty())
            return;
        std::string pattern = (fs::temp_directory_path() / "orvik-inspect-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        folder.dir = pattern;
        using namespace orvik;
        for (int i = 0; i < kWorkbooks; ++i) {
            LabState state;
            ResetWorkbook(state);
            Workbook& wb = state.workbook;
            wb.sStudent = ToCp1251("Студент " + std::to_string(kWorkbooks - i));
            wb.sGroup = ToCp1251("ВВ-" + std::to_string(i % 7) + "-98");
            wb.sVar = std::to_string(i % 10 + 1);
            wb.Circuit1.Technology = i % 5;
            wb.Circuit2.Technology = (i + 2) % 5;
            ComputeProcessor(wb.Circuit1);
            ComputeProcessor(wb.Circuit2);
            ProcessorRecord working = wb.Circuit1;
            ComputeCurves(working, wb.CurveTable, state.Curves);
            ComputeTask(wb.Task, {});
            ComputeProcessor(wb.Lab2Processor);
            ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
            ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
            ComputeFirm(wb.Firm);
            wb.PartDone = {1, 0, 1, 1, 1, 1, static_cast<std::uint8_t>(i % 2)};
            const std::string path = (folder.dir / ("w" + std::to_string(i) + ".orvik")).string();
            SaveWorkbookFile(wb, path);
            folder.files.push_back(path);
        }
    }

protected:
    void Run(benchmark::State& state, std::vector<std::string> args) {
        const std::vector<std::string>& files = TheFolder().files;
        args.insert(args.end(), files.begin(), files.end());
        for (auto _ : state) {
            std::ostringstream out, err;
            const int status = orvik::inspect::RunInspector(args, out, err);
            benchmark::DoNotOptimize(status);
            if (status != 0)
                state.SkipWithError("the workbooks do not inspect clean");
        }
        state.counters["workbooks"] = static_cast<double>(files.size());
    }
};

BENCHMARK_F(InspectFolder, Summary300)(benchmark::State& state) {
    Run(state, {"--summary"});
}

BENCHMARK_F(InspectFolder, SummaryRecompute300)(benchmark::State& state) {
    Run(state, {"--summary", "--recompute"});
}

BENCHMARK_F(InspectFolder, Json300)(benchmark::State& state) {
    Run(state, {"--json"});
}

} // namespace
