#pragma once

#include "widgets/LabFrame.h"

namespace orvik {

// TForm20: "Печать отчетов" (its content is still to come).
class ReportWindow : public LabFrame {
    Q_OBJECT
public:
    explicit ReportWindow(AppContext& ctx);
};

} // namespace orvik
