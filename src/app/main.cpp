#include "app/AppContext.h"
#include "app/Program.h"
#include "app/SplashWindow.h"
#include "app/WindowSet.h"
#include "widgets/Dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvik::SetUpApplication();

    orvik::LabState state;
    orvik::QtDialogs dialogs;
    orvik::AppContext ctx(state, dialogs);
    orvik::WindowSet windows(ctx);
    ctx.windows.splash->show();
    return app.exec();
}
