// The graph window, its drawing into GraphBitmap and the curve table window.
#include "core/RealToText.h"
#include "processor/CurveTableWindow.h"
#include "processor/Curves.h"
#include "processor/DrawGraph.h"
#include "processor/GraphPicture.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorModel.h"
#include "support/TestApp.h"
#include "workbook/WorkbookFile.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>
#include <cstdint>

namespace orvik::test {
namespace {

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}
bool IsWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}
int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}
QString Real(double x, int decimals) {
    return QString::fromStdString(RealToText(x, decimals));
}

// Whether `image` shows `text` in the graph's regular 8-point font (11 pixels)
// with its top-left corner at (x, y): the text is drawn alone on white and the
// two pictures are compared over the text's box.
bool ShowsText(const QImage& image, int x, int y, const QString& text) {
    QImage alone(image.size(), image.format());
    alone.fill(Qt::white);
    QPainter p(&alone);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    const QFontMetrics fm = p.fontMetrics();
    p.drawText(x, y + fm.ascent(), text);
    p.end();
    const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
    return image.copy(box) == alone.copy(box);
}

// The column of the vertical axis of a graph h high (x 60 unless wide labels
// moved the plot right): the first line from y 40 down to h - 40.
int AxisColumn(const QImage& image, int h) {
    for (int x = 1; x < image.width(); ++x) {
        bool line = true;
        for (int y = 41; y < h - 40 && line; ++y)
            line = IsBlack(image, x, y);
        if (line)
            return x;
    }
    return -1;
}

// The vertical scale labels of a graph h high that come closer than three
// white columns to their ticks, which begin 5 pixels left of the axis.
QStringList CrowdedScaleLabels(const QImage& image, int h) {
    const int tick = AxisColumn(image, h) - 5;
    QStringList crowded;
    for (int i = 1; i <= 9; ++i) {
        const int y = RoundEven((h - 50) - (h - 100) * i / 9.0);
        if (!IsBlack(image, tick, y))
            crowded << QStringLiteral("no tick %1").arg(i);
        int ink = 0; // the last column of the label's text
        for (int x = 1; x < tick; ++x)
            for (int row = y - 8; row < y + 5; ++row)
                if (!IsWhite(image, x, row))
                    ink = x;
        if (tick - ink - 1 < 3)
            crowded << QStringLiteral("label %1: %2 white columns").arg(i).arg(tick - ink - 1);
    }
    return crowded;
}

// The scale labels of a w x h graph of `kind` whose top value is yMax: the
// nine vertical ones from yMax / 9 up, the horizontal ones from the sweep
// start (or the area 0.11) to 3.00 (or 1.00). The plot lies d pixels right
// of its place (d measured at the axis) and is as much narrower. Returns the
// labels not found.
QStringList MissingScaleLabels(const QImage& image, int kind, int w, int h, double yMax,
                               double sweepStart) {
    static const int decimals[kGraphKindCount] = {0, 1, 6, 2, 0, 0, 0, 0, 2, 2};
    QStringList missing;
    for (int i = 1; i <= 9; ++i) {
        const int y = RoundEven((h - 50) - (h - 100) * i / 9.0);
        const QString label = Real(i * yMax / 9, decimals[kind]);
        if (!ShowsText(image, 5, y - 8, label))
            missing << label;
    }
    const int d = AxisColumn(image, h) - 60;
    const int pw = w - d;
    const int s0 = RoundEven((pw - 100) / 50.0);
    for (int i = kind < 8 ? 0 : 1; i <= 9; ++i) {
        const int x = d + (kind < 8 ? RoundEven((s0 + 60) + (pw - 100 - s0) * i / 9.0)
                                    : RoundEven((pw - 100) * i / 9.0 + 60));
        const QString label = Real(kind < 8 ? (3.0 - sweepStart) * i / 9 + sweepStart : i / 9.0, 2);
        if (!ShowsText(image, x - 15, h - 40, label))
            missing << label;
    }
    return missing;
}

class GraphWindows : public ::testing::Test {
protected:
    ProcessorInputWindow* input() { return app.ctx.windows.processorInput.get(); }
    GraphWindow* graph() { return app.ctx.windows.graph.get(); }
    CurveTableWindow* table() { return app.ctx.windows.curveTable.get(); }
    const QImage& bitmap() { return app.ctx.GraphBitmap; }

    void openGraph() {
        app.state.CurrentPart = PartProcessor1;
        input()->open();
        ButtonNamed(input(), QStringLiteral("Построить графики зависимостей"))->click();
        ASSERT_TRUE(graph()->isVisible());
    }
    QAction* menuAction(const QString& text) {
        for (QAction* top : graph()->findChild<QMenuBar*>()->actions()) {
            if (top->text() == text)
                return top;
            if (top->menu())
                for (QAction* a : top->menu()->actions())
                    if (a->text() == text)
                        return a;
        }
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }
    void moveMouse(int x, int y) {
        QWidget* view = graph()->paintArea();
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), view->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    GraphData data() { return {app.wb().CurveTable, app.state.Curves, input()->technologyText()}; }
    // First row of a set with good chips, and the pixel of its point.
    QPoint firstPoint(int set, int kind, int w, int h, double yMax) {
        for (int j = 0; j < 50; ++j)
            if (app.wb().CurveTable[set][j].HasGoodChips)
                return {RoundEven((j + 1) * (w - 100) / 50.0 + 60),
                        RoundEven((h - 50) - CurveValue(kind, data(), set, j) * (h - 100) / yMax)};
        return {-1, -1};
    }

    TestApp app;
};

TEST_F(GraphWindows, OpeningComputesTheCheckedVariantsCurvesAndDrawsKindZero) {
    app.wb().Circuit2.Technology = 4; // the graph shows variant 1 unless variant 2 is checked
    EXPECT_TRUE(bitmap().isNull());   // made by the first graph drawn
    openGraph();
    EXPECT_EQ(bitmap().size(), graph()->paintArea()->size()); // no larger than drawn
    EXPECT_FALSE(input()->isEnabled());
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_EQ(app.wb().PartDone[PartProcessor1], 1);
    EXPECT_EQ(app.state.GraphKind, 0);
    EXPECT_NEAR(app.state.Curves.MlrSweepStart, 0.35, 1e-9);
    EXPECT_EQ(app.wb().CurveTable[0][0].Technology, 0);

    const int w = 609, h = 415;
    ASSERT_EQ(graph()->paintArea()->size(), QSize(w, h));
    const QImage& b = bitmap();
    EXPECT_TRUE(IsBlack(b, 0, 0));
    EXPECT_TRUE(IsBlack(b, w - 1, h - 1));
    EXPECT_TRUE(IsBlack(b, w - 1, 200));
    EXPECT_TRUE(IsWhite(b, 400, 300));
    // Axes: horizontal at H - 50 from 50 to W - 30, vertical at 60 from H - 40 up to 40.
    EXPECT_TRUE(IsBlack(b, 50, h - 50));
    EXPECT_TRUE(IsBlack(b, w - 31, h - 50));
    EXPECT_TRUE(IsBlack(b, 60, 41));
    EXPECT_TRUE(IsBlack(b, 60, 200));
    EXPECT_TRUE(IsBlack(b, w - 34, h - 54)); // arrow heads, without their end pixels
    EXPECT_TRUE(IsWhite(b, w - 35, h - 55));
    EXPECT_TRUE(IsBlack(b, 56, 44));
    EXPECT_TRUE(IsWhite(b, 55, 45));
    // Vertical ticks at Round(365 - 315 i / 9), from x 55 to 61.
    for (int i = 1; i <= 9; ++i) {
        const int y = RoundEven((h - 50) - (h - 100) * i / 9.0);
        EXPECT_TRUE(IsBlack(b, 55, y)) << i;
        EXPECT_TRUE(IsBlack(b, 61, y)) << i;
        EXPECT_TRUE(IsWhite(b, 62, y)) << i; // a line leaves out its end pixel
    }
    // Horizontal ticks: s0 = 10, x = Round(70 + 499 i / 9), from H - 52 down to H - 46.
    for (int i = 0; i <= 9; ++i) {
        const int x = RoundEven(70 + 499 * i / 9.0);
        EXPECT_TRUE(IsBlack(b, x, h - 52)) << i;
        EXPECT_TRUE(IsBlack(b, x, h - 46)) << i;
    }
    // The curve of set 1 starts at its first row with good chips; row 0 lies at x 70.
    const double yMax = graph()->paintArea()->graphYMax();
    EXPECT_DOUBLE_EQ(yMax, CurveMax(0, data(), 1));
    EXPECT_GT(yMax, 0.0);
    const QPoint p = firstPoint(1, 0, w, h, yMax);
    EXPECT_EQ(p.y(), 50); // the largest value lies on y = 50
    EXPECT_TRUE(IsBlack(b, p.x(), p.y()));
    // Row 49, the last point, lies at x = W - 40 = 569: the curve reaches that
    // column and nothing of it lies right of it (up to the axis' arrow at 574).
    const auto curveInColumn = [&](int x) {
        for (int y = 50; y < h - 50; ++y)
            if (IsBlack(b, x, y))
                return true;
        return false;
    };
    EXPECT_TRUE(curveInColumn(569));
    EXPECT_FALSE(curveInColumn(570));
    EXPECT_FALSE(curveInColumn(573));

    const QImage shown = b.copy(0, 0, w, h);
    graph()->close();
    EXPECT_TRUE(input()->isEnabled());
    EXPECT_TRUE(bitmap().isNull()); // freed while no graph is shown
    openGraph();
    EXPECT_EQ(bitmap().copy(0, 0, w, h), shown);
}

TEST_F(GraphWindows, EveryKindDrawsFromTheMenu) {
    openGraph();
    QMenu* menu = graph()->findChild<QMenuBar*>()->actions().at(0)->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Графики"));
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 14);
    EXPECT_TRUE(items[5]->isSeparator());
    EXPECT_TRUE(items[9]->isSeparator());
    EXPECT_TRUE(items[12]->isSeparator());
    EXPECT_EQ(items[13]->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(items[0]->text(), QStringLiteral("Степень интеграции от МЛР"));
    EXPECT_EQ(items[11]->text(), QStringLiteral("Стоимость от площади кристалла"));

    for (int kind = 0; kind < kGraphKindCount; ++kind) {
        menuAction(QString::fromUtf8(GraphKinds[kind].menuItem))->trigger();
        EXPECT_EQ(app.state.GraphKind, kind);
        const double yMax = graph()->paintArea()->graphYMax();
        EXPECT_GT(yMax, 0.0) << kind;
        EXPECT_TRUE(IsBlack(bitmap(), AxisColumn(bitmap(), 415) - 10, 415 - 50)) << kind;
        EXPECT_EQ(MissingScaleLabels(bitmap(), kind, 609, 415, yMax, 0.35), QStringList())
            << "kind " << kind;
        EXPECT_EQ(CrowdedScaleLabels(bitmap(), 415).join(u',').toStdString(), "")
            << "kind " << kind;
    }
    // The comparison tells texts apart: a scale with another divisor is not there.
    EXPECT_FALSE(ShowsText(bitmap(), 5, RoundEven(365 - 315 * 9 / 9.0) - 8,
                           Real(9 * graph()->paintArea()->graphYMax() / 10, 2)));
    EXPECT_TRUE(app.dialogs.errors.isEmpty());

    // Yield: set 0 has good chips from the sweep start on, so its curve begins at x 70.
    menuAction(QStringLiteral("Выход годных от МЛР"))->trigger();
    const double yMax = graph()->paintArea()->graphYMax();
    const QPoint p0 = firstPoint(0, 3, 609, 415, yMax);
    EXPECT_EQ(p0.x(), 70);
    EXPECT_TRUE(IsBlack(bitmap(), p0.x(), p0.y()));
    const QPoint p2 = firstPoint(2, 3, 609, 415, yMax);
    EXPECT_GT(p2.x(), p0.x());
    EXPECT_TRUE(IsBlack(bitmap(), p2.x(), p2.y()));

    // The kind survives closing and reopening.
    menuAction(QStringLiteral("Закрыть"))->trigger();
    EXPECT_FALSE(graph()->isVisible());
    ButtonNamed(input(), QStringLiteral("Построить графики зависимостей"))->click();
    EXPECT_EQ(app.state.GraphKind, 3);
}

TEST_F(GraphWindows, ResizingRedrawsAtThePaintAreaSize) {
    openGraph();
    graph()->resize(10, 10); // held at the smallest outer size, 400 x 300
    EXPECT_EQ(graph()->frameGeometry().size(), QSize(400, 300));
    const QSize paint = graph()->paintArea()->size();
    EXPECT_EQ(paint, QSize(376, 236));
    const int w = paint.width(), h = paint.height();
    EXPECT_TRUE(IsBlack(bitmap(), w - 1, 100));
    EXPECT_TRUE(IsBlack(bitmap(), 100, h - 1));
    EXPECT_TRUE(IsWhite(bitmap(), w, 100)); // the new frame, drawn over the old picture
    EXPECT_TRUE(IsBlack(bitmap(), 100, h - 50));
    EXPECT_TRUE(IsBlack(bitmap(), 60, 41));
    const QPoint p = firstPoint(1, 0, w, h, graph()->paintArea()->graphYMax());
    EXPECT_TRUE(IsBlack(bitmap(), p.x(), p.y()));

    graph()->resize(5000, 5000); // held at the largest, 1600 x 1200
    EXPECT_EQ(graph()->paintArea()->size(), QSize(1576, 1136));
    EXPECT_TRUE(IsBlack(bitmap(), 1575, 1135));

    // Opened again, it has its initial size, whatever it was left at.
    graph()->close();
    ButtonNamed(input(), QStringLiteral("Построить графики зависимостей"))->click();
    EXPECT_EQ(graph()->frameGeometry().size(), QSize(633, 479));
    EXPECT_EQ(graph()->paintArea()->size(), QSize(609, 415));
}

TEST_F(GraphWindows, MouseReadoutFollowsTheScalesAndStaysOffTheBitmap) {
    openGraph();
    const QImage before = bitmap().copy(0, 0, 609, 415);
    GraphView* view = graph()->paintArea();
    moveMouse(70, 50); // left end of the horizontal scale, top of the vertical one
    EXPECT_EQ(view->horizontalReadout(), QStringLiteral("МЛР =  0.35    "));
    EXPECT_EQ(view->verticalReadout(),
              QStringLiteral("Ст.инт. = ") + Real(view->graphYMax(), 8) + QStringLiteral(";    "));
    moveMouse(609 - 40, 30); // right end; above the scale: the vertical readout stays
    EXPECT_EQ(view->horizontalReadout(), QStringLiteral("МЛР =  3.00    "));
    EXPECT_TRUE(view->verticalReadout().startsWith(QStringLiteral("Ст.инт. = ")));
    moveMouse(20, 415 - 50); // left of the scale: the horizontal readout stays
    EXPECT_EQ(view->horizontalReadout(), QStringLiteral("МЛР =  3.00    "));
    EXPECT_EQ(view->verticalReadout(), QStringLiteral("Ст.инт. = 0.00000000;    "));
    EXPECT_EQ(bitmap().copy(0, 0, 609, 415), before);

    // Costs up to "109379.70" move the area plot right: the readout follows.
    graph()->close();
    ProcessorRecord& variant = app.wb().Circuit1;
    variant.DefectFactor = 0.1;
    variant.ChipArea = 0.01;
    variant.DeviceIntegration = 1000;
    app.state.GraphKind = 9;
    ASSERT_TRUE(graph()->open());
    const int axis = AxisColumn(bitmap(), 415);
    EXPECT_GT(axis, 60);
    moveMouse(axis, 200);
    EXPECT_EQ(view->horizontalReadout(), QStringLiteral("Пл.Кр. =  0.00    "));
    moveMouse(609 - 40, 200);
    EXPECT_EQ(view->horizontalReadout(), QStringLiteral("Пл.Кр. =  1.00    "));

    EXPECT_EQ(HorizontalReadout(8, 0.35, 609, 60 + 509), QStringLiteral("Пл.Кр. =  1.00    "));
    EXPECT_FALSE(HorizontalReadout(8, 0.35, 609, 59).has_value());
    EXPECT_FALSE(VerticalReadout(0, 100.0, 415, 415 - 49).has_value());
}

TEST_F(GraphWindows, DrawingWithoutAScaleDrawsNoCurve) {
    // Curve rows of an opened workbook that never had their curves computed.
    CurveTableData table{};
    CurveResults curves{};
    table[1][0].HasGoodChips = 1;
    QImage image(800, 600, QImage::Format_RGB32);
    const double yMax =
        DrawGraph(image, 609, 415, 0, GraphData{table, curves, QStringLiteral("ЭСЛ")});
    EXPECT_EQ(yMax, 0.0);
    EXPECT_TRUE(IsBlack(image, 100, 365)); // the axes are there
    EXPECT_TRUE(IsBlack(image, 0, 0));
}

TEST_F(GraphWindows, TableWindowShowsTheSelectedRows) {
    openGraph();
    menuAction(QStringLiteral("Исходные данные"))->trigger();
    ASSERT_TRUE(table()->isVisible());
    EXPECT_FALSE(graph()->isEnabled());

    QTableWidget* grid = table()->grid();
    EXPECT_EQ(grid->columnCount(), 13);
    EXPECT_EQ(grid->rowCount() + 1, 45);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("п1"));
    EXPECT_EQ(grid->horizontalHeaderItem(12)->text(), QStringLiteral("п13"));
    EXPECT_EQ(grid->columnWidth(7), 25); // п8 fits its numbers
    EXPECT_GE(grid->columnWidth(2), 33); // п3 widens for six digits
    EXPECT_TRUE(grid->horizontalHeader()->sectionResizeMode(0) == QHeaderView::Interactive);
    EXPECT_EQ(grid->rowHeight(3), 15);

    const auto& t = app.wb().CurveTable;
    EXPECT_EQ(table()->cellText(1, 0), QStringLiteral("  0.50"));
    EXPECT_EQ(table()->cellText(1, 1), QStringLiteral("  0.35"));
    EXPECT_EQ(table()->cellText(10, 1), QStringLiteral("  3.00"));
    EXPECT_EQ(table()->cellText(12, 0), QStringLiteral("  1.00"));
    EXPECT_EQ(table()->cellText(23, 0), QStringLiteral("  5.00"));
    EXPECT_EQ(table()->cellText(3, 2), QString::number(t[0][11].ChipIntegration));
    EXPECT_EQ(table()->cellText(31, 1), Real(t[2][44].MinFeature, 2));
    // Set 1 has no good chips at 0.35: "НЕТ" for the yield, numbers elsewhere.
    ASSERT_FALSE(t[1][0].HasGoodChips);
    EXPECT_EQ(table()->cellText(12, 4), QStringLiteral("НЕТ"));
    EXPECT_EQ(table()->cellText(12, 5), Real(t[1][0].ChipCost, 2));
    EXPECT_EQ(table()->cellText(13, 4), Real(t[1][5].Yield, 6));
    // Column п13 of a curve row: processor cost per MHz.
    EXPECT_EQ(table()->cellText(13, 12),
              Real(static_cast<double>(static_cast<long double>(t[1][5].ProcessorCost) /
                                       t[1][5].Frequency),
                   6));
    for (int row : {11, 22, 33})
        for (int c = 0; c < 13; ++c)
            EXPECT_TRUE(table()->cellText(row, c).isEmpty()) << row << ' ' << c;
    EXPECT_EQ(table()->cellText(34, 12), QStringLiteral("Пл.кр."));
    EXPECT_TRUE(table()->cellText(34, 0).isEmpty());
    EXPECT_EQ(table()->cellText(35, 12), QStringLiteral(" 0.010"));
    EXPECT_EQ(table()->cellText(44, 12), QStringLiteral(" 1.000"));
    EXPECT_EQ(table()->cellText(44, 1), QStringLiteral("  1.50"));

    ButtonNamed(table(), QStringLiteral("Закрыть"))->click();
    EXPECT_TRUE(graph()->isEnabled());
}

TEST_F(GraphWindows, DamagedTechnologyReportsAnErrorAndShowsNoGraph) {
    app.state.CurrentPart = PartProcessor1;
    input()->open();
    app.wb().Circuit1.Technology = 9;
    ButtonNamed(input(), QStringLiteral("Построить графики зависимостей"))->click();
    EXPECT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_FALSE(graph()->isVisible());
    EXPECT_TRUE(input()->isEnabled());
}

} // namespace
} // namespace orvik::test

namespace orvik::test {
namespace {

// FNV-1a over every byte of the picture, the untouched margin included.
std::uint64_t PictureChecksum(const QImage& image) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (qsizetype i = 0; i < image.bytesPerLine(); ++i)
            hash = (hash ^ line[i]) * 1099511628211ULL;
    }
    return hash;
}

// The first band of rows from the top of `image` that hold dark pixels: its
// top row and its height (the title's letters).
std::pair<int, int> FirstInkBand(const QImage& image) {
    const auto dark = [&](int y) {
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        return false;
    };
    int top = 0;
    while (top < image.height() && !dark(top))
        ++top;
    int bottom = top;
    while (bottom < image.height() && dark(bottom))
        ++bottom;
    return {top, bottom - top};
}

// A picture for a document is the graph the window shows at 800 x 600, twice
// as large in every part: its title twice as high and as far down.
TEST_F(GraphWindows, ThePictureScalesItsTextsWithItsSize) {
    openGraph();
    for (const int kind : {0, 5, 9}) {
        SCOPED_TRACE(kind);
        QImage window(800, 600, QImage::Format_RGB32);
        DrawGraph(window, 800, 600, kind, data());
        const auto [windowTop, windowHeight] = FirstInkBand(window);
        const auto [top, height] = FirstInkBand(GraphPicture(kind, data()));
        ASSERT_GE(windowHeight, 8);
        EXPECT_NEAR(height, 2 * windowHeight, 3);
        EXPECT_NEAR(top, 2 * windowTop, 3);
    }
}

// "Рисунок": the graph shown goes to a PNG file at 1600 x 1200, to an SVG
// file holding the same texts as vector drawing, and to the clipboard.
TEST_F(GraphWindows, ThePictureGoesToPngSvgAndTheClipboard) {
    openGraph();
    menuAction(QStringLiteral("Частота от МЛР"))->trigger();
    const QImage expected = GraphPicture(5, data());
    QTemporaryDir dir;
    const std::vector<std::uint8_t> before = EncodeWorkbook(app.wb());
    const bool modified = app.state.WorkbookModified;
    struct Case {
        QString file;
        bool svg;
    };
    for (const Case& c : {Case{"graph.png", false}, Case{"graph.svg", true}, Case{"noext", false},
                          Case{"GRAPH.SVG", true}, Case{"graph.Png", false}}) {
        SCOPED_TRACE(c.file.toStdString());
        app.dialogs.saveFiles = {dir.filePath(c.file)};
        menuAction(QStringLiteral("Сохранить рисунок..."))->trigger();
        const QString saved = dir.filePath(c.file.contains('.') ? c.file : c.file + ".png");
        ASSERT_TRUE(QFile::exists(saved));
        QFile head(saved);
        ASSERT_TRUE(head.open(QIODevice::ReadOnly));
        EXPECT_TRUE(head.read(5).startsWith(c.svg ? QByteArray("<?xml") : QByteArray("\x89PNG")));
        if (!c.svg) {
            EXPECT_EQ(QImage(saved).convertToFormat(QImage::Format_RGB32), expected);
            continue;
        }
        QSvgRenderer svg(saved);
        ASSERT_TRUE(svg.isValid());
        EXPECT_EQ(svg.defaultSize(), QSize(1600, 1200));
        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (const QString& label :
             {QStringLiteral("МЛР"), QStringLiteral("Частота"), QStringLiteral("3.00"),
              Real(app.state.Curves.MlrSweepStart, 2).trimmed(), QStringLiteral("ЭСЛ 250")})
            EXPECT_TRUE(text.contains(
                QRegularExpression(">\\s*" + QRegularExpression::escape(label) + "<")))
                << label.toStdString();
    }
    EXPECT_EQ(app.dialogs.saveDialogs.back().filter, "Рисунок PNG (*.png);;Рисунок SVG (*.svg)");
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    const auto* notice = graph()->findChild<QLabel*>("savedNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->toolTip(), dir.filePath("graph.Png")); // the last file saved

    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(graph());
    QTest::keySequence(graph(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(app.state.WorkbookModified, modified);
    EXPECT_EQ(EncodeWorkbook(app.wb()), before);
}

struct PictureVariant {
    int technology;
    double defect;
    double area;
    int integration;
    const char* technologyText;
};
constexpr PictureVariant kEsl{0, 1.0, 1.0, 250, "ЭСЛ"};
constexpr PictureVariant kGaAs{4, 1.0, 0.3, 500, "GaAs"};
// Costs up to "109379.70": the widest labels, which move the plot right.
constexpr PictureVariant kCheapSmallChips{0, 0.1, 0.01, 1000, "ЭСЛ"};

struct PictureRow {
    PictureVariant variant;
    int w, h;
    std::array<std::uint64_t, kGraphKindCount> checksums; // kinds 0..9
};

// The pictures as the graph draws them, pixel for pixel, each with its
// vertical labels clear of the ticks; the text is set in the font the
// offscreen platform gives for Arial here.
TEST(GraphPictures, EveryKindAtBothSizesIsDrawnAsBefore) {
    if (QFontInfo(QFont(QStringLiteral("Arial"))).family() != QStringLiteral("Liberation Sans"))
        GTEST_SKIP() << "the stored pictures were drawn with Liberation Sans";
    const PictureRow rows[] = {
        {kEsl,
         1600,
         1200,
         {2668389721083853068ULL, 13461138166290402124ULL, 4330274648862577732ULL,
          9027873335301537655ULL, 15423042956307981675ULL, 16598156428434798035ULL,
          15839581450116605026ULL, 1535590376788605927ULL, 10667211955767128920ULL,
          4311715780165833598ULL}},
        {kEsl,
         650,
         450,
         {14356097004221823332ULL, 17114624171172799156ULL, 5747316703311137629ULL,
          13721017496845915346ULL, 9564595049407812438ULL, 14179898005987763627ULL,
          16916304572808774674ULL, 12817029217851985058ULL, 15078379380721029537ULL,
          199757001423474219ULL}},
        {kGaAs,
         1600,
         1200,
         {11224944902883902861ULL, 10219277960195922396ULL, 9094618857874445591ULL,
          521922472357016035ULL, 693383682429443056ULL, 7313084651805757272ULL,
          3606479681170417312ULL, 13363050474323881307ULL, 7512278329728756455ULL,
          17610663083536343168ULL}},
        {kGaAs,
         650,
         450,
         {11475414724992502285ULL, 1228488941480650548ULL, 12030414388748197247ULL,
          4297749619957153518ULL, 2346940382452005224ULL, 15978042807545401569ULL,
          17697787326291514504ULL, 1465225761708249323ULL, 4169102437974022607ULL,
          2437888857871166601ULL}},
        {kCheapSmallChips,
         1600,
         1200,
         {8328699149395763986ULL, 13947665745984928473ULL, 4766760063532852321ULL,
          8410684557717441921ULL, 16503686821706827749ULL, 18241470684497149176ULL,
          7561716034732895183ULL, 6975194768692490094ULL, 11017303569074717725ULL,
          16969107078101412483ULL}},
        {kCheapSmallChips,
         650,
         450,
         {9078758062931068506ULL, 6822041681522439921ULL, 5312421639140765401ULL,
          11568752117592874281ULL, 15780659607031822405ULL, 11546592898080104984ULL,
          3228336438454782831ULL, 6462365154144291027ULL, 11148750186457751957ULL,
          9401916062702405214ULL}},
    };
    for (const PictureRow& row : rows) {
        ProcessorRecord working{};
        ResetProcessorInputs(working);
        working.Technology = row.variant.technology;
        working.DefectFactor = row.variant.defect;
        working.ChipArea = row.variant.area;
        working.DeviceIntegration = row.variant.integration;
        CurveTableData table{};
        CurveResults curves;
        ComputeCurves(working, table, curves);
        const GraphData data{table, curves, QString::fromUtf8(row.variant.technologyText)};
        for (int kind = 0; kind < kGraphKindCount; ++kind) {
            QImage bitmap(1600, 1200, QImage::Format_RGB32);
            bitmap.fill(qRgb(128, 128, 128));
            DrawGraph(bitmap, row.w, row.h, kind, data);
            EXPECT_EQ(PictureChecksum(bitmap), row.checksums[static_cast<std::size_t>(kind)])
                << row.variant.technologyText << ' ' << row.w << 'x' << row.h << " kind " << kind;
            EXPECT_EQ(CrowdedScaleLabels(bitmap, row.h).join(u',').toStdString(), "")
                << row.variant.technologyText << ' ' << row.w << 'x' << row.h << " kind " << kind;
            if (row.w == 650 && kind % 4 == 3) { // a picture of another pixel format
                QImage other(1600, 1200, QImage::Format_RGB888);
                other.fill(qRgb(128, 128, 128));
                DrawGraph(other, row.w, row.h, kind, data);
                EXPECT_EQ(other.convertToFormat(QImage::Format_RGB32), bitmap) << kind;
            }
        }
    }
}

} // namespace
} // namespace orvik::test
