#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace orvik {

class UiContext;

// TForm19: the resizable window of the course guide and the lab tasks.
class TaskTextWindow : public QWidget {
    Q_OBJECT
public:
    explicit TaskTextWindow(UiContext& ctx);

    // Shows TextStore entry 63 + `index`; a text of nothing but blanks and
    // control characters (or no such entry) shows an empty window.
    void ShowTaskText(int index);

protected:
    // Escape closes the window as "Закрыть" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    UiContext& ctx_;
    QPlainTextEdit* text_ = nullptr;
    bool placed_ = false;
};

} // namespace orvik
