#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm22 (its content is still to come).
class GraphPage : public QWidget {
    Q_OBJECT
public:
    explicit GraphPage(AppContext& ctx);

private:
    AppContext& ctx_;
};

} // namespace orvik
