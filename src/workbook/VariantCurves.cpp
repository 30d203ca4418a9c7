#include "workbook/VariantCurves.h"

#include "processor/Curves.h"

namespace orvik {

void ComputeVariantCurves(LabState& state, const ProcessorRecord& variant) {
    state.Working = variant;
    ComputeCurves(state.Working, state.workbook.CurveTable, state.Curves);
}

} // namespace orvik
