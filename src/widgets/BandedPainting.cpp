#include "widgets/BandedPainting.h"

#include <QPainter>
#include <QPen>

namespace orvik {

namespace {
// An antialiased curve yields a span for nearly every pixel of its edge, up
// to a dozen a line where it runs flat: 8 lines stay below the threshold.
constexpr int kBandLines = 8;
} // namespace

void InBands(QPainter& painter, const QRectF& area, const std::function<void()>& draw) {
    const QRect rows = area.toAlignedRect();
    for (int top = rows.top(); top <= rows.bottom(); top += kBandLines) {
        painter.save();
        painter.setClipRect(QRect(rows.left(), top, rows.width(), kBandLines), Qt::IntersectClip);
        draw();
        painter.restore();
    }
}

void InBandsAround(QPainter& painter, const QRectF& bounds, const std::function<void()>& draw) {
    InBands(painter, StrokedArea(bounds, painter.pen().widthF()), draw);
}

QRectF StrokedArea(const QRectF& shape, double penWidth) {
    const double margin = penWidth + 2;
    return shape.adjusted(-margin, -margin, margin, margin);
}

} // namespace orvik
