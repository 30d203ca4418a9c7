#include "lab2/ComputerResultsWindow.h"

namespace orvik {

ComputerResultsWindow::ComputerResultsWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm14"), QStringLiteral("Расчет характеристик компьютера"),
               QStringLiteral("Результаты")) {}

} // namespace orvik
