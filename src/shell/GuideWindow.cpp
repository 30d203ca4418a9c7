#include "shell/GuideWindow.h"

#include "app/AppContext.h"

namespace orvik {

GuideWindow::GuideWindow(AppContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Путеводитель"));
}

void GuideWindow::SetGuidePage(int, std::optional<int>) {}

} // namespace orvik
