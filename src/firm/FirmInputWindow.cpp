#include "firm/FirmInputWindow.h"

namespace orvik {

FirmInputWindow::FirmInputWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm16"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Ввод исходных данных")) {}

} // namespace orvik
