#include "processor/DrawGraph.h"

#include "widgets/Fonts.h"
#include "widgets/RealText.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvik {

const std::array<GraphKindInfo, kGraphKindCount> GraphKinds{{
    {"Степень интеграции от МЛР", "Степень интеграции", "Ст.инт.", 0, false, false},
    {"Задержка на ЭЛЭ от МЛР", "Задержка", "Зад.", 1, false, false},
    {"Интенсивность отказов от МЛР", "Интенсивность отказов", "Инт.отк.", 6, false, false},
    {"Выход годных от МЛР", "Выход годных кристаллов", "Вых.годн.", 2, true, false},
    {"Стоимость БИС от МЛР", "Стоимость БИС", "Ст.БИС", 0, true, false},
    {"Частота от МЛР", "Частота", "Частота", 0, false, false},
    {"Время наработки от МЛР", "Время наработки", "Вр.нар.", 0, false, false},
    {"Стоимость от МЛР", "Стоимость процессора", "Ст.проц.", 0, true, false},
    {"Время наработки от площади кристалла", "Время наработки", "Вр.нар.", 2, false, true},
    {"Стоимость от площади кристалла", "Стоимость", "Ст.проц.", 2, false, true},
}};

namespace {

constexpr int kSetCount = 3;
constexpr int kRowCount = 50;
constexpr int kAreaCount = 10;
constexpr double kSweepTop = 3.0;

// Window-style font sizes in pixels at 96 dots per inch: 8 pt and 12 pt.
constexpr int kSmallFontPixels = 11;
constexpr int kTitleFontPixels = 16;

// The vertical scale: its labels' left edge, its ticks' left end, and the
// white kept between the widest label and the ticks.
constexpr int kLabelLeft = 5;
constexpr int kTickLeft = 55;
constexpr int kLabelGap = 5;

// Coordinates far outside the picture (a point without good chips can lie
// far above the scale) are held to a range the painter handles exactly.
constexpr long double kFarAway = 1.0e6L;

// Round to nearest, ties to even, as a pixel coordinate. lrint rounds in the
// default mode as nearbyint does, without saving and restoring the
// floating-point state at every pixel.
int Pixel(long double v) {
    if (std::isnan(v))
        return static_cast<int>(kFarAway);
    return static_cast<int>(std::lrint(std::clamp(v, -kFarAway, kFarAway)));
}

bool IsAreaKind(int kind) {
    return kind == 8 || kind == 9;
}

double FieldOf(int kind, const ProcessorRecord& r) {
    switch (kind) {
    case 0:
        return static_cast<double>(r.ChipIntegration);
    case 1:
        return r.GateDelay;
    case 2:
        return r.ChipFailureRate;
    case 3:
        return r.Yield;
    case 4:
        return r.ChipCost;
    case 5:
        return r.Frequency;
    case 6:
    case 8:
        return r.Mtbf;
    case 7:
    case 9:
        return r.ProcessorCost;
    default:
        return 0.0;
    }
}

// One line of text in one font, shaped once: its width places it, and it is
// written with its top-left corner at (x, y) on a white cell, as the drawing
// writes every text.
class Label {
public:
    Label(const QString& text, const QFont& font) : layout_(text, font) {
        layout_.setCacheEnabled(true);
        layout_.beginLayout();
        line_ = layout_.createLine();
        layout_.endLayout();
    }
    int width() const { return qRound(line_.horizontalAdvance()); }
    void draw(QPainter& p, const QFontMetrics& fm, int x, int y) const {
        p.fillRect(QRect(x, y, width(), fm.height()), Qt::white);
        // The baseline falls exactly on y + ascent: the line's own ascent is a
        // whole number of 1/64 pixel.
        line_.draw(&p, QPointF(x, y + fm.ascent() - line_.ascent()));
    }

private:
    QTextLayout layout_;
    QTextLine line_;
};

// A pen position with move-to and line-to, drawing black lines pixel by pixel
// as the window system does: every pixel from the start up to, not including,
// the end point (the next line from there paints it). Pixels outside the
// picture are skipped without being visited. The pixels go straight into the
// picture's memory, in the order of the drawing, between the painter's texts.
class PenPath {
public:
    // Made before the painter starts on the picture, which then stays unshared.
    explicit PenPath(QImage& picture)
        : picture_(picture), bits_(picture.bits()), stride_(picture.bytesPerLine()),
          width_(picture.width()), height_(picture.height()),
          direct_(picture.format() == QImage::Format_RGB32 ||
                  picture.format() == QImage::Format_ARGB32 ||
                  picture.format() == QImage::Format_ARGB32_Premultiplied) {}
    void moveTo(int x, int y) { at_ = QPoint(x, y); }
    void lineTo(int x, int y) {
        addLine(at_.x(), at_.y(), x, y);
        at_ = QPoint(x, y);
    }

private:
    void addLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
        const std::int64_t dx = x1 - x0, dy = y1 - y0;
        const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        const std::int64_t steps = std::max(adx, ady);
        if (steps == 0)
            return;
        const bool xMajor = adx >= ady;
        const std::int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
        const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
        const std::int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
        const std::int64_t minorSpan = xMajor ? ady : adx;
        const std::int64_t majorLimit = xMajor ? width_ : height_;
        const std::int64_t minorLimit = xMajor ? height_ : width_;
        // Steps k = 0 .. steps - 1 whose major coordinate lies in the picture.
        std::int64_t first = 0, last = steps - 1;
        if (majorStep > 0) {
            first = std::max(first, -major0);
            last = std::min(last, majorLimit - 1 - major0);
        } else {
            first = std::max(first, major0 - (majorLimit - 1));
            last = std::min(last, major0);
        }
        if (first > last)
            return;
        // The minor coordinate nearest the ideal line, halves away from the
        // start: offset = (2·k·span + steps) div (2·steps), followed step by
        // step through its remainder.
        const std::int64_t twoSteps = 2 * steps, twoSpan = 2 * minorSpan;
        std::int64_t rest = (first * twoSpan + steps) % twoSteps;
        std::int64_t minor = minor0 + minorStep * ((first * twoSpan + steps) / twoSteps);
        std::int64_t major = major0 + majorStep * first;
        // In a 32-bit picture the pixel's byte position steps along with it.
        const std::int64_t pixelBytes = 4;
        const std::int64_t minorBytes = minorStep * (xMajor ? stride_ : pixelBytes);
        const std::int64_t majorBytes = majorStep * (xMajor ? pixelBytes : stride_);
        std::int64_t at =
            xMajor ? minor * stride_ + major * pixelBytes : major * stride_ + minor * pixelBytes;
        for (std::int64_t k = first; k <= last; ++k) {
            if (minor >= 0 && minor < minorLimit) {
                if (direct_)
                    *reinterpret_cast<QRgb*>(bits_ + at) = 0xff000000u; // opaque black
                else
                    picture_.setPixelColor(static_cast<int>(xMajor ? major : minor),
                                           static_cast<int>(xMajor ? minor : major), Qt::black);
            }
            major += majorStep;
            at += majorBytes;
            rest += twoSpan;
            if (rest >= twoSteps) {
                rest -= twoSteps;
                minor += minorStep;
                at += minorBytes;
            }
        }
    }

    QImage& picture_;
    uchar* bits_;
    qsizetype stride_;
    std::int64_t width_, height_;
    bool direct_;
    QPoint at_;
};

// The nine labels of the vertical scale, from the lowest up, shaped once, and
// how far right of its place the plot goes so that the widest keeps clear of
// the ticks: 0 unless a label is wide (a cost of six figures and two decimals).
class VerticalLabels {
public:
    VerticalLabels(int kind, double yMax) {
        const GraphKindInfo* info = GraphKindAt(kind);
        const int decimals = info ? info->decimals : 0;
        const QFont font = GraphFont(kSmallFontPixels, false);
        for (int i = 1; i <= 9; ++i) {
            const Label& label = labels_[static_cast<std::size_t>(i - 1)].emplace(
                RealText(static_cast<double>(i * static_cast<long double>(yMax) / 9), decimals),
                font);
            widest_ = std::max(widest_, label.width());
        }
    }
    const Label& at(int i) const { return *labels_[static_cast<std::size_t>(i - 1)]; }
    int shift() const { return std::max(0, kLabelLeft + widest_ + kLabelGap - kTickLeft); }

private:
    std::array<std::optional<Label>, 9> labels_;
    int widest_ = 0;
};

} // namespace

QFont GraphFont(int pixels, bool bold, bool underline) {
    QFont font(SansFamily());
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

const GraphKindInfo* GraphKindAt(int kind) {
    return kind >= 0 && kind < kGraphKindCount ? &GraphKinds[static_cast<std::size_t>(kind)]
                                               : nullptr;
}

double CurveValue(int kind, const GraphData& data, int set, int row) {
    if (IsAreaKind(kind)) {
        if (set < 0 || set >= kAreaCount)
            return 0.0;
        return FieldOf(kind, data.curves.AreaCurveTable[static_cast<std::size_t>(set)]);
    }
    if (set < 0 || set >= kSetCount || row < 0 || row >= kRowCount)
        return 0.0;
    return FieldOf(kind, data.table[static_cast<std::size_t>(set)][static_cast<std::size_t>(row)]);
}

double CurveMax(int kind, const GraphData& data, int set) {
    double max = 0.0;
    if (IsAreaKind(kind)) {
        for (int k = 0; k < kAreaCount; ++k) {
            const double v = CurveValue(kind, data, k, 0);
            if (v > max)
                max = v;
        }
        return max;
    }
    if (set < 0 || set >= kSetCount)
        return 0.0;
    for (int j = 0; j < kRowCount; ++j) {
        if (!data.table[static_cast<std::size_t>(set)][static_cast<std::size_t>(j)].HasGoodChips)
            continue;
        const double v = CurveValue(kind, data, set, j);
        if (v > max)
            max = v;
    }
    return max;
}

namespace {

// The largest value of the sets a kind draws: the top of its vertical scale.
double ScaleTop(int kind, const GraphData& data) {
    const GraphKindInfo* info = GraphKindAt(kind);
    if (!info)
        return 0.0;
    if (info->allSets)
        return std::max(std::max(CurveMax(kind, data, 0), CurveMax(kind, data, 1)),
                        CurveMax(kind, data, 2));
    return CurveMax(kind, data, 1);
}

} // namespace

int PlotShift(int kind, double graphYMax) {
    return VerticalLabels(kind, graphYMax).shift();
}

namespace {

// Lines as vector drawing, through the pixel centres the picture's lines
// run through: the same graph on a page or in an SVG file.
class VectorPen {
public:
    explicit VectorPen(QPainter& painter) : painter_(painter) {}
    void moveTo(int x, int y) { at_ = QPoint(x, y); }
    void lineTo(int x, int y) {
        const QPointF centre(0.5, 0.5);
        painter_.drawLine(QPointF(at_) + centre, QPointF(x, y) + centre);
        at_ = QPoint(x, y);
    }

private:
    QPainter& painter_;
    QPoint at_;
};

// The drawing itself, on painter `p` with lines by `pen`.
template <typename Pen>
double DrawGraphWith(QPainter& p, Pen& pen, int w, int h, int kind, const GraphData& data) {
    const GraphKindInfo* info = GraphKindAt(kind);
    const bool area = IsAreaKind(kind);
    const double start = data.curves.MlrSweepStart;

    // 1. Frame: white inside, black outline.
    p.fillRect(QRect(0, 0, w, h), Qt::white);
    pen.moveTo(0, 0);
    pen.lineTo(w - 1, 0);
    pen.lineTo(w - 1, h - 1);
    pen.lineTo(0, h - 1);
    pen.lineTo(0, 0);

    // 2. Title: technology and device integration, at the top right.
    const QFont titleFont = GraphFont(kTitleFontPixels, true, true);
    p.setFont(titleFont);
    const Label title(data.technology + u' ' + QString::number(data.table[0][0].DeviceIntegration),
                      titleFont);
    title.draw(p, p.fontMetrics(), w - title.width() - 10, 5);

    // 3. Axis titles.
    const QFont boldFont = GraphFont(kSmallFontPixels, true);
    p.setFont(boldFont);
    const QFontMetrics boldMetrics = p.fontMetrics();
    Label(info ? QString::fromUtf8(info->verticalTitle) : QStringLiteral("?"), boldFont)
        .draw(p, boldMetrics, 5, 10);
    const Label across(area ? QStringLiteral("Пл.кр") : QStringLiteral("МЛР"), boldFont);
    across.draw(p, boldMetrics, w - across.width() - 10, h - 18);

    // 4. Everything else in the regular font.
    const QFont font = GraphFont(kSmallFontPixels, false);
    p.setFont(font);
    const QFontMetrics fm = p.fontMetrics();
    const auto textOut = [&](int x, int y, const QString& text) {
        Label(text, font).draw(p, fm, x, y);
    };

    // 5. Top of the vertical scale, whose labels decide where the plot
    // begins: d pixels right of its place, and pw = w - d wide, when a label
    // is wide. Every x of the plot below is d + its x in a pw-wide graph.
    const double yMax = ScaleTop(kind, data);
    const VerticalLabels labels(kind, yMax);
    const int d = labels.shift();
    const int pw = w - d;

    // 6. Axes with their arrows.
    pen.moveTo(d + 50, h - 50);
    pen.lineTo(w - 30, h - 50);
    pen.lineTo(w - 35, h - 55);
    pen.moveTo(w - 30, h - 50);
    pen.lineTo(w - 35, h - 45);
    pen.moveTo(d + 60, h - 40);
    pen.lineTo(d + 60, 40);
    pen.lineTo(d + 55, 45);
    pen.moveTo(d + 60, 40);
    pen.lineTo(d + 65, 45);

    // 7. Vertical scale.
    for (int i = 1; i <= 9; ++i) {
        const int y = Pixel((h - 50) - static_cast<long double>((h - 100) * i) / 9);
        pen.moveTo(d + kTickLeft, y);
        pen.lineTo(d + 62, y);
        labels.at(i).draw(p, fm, kLabelLeft, y - 8);
    }

    // 8. Horizontal scale.
    const int s0 = Pixel(static_cast<long double>(pw - 100) / 50);
    if (!area) {
        for (int i = 0; i <= 9; ++i) {
            const int x = d + Pixel((s0 + 60) + static_cast<long double>((pw - 100 - s0) * i) / 9);
            pen.moveTo(x, h - 52);
            pen.lineTo(x, h - 45);
            const long double mlr = (kSweepTop - static_cast<long double>(start)) * i / 9 + start;
            textOut(x - 15, h - 40, RealText(static_cast<double>(mlr), 2));
        }
    } else {
        for (int i = 1; i <= 9; ++i) {
            const int x = d + Pixel(static_cast<long double>((pw - 100) * i) / 9 + 60);
            pen.moveTo(x, h - 52);
            pen.lineTo(x, h - 45);
            textOut(x - 15, h - 40, RealText(static_cast<double>(i / 9.0L), 2));
        }
    }

    // 9, 10. Curves; without a scale (a top of 0) there is nothing to plot.
    if (!info || yMax == 0.0)
        return yMax;
    const auto pointY = [&](double value) {
        return Pixel((h - 50) - static_cast<long double>(value) * (h - 100) / yMax);
    };
    if (!area) {
        for (int i = 0; i < kSetCount; ++i) {
            if (!info->allSets && i != 1)
                continue;
            bool down = false;
            for (int j = 0; j < kRowCount; ++j) {
                const int x = d + Pixel(static_cast<long double>((j + 1) * (pw - 100)) / 50 + 60);
                const int y = pointY(CurveValue(kind, data, i, j));
                if (!down) {
                    if (data.table[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]
                            .HasGoodChips) {
                        pen.moveTo(x, y);
                        down = true;
                    }
                } else {
                    pen.lineTo(x, y);
                }
            }
        }
    } else {
        const auto pointX = [&](int k) {
            return d + Pixel(static_cast<long double>(pw - 100) *
                                 AreaSweep[static_cast<std::size_t>(k)] +
                             60);
        };
        pen.moveTo(pointX(0), pointY(CurveValue(kind, data, 0, 0)));
        for (int k = 0; k < kAreaCount; ++k)
            pen.lineTo(pointX(k), pointY(CurveValue(kind, data, k, 0)));
    }
    return yMax;
}

} // namespace

double DrawGraph(QImage& bitmap, int w, int h, int kind, const GraphData& data) {
    if (bitmap.isNull())
        return 0.0;
    // The drawing needs more than 100 pixels each way and stays within the picture.
    w = std::clamp(w, 101, std::max(101, bitmap.width()));
    h = std::clamp(h, 101, std::max(101, bitmap.height()));
    if (w > bitmap.width() || h > bitmap.height())
        return 0.0;

    PenPath pen(bitmap);
    QPainter p(&bitmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    return DrawGraphWith(p, pen, w, h, kind, data);
}

double PaintGraph(QPainter& painter, int w, int h, int kind, const GraphData& data) {
    w = std::max(w, 101);
    h = std::max(h, 101);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen line(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(line);
    painter.setClipRect(QRect(0, 0, w, h), Qt::IntersectClip);
    VectorPen pen(painter);
    const double yMax = DrawGraphWith(painter, pen, w, h, kind, data);
    painter.restore();
    return yMax;
}

std::optional<QString> HorizontalReadout(int kind, double mlrSweepStart, int w, int x) {
    if (!IsAreaKind(kind)) {
        const int s0 = Pixel(static_cast<long double>(w - 100) / 50);
        const long double span = (w - 100) - s0;
        if (span == 0)
            return std::nullopt;
        // The fraction of the scale first, so that its two ends read exactly
        // the sweep start and 3.00.
        const long double fraction = ((x - 60) - s0) / span;
        const long double m =
            (kSweepTop - static_cast<long double>(mlrSweepStart)) * fraction + mlrSweepStart;
        if (!(mlrSweepStart <= m && m <= kSweepTop))
            return std::nullopt;
        return QStringLiteral("МЛР =") + RealText(static_cast<double>(m), 2) +
               QStringLiteral("    ");
    }
    if (w == 100)
        return std::nullopt;
    const long double a = static_cast<long double>(x - 60) / (w - 100);
    if (!(0 <= a && a <= 1))
        return std::nullopt;
    return QStringLiteral("Пл.Кр. =") + RealText(static_cast<double>(a), 2) +
           QStringLiteral("    ");
}

std::optional<QString> VerticalReadout(int kind, double graphYMax, int h, int y) {
    if (h == 100)
        return std::nullopt;
    const long double v = graphYMax - static_cast<long double>(y - 50) * graphYMax / (h - 100);
    if (!(0 <= v && v <= graphYMax))
        return std::nullopt;
    const GraphKindInfo* info = GraphKindAt(kind);
    const QString label = info ? QString::fromUtf8(info->readoutLabel) : QStringLiteral("?");
    return label + QStringLiteral(" = ") + RealText(static_cast<double>(v), 8) +
           QStringLiteral(";    ");
}

} // namespace orvik
