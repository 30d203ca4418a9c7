#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace orvik {

class AppContext;

// TForm3: the splash window, the program's primary window and the holder of
// the shared pictures. Shown while the program starts; two seconds after its
// creation it gives way to the main window and the guide's start page.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(AppContext& ctx);

    // The frame of the small animated picture: 0, 1 or 2.

protected:
    void showEvent(QShowEvent* event) override;

private:
    void animate();
    void start();

    AppContext& ctx_;
    QLabel* animation_ = nullptr;
    QLabel* background_ = nullptr;
    QTimer* animationTimer_ = nullptr;
    QTimer* startTimer_ = nullptr;
    int counter_ = 0;
};

} // namespace orvik
