#include "report/TitlePage.h"

#include "app/AppContext.h"

namespace orvik {

TitlePage::TitlePage(AppContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm21"));
    setWindowTitle(QStringLiteral(""));
}

} // namespace orvik
