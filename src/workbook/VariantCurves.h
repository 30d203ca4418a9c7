#pragma once

#include "workbook/LabState.h"

namespace orvik {

// The curves of one stored circuit variant, for whoever draws them (the graph
// window, the report's graph pages, a saved picture): the variant is copied
// into the working record, then the curve table, the area curve and the sweep
// start are computed from it. All of them stay as this computation leaves
// them; the stored variants and WorkbookModified are not touched. Throws Error
// when the model fails.
void ComputeVariantCurves(LabState& state, const ProcessorRecord& variant);

} // namespace orvik
