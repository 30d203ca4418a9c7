#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm18: "Моделирование деятельности компьютерной фирмы" (its content is still to come).
class FirmResultsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit FirmResultsWindow(AppContext& ctx);
};

} // namespace orvik
