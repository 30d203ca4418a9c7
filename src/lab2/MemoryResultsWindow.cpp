#include "lab2/MemoryResultsWindow.h"

namespace orvik {

MemoryResultsWindow::MemoryResultsWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm12"), QStringLiteral("Расчет характеристик памяти"),
               QStringLiteral("Результаты")) {}

} // namespace orvik
