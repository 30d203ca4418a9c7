#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace orvik {

namespace {

QWindow* Handle(const QWidget* widget) {
    return widget ? widget->window()->windowHandle() : nullptr;
}

} // namespace

void CentreOn(QWidget* window, const QWidget* anchor) {
    window->adjustSize();
    QRect area;
    if (anchor && anchor->isVisible())
        area = anchor->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

QWidget* UppermostAbove(QWidget* window) {
    // Each step goes one window up; a chain is never longer than the windows.
    for (int step = 0; window && !window->isEnabled() && step < 64; ++step) {
        QWidget* above = nullptr;
        const QWindow* handle = Handle(window);
        for (QWidget* candidate : QApplication::topLevelWidgets())
            if (candidate != window && candidate->isVisible() && handle && Handle(candidate) &&
                Handle(candidate)->transientParent() == handle)
                above = candidate;
        if (!above)
            break;
        window = above;
    }
    return window;
}

void BeneathLock::lock(QWidget* window, QWidget* beneath) {
    release();
    window_ = window;
    beneath_ = beneath;
    if (beneath_)
        beneath_->setEnabled(false);
    // A transient stays above its parent whatever the window manager raises.
    if (QWindow* handle = Handle(window_))
        handle->setTransientParent(beneath_ && beneath_->isVisible() ? Handle(beneath_) : nullptr);
}

void BeneathLock::release() {
    if (beneath_)
        beneath_->setEnabled(true);
    beneath_ = nullptr;
}

} // namespace orvik
