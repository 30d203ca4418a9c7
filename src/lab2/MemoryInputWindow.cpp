#include "lab2/MemoryInputWindow.h"

namespace orvik {

MemoryInputWindow::MemoryInputWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm11"), QStringLiteral("Расчет характеристик памяти"),
               QStringLiteral("Ввод исходных данных")) {}

} // namespace orvik
