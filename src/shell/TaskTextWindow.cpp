#include "shell/TaskTextWindow.h"

#include "app/AppContext.h"

namespace orvik {

TaskTextWindow::TaskTextWindow(AppContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm19"));
    setWindowTitle(QStringLiteral("Методические указания, задание"));
}

void TaskTextWindow::ShowTaskText(int) {}

} // namespace orvik
