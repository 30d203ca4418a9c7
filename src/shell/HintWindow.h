#pragma once

#include <QPoint>
#include <QWidget>

class QPlainTextEdit;

namespace orvik {

class UiContext;

// TForm15: the quick hint popup, opened beside the mouse pointer. It has no
// title bar: it is dragged by its frame and closed by its "X".
class HintWindow : public QWidget {
    Q_OBJECT
public:
    explicit HintWindow(UiContext& ctx);

    // Shows TextStore entry `index` (an index without a text shows nothing).
    void ShowHintText(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    UiContext& ctx_;
    QPlainTextEdit* text_ = nullptr;
    bool dragging_ = false;
    QPoint grab_; // the pointer's offset from the top-left corner while dragging
};

} // namespace orvik
