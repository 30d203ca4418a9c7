#include "processor/Curves.h"

#include "core/Errors.h"
#include "processor/ProcessorModel.h"

#include <algorithm>
#include <cstddef>

namespace orvik {

namespace {

constexpr double kSweepTop = 3.0;
constexpr long double kDescentStep = 0.05L;
// The descent never goes below half a step: the next size after about 0.05
// is a rounding remainder near zero, where the model has no meaning.
constexpr double kSmallestSize = 0.025;
constexpr double kAreaDefect = 0.5;
constexpr double kAreaFeature = 1.5;

// The sizes the descent walks through: 2.95, 2.90, ... each 0.05 below the
// stored previous one, down to the last one not below half a step.
struct DescentSizes {
    std::array<double, 64> size{};
    std::size_t count = 0;
    DescentSizes() {
        long double at = kSweepTop;
        for (;;) {
            const double next = static_cast<double>(at - kDescentStep);
            if (next < kSmallestSize || count == size.size())
                break;
            size[count++] = next;
            at = next;
        }
    }
};

// Walks the size down from the top in steps of 0.05 until the wafer gives no
// good chip, and returns the last size that still gave some; `w` is left at
// the first size without good chips (or at the smallest size). Only the
// good-chips decision is computed; the sweep computes the rows. A smaller
// size never gives more good chips, so after the first step the boundary is
// found by halving the rest of the walk rather than trying every size.
long double Descend(ProcessorRecord& w, double defect, const FloatCheck& flags) {
    static const DescentSizes sizes;
    w.DefectFactor = defect;
    const auto goodAt = [&](std::size_t i) {
        w.MinFeature = sizes.size[i];
        return HasGoodChipsAt(w, flags);
    };
    if (!goodAt(0))
        return w.MinFeature + kDescentStep;
    std::size_t good = 0, bad = sizes.count; // bad == count: good down to the smallest
    while (bad - good > 1) {
        const std::size_t mid = good + (bad - good) / 2;
        if (goodAt(mid))
            good = mid;
        else
            bad = mid;
    }
    if (bad == sizes.count) {
        w.MinFeature = sizes.size[sizes.count - 1];
        return w.MinFeature; // still good chips at the smallest size
    }
    w.MinFeature = sizes.size[bad];
    return w.MinFeature + kDescentStep;
}

} // namespace

long double CurveLowestSize(ProcessorRecord& working, double defect) {
    FloatCheck flags;
    return Descend(working, defect, flags);
}

namespace {

struct CurvesAside {
    CurveTableData rows;
    CurveResults area;
};

void Sweep(ProcessorRecord& working, CurvesAside& out, const FloatCheck& flags) {
    CurveTableData& rows = out.rows;
    CurveResults& area = out.area;

    std::array<long double, 3> lowest{};
    for (std::size_t i = 0; i < CurveDefects.size(); ++i)
        lowest[i] = Descend(working, CurveDefects[i], flags);
    const double start = static_cast<double>(std::min(std::min(lowest[0], lowest[1]), lowest[2]));
    area.MlrSweepStart = start;

    std::array<double, 50> points{};
    const long double interval = (kSweepTop - static_cast<long double>(start)) / 49;
    points.front() = start;
    for (std::size_t m = 1; m + 1 < points.size(); ++m)
        points[m] = static_cast<double>(interval * static_cast<long double>(m) + start);
    points.back() = kSweepTop;

    // The first set is computed in full; the others differ from it only in
    // the results that depend on the defect coefficient. Set after set, as
    // an error must be the first one met in that order.
    working.DefectFactor = CurveDefects[0];
    for (std::size_t j = 0; j < points.size(); ++j) {
        working.MinFeature = points[j];
        ComputeProcessor(working, flags);
        rows[0][j] = working;
    }
    for (std::size_t i = 1; i < CurveDefects.size(); ++i)
        for (std::size_t j = 0; j < points.size(); ++j) {
            ProcessorRecord& row = rows[i][j];
            row = rows[0][j];
            row.DefectFactor = CurveDefects[i];
            ComputeDefectResults(row, flags);
        }

    working.DefectFactor = kAreaDefect;
    working.MinFeature = kAreaFeature;
    for (std::size_t k = 0; k < AreaSweep.size(); ++k) {
        working.ChipArea = AreaSweep[k];
        ComputeProcessor(working, flags);
        area.AreaCurveTable[k] = working;
    }
}

} // namespace

void ComputeCurves(ProcessorRecord& working, CurveTableData& table, CurveResults& results) {
    // Everything is built aside and handed over only when the whole
    // computation has succeeded, so an error leaves the previous curves whole.
    CurvesAside out;

    // The sweep runs first with one look at the error flags at its end. Only
    // when something went wrong does it run again from the same record,
    // looking after every step, so that the error reported, and the record
    // left in `working`, are those of the first step that failed.
    const ProcessorRecord entry = working;
    bool clean = false;
    try {
        const FloatCheck atEnd(FloatCheck::Steps::AtEnd);
        Sweep(working, out, atEnd);
        atEnd.check();
        clean = true;
    } catch (const Error&) {
    }
    if (!clean) {
        working = entry;
        const FloatCheck eachStep;
        Sweep(working, out, eachStep);
    }

    table = out.rows;
    results = out.area;
}

} // namespace orvik
