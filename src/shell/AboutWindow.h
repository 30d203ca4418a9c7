#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm4 (its content is still to come).
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(AppContext& ctx);

private:
    AppContext& ctx_;
};

} // namespace orvik
