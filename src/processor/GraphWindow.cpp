#include "processor/GraphWindow.h"

#include "app/AppContext.h"

namespace orvik {

GraphWindow::GraphWindow(AppContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Графики зависимостей"));
}

} // namespace orvik
