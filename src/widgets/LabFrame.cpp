#include "widgets/LabFrame.h"

#include "widgets/Banner.h"
#include "widgets/Buttons.h"
#include "widgets/UiContext.h"

#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
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
    markDefaultButton();
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

void LabFrame::markDefaultButton() {
    // A window without a default button and without boxes to type into (a
    // results window, the report list) takes its close button as default.
    for (const QPushButton* button : findChildren<QPushButton*>())
        if (button->isDefault())
            return;
    if (!findChildren<QAbstractSpinBox*>().isEmpty() || !findChildren<QLineEdit*>().isEmpty())
        return;
    if (auto* close = qobject_cast<QPushButton*>(closeButton()))
        close->setDefault(true);
}

QAbstractButton* LabFrame::closeButton() const {
    return CloseButtonOf(this);
}

void LabFrame::closeEvent(QCloseEvent* event) {
    // The window manager's close button or close key: what the window's own
    // close button does, or nothing.
    if (!event->spontaneous()) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    if (QAbstractButton* close = closeButton())
        close->click();
}

void LabFrame::keyPressEvent(QKeyEvent* event) {
    if (PressButtonForKey(this, event->key(), closeButton()))
        return;
    if (event->key() == Qt::Key_Escape)
        return; // refused: the window closes only through its choices
    QWidget::keyPressEvent(event);
}

} // namespace orvik
