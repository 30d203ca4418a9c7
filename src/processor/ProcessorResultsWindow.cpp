#include "processor/ProcessorResultsWindow.h"

namespace orvik {

ProcessorResultsWindow::ProcessorResultsWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm6"), QStringLiteral("Расчет характеристик процессора"),
               QStringLiteral("Результаты")) {}

} // namespace orvik
