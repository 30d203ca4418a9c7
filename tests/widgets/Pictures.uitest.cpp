// The program's pictures are drawn band by band: the same pixels as in one
// go, without the raster engine's helper threads.
#include "widgets/Pictures.h"
#include "widgets/BandedPainting.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <functional>

namespace orvik {
namespace {

// The threads of this process. ctest runs each test in a process of its own,
// so no helper thread of an earlier test is counted.
qsizetype ThreadCount() {
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

TEST(Pictures, ArePaintedWithoutHelperThreads) {
    const qsizetype before = ThreadCount();
    const Pictures pictures = PaintPictures();
    const QPixmap guide = PaintGuidePicture();
    EXPECT_FALSE(pictures.ImageMain.isNull());
    EXPECT_FALSE(guide.isNull());
    EXPECT_EQ(ThreadCount(), before);
}

struct ShapeCase {
    const char* name;
    QRectF shape;    // the outline's bounds
    double penWidth; // 0: filled only
    std::function<void(QPainter&)> draw;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.name;
}

QPainterPath Trace() {
    QPainterPath path;
    path.moveTo(470, 20);
    path.lineTo(200, 20);
    path.lineTo(150.5, 260.25);
    return path;
}

QPainterPath Curve() {
    QPainterPath path;
    path.moveTo(60, 290);
    path.quadTo(20, 200, 65, 150);
    path.quadTo(110, 100, 60, 10);
    return path;
}

const ShapeCase kShapes[] = {
    {"gradient over every line", QRectF(0, 0, 480, 300), 0,
     [](QPainter& g) {
         QLinearGradient fill(0, 0, 480, 300);
         fill.setColorAt(0, QColor(0x1b, 0x32, 0x5a));
         fill.setColorAt(1, QColor(0x4a, 0x7f, 0xc1));
         g.fillRect(QRect(0, 0, 480, 300), fill);
     }},
    {"translucent antialiased trace", Trace().boundingRect(), 2,
     [](QPainter& g) {
         g.setPen(QPen(QColor(255, 255, 255, 34), 2));
         g.drawPath(Trace());
     }},
    {"rounded square, outlined and filled", QRectF(34, 34, 152, 152), 2,
     [](QPainter& g) {
         g.setPen(QPen(QColor(255, 255, 255, 230), 2));
         g.setBrush(QColor(255, 255, 255, 45));
         g.drawRoundedRect(QRectF(34, 34, 152, 152), 5, 5);
     }},
    {"dashed curve", Curve().boundingRect(), 2,
     [](QPainter& g) {
         g.setPen(QPen(QColor(255, 255, 255, 110), 2, Qt::DashLine));
         g.drawPath(Curve());
     }},
    {"thick pen off the pixel grid", QRectF(140.3, 40.7, 200, 200), 7,
     [](QPainter& g) {
         g.setPen(QPen(QColor(200, 40, 40, 180), 7));
         g.setBrush(Qt::NoBrush);
         g.drawEllipse(QRectF(140.3, 40.7, 200, 200));
     }},
};

class BandedPaintingTest : public ::testing::TestWithParam<ShapeCase> {};

QImage Canvas() {
    QImage image(480, 300, QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x50, 0x80));
    return image;
}

TEST_P(BandedPaintingTest, SetsTheSamePixelsAsOneFill) {
    const ShapeCase& c = GetParam();
    QImage whole = Canvas();
    QImage banded = Canvas();
    {
        QPainter g(&whole);
        g.setRenderHint(QPainter::Antialiasing);
        c.draw(g);
    }
    {
        QPainter g(&banded);
        g.setRenderHint(QPainter::Antialiasing);
        const QRectF area = c.penWidth > 0 ? StrokedArea(c.shape, c.penWidth) : c.shape;
        InBands(g, area, [&] { c.draw(g); });
    }
    EXPECT_NE(whole, Canvas()) << "the shape drew nothing";
    EXPECT_EQ(banded, whole);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BandedPaintingTest, ::testing::ValuesIn(kShapes));

} // namespace
} // namespace orvik
