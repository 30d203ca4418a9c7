#include "shell/HintWindow.h"

#include "widgets/BoldLabel.h"
#include "widgets/HintButton.h"
#include "widgets/ReadingPane.h"
#include "widgets/UiContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>
#include <qdrawutil.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace orvik {

namespace {

// The popup's corner goes this far left of and above the pointer.
constexpr int kPointerOffset = 16;
// The hints are written in lines of up to 35 characters, tables lined up in
// columns: the popup shows them in a fixed-pitch font, as wide as that.
constexpr int kHintColumns = 35;

// Where a hint comes from: `from` when given; else the button under the
// pointer (a click) or the button focused (a key), else the pointer alone.
HintAnchor AnchorFor(const QWidget* from) {
    const QPoint pointer = QCursor::pos();
    if (!from) {
        from = qobject_cast<QAbstractButton*>(QApplication::widgetAt(pointer));
        if (!from)
            from = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    }
    if (!from)
        return {QRect(pointer, QSize(1, 1)), QRect(pointer, QSize(1, 1)), pointer};
    const QRect button(from->mapToGlobal(QPoint(0, 0)), from->size());
    const QWidget* window = from->window();
    HintAnchor anchor{button, window->frameGeometry(),
                      button.contains(pointer) ? pointer : button.center()};
    for (const QAbstractButton* other : window->findChildren<QAbstractButton*>())
        if (other->isVisible() &&
            (qobject_cast<const QPushButton*>(other) || qobject_cast<const QToolButton*>(other)))
            anchor.keep << QRect(other->mapToGlobal(QPoint(0, 0)), other->size());
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
    const int heights[] = {y,
                           button.bottom() + 1 + kGap,
                           button.top() - kGap - popup.height(),
                           window.top(),
                           window.bottom() + 1 - popup.height(),
                           screen.top(),
                           screen.bottom() + 1 - popup.height()};
    // The places to try, best first: beside the window, below or above it,
    // beside the button, below or above it, then along the screen's edges.
    QList<QPoint> places;
    const auto beside = [&](std::initializer_list<int> lefts) {
        for (const int left : lefts)
            for (const int top : heights)
                places << QPoint(left, top);
    };
    beside({window.right() + 1 + kGap, window.left() - kGap - popup.width()});
    places << QPoint(x, window.bottom() + 1 + kGap)
           << QPoint(x, window.top() - kGap - popup.height());
    beside({button.right() + 1 + kGap, button.left() - kGap - popup.width()});
    places << QPoint(x, button.bottom() + 1 + kGap)
           << QPoint(x, button.top() - kGap - popup.height());
    beside({x, screen.left(), screen.right() + 1 - popup.width()});

    // The first place on the screen, off the button, that also `fits`.
    const auto first = [&](const std::function<bool(const QRect&)>& fits) -> std::optional<QPoint> {
        for (const QPoint& corner : places)
            if (const QRect place(corner, popup);
                screen.contains(place) && !place.intersects(button) && fits(place))
                return corner;
        return std::nullopt;
    };
    const auto coversNoButton = [&](const QRect& place) {
        return std::none_of(anchor.keep.begin(), anchor.keep.end(),
                            [&](const QRect& kept) { return place.intersects(kept); });
    };
    if (auto outside = first([&](const QRect& place) { return !place.intersects(window); }))
        return *outside;
    if (auto clear = first(coversNoButton))
        return *clear;
    if (auto offButton = first([](const QRect&) { return true; }))
        return *offButton;
    return {x, y}; // a screen too small for any of them
}

HintWindow::HintWindow(UiContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      ctx_(ctx) {
    setObjectName(QStringLiteral("TForm15"));
    setAttribute(Qt::WA_ShowWithoutActivating);
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

void HintWindow::ShowHintText(int index, const QWidget* from) {
    if (!isVisible()) {
        const HintAnchor anchor = AnchorFor(from);
        const QScreen* screen = QGuiApplication::screenAt(anchor.pointer);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            move(HintPosition(size(), anchor, screen->availableGeometry()));
    }
    owner_ = from ? from->window() : QApplication::activeWindow();
    show();
    raise();
    ShowFromTop(text_, ReadingText(TextEntry(ctx_.state.Texts, index)));
}

void HintWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
}

void HintWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    qApp->removeEventFilter(this);
}

bool HintWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !isVisible())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        // Escape closes the popup first, wherever the focus is.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        // A click elsewhere; a "?" or "Задание" replaces the text instead.
        if (widget->window() != this && !OpensHint(widget))
            close();
        break;
    case QEvent::Show:
        if (widget != this && widget->isWindow() &&
            (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog))
            close(); // another window opens over it
        break;
    case QEvent::Hide:
        if (widget == owner_)
            close(); // the window it explains closes
        break;
    default:
        break;
    }
    return false;
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
