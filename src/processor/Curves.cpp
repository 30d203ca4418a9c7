#include "processor/Curves.h"

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

// Walks the size down from the top in steps of 0.05 until the wafer gives no
// good chip, and returns the last size that still gave some. Only the
// good-chips decision is computed on the way; the sweep computes the rows.
long double Descend(ProcessorRecord& w, double defect, const FloatCheck& flags) {
    w.DefectFactor = defect;
    w.MinFeature = kSweepTop;
    for (;;) {
        const double next = static_cast<double>(w.MinFeature - kDescentStep);
        if (next < kSmallestSize)
            return w.MinFeature; // still good chips at the smallest size
        w.MinFeature = next;
        if (!HasGoodChipsAt(w, flags))
            return w.MinFeature + kDescentStep;
    }
}

} // namespace

long double CurveLowestSize(ProcessorRecord& working, double defect) {
    FloatCheck flags;
    return Descend(working, defect, flags);
}

void ComputeCurves(ProcessorRecord& working, CurveTableData& table, CurveResults& results) {
    // Everything is built aside and handed over only when the whole
    // computation has succeeded, so an error leaves the previous curves whole.
    CurveTableData rows;
    CurveResults area;
    FloatCheck flags;

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

    table = rows;
    results = area;
}

} // namespace orvik
