#include "shell/AboutWindow.h"

#include "widgets/BoldLabel.h"
#include "widgets/Pictures.h"
#include "widgets/UiContext.h"
#include "widgets/WindowPlacement.h"

#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvik {

namespace {

// A date as a count of months, 12 × year + month (1..12): the last month in
// which a credit line still shows, plus one. 24049 is 12 × 2004 + 1, that is
// the third line shows up to December 2003; 24043 is 12 × 2003 + 7, the
// fourth line up to June 2003.
constexpr long MonthNumber(int year, int month) {
    return 12L * year + month;
}
constexpr long kThirdLineUntil = MonthNumber(2004, 1);
constexpr long kFourthLineUntil = MonthNumber(2003, 7);
static_assert(kThirdLineUntil == 24049 && kFourthLineUntil == 24043);

} // namespace

CreditLines VisibleCreditLines(int year, int month) {
    if (year >= 0 && year < 80)
        year += 2000;
    else if (year >= 80 && year < 100)
        year += 1900;
    const long m = MonthNumber(year, month);
    return {m < kThirdLineUntil, m < kFourthLineUntil};
}

namespace {

const char* const kCredits[4] = {
    "Постановка задач: доц. Соколов А. В., кафедра вычислительной техники",
    "Программирование: Ершов Д. И., Лаврова Н. С.",
    "Методические указания: проф. Белов Г. П., осенний семестр 2003 г.",
    "Апробация: студенты группы ВТ-41, весенний семестр 2003 г.",
};

} // namespace

AboutWindow::AboutWindow(UiContext& ctx)
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(480, 300); // the splash picture's size

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(34, 138, 24, 16);
    layout->setSpacing(3);
    auto* heading = MakeBoldLabel(QStringLiteral("Разработчики:"), this, 1);
    heading->setObjectName(QStringLiteral("developers"));
    layout->addWidget(heading);
    for (int i = 0; i < 4; ++i) {
        credits_[i] = new QLabel(QString::fromUtf8(kCredits[i]), this);
        credits_[i]->setObjectName(QStringLiteral("credit%1").arg(i + 1));
        credits_[i]->setWordWrap(true);
        layout->addWidget(credits_[i]);
    }
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setFixedWidth(72);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    setStyleSheet(QStringLiteral("QLabel { color: white; }"));
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.drawPixmap(rect(), background_);
    // A darker panel under the credits keeps them readable over the picture.
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0, 0, 0, 70));
    g.drawRoundedRect(QRectF(22, 130, width() - 44, height() - 130 - 52), 6, 6);
    g.setPen(QColor(255, 255, 255, 90));
    g.setBrush(Qt::NoBrush);
    g.drawRect(rect().adjusted(0, 0, -1, -1));
}

void AboutWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    PrepareFixedWindow(this); // no minimise; the focus, for Escape
    CentreOn(this, nullptr);
    mainLock_.lock(this, ctx_.mainWindow());
    background_ = PaintSplashPicture();
    const QDate today = QDate::currentDate();
    const CreditLines lines = VisibleCreditLines(today.year(), today.month());
    credits_[2]->setVisible(lines.third);
    credits_[3]->setVisible(lines.fourth);
}

void AboutWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    mainLock_.release();
    background_ = QPixmap();
}

void AboutWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

} // namespace orvik
