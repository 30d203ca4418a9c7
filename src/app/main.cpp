#include "app/AppContext.h"
#include "app/SplashWindow.h"
#include "app/WindowSet.h"
#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvik"));
    QApplication::setApplicationDisplayName(orvik::AppTitle());
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));

    orvik::LabState state;
    orvik::QtDialogs dialogs;
    orvik::AppContext ctx(state, dialogs);
    orvik::WindowSet windows(ctx);
    ctx.windows.splash->show();
    return app.exec();
}
