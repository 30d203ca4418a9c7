#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm8: "Результаты расчетов для графиков" (its content is still to come).
class CurveTableWindow : public LabFrame {
    Q_OBJECT
public:
    explicit CurveTableWindow(AppContext& ctx);
};

} // namespace orvik
