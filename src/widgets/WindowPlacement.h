#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace orvik {

// A window shown over another, with a title and a single fixed border and
// no title-bar buttons, kept above the other windows. A dialog to the window
// system, so that it can be the transient of the window beneath it.
inline constexpr Qt::WindowFlags kFixedWindowFlags = Qt::Dialog | Qt::WindowStaysOnTopHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::MSWindowsFixedSizeDialogHint;

// Centres `window` on `anchor`, or on the screen when there is no visible anchor.
void CentreOn(QWidget* window, const QWidget* anchor);

// The window a message box belongs to: `window` itself, or, when a window
// shown over it keeps it disabled, the uppermost window of that chain.
QWidget* UppermostAbove(QWidget* window);

// A window shown over another: the one beneath is disabled until the window
// above hides, and the window manager keeps the window above on top of it
// (it is its transient), also after a message box or a click elsewhere.
class BeneathLock : public QObject {
public:
    void lock(QWidget* window, QWidget* beneath);
    void release();

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> beneath_;
};

} // namespace orvik
