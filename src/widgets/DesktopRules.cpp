#include "widgets/DesktopRules.h"

#include "widgets/HintButton.h"
#include "widgets/WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace orvik {

namespace {

// The window the student should be in instead of `window`: the modal
// dialog that blocks it, or the uppermost window of a chain that keeps it
// disabled; nullptr when `window` itself is the one.
QWidget* WindowInCharge(QWidget* window) {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
        for (QWidget* w = window; w; w = w->parentWidget())
            if (w == modal)
                return nullptr; // the dialog itself, or a window of its own
        return modal;
    }
    QWidget* above = UppermostAbove(window);
    return above != window ? above : nullptr;
}

// Whether `window` stands in a chain of windows over one another: it is
// disabled or blocked by a window above, or it is itself above another.
bool InChain(QWidget* window) {
    if (WindowInCharge(window))
        return true;
    const QWindow* handle = window->windowHandle();
    const QWindow* below = handle ? handle->transientParent() : nullptr;
    for (QWidget* other : QApplication::topLevelWidgets())
        if (other->windowHandle() == below && other->isVisible() && !other->isEnabled())
            return true;
    return false;
}

class DesktopRules : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(widget, static_cast<QKeyEvent*>(event));
        case QEvent::Show:
            if (widget->isWindow())
                widget->setAttribute(Qt::WA_KeyboardFocusChange); // the focus is drawn
            break;
        case QEvent::WindowActivate:
            if (widget->isWindow())
                if (QWidget* above = WindowInCharge(widget))
                    bringBack(above);
            break;
        case QEvent::WindowStateChange:
            if (widget->isWindow() && widget->isMinimized() && InChain(widget))
                undoMinimise(widget);
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool keyPress(QWidget* widget, QKeyEvent* key) {
        // A key the focused control leaves goes on to its parents: what is
        // done here for it is done where it arrives, and ends it.
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (key->modifiers() & ~Qt::KeypadModifier)
                return false;
            if (qobject_cast<QPushButton*>(widget) || qobject_cast<QToolButton*>(widget)) {
                auto* button = static_cast<QAbstractButton*>(widget);
                if (!button->isEnabled())
                    return false;
                if (auto* tool = qobject_cast<QToolButton*>(button); tool && tool->menu())
                    tool->showMenu();
                else
                    button->click();
                return true;
            }
            return false;
        case Qt::Key_F1:
            if (HintButton* hint = HintOf(widget)) {
                hint->showHint();
                return true;
            }
            return false;
        default:
            return false;
        }
    }

    // The window above comes back on top with the focus, once the event
    // that activated the one beneath is over.
    void bringBack(QWidget* above) {
        if (pending_)
            return;
        pending_ = above;
        QTimer::singleShot(0, this, [this] {
            QWidget* window = pending_;
            pending_ = nullptr;
            if (!window || !window->isVisible())
                return;
            if (window->isMinimized())
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->raise();
            window->activateWindow();
        });
    }

    // Shows the window again, then the window in charge on top.
    void undoMinimise(QWidget* window) {
        QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(window)] {
            if (!window || !window->isVisible() || !window->isMinimized())
                return;
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            QWidget* above = WindowInCharge(window);
            bringBack(above ? above : window.data());
        });
    }

    QPointer<QWidget> pending_;
};

} // namespace

void InstallDesktopRules() {
    qApp->installEventFilter(new DesktopRules(qApp));
}

} // namespace orvik
