#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QPlainTextEdit;

namespace orvik {

class UiContext;

// What a hint is opened from, in screen coordinates: the button clicked, the
// window it is in, and the mouse pointer.
struct HintAnchor {
    QRect button;
    QRect window;
    QPoint pointer;
};

// The top-left corner of a hint popup of size `popup` opened from `anchor`,
// wholly on `screen` (its free area) and never over the button clicked:
// beside the window when the screen has room there, else beside the button,
// else below or above it, at the pointer's height or place.
QPoint HintPosition(QSize popup, const HintAnchor& anchor, QRect screen);

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
