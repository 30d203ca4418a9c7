// Recomputes the stored results of a workbook with the program's models, on
// copies of the stored records, exactly as the lab windows call them.

#include "Inspector.h"

#include "firm/FirmModel.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"

#include <algorithm>
#include <cstddef>
#include <exception>

namespace orvik::inspect {

namespace {

// A processor record whose result bytes are all zero was never computed: the
// program's own computation always gives at least one logic element per chip.
bool HasResults(const ProcessorRecord& r) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    return std::any_of(bytes + offsetof(ProcessorRecord, ChipIntegration),
                       bytes + offsetof(ProcessorRecord, HasGoodChips) + 1,
                       [](unsigned char b) { return b != 0; });
}

void Compare(const std::string& record, const std::vector<Field>& stored,
             const std::vector<Field>& recomputed, std::vector<Difference>& out) {
    const std::size_t n = std::min(stored.size(), recomputed.size());
    for (std::size_t i = 0; i < n; ++i)
        if (!SameValue(stored[i].value, recomputed[i].value))
            out.push_back({record, stored[i].FullName(), stored[i].value, recomputed[i].value});
}

RecordCheck Begin(const Workbook& wb, const std::string& key, const std::string& title, int part) {
    RecordCheck c;
    c.key = key;
    c.title = title;
    c.part = part;
    c.done = wb.done(part);
    return c;
}

// Runs `compute` and turns a model error into the record's error text.
template <typename F> void Guarded(RecordCheck& check, F&& compute) {
    try {
        compute();
    } catch (const std::exception& e) {
        check.error = e.what();
        if (check.error.empty())
            check.error = "ошибка вычисления";
    }
}

RecordCheck CheckProcessor(const Workbook& wb, const RecordInfo& info,
                           const ProcessorRecord& stored) {
    RecordCheck c = Begin(wb, info.key, info.title, info.part);
    if (info.part == PartProcessor1)
        c.computed = HasResults(stored);
    Guarded(c, [&] {
        ProcessorRecord working = stored;
        ComputeProcessor(working);
        Compare(info.key, DescribeProcessor(stored), DescribeProcessor(working), c.differences);
    });
    return c;
}

RecordCheck CheckCurves(const Workbook& wb) {
    RecordCheck c = Begin(wb, kCurveTableKey, kCurveTableTitle, PartProcessor1);
    c.computed = false;
    for (const CurveSet& set : wb.CurveTable)
        for (const ProcessorRecord& row : set)
            c.computed = c.computed || HasResults(row);
    Guarded(c, [&] {
        // The curves are computed for the technology, chip area and device
        // integration of the circuit variant, which every row carries.
        ProcessorRecord working = wb.CurveTable[0][0];
        CurveTableData table{};
        CurveResults results;
        ComputeCurves(working, table, results);
        for (std::size_t s = 0; s < table.size(); ++s)
            for (std::size_t r = 0; r < table[s].size(); ++r)
                Compare(CurveRowKey(static_cast<int>(s), static_cast<int>(r)),
                        DescribeProcessor(wb.CurveTable[s][r]), DescribeProcessor(table[s][r]),
                        c.differences);
    });
    return c;
}

} // namespace

int CheckResult::CountedDisagreements() const {
    return static_cast<int>(std::count_if(records.begin(), records.end(), [](const RecordCheck& c) {
        return c.Counted() && !c.Agrees();
    }));
}

std::size_t CheckResult::CountedDifferences() const {
    std::size_t n = 0;
    for (const RecordCheck& c : records)
        if (c.Counted())
            n += c.differences.size();
    return n;
}

namespace {

// A lab record recomputed on a copy by `compute` and compared field by field
// with the stored one.
template <typename Record, typename Describe, typename Compute>
RecordCheck CheckRecord(const Workbook& wb, const RecordInfo& info, const Record& stored,
                        Describe describe, Compute compute) {
    RecordCheck c = Begin(wb, info.key, info.title, info.part);
    Guarded(c, [&] {
        Record copy = stored;
        compute(copy, c);
        Compare(info.key, describe(stored), describe(copy), c.differences);
    });
    return c;
}

} // namespace

CheckResult Recompute(const Workbook& wb) {
    CheckResult result;
    for (const RecordInfo& info : Records()) {
        switch (info.kind) {
        case RecordKind::Processor: {
            const std::string key = info.key;
            const ProcessorRecord& stored = key == "Circuit1"   ? wb.Circuit1
                                            : key == "Circuit2" ? wb.Circuit2
                                                                : wb.Lab2Processor;
            result.records.push_back(CheckProcessor(wb, info, stored));
            if (key == "Circuit2")
                result.records.push_back(CheckCurves(wb));
            break;
        }
        case RecordKind::Task:
            result.records.push_back(
                CheckRecord(wb, info, wb.Task, DescribeTask, [&](TaskRecord& r, RecordCheck& c) {
                    // The window reports a formula error and goes on with Cycles = 0.
                    ComputeTask(r, [&] { c.formulaError = true; });
                }));
            break;
        case RecordKind::Memory:
            result.records.push_back(CheckRecord(
                wb, info, wb.Memory, DescribeMemory, [&](MemoryRecord& r, RecordCheck&) {
                    ComputeMemory(r, wb.Lab2Processor.DefectFactor);
                }));
            break;
        case RecordKind::Computer:
            result.records.push_back(CheckRecord(
                wb, info, wb.Computer, DescribeComputer, [&](ComputerRecord& r, RecordCheck&) {
                    ComputeComputer(r, wb.Task, wb.Lab2Processor, wb.Memory);
                }));
            break;
        case RecordKind::Firm:
            result.records.push_back(
                CheckRecord(wb, info, wb.Firm, DescribeFirm,
                            [](FirmRecord& r, RecordCheck&) { ComputeFirm(r); }));
            break;
        }
    }
    return result;
}

} // namespace orvik::inspect
