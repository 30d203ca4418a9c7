#include "processor/ProcessorInputWindow.h"

namespace orvik {

ProcessorInputWindow::ProcessorInputWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm5"), QStringLiteral("Расчет характеристик процессора"),
               QStringLiteral("Ввод исходных данных")) {}

} // namespace orvik
