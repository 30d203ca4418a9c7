#pragma once

#include "firm/FirmModel.h"

#include <array>

namespace orvik {

// The firm computed for kits 1..16 in order (motherboard grade outermost,
// printer innermost). The record then gets its own kit back and holds its own
// results again; an error ends the table and still gives the kit back.
std::array<FirmRecord, FirmKitCount> ComputeAllKits(FirmRecord& firm);

} // namespace orvik
