#pragma once

#include <QWidget>

namespace orvik {

class AppContext;

// TForm19: the task text window (its content is still to come).
class TaskTextWindow : public QWidget {
    Q_OBJECT
public:
    explicit TaskTextWindow(AppContext& ctx);

    void ShowTaskText(int index);

private:
    AppContext& ctx_;
};

} // namespace orvik
