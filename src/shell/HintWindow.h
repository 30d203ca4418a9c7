#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm15: the hint popup (its content is still to come).
class HintWindow : public QWidget {
    Q_OBJECT
public:
    explicit HintWindow(AppContext& ctx);

    void ShowHintText(int index);

private:
    AppContext& ctx_;
};

} // namespace orvik
