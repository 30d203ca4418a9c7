#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

class QTimer;

namespace orvik {

class AppContext;

// TForm3: the splash window, the program's primary window and the holder of
// the shared pictures. Shown while the program starts; two seconds after its
// creation it gives way to the main window and the guide's start page.
//
// It paints itself: the splash picture, the caption and the small animated
// picture beside it. A tick of the animation repaints that small picture only.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(AppContext& ctx);

    // The frame of the small animated picture: 0, 1 or 2.
    int animationFrame() const { return counter_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void animate();
    void start();
    void showGuide();

    AppContext& ctx_;
    QFont captionFont_;
    QRect captionRect_;
    QRect animationRect_;
    QTimer* animationTimer_ = nullptr;
    QTimer* startTimer_ = nullptr;
    int counter_ = 0;
};

} // namespace orvik
