#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm12: "Расчет характеристик памяти" (its content is still to come).
class MemoryResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit MemoryResultsWindow(AppContext& ctx);
};

} // namespace orvik
