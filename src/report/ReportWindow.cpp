#include "report/ReportWindow.h"

namespace orvik {

ReportWindow::ReportWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm20"), QStringLiteral("Печать отчетов"),
               QStringLiteral("Печать отчетов")) {}

} // namespace orvik
