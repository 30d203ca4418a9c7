#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <optional>

namespace orvik {

namespace {

QWindow* Handle(const QWidget* widget) {
    return widget ? widget->window()->windowHandle() : nullptr;
}

// The frame of a window shown, once the window manager has put one around it.
std::optional<QMargins> KnownFrame(const QWidget* window) {
    const QWindow* handle = window && window->isVisible() ? Handle(window) : nullptr;
    if (!handle)
        return std::nullopt;
    const QMargins frame = handle->frameMargins();
    if (frame.isNull())
        return std::nullopt;
    return frame;
}

// Centres `window` on `anchor` (or the screen) with the frame it is
// expected to get, and sized to `outer` when given; returns that frame.
QMargins Place(QWidget* window, const QWidget* anchor, QSize outer) {
    if (anchor && !anchor->isVisible())
        anchor = nullptr;
    const QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect free = screen->availableGeometry();
    const QRect area = anchor ? anchor->frameGeometry() : free;
    const QMargins frame = ExpectedFrame(window, anchor);
    const QSize client = outer.isValid() ? outer.shrunkBy(frame) : window->size();
    // The client's own rectangle: the window manager keeps the client where
    // asked and draws its frame around it.
    window->setGeometry(QRect(CentredClientPosition(client, frame, area, free), client));
    return frame;
}

// A window is framed only once the window manager has taken it: placed with
// the frame it was expected to get, it is placed again if the real one
// differs. Lives as long as the native window or until the first exposure.
class PlaceWhenFramed : public QObject {
public:
    PlaceWhenFramed(QWindow* handle, QWidget* window, const QWidget* anchor, QSize outer,
                    QMargins expected)
        : QObject(handle), window_(window), anchor_(anchor), outer_(outer), expected_(expected) {
        handle->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* handle = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && handle->isExposed()) {
            handle->removeEventFilter(this);
            if (window_ && handle->frameMargins() != expected_)
                Place(window_, anchor_.data(), outer_);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QPointer<const QWidget> anchor_;
    QSize outer_;
    QMargins expected_;
};

// The window shown over `window` that keeps it disabled, if any.
QWidget* WindowAbove(const QWidget* window) {
    const QWindow* handle = Handle(window);
    if (!handle || window->isEnabled())
        return nullptr;
    QWidget* above = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets())
        if (candidate != window && candidate->isVisible() && Handle(candidate) &&
            Handle(candidate)->transientParent() == handle)
            above = candidate;
    return above;
}

// Shows a window the window manager has hidden (minimised) and puts it on top.
void BringBack(QWidget* window) {
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

} // namespace

QPoint CentredClientPosition(QSize client, QMargins frame, QRect area, QRect screen) {
    QRect outer(QPoint(0, 0), client.grownBy(frame));
    outer.moveCenter(area.center());
    if (screen.isValid()) {
        // Within the screen; a frame larger than it keeps its title bar there.
        if (outer.right() > screen.right())
            outer.moveRight(screen.right());
        if (outer.bottom() > screen.bottom())
            outer.moveBottom(screen.bottom());
        if (outer.left() < screen.left())
            outer.moveLeft(screen.left());
        if (outer.top() < screen.top())
            outer.moveTop(screen.top());
    }
    return outer.topLeft() + QPoint(frame.left(), frame.top());
}

QMargins ExpectedFrame(const QWidget* window, const QWidget* anchor) {
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return {};
    if (auto own = KnownFrame(window))
        return *own;
    if (auto anchors = KnownFrame(anchor))
        return *anchors;
    // The window manager frames the windows of the program alike.
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window)
            if (auto others = KnownFrame(other))
                return *others;
    return {};
}

void CentreOn(QWidget* window, const QWidget* anchor) {
    window->adjustSize();
    CentreAtSize(window, anchor);
}

void CentreAtSize(QWidget* window, const QWidget* anchor, QSize outer) {
    const bool framed = KnownFrame(window).has_value();
    const QMargins expected = Place(window, anchor, outer);
    if (framed || !window->isVisible())
        return;
    if (QWindow* handle = window->windowHandle()) {
        // An earlier placing still waiting gives way. It is told apart by
        // its C++ type: findChild would take any child for it (the class has
        // no meta-object of its own), a native child's window among them.
        for (QObject* child : handle->children())
            if (auto* waiting = dynamic_cast<PlaceWhenFramed*>(child)) {
                delete waiting;
                break;
            }
        new PlaceWhenFramed(handle, window, anchor, outer, expected);
    }
}

void PrepareFixedWindow(QWidget* window) {
    // A toolbar window gets neither a minimise nor a maximise button (openbox
    // ignores the Motif hints per button). The type goes to the native window
    // when the attribute changes, and each showing makes a new native window.
    window->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar, false);
    window->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar, true);
    // Not focused by itself as a toolbar: asked for once it is mapped.
    window->activateWindow();
}

QWidget* UppermostAbove(QWidget* window) {
    // Each step goes one window up; a chain is never longer than the windows.
    for (int step = 0; window && step < 64; ++step) {
        QWidget* above = WindowAbove(window);
        if (!above)
            break;
        window = above;
    }
    return window;
}

void BeneathLock::lock(QWidget* window, QWidget* beneath) {
    window_ = nullptr; // a window locked again keeps its focus
    release();
    window_ = window;
    beneath_ = beneath;
    if (beneath_) {
        focus_ = beneath_->focusWidget(); // disabling takes the focus away
        beneath_->setEnabled(false);
    }
    // A transient stays above its parent whatever the window manager raises.
    QWindow* below = beneath_ && beneath_->isVisible() ? Handle(beneath_) : nullptr;
    if (QWindow* handle = Handle(window_))
        handle->setTransientParent(below);
    if (below) {
        below->installEventFilter(this);
        watched_ = below;
    }
}

void BeneathLock::release() {
    if (watched_)
        watched_->removeEventFilter(this);
    watched_ = nullptr;
    // The focus goes back to the window beneath (or the one now above it),
    // never to a disabled window of the window manager's choice.
    const bool active = window_ && window_->isActiveWindow();
    if (beneath_) {
        beneath_->setEnabled(true);
        if (focus_ && focus_->window() == beneath_ && focus_->isEnabled() && focus_->isVisible())
            focus_->setFocus(Qt::OtherFocusReason); // where the student left it
        if (QWidget* next = UppermostAbove(beneath_); active && next->isVisible()) {
            next->raise();
            next->activateWindow();
        }
    }
    beneath_ = nullptr;
}

bool BeneathLock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && window_ && window_->isVisible()) {
        QWidget* w = window_;
        for (int step = 0; w && step < 64; ++step, w = WindowAbove(w))
            BringBack(w);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvik
