#include "firm/FirmAllKitsWindow.h"

namespace orvik {

FirmAllKitsWindow::FirmAllKitsWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm17"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Результаты")) {}

} // namespace orvik
