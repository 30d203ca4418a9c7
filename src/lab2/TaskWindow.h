#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm10: "Оценка характеристик задачи" (its content is still to come).
class TaskWindow : public LabFrame {
    Q_OBJECT
public:
    explicit TaskWindow(AppContext& ctx);
};

} // namespace orvik
