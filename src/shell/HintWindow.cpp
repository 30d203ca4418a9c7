#include "shell/HintWindow.h"

#include "widgets/BoldLabel.h"
#include "widgets/ReadingPane.h"
#include "widgets/UiContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>
#include <qdrawutil.h>

#include <algorithm>

namespace orvik {

namespace {

// The popup's corner goes this far left of and above the pointer.
constexpr int kPointerOffset = 16;
// The hints are written in lines of up to 35 characters, tables lined up in
// columns: the popup shows them in a fixed-pitch font, as wide as that.
constexpr int kHintColumns = 35;

// The "?" or "Задание" button under the pointer, when the hint comes from one.
HintAnchor AnchorAtPointer() {
    const QPoint pointer = QCursor::pos();
    HintAnchor anchor{QRect(pointer, QSize(1, 1)), QRect(pointer, QSize(1, 1)), pointer};
    if (const auto* button = qobject_cast<QAbstractButton*>(QApplication::widgetAt(pointer))) {
        anchor.button = QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
        anchor.window = button->window()->frameGeometry();
    }
    return anchor;
}

} // namespace

QPoint HintPosition(QSize popup, const HintAnchor& anchor, QRect screen) {
    constexpr int kGap = 4;
    // The corner at the pointer, moved onto the screen along each axis.
    const auto onScreen = [](int value, int low, int size, int extent) {
        return std::max(low, std::min(value, low + extent - size));
    };
    const int x =
        onScreen(anchor.pointer.x() - kPointerOffset, screen.left(), popup.width(), screen.width());
    const int y = onScreen(anchor.pointer.y() - kPointerOffset, screen.top(), popup.height(),
                           screen.height());
    const QRect& window = anchor.window;
    const QRect& button = anchor.button;
    const QPoint candidates[] = {
        {window.right() + 1 + kGap, y},  {window.left() - kGap - popup.width(), y},
        {button.right() + 1 + kGap, y},  {button.left() - kGap - popup.width(), y},
        {x, button.bottom() + 1 + kGap}, {x, button.top() - kGap - popup.height()},
    };
    for (const QPoint& corner : candidates)
        if (const QRect place(corner, popup); screen.contains(place) && !place.intersects(button))
            return corner;
    return {x, y}; // a screen too small for any of them
}

HintWindow::HintWindow(UiContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(QStringLiteral("Подсказка"));
    setMinimumSize(273, 212);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 4, 5, 5);
    layout->setSpacing(3);
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 2, 0);
    auto* closeButton = new QToolButton(this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setText(QStringLiteral("X"));
    closeButton->setAutoRaise(true);
    closeButton->setFixedSize(20, 20);
    closeButton->setToolTip(QStringLiteral("Закрыть"));
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    auto* caption = MakeBoldLabel(QStringLiteral("Быстрая подсказка"), this);
    caption->setObjectName(QStringLiteral("caption"));
    top->addWidget(closeButton);
    top->addStretch();
    top->addWidget(caption);
    layout->addLayout(top);

    text_ = MakeReadingPane(this);
    layout->addWidget(text_, 1);

    // The text area's frame, its page margins and the scroll bar come on top
    // of the columns, and the window's own margins on top of the text area.
    const int columns = QFontMetrics(text_->font()).horizontalAdvance(QString(kHintColumns, u'0'));
    const int around = 2 * text_->frameWidth() + 2 * qCeil(text_->document()->documentMargin()) +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 10 + 4;
    resize(std::max(320, columns + around), 260);
}

void HintWindow::ShowHintText(int index) {
    if (!isVisible()) {
        const HintAnchor anchor = AnchorAtPointer();
        const QScreen* screen = QGuiApplication::screenAt(anchor.pointer);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            move(HintPosition(size(), anchor, screen->availableGeometry()));
    }
    show();
    raise();
    ShowFromTop(text_, ReadingText(TextEntry(ctx_.state.Texts, index)));
}

void HintWindow::paintEvent(QPaintEvent*) {
    // A raised double frame around the popup.
    QPainter g(this);
    const QPalette& pal = palette();
    g.fillRect(rect(), pal.window());
    qDrawShadePanel(&g, rect(), pal, false, 1);
    qDrawShadePanel(&g, rect().adjusted(2, 2, -2, -2), pal, false, 1);
}

void HintWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        grab_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void HintWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - grab_);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void HintWindow::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

} // namespace orvik
