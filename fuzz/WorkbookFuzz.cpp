// Fuzz target: any bytes as a workbook file. The file is decoded (and now and
// then opened through the real file reader), then every model runs on the
// opened records as the lab windows, the report pages and the inspector run
// them, and every number is formatted as the windows show it. Model errors
// are the program's normal answer to a damaged file; anything else (a crash,
// a sanitizer report, a broken invariant) is a fault.

#include "FuzzSupport.h"
#include "Inspector.h"

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "core/RealToText.h"
#include "firm/AllKits.h"
#include "lab2/CacheTable.h"
#include "lab2/MemoryByChip.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <array>
#include <cstring>
#include <functional>
#include <sstream>
#include <string_view>
#include <vector>

namespace orvik {
namespace {

// Runs one model step as a window's event does: an Error ends the event.
template <typename F> void AsAnEvent(F&& step) {
    try {
        step();
    } catch (const Error&) {
    }
}

void ShowNumbers(const std::vector<inspect::Field>& fields) {
    for (const inspect::Field& f : fields)
        if (f.value.type == inspect::Value::Type::Real)
            (void)RealToText(f.value.real, 3);
}

// The bytes of a new workbook, onto which a short input is laid as the tail
// of the file: so that small inputs reach the lab records at the end.
const std::vector<std::uint8_t>& NewWorkbookBytes() {
    static const std::vector<std::uint8_t> bytes = [] {
        LabState state;
        ResetWorkbook(state);
        return EncodeWorkbook(state.workbook);
    }();
    return bytes;
}

// Saving what was opened gives back every byte but a string record's
// padding (the characters behind its length).
void CheckRoundTrip(const Workbook& wb, const std::uint8_t* file) {
    const std::vector<std::uint8_t> encoded = EncodeWorkbook(wb);
    if (encoded.size() != layout::Size)
        fuzz::Broken("encoded workbook has the wrong size");
    std::size_t from = 0;
    for (std::size_t text : {layout::Student, layout::Group, layout::Prepod, layout::Var}) {
        const std::size_t kept = text + 1 + file[text];
        if (std::memcmp(encoded.data() + from, file + from, kept - from) != 0)
            fuzz::Broken("a workbook byte changed between opening and saving");
        from = text + 256;
    }
    if (std::memcmp(encoded.data() + from, file + from, layout::Size - from) != 0)
        fuzz::Broken("a workbook byte changed between opening and saving");
}

// Which of the slower steps an input takes, decided by its bytes so that a
// run can be repeated: the curve sweeps and the inspector's full outputs cost
// tens of times more than the other models and run for a share of inputs.
struct Share {
    bool curves;
    bool inspector;
};

void RunLabs(LabState& state, Share share) {
    Workbook& wb = state.workbook;

    // The main window's labels.
    for (const std::string* text : {&wb.sStudent, &wb.sGroup, &wb.sPrepod, &wb.sVar})
        (void)Cp1251ToUtf8(*text);

    // Processor windows: the variant's record is copied into the working one.
    for (const ProcessorRecord* r : {&wb.Circuit1, &wb.Circuit2, &wb.Lab2Processor}) {
        state.Working = *r;
        AsAnEvent([&] {
            ComputeProcessor(state.Working);
            ShowNumbers(inspect::DescribeProcessor(state.Working));
        });
    }
    // Graph window and report pages: the curves of each circuit variant.
    if (share.curves)
        for (const ProcessorRecord* r : {&wb.Circuit1, &wb.Circuit2}) {
            state.Working = *r;
            AsAnEvent([&] { ComputeCurves(state.Working, wb.CurveTable, state.Curves); });
        }
    // Curve table window: the stored rows as they are.
    for (const ProcessorRecord& row : wb.CurveTable[0])
        (void)RealToText(row.MinFeature, 2), (void)RealToText(row.Yield, 4);

    // Task window.
    AsAnEvent([&] {
        TaskRecord task = wb.Task;
        ComputeTask(task, [] {});
    });

    // Memory results window: every chip, then the chosen one.
    AsAnEvent([&] {
        MemoryRecord memory = wb.Memory;
        (void)ComputeMemoryByChip(memory, wb.Lab2Processor.DefectFactor);
    });

    // Computer results window: the twelve caches, then the student's.
    AsAnEvent([&] {
        ComputerRecord c = wb.Computer;
        (void)ComputeCacheTable(c, wb.Task, wb.Lab2Processor, wb.Memory);
        (void)RealToText(c.TaskTime, 3), (void)RealToText(c.Performance, 3);
    });

    // Firm windows: the student's kit, then all sixteen.
    AsAnEvent([&] {
        FirmRecord firm = wb.Firm;
        (void)FirmKitNumber(firm);
        ComputeFirm(firm);
        (void)ComputeAllKits(firm);
    });

    // The teacher's inspector on the same file.
    if (!share.inspector)
        return;
    const inspect::CheckResult check = inspect::Recompute(wb);
    (void)inspect::FindProblems(wb);
    (void)inspect::WorkbookJson("fuzz.orvik", wb, &check);
    (void)inspect::MakeSummaryRow("fuzz.orvik", wb, &check);
    std::ostringstream out;
    inspect::PrintCheck(out, "fuzz.orvik", wb, check);
}

} // namespace
} // namespace orvik

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvik;
    const std::uint8_t* file = data;
    std::vector<std::uint8_t> padded;
    if (size < layout::Size) {
        // A short file is refused as a whole.
        bool refused = false;
        try {
            (void)DecodeWorkbook(std::span<const std::uint8_t>(data, size));
        } catch (const Error& e) {
            refused = std::strcmp(e.what(), "Read beyond end of file") == 0;
        }
        if (!refused)
            fuzz::Broken("a short workbook file was not refused");
        padded = NewWorkbookBytes();
        std::memcpy(padded.data() + layout::Size - size, data, size);
        file = padded.data();
    }

    LabState state;
    state.workbook = DecodeWorkbook(std::span<const std::uint8_t>(file, layout::Size));
    CheckRoundTrip(state.workbook, file);

    const std::size_t hash =
        std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(data), size));
    // One input in 32 also goes through the real file reader.
    if (hash % 32 == 0) {
        const fuzz::MemoryFile memory(data, size);
        try {
            const Workbook opened = OpenWorkbookFile(memory.path());
            if (size < layout::Size)
                fuzz::Broken("a short file opened");
            // The reader also takes the business game from the bytes after the plain part.
            if (EncodeWorkbook(opened) !=
                EncodeWorkbook(DecodeWorkbook(std::span<const std::uint8_t>(data, size))))
                fuzz::Broken("opening and decoding disagree");
        } catch (const Error&) {
            if (size >= layout::Size)
                fuzz::Broken("a whole workbook file did not open");
        }
    }

    RunLabs(state, Share{(hash >> 8) % 8 == 0, (hash >> 16) % 512 == 0});
    return 0;
}
