#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm21 (its content is still to come).
class TitlePage : public QWidget {
    Q_OBJECT
public:
    explicit TitlePage(AppContext& ctx);

private:
    AppContext& ctx_;
};

} // namespace orvik
