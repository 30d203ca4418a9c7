#include "shell/AboutWindow.h"

#include "app/AppContext.h"

namespace orvik {

AboutWindow::AboutWindow(AppContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("О программе"));
}

} // namespace orvik
