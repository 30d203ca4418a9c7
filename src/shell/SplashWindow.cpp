#include "shell/SplashWindow.h"

#include "app/AppContext.h"

#include "app/MainWindow.h"

#include <QCoreApplication>
#include <QTimer>

namespace orvik {

SplashWindow::SplashWindow(AppContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Загрузка..."));
    ctx_.GraphBitmap = QImage(1600, 1200, QImage::Format_RGB32);
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    ctx_.state.ProgramDir = dir.toStdString();
    ctx_.pictures = PaintPictures();
    QTimer::singleShot(2000, this, [this] {
        hide();
        ctx_.windows.main->show();
        ctx_.ShowGuide(4, std::nullopt);
    });
}

} // namespace orvik
