#include "widgets/Banner.h"

#include "widgets/Fonts.h"
#include "widgets/Pictures.h"

#include <QPainter>

namespace orvik {

Banner::Banner(const Pictures& pictures, const QString& heading, QWidget* parent)
    : QWidget(parent), left_(pictures.ImageLeft), middle_(pictures.ImageMiddle),
      right_(pictures.ImageRight), heading_(heading) {
    setObjectName(QStringLiteral("Banner"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f(SansFamily(), 13);
    f.setBold(true);
    f.setItalic(true);
    setFont(f);
    setAccessibleName(heading);
}

void Banner::setHeading(const QString& heading) {
    heading_ = heading;
    setAccessibleName(heading);
    update();
}

QSize Banner::sizeHint() const {
    const int h = left_.isNull() ? 44 : left_.height();
    return {fontMetrics().horizontalAdvance(heading_) + 2 * 60, h};
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter g(this);
    const int lw = left_.width();
    const int rw = right_.width();
    g.drawPixmap(QRect(lw, 0, width() - lw - rw, height()), middle_);
    g.drawPixmap(0, 0, left_);
    g.drawPixmap(width() - rw, 0, right_);
    g.setPen(Qt::white);
    g.drawText(rect().adjusted(lw + 6, 0, -rw, 0), Qt::AlignVCenter | Qt::AlignLeft, heading_);
}

} // namespace orvik
