#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm3: the splash window, the program's primary window and the holder of
// the shared pictures (its content is still to come).
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(AppContext& ctx);

private:
    AppContext& ctx_;
};

} // namespace orvik
