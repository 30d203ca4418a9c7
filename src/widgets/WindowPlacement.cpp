#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvik {

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

} // namespace orvik
