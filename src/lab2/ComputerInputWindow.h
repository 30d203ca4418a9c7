#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm13: "Расчет характеристик компьютера" (its content is still to come).
class ComputerInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ComputerInputWindow(AppContext& ctx);
};

} // namespace orvik
