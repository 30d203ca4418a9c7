#include "widgets/LabFrame.h"

#include "widgets/Banner.h"
#include "widgets/UiContext.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace orvik {

LabFrame::LabFrame(UiContext& context, const QString& objectName, const QString& title,
                   const QString& heading)
    : QWidget(nullptr, kFixedWindowFlags), ctx(context) {
    setObjectName(objectName);
    setWindowTitle(title);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    banner_ = new Banner(ctx.pictures, heading, this);
    outer->addWidget(banner_);
    auto* body = new QWidget(this);
    content_ = new QVBoxLayout(body);
    content_->setContentsMargins(12, 10, 12, 12);
    content_->setSpacing(6);
    outer->addWidget(body);
}

void LabFrame::open() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    bool ready = false;
    guarded([&] { ready = prepare(); }); // on false, prepare() has told the student why
    if (!ready)
        return;
    show();
    raise();
    activateWindow();
}

QWidget* LabFrame::beneath() const {
    return ctx.mainWindow();
}

bool LabFrame::guarded(const std::function<void()>& work) {
    return Guarded(ctx, work);
}

void LabFrame::closeToGuide() {
    hide();
    ctx.ReturnToGuide();
}

void LabFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    PrepareFixedWindow(this);
    CentreOn(this, ctx.mainWindow());
    beneath_.lock(this, beneath());
}

void LabFrame::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    beneath_.release();
    closed();
}

void LabFrame::closeEvent(QCloseEvent* event) {
    // The window manager's close button and close key are refused: the
    // window has no close box of its own.
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void LabFrame::keyPressEvent(QKeyEvent* event) {
    // Escape does not close a lab window: it closes only through its buttons.
    if (event->key() == Qt::Key_Escape)
        return;
    QWidget::keyPressEvent(event);
}

} // namespace orvik
