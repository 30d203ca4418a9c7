#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm11: "Расчет характеристик памяти" (its content is still to come).
class MemoryInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit MemoryInputWindow(AppContext& ctx);
};

} // namespace orvik
