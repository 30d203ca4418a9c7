#include "app/SplashWindow.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "widgets/WindowPlacement.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace orvik {

SplashWindow::SplashWindow(AppContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Загрузка..."));
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    ctx_.state.ProgramDir = dir.toStdString();
    ctx_.pictures = PaintPictures();
    setWindowIcon(ctx_.pictures.AppIcon);

    const QPixmap& picture = ctx_.pictures.ImageMain;
    setFixedSize(picture.size());
    background_ = new QLabel(this);
    background_->setObjectName(QStringLiteral("ImageMain"));
    background_->setPixmap(picture);
    background_->setGeometry(rect());

    // The caption with its animated picture, in the calm lower part of the picture.
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    animation_ = new QLabel(row);
    animation_->setObjectName(QStringLiteral("animation"));
    animation_->setPixmap(ctx_.pictures.ImageBlue);
    auto* caption = new QLabel(QStringLiteral("Загрузка..."), row);
    caption->setObjectName(QStringLiteral("caption"));
    QFont big(QStringLiteral("Courier New"), 22, QFont::Bold);
    big.setStyleHint(QFont::Monospace);
    caption->setFont(big);
    caption->setStyleSheet(QStringLiteral("color: white;"));
    layout->addWidget(animation_);
    layout->addWidget(caption);
    row->adjustSize();
    row->move(34, height() - row->height() - 40);

    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(150);
    connect(animationTimer_, &QTimer::timeout, this, &SplashWindow::animate);
    startTimer_ = new QTimer(this);
    startTimer_->setSingleShot(true);
    startTimer_->setInterval(2000);
    connect(startTimer_, &QTimer::timeout, this, &SplashWindow::start);
    animationTimer_->start();
    startTimer_->start();
}

void SplashWindow::animate() {
    counter_ = (counter_ + 1) % 3;
    const Pictures& p = ctx_.pictures;
    animation_->setPixmap(counter_ == 0   ? p.ImageBlue
                          : counter_ == 1 ? p.ImageBlue2
                                          : p.ImageBlue3);
}

void SplashWindow::start() {
    animationTimer_->stop();
    startTimer_->stop();
    hide();
    // The splash is not shown again: its picture's memory goes back.
    background_->clear();
    ctx_.pictures.ImageMain = QPixmap();
    Guarded(ctx_, [this] {
        if (ctx_.windows.main)
            ctx_.windows.main->show();
        ctx_.ShowGuide(4, std::nullopt);
    });
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOn(this, nullptr);
}

} // namespace orvik
