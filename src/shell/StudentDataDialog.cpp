#include "shell/StudentDataDialog.h"

#include "app/AppContext.h"

namespace orvik {

StudentDataDialog::StudentDataDialog(AppContext& ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Новая лабораторная работа"));
}

} // namespace orvik
