#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm5: "Расчет характеристик процессора" (its content is still to come).
class ProcessorInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ProcessorInputWindow(AppContext& ctx);
};

} // namespace orvik
