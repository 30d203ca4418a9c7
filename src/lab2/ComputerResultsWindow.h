#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm14: "Расчет характеристик компьютера" (its content is still to come).
class ComputerResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ComputerResultsWindow(AppContext& ctx);
};

} // namespace orvik
