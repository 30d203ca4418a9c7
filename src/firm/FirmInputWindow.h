#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm16: "Моделирование деятельности компьютерной фирмы" (its content is still to come).
class FirmInputWindow : public LabFrame {
    Q_OBJECT
public:
    explicit FirmInputWindow(AppContext& ctx);
};

} // namespace orvik
