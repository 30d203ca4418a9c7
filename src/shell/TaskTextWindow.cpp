#include "shell/TaskTextWindow.h"

#include "widgets/Buttons.h"
#include "widgets/ReadingPane.h"
#include "widgets/UiContext.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace orvik {

namespace {

constexpr int kFirstTaskEntry = 63;

bool HasVisibleText(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte > 0x20 && byte != 0x7f && byte != 0xa0; // 0xA0: no-break space
    });
}

} // namespace

TaskTextWindow::TaskTextWindow(UiContext& ctx)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      ctx_(ctx) {
    setObjectName(QStringLiteral("TForm19"));
    setWindowTitle(QStringLiteral("Методические указания, задание"));
    setWindowIcon(ctx_.pictures.AppIcon);
    setMinimumSize(300, 200);
    resize(680, 520);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    text_ = MakeReadingPane(this);
    layout->addWidget(text_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* closeButton = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setMinimumWidth(96);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
}

void TaskTextWindow::keyPressEvent(QKeyEvent* event) {
    if (!PressButtonForKey(this, event->key(), CloseButtonOf(this)))
        QWidget::keyPressEvent(event);
}

void TaskTextWindow::ShowTaskText(int index) {
    QString shown;
    if (index >= 0) {
        const std::string& text = TextEntry(ctx_.state.Texts, kFirstTaskEntry + index);
        if (HasVisibleText(text))
            shown = ReadingText(text);
    }
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    setWindowState(windowState() & ~Qt::WindowMinimized); // a minimised window comes back
    show();
    raise();
    activateWindow();
    ShowFromTop(text_, shown);
}

} // namespace orvik
