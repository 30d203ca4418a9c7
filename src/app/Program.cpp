#include "app/Program.h"

#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFont>

namespace orvik {

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("orvik"));
    QApplication::setApplicationDisplayName(AppTitle());
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
}

} // namespace orvik
