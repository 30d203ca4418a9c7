#include "lab2/ComputerInputWindow.h"

namespace orvik {

ComputerInputWindow::ComputerInputWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm13"), QStringLiteral("Расчет характеристик компьютера"),
               QStringLiteral("Ввод исходных данных")) {}

} // namespace orvik
