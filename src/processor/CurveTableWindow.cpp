#include "processor/CurveTableWindow.h"

namespace orvik {

CurveTableWindow::CurveTableWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm8"), QStringLiteral("Результаты расчетов для графиков"),
               QStringLiteral("Результаты расчетов для графиков")) {}

} // namespace orvik
