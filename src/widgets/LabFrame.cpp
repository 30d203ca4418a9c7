#include "widgets/LabFrame.h"

#include "app/AppContext.h"
#include "widgets/Banner.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace orvik {

LabFrame::LabFrame(AppContext& context, const QString& objectName, const QString& title,
                   const QString& heading)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      ctx(context) {
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

QPushButton* LabFrame::makeButton(const QString& caption, const std::function<void()>& work) {
    auto* button = new QPushButton(caption, this);
    connect(button, &QPushButton::clicked, this, [this, work] { guarded(work); });
    return button;
}

QWidget* LabFrame::divider() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void LabFrame::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOn(this, ctx.mainWindow());
    beneath_.lock(beneath());
}

void LabFrame::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    beneath_.release();
    closed();
}

void LabFrame::keyPressEvent(QKeyEvent* event) {
    // Escape does not close a lab window: it closes only through its buttons.
    if (event->key() == Qt::Key_Escape)
        return;
    QWidget::keyPressEvent(event);
}

} // namespace orvik
