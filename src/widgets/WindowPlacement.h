#pragma once

#include <QPointer>
#include <QWidget>

namespace orvik {

// Centres `window` on `anchor`, or on the screen when there is no visible anchor.
void CentreOn(QWidget* window, const QWidget* anchor);

// Keeps the window beneath a shown window disabled until that one hides.
class BeneathLock {
public:
    void lock(QWidget* beneath) {
        release();
        beneath_ = beneath;
        if (beneath_)
            beneath_->setEnabled(false);
    }
    void release() {
        if (beneath_)
            beneath_->setEnabled(true);
        beneath_ = nullptr;
    }

private:
    QPointer<QWidget> beneath_;
};

} // namespace orvik
