#include "widgets/Pictures.h"

#include "widgets/BandedPainting.h"
#include "widgets/Fonts.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace orvik {

namespace {

const QColor kNavy(0x1f, 0x3a, 0x68);
const QColor kSky(0x4a, 0x7f, 0xc1);
const QColor kPale(0xe8, 0xf0, 0xfa);

QPixmap Blank(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

// A round indicator lamp with a highlight.
QPixmap Lamp(QColor base, int highlightAngle = 0) {
    QPixmap p = Blank(16, 16);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(6, 5), 9);
    fill.setColorAt(0, base.lighter(170));
    fill.setColorAt(1, base.darker(130));
    g.setBrush(fill);
    g.setPen(QPen(base.darker(180), 1));
    g.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    if (highlightAngle) {
        g.setPen(QPen(QColor(255, 255, 255, 200), 2));
        g.drawArc(QRectF(4, 4, 8, 8), highlightAngle * 16, 90 * 16);
    }
    return p;
}

QPixmap BannerPiece(int w, bool leftCap, bool rightCap) {
    const int h = 44;
    QPixmap p(w, h);
    QPainter g(&p);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, kSky);
    fill.setColorAt(1, kNavy);
    g.fillRect(0, 0, w, h, fill);
    g.setPen(QColor(255, 255, 255, 60));
    g.drawLine(0, 1, w, 1);
    g.setPen(QColor(0, 0, 0, 80));
    g.drawLine(0, h - 1, w, h - 1);
    g.setRenderHint(QPainter::Antialiasing);
    if (leftCap) {
        // A chip outline: the program's emblem at the banner's left end.
        g.setPen(QPen(QColor(255, 255, 255, 220), 1.5));
        g.setBrush(QColor(255, 255, 255, 40));
        g.drawRoundedRect(QRectF(10, 12, 20, 20), 3, 3);
        for (int i = 0; i < 4; ++i) {
            const double c = 15 + i * 3.5;
            g.drawLine(QPointF(c, 7), QPointF(c, 12));
            g.drawLine(QPointF(c, 32), QPointF(c, 37));
            g.drawLine(QPointF(5, c - 3), QPointF(10, c - 3));
            g.drawLine(QPointF(30, c - 3), QPointF(35, c - 3));
        }
    }
    if (rightCap) {
        g.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            g.setBrush(QColor(255, 255, 255, 50 + 40 * i));
            g.drawEllipse(QPointF(w - 34 + i * 11, h / 2.0), 3, 3);
        }
    }
    return p;
}

QPixmap ButtonPicture(int size, const std::function<void(QPainter&, double)>& draw) {
    QPixmap p = Blank(size, size);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    draw(g, size / 32.0);
    return p;
}

void Document(QPainter& g, double s, QColor fold) {
    QPainterPath page;
    page.moveTo(7 * s, 3 * s);
    page.lineTo(19 * s, 3 * s);
    page.lineTo(25 * s, 9 * s);
    page.lineTo(25 * s, 29 * s);
    page.lineTo(7 * s, 29 * s);
    page.closeSubpath();
    g.setPen(QPen(kNavy, 1.4 * s));
    g.setBrush(Qt::white);
    g.drawPath(page);
    g.setBrush(fold);
    QPainterPath corner;
    corner.moveTo(19 * s, 3 * s);
    corner.lineTo(19 * s, 9 * s);
    corner.lineTo(25 * s, 9 * s);
    corner.closeSubpath();
    g.drawPath(corner);
    g.setPen(QPen(kSky, 1.2 * s));
    for (int i = 0; i < 4; ++i)
        g.drawLine(QPointF(10 * s, (14 + 4 * i) * s), QPointF(22 * s, (14 + 4 * i) * s));
}

// A small chip outline with pins, the program's emblem.
void Chip(QPainter& g, const QRectF& body, QColor line, QColor fill) {
    g.setPen(QPen(line, 2));
    g.setBrush(fill);
    InBandsAround(g, body, [&] { g.drawRoundedRect(body, 5, 5); });
    const int pins = 5;
    const double pin = body.width() * 0.16;
    for (int i = 0; i < pins; ++i) {
        const double fx = body.left() + body.width() * (i + 1) / (pins + 1);
        const double fy = body.top() + body.height() * (i + 1) / (pins + 1);
        g.drawLine(QPointF(fx, body.top() - pin), QPointF(fx, body.top()));
        g.drawLine(QPointF(fx, body.bottom()), QPointF(fx, body.bottom() + pin));
        g.drawLine(QPointF(body.left() - pin, fy), QPointF(body.left(), fy));
        g.drawLine(QPointF(body.right(), fy), QPointF(body.right() + pin, fy));
    }
}

} // namespace

// The splash picture: the emblem and the program's name in the upper part,
// faint circuit traces on the right, a calm lower part for the captions the
// splash and About windows put over it.
QPixmap PaintSplashPicture() {
    const int w = 480;
    const int h = 300;
    QPixmap p(w, h);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, w, h);
    fill.setColorAt(0, kNavy.darker(115));
    fill.setColorAt(1, kSky);
    InBands(g, p.rect(), [&] { g.fillRect(p.rect(), fill); });

    // Circuit traces fanning out to the right edge.
    g.setBrush(Qt::NoBrush);
    for (int i = 0; i < 10; ++i) {
        const double y = 18 + i * 28.0;
        const double x = 250 + (i * 53) % 120;
        g.setPen(QPen(QColor(255, 255, 255, 26 + (i % 3) * 8), 2));
        QPainterPath trace;
        trace.moveTo(w, y);
        trace.lineTo(x + 30, y);
        trace.lineTo(x, y + (i % 2 ? 18 : -18));
        InBandsAround(g, trace.boundingRect(), [&] { g.drawPath(trace); });
        g.setBrush(QColor(255, 255, 255, 50));
        g.drawEllipse(QPointF(x, y + (i % 2 ? 18 : -18)), 3.5, 3.5);
        g.setBrush(Qt::NoBrush);
    }

    Chip(g, QRectF(34, 34, 52, 52), QColor(255, 255, 255, 230), QColor(255, 255, 255, 45));
    g.setPen(QColor(0xf2, 0xc1, 0x4e));
    // The emblem's letters and the line under the name are set like the
    // banner's heading and the windows' texts, whose letters the main window
    // makes anyway.
    QFont emblem(SansFamily(), 13, QFont::Bold);
    emblem.setItalic(true);
    g.setFont(emblem);
    g.drawText(QRectF(34, 34, 52, 52), Qt::AlignCenter, QStringLiteral("ЭВМ"));

    g.setPen(Qt::white);
    g.setFont(QFont(SansFamily(), 28, QFont::Bold));
    g.drawText(QRect(112, 26, w - 120, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ОРВИК"));
    g.setPen(QColor(255, 255, 255, 215));
    g.setFont(QFont(SansFamily(), 9));
    g.drawText(QRect(114, 70, w - 120, 40), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Лабораторный комплекс\nпо организации ЭВМ и вычислительных систем"));

    // A thin rule separating the title from the lower part.
    QLinearGradient rule(30, 0, w - 30, 0);
    rule.setColorAt(0, QColor(255, 255, 255, 150));
    rule.setColorAt(1, QColor(255, 255, 255, 0));
    g.setPen(QPen(QBrush(rule), 1));
    g.drawLine(30, 124, w - 30, 124);
    return p;
}

// The tall picture of the guide: a path of seven milestones, one per lab
// part, leading up to a flag.
QPixmap PaintGuidePicture() {
    const int w = kGuidePictureSize.width();
    const int h = kGuidePictureSize.height();
    QPixmap p(w, h);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, kSky);
    fill.setColorAt(1, kNavy);
    InBands(g, p.rect(), [&] { g.fillRect(p.rect(), fill); });

    QPainterPath path;
    QPointF stones[7];
    for (int i = 0; i < 7; ++i)
        stones[i] = QPointF(w / 2.0 + 30 * std::sin(i * 1.2), h - 30 - i * 34.0);
    path.moveTo(stones[0]);
    for (int i = 1; i < 7; ++i) {
        const QPointF mid = (stones[i - 1] + stones[i]) / 2;
        path.quadTo(QPointF(stones[i - 1].x(), mid.y()), mid);
        path.quadTo(QPointF(stones[i].x(), mid.y()), stones[i]);
    }
    path.lineTo(w / 2.0, 50);
    g.setPen(QPen(QColor(255, 255, 255, 110), 2, Qt::DashLine));
    InBandsAround(g, path.boundingRect(), [&] { g.drawPath(path); });

    g.setFont(QFont(SansFamily(), 8, QFont::Bold));
    for (int i = 0; i < 7; ++i) {
        g.setPen(QPen(QColor(255, 255, 255, 220), 1.5));
        g.setBrush(QColor(255, 255, 255, 40 + 20 * i));
        const QRectF stone(stones[i] - QPointF(10, 10), QSizeF(20, 20));
        InBandsAround(g, stone, [&] { g.drawEllipse(stone); });
        g.setPen(Qt::white);
        g.drawText(stone, Qt::AlignCenter, QString::number(i + 1));
    }

    // The flag at the end of the path.
    g.setPen(QPen(Qt::white, 2));
    g.drawLine(QPointF(w / 2.0, 52), QPointF(w / 2.0, 14));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xf2, 0xc1, 0x4e));
    QPolygonF flag{{w / 2.0, 14}, {w / 2.0 + 26, 22}, {w / 2.0, 30}};
    g.drawPolygon(flag);
    return p;
}

Pictures PaintPictures() {
    Pictures p;
    p.ImageMain = PaintSplashPicture();
    p.ImageBlue = Lamp(QColor(0x3d, 0x78, 0xd8), 90);
    p.ImageBlue2 = Lamp(QColor(0x3d, 0x78, 0xd8), 180);
    p.ImageBlue3 = Lamp(QColor(0x3d, 0x78, 0xd8), 270);
    p.ImageGreen = Lamp(QColor(0x2f, 0xa8, 0x4f), 90);
    p.ImageLeft = BannerPiece(44, true, false);
    p.ImageMiddle = BannerPiece(8, false, false);
    p.ImageRight = BannerPiece(44, false, true);
    p.ButtonNew = ButtonPicture(24, [](QPainter& g, double s) { Document(g, s, kPale); });
    p.ButtonOpen = ButtonPicture(24, [](QPainter& g, double s) {
        g.setPen(QPen(kNavy, 1.4 * s));
        g.setBrush(QColor(0xf2, 0xc1, 0x4e));
        g.drawRect(QRectF(3 * s, 9 * s, 24 * s, 18 * s));
        g.setBrush(QColor(0xf7, 0xd8, 0x86));
        QPolygonF lid{{6 * s, 13 * s}, {30 * s, 13 * s}, {26 * s, 27 * s}, {3 * s, 27 * s}};
        g.drawPolygon(lid);
    });
    const auto disk = [](QPainter& g, double s) {
        g.setPen(QPen(kNavy, 1.4 * s));
        g.setBrush(kSky);
        g.drawRoundedRect(QRectF(4 * s, 4 * s, 24 * s, 24 * s), 2 * s, 2 * s);
        g.setBrush(Qt::white);
        g.drawRect(QRectF(9 * s, 4 * s, 14 * s, 9 * s));
        g.setBrush(kPale);
        g.drawRect(QRectF(8 * s, 18 * s, 16 * s, 10 * s));
    };
    p.ButtonSave = ButtonPicture(24, disk);
    p.ButtonSaveAs = ButtonPicture(24, [disk](QPainter& g, double s) {
        disk(g, s);
        g.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2.2 * s));
        g.drawLine(QPointF(18 * s, 30 * s), QPointF(30 * s, 18 * s));
    });
    p.ButtonStudent = ButtonPicture(40, [](QPainter& g, double s) {
        g.setPen(QPen(kNavy, 1.4 * s));
        g.setBrush(kPale);
        g.drawEllipse(QPointF(16 * s, 11 * s), 6 * s, 6 * s);
        g.setBrush(kSky);
        g.drawChord(QRectF(5 * s, 18 * s, 22 * s, 20 * s), 0, 180 * 16);
    });
    p.ButtonGuide = ButtonPicture(40, [](QPainter& g, double s) {
        g.setPen(QPen(kNavy, 1.4 * s));
        g.setBrush(kPale);
        g.drawEllipse(QPointF(16 * s, 16 * s), 12 * s, 12 * s);
        g.setBrush(QColor(0xc0, 0x39, 0x2b));
        QPolygonF needle{{16 * s, 6 * s}, {19 * s, 16 * s}, {16 * s, 26 * s}, {13 * s, 16 * s}};
        g.drawPolygon(needle);
    });
    p.ButtonReport = ButtonPicture(40, [](QPainter& g, double s) {
        Document(g, s, kPale);
        g.setPen(QPen(QColor(0x2f, 0xa8, 0x4f), 2 * s));
        g.drawLine(QPointF(10 * s, 26 * s), QPointF(15 * s, 20 * s));
        g.drawLine(QPointF(15 * s, 20 * s), QPointF(22 * s, 24 * s));
    });
    p.AppIcon = ButtonPicture(64, [](QPainter& g, double s) {
        g.setPen(Qt::NoPen);
        g.setBrush(kNavy);
        g.drawRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 6 * s, 6 * s);
        g.setPen(QPen(Qt::white, 1.2 * s));
        g.setBrush(kSky);
        g.drawRoundedRect(QRectF(9 * s, 9 * s, 14 * s, 14 * s), 2 * s, 2 * s);
        for (int i = 0; i < 3; ++i) {
            const double c = (12.5 + 3.5 * i) * s;
            g.drawLine(QPointF(c, 5 * s), QPointF(c, 9 * s));
            g.drawLine(QPointF(c, 23 * s), QPointF(c, 27 * s));
            g.drawLine(QPointF(5 * s, c), QPointF(9 * s, c));
            g.drawLine(QPointF(23 * s, c), QPointF(27 * s, c));
        }
    });
    return p;
}

} // namespace orvik
