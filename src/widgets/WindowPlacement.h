#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace orvik {

// A window shown over another, with a title and a single fixed border and
// no title-bar buttons, kept above the other windows. A dialog to the window
// system, so that it can be the transient of the window beneath it.
inline constexpr Qt::WindowFlags kFixedWindowFlags = Qt::Dialog | Qt::WindowStaysOnTopHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::MSWindowsFixedSizeDialogHint;

// The top-left corner of a window's client area that centres its frame on
// `area`, kept within `screen` as far as the frame fits (the title bar
// first). `frame` is what the window manager adds around the client.
QPoint CentredClientPosition(QSize client, QMargins frame, QRect area, QRect screen);

// The frame the window manager puts around `window`: its own once known,
// else that of `anchor` or of another framed window shown, else none.
QMargins ExpectedFrame(const QWidget* window, const QWidget* anchor = nullptr);

// Centres `window`, sized to its contents, on `anchor`, or on the screen
// when there is no visible anchor.
void CentreOn(QWidget* window, const QWidget* anchor);
// The same at the window's present size, or, with `outer` given, with its
// frame made that size. Once the window manager has framed a window shown,
// a frame other than the one expected places it again.
void CentreAtSize(QWidget* window, const QWidget* anchor, QSize outer = QSize());

// For a window of kFixedWindowFlags about to be shown (its show event): asks
// the window manager for a title bar without minimise and maximise buttons,
// and for the focus, which it then gives only when asked. The requests go
// with each new native window.
void PrepareFixedWindow(QWidget* window);

// The window a message box belongs to: `window` itself, or, when a window
// shown over it keeps it disabled, the uppermost window of that chain.
QWidget* UppermostAbove(QWidget* window);

// A window shown over another: the one beneath is disabled until the window
// above hides, and the window manager keeps the window above on top of it
// (it is its transient), also after a message box or a click elsewhere. A
// click on the window beneath brings the window above back, should the
// window manager have hidden it. When the window above hides with the focus,
// the window beneath gets it back.
class BeneathLock : public QObject {
public:
    void lock(QWidget* window, QWidget* beneath);
    void release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> beneath_;
    QPointer<QWidget> focus_; // the focused control of the window beneath
    QPointer<QObject> watched_;
};

} // namespace orvik
