#include "widgets/SavedNotice.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace orvik {

namespace {

constexpr int kShownMs = 6000;
constexpr int kMargin = 6;

} // namespace

void ShowSavedNotice(QWidget* inWindow, const QString& path) {
    if (!inWindow)
        return;
    QWidget* window = inWindow->window();
    auto* notice =
        window->findChild<QLabel*>(QStringLiteral("savedNotice"), Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new QLabel(window);
        notice->setObjectName(QStringLiteral("savedNotice"));
        notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        notice->setStyleSheet(
            QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid #808080; "
                           "padding: 2px 6px; }"));
        auto* timer = new QTimer(notice);
        timer->setObjectName(QStringLiteral("savedNoticeTimer"));
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, notice, &QWidget::hide);
    }
    const QString shown = QDir::toNativeSeparators(path);
    notice->setToolTip(shown);
    // The whole name when it fits, else its beginning and end.
    const int room = std::max(80, window->width() - 2 * kMargin - 14);
    const QString caption = QStringLiteral("Сохранено в файл: ");
    const QFontMetrics fm(notice->font());
    notice->setText(caption +
                    fm.elidedText(shown, Qt::ElideMiddle, room - fm.horizontalAdvance(caption)));
    notice->adjustSize();
    notice->move(kMargin, std::max(0, window->height() - notice->height() - kMargin));
    notice->show();
    notice->raise();
    notice->findChild<QTimer*>(QStringLiteral("savedNoticeTimer"))->start(kShownMs);
}

} // namespace orvik
