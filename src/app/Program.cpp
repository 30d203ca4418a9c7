#include "app/Program.h"

#include <QApplication>
#include <QFont>

namespace orvik {

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("orvik"));
    // No display name: the window system would add it to every title.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
}

} // namespace orvik
