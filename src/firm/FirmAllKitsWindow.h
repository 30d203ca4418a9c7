#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm17: "Моделирование деятельности компьютерной фирмы" (its content is still to come).
class FirmAllKitsWindow : public LabFrame {
    Q_OBJECT
public:
    explicit FirmAllKitsWindow(AppContext& ctx);
};

} // namespace orvik
