#pragma once

#include "widgets/WindowPlacement.h"

#include <QWidget>

#include <functional>

class QAbstractButton;
class QVBoxLayout;

namespace orvik {

class UiContext;
class Banner;

// What the lab windows share: single fixed border without title-bar buttons,
// stays on top, opens centred on the main window, the banner with its
// heading, and the window beneath disabled while this one is shown. The
// window manager's close button and Alt+F4 press its own close button, and
// so does Escape; without one they are refused. Return presses its default
// button.
class LabFrame : public QWidget {
    Q_OBJECT
public:
    LabFrame(UiContext& ctx, const QString& objectName, const QString& title,
             const QString& heading);

    // Prepares the window (prepare()) and shows it; a window whose
    // preparation fails stays hidden.
    void open();

protected:
    // The content area below the banner.
    QVBoxLayout* content() const { return content_; }
    Banner* banner() const { return banner_; }

    // Fills the window before it is shown; false keeps it hidden.
    virtual bool prepare() { return true; }
    // The window that is disabled while this one is shown (the main window).
    virtual QWidget* beneath() const;
    // Called after the window was closed or hidden.
    virtual void closed() {}
    // Its own close button ("Закрыть"), or nullptr: it closes only through
    // its choices.
    virtual QAbstractButton* closeButton() const;

    // Runs a button's work under the general error report.
    bool guarded(const std::function<void()>& work);
    // "Закрыть" of an input window the guide opened: hides it and brings the
    // guide back when it starts by itself.
    void closeToGuide();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    UiContext& ctx;

private:
    void markDefaultButton();

    Banner* banner_;
    QVBoxLayout* content_;
    BeneathLock beneath_;
};

} // namespace orvik
