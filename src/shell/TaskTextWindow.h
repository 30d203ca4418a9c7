#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace orvik {

class AppContext;

// TForm19: the resizable window of the course guide and the lab tasks.
class TaskTextWindow : public QWidget {
    Q_OBJECT
public:
    explicit TaskTextWindow(AppContext& ctx);

    // Shows TextStore entry 63 + `index`; a text of nothing but blanks and
    // control characters (or no such entry) shows an empty window.
    void ShowTaskText(int index);

private:
    AppContext& ctx_;
    QPlainTextEdit* text_ = nullptr;
    bool placed_ = false;
};

} // namespace orvik
