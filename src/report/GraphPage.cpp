#include "report/GraphPage.h"

#include "app/AppContext.h"

namespace orvik {

GraphPage::GraphPage(AppContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm22"));
    setWindowTitle(QStringLiteral(""));
}

} // namespace orvik
