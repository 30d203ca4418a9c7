#include "shell/HintWindow.h"

#include "app/AppContext.h"

namespace orvik {

HintWindow::HintWindow(AppContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(QStringLiteral("Подсказка"));
}

void HintWindow::ShowHintText(int) {}

} // namespace orvik
