#include "app/SplashWindow.h"

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "widgets/Fonts.h"
#include "widgets/WindowPlacement.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>

namespace orvik {

namespace {
const QString kCaption = QStringLiteral("Загрузка...");
} // namespace

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

    setFixedSize(ctx_.pictures.ImageMain.size());
    // Every pixel comes from the splash picture: nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);

    // The caption with its animated picture to the left, in the calm lower
    // part of the picture, both centred on one line.
    captionFont_ = QFont(FixedFamily(), 22, QFont::Bold);
    captionFont_.setStyleHint(QFont::Monospace);
    const QSize caption = QFontMetrics(captionFont_).size(0, kCaption);
    const QSize lamp = ctx_.pictures.ImageBlue.size();
    const int line = std::max(caption.height(), lamp.height());
    const int top = height() - line - 40;
    animationRect_ = QRect(QPoint(34, top + (line - lamp.height()) / 2), lamp);
    captionRect_ = QRect(
        QPoint(animationRect_.right() + 1 + 12, top + (line - caption.height()) / 2), caption);

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
    // Painted now, in this tick: update() would wait for the window system's
    // next frame, a second wake-up for every tick.
    repaint(animationRect_);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    const QRect dirty = event->rect();
    QPainter painter(this);
    painter.drawPixmap(dirty, ctx_.pictures.ImageMain, dirty);
    if (dirty.intersects(captionRect_)) {
        painter.setFont(captionFont_);
        painter.setPen(Qt::white);
        painter.drawText(captionRect_, Qt::AlignLeft | Qt::AlignVCenter, kCaption);
    }
    if (dirty.intersects(animationRect_)) {
        const Pictures& p = ctx_.pictures;
        painter.drawPixmap(animationRect_.topLeft(), counter_ == 0   ? p.ImageBlue
                                                     : counter_ == 1 ? p.ImageBlue2
                                                                     : p.ImageBlue3);
    }
}

void SplashWindow::start() {
    animationTimer_->stop();
    startTimer_->stop();
    hide();
    // The splash is not shown again: its picture's memory goes back.
    ctx_.pictures.ImageMain = QPixmap();
    QWidget* main = ctx_.windows.main.get();
    if (!main) {
        showGuide();
        return;
    }
    // The guide opens over the main window once that is on the screen: the
    // student sees the main window at once, and the guide is placed on a
    // window the window manager has already framed.
    main->installEventFilter(this);
    Guarded(ctx_, [main] { main->show(); });
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == ctx_.windows.main.existing()) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &SplashWindow::showGuide, Qt::QueuedConnection);
    }
    return false;
}

void SplashWindow::showGuide() {
    Guarded(ctx_, [this] { ctx_.ShowGuide(4, std::nullopt); });
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOn(this, nullptr);
}

} // namespace orvik
