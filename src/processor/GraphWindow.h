#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm7 (its content is still to come).
class GraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphWindow(AppContext& ctx);

private:
    AppContext& ctx_;
};

} // namespace orvik
