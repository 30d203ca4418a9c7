#include "firm/FirmResultsWindow.h"

namespace orvik {

FirmResultsWindow::FirmResultsWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm18"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Результаты")) {}

} // namespace orvik
