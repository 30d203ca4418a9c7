#include "firm/AllKits.h"

#include "core/RestoreOnExit.h"

namespace orvik {

std::array<FirmRecord, FirmKitCount> ComputeAllKits(FirmRecord& firm) {
    std::array<FirmRecord, FirmKitCount> kits{};
    {
        const RestoreOnExit restore(firm);
        for (int kit = 1; kit <= FirmKitCount; ++kit) {
            SetFirmKitGrades(firm, kit);
            ComputeFirm(firm);
            kits[static_cast<std::size_t>(kit - 1)] = firm;
        }
    }
    ComputeFirm(firm);
    return kits;
}

} // namespace orvik
