#include "lab2/TaskWindow.h"

namespace orvik {

TaskWindow::TaskWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm10"), QStringLiteral("Оценка характеристик задачи"),
               QStringLiteral("Ввод исходных данных")) {}

} // namespace orvik
