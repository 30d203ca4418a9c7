#pragma once

#include "widgets/WindowPlacement.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class QLabel;

namespace orvik {

class UiContext;

// Which credit lines of the About window are shown at a date: the first two
// always, the third up to December 2003, the fourth up to June 2003. A
// two-digit year is widened first (below 80: 20xx, else 19xx).
struct CreditLines {
    bool third = false;
    bool fourth = false;
};
CreditLines VisibleCreditLines(int year, int month);

// TForm4: the About window with the developers' credits over the splash
// picture. "OK" or the Escape key close it.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(UiContext& ctx);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    UiContext& ctx_;
    QPixmap background_; // the splash picture, only while shown
    std::array<QLabel*, 4> credits_{};
    BeneathLock mainLock_;
};

} // namespace orvik
