#pragma once

#include "processor/ProcessorRecord.h"

#include <array>

namespace orvik {

inline constexpr std::array<double, 3> CurveDefects{0.5, 1.0, 5.0};
inline constexpr std::array<double, 10> AreaSweep{0.01, 0.025, 0.05, 0.075, 0.1,
                                                  0.2,  0.4,   0.6,  0.8,   1.0};

// What a curve computation leaves besides the saved curve table.
struct CurveResults {
    std::array<ProcessorRecord, 10> AreaCurveTable{};
    double MlrSweepStart = 0.0;
};

// Sweeps the processor model of the record in `working` (its technology, chip
// area and device integration) over the lithographic size for the three
// defect coefficients and over the chip area; fills `table` and `results`.
// `working` is left holding the last area point.
void ComputeCurves(ProcessorRecord& working, CurveTableData& table, CurveResults& results);

// The descent of one curve set: sizes 2.95, 2.90, ... (each 0.05 below the
// stored previous one) for the record's technology and chip area with the
// given defect coefficient, down to the first size without good chips.
// Returns the last size that still had good chips (3.0 when 2.95 has none);
// below about 0.05 the descent stops and returns that smallest size.
long double CurveLowestSize(ProcessorRecord& working, double defect);

} // namespace orvik
