#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm6: "Расчет характеристик процессора" (its content is still to come).
class ProcessorResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ProcessorResultsWindow(AppContext& ctx);
};

} // namespace orvik
