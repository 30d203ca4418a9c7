#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class QPlainTextEdit;

namespace orvik {

class UiContext;

// What a hint is opened from, in screen coordinates: the button clicked (or
// the "?" of the control F1 was pressed in), the window it is in, the mouse
// pointer, and the window's buttons, which the popup leaves in sight.
struct HintAnchor {
    QRect button;
    QRect window;
    QPoint pointer;
    QList<QRect> keep = {};
};

// The top-left corner of a hint popup of size `popup` opened from `anchor`,
// wholly on `screen` (its free area) and never over the button: beside,
// above or below the window when the screen has room there; else beside,
// below or above the button where it covers none of the window's buttons;
// else anywhere off the button, at the pointer's height or place.
QPoint HintPosition(QSize popup, const HintAnchor& anchor, QRect screen);

// TForm15: the quick hint popup, opened beside the "?" clicked. It has no
// title bar: it is dragged by its frame and closed by its "X". It never
// takes the focus from the window it explains; it closes on Escape, on a
// click elsewhere, when that window closes and when another window opens.
class HintWindow : public QWidget {
    Q_OBJECT
public:
    explicit HintWindow(UiContext& ctx);

    // Shows TextStore entry `index` (an index without a text shows nothing),
    // beside `from` or else beside the button under the pointer or focused.
    void ShowHintText(int index, const QWidget* from = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    UiContext& ctx_;
    QPlainTextEdit* text_ = nullptr;
    QPointer<QWidget> owner_; // the window the hint explains
    bool dragging_ = false;
    QPoint grab_; // the pointer's offset from the top-left corner while dragging
};

} // namespace orvik
