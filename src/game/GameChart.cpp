#include "game/GameChart.h"

#include "game/GroupedNumber.h"
#include "processor/DrawGraph.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace orvik {

namespace {

// Pixel sizes of the graph window's fonts: 8 pt and 12 pt at 96 dots per inch.
constexpr int kSmallFontPixels = 11;
constexpr int kTitleFontPixels = 14;
constexpr int kScaleSteps = 5;

struct Series {
    QString name;
    QColor colour;
    Qt::PenStyle style;
    std::vector<std::optional<double>> values; // by year 1..8; none: no point
};

struct Panel {
    QString title;
    QString axis; // title of the vertical axis
    int decimals;
    std::vector<Series> series;
};

// A step of the scale: the next of 1, 2, 5 × 10^k at or above `x` (x > 0).
double NiceStep(double x) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= x)
            return m * power;
    return 10 * power;
}

// The panel's frame and title, then the legend under the title: a short line
// of each series and its name. Returns the top of the legend's last line.
int DrawTitleAndLegend(QPainter& p, const QRect& box, const Panel& panel, const QFont& font) {
    p.fillRect(box, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(box.adjusted(0, 0, -1, -1));

    const QFont titleFont = GraphFont(kTitleFontPixels, true, true);
    p.setFont(titleFont);
    const QFontMetrics titleMetrics(titleFont);
    p.drawText(box.left() + (box.width() - titleMetrics.horizontalAdvance(panel.title)) / 2,
               box.top() + 6 + titleMetrics.ascent(), panel.title);

    const QFontMetrics fm(font);
    const int line = fm.height();
    int legendTop = box.top() + 10 + titleMetrics.height();
    int x = box.left() + 10;
    p.setFont(font);
    for (const Series& s : panel.series) {
        const int width = 26 + fm.horizontalAdvance(s.name) + 12;
        if (x + width > box.right() - 6) {
            x = box.left() + 10;
            legendTop += line + 2;
        }
        p.setPen(QPen(s.colour, 2, s.style));
        p.drawLine(x, legendTop + line / 2, x + 20, legendTop + line / 2);
        p.setPen(Qt::black);
        p.drawText(x + 26, legendTop + fm.ascent(), s.name);
        x += width;
    }
    return legendTop;
}

// The vertical range of a panel: whole steps of 1, 2 or 5 × 10^k, about five
// of them, with zero among the ticks; a step is never below the last decimal
// shown, so that no two ticks read the same (an empty chart goes from 0 to 1).
struct Scale {
    double low = 0, high = 0, step = 1;
    int ticks = 1;
};

Scale PanelScale(const Panel& panel) {
    Scale s;
    for (const Series& series : panel.series)
        for (const auto& v : series.values)
            if (v) {
                s.low = std::min(s.low, *v);
                s.high = std::max(s.high, *v);
            }
    const double smallest = std::pow(10.0, -panel.decimals);
    if (s.high - s.low < smallest)
        s.high = s.low + 1;
    s.step = NiceStep(std::max((s.high - s.low) / kScaleSteps, smallest));
    s.low = std::floor(s.low / s.step) * s.step;
    s.high = std::max(std::ceil(s.high / s.step) * s.step, s.low + s.step);
    s.ticks = static_cast<int>(std::lround((s.high - s.low) / s.step));
    return s;
}

// Where the values and the years fall in the plot area.
struct Plot {
    int left, right, top, bottom;
    Scale scale;
    int yOf(double v) const {
        return bottom - static_cast<int>(std::lround((v - scale.low) * (bottom - top) /
                                                     (scale.high - scale.low)));
    }
    int xOf(int year) const { // year 1..8
        return left + (right - left) * year / (kGameYears + 1);
    }
};

// Axes with their arrows and ticks: the years along zero's level, the values
// upwards.
void DrawAxes(QPainter& p, const QRect& box, const Panel& panel, const Plot& plot,
              const QFont& font, const QFont& bold) {
    const QFontMetrics fm(font);
    p.setPen(QPen(Qt::black, 1));
    const int zero = plot.yOf(0);
    p.drawLine(plot.left - 5, zero, plot.right + 14, zero);
    p.drawLine(plot.right + 14, zero, plot.right + 9, zero - 5);
    p.drawLine(plot.right + 14, zero, plot.right + 9, zero + 5);
    p.drawLine(plot.left, plot.bottom + 5, plot.left, plot.top - 14);
    p.drawLine(plot.left, plot.top - 14, plot.left - 5, plot.top - 9);
    p.drawLine(plot.left, plot.top - 14, plot.left + 5, plot.top - 9);
    p.setFont(bold);
    p.drawText(box.left() + 6, plot.top - 16 - fm.descent(), panel.axis);
    const QString yearTitle = QStringLiteral("Год");
    p.drawText(plot.right + 14 - QFontMetrics(bold).horizontalAdvance(yearTitle),
               box.bottom() - 6 - fm.descent(), yearTitle);

    p.setFont(font);
    for (int i = 0; i <= plot.scale.ticks; ++i) {
        const double v = plot.scale.low + plot.scale.step * i;
        const int y = plot.yOf(v);
        p.drawLine(plot.left - 4, y, plot.left + 3, y);
        const QString label = QString::fromStdString(GroupedNumber(v, panel.decimals));
        p.drawText(plot.left - 7 - fm.horizontalAdvance(label), y + fm.ascent() / 2 - 1, label);
    }
    for (int year = 1; year <= kGameYears; ++year) {
        const int xx = plot.xOf(year);
        p.drawLine(xx, zero - 3, xx, zero + 4);
        const QString label = QString::number(year);
        p.drawText(xx - fm.horizontalAdvance(label) / 2, plot.bottom + 6 + fm.ascent(), label);
    }
}

// The series: a line through the played years, a small square at each.
void DrawSeries(QPainter& p, const Panel& panel, const Plot& plot) {
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const Series& s : panel.series) {
        p.setPen(QPen(s.colour, 2, s.style));
        std::optional<QPoint> last;
        for (int year = 1; year <= static_cast<int>(s.values.size()); ++year) {
            const auto& v = s.values[static_cast<std::size_t>(year - 1)];
            if (!v) {
                last.reset();
                continue;
            }
            const QPoint at(plot.xOf(year), plot.yOf(*v));
            if (last)
                p.drawLine(*last, at);
            p.fillRect(QRect(at - QPoint(2, 2), QSize(5, 5)), s.colour);
            last = at;
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawPanel(QPainter& p, const QRect& box, const Panel& panel) {
    const QFont bold = GraphFont(kSmallFontPixels, true);
    const QFont font = GraphFont(kSmallFontPixels, false);
    const QFontMetrics fm(font);
    const int line = fm.height();
    const int legendTop = DrawTitleAndLegend(p, box, panel, font);
    const Plot plot{box.left() + 14 + fm.horizontalAdvance(QStringLiteral("-0 000.0")),
                    box.right() - 24, legendTop + 2 * line + 20, box.bottom() - 2 * line - 8,
                    PanelScale(panel)};
    DrawAxes(p, box, panel, plot, font, bold);
    DrawSeries(p, panel, plot);
}

const std::array<QColor, kGameFirmCount> kFirmColours{QColor(0, 0, 0), QColor(0, 0, 200),
                                                      QColor(190, 0, 0), QColor(0, 140, 0)};
const std::array<Qt::PenStyle, kGameFirmCount> kFirmStyles{Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                           Qt::DashDotLine};

} // namespace

void DrawGameChart(QImage& picture, int w, int h, const std::vector<YearResult>& years) {
    if (picture.isNull())
        return;
    QPainter p(&picture);
    PaintGameChart(p, std::clamp(w, 1, picture.width()), std::clamp(h, 1, picture.height()), years);
}

void PaintGameChart(QPainter& p, int w, int h, const std::vector<YearResult>& years) {
    Panel cash{QStringLiteral("Деньги на счете"), QStringLiteral("млн руб."), 1, {}};
    for (int f = 0; f < kGameFirmCount; ++f) {
        Series s{QString::fromUtf8(kGameFirmNames[static_cast<std::size_t>(f)]),
                 kFirmColours[static_cast<std::size_t>(f)],
                 kFirmStyles[static_cast<std::size_t>(f)],
                 {}};
        for (const YearResult& y : years)
            s.values.push_back(y.Firms[static_cast<std::size_t>(f)].Money.Cash / 1.0e6);
        cash.series.push_back(std::move(s));
    }
    Panel share{QStringLiteral("Доля рынка вашей фирмы"), QStringLiteral("%"), 1, {}};
    for (int seg = 0; seg < kSegmentCount; ++seg) {
        Series s{QString::fromUtf8(kMarketSegments[static_cast<std::size_t>(seg)].Name),
                 kFirmColours[static_cast<std::size_t>(seg + 1)],
                 kFirmStyles[static_cast<std::size_t>(seg + 1)],
                 {}};
        for (const YearResult& y : years) {
            const FirmYear& own = y.Firms[0];
            s.values.push_back(own.InMarket ? std::optional<double>(
                                                  100.0 * own.Share[static_cast<std::size_t>(seg)])
                                            : std::nullopt);
        }
        share.series.push_back(std::move(s));
    }

    p.fillRect(QRect(0, 0, w, h), Qt::white);
    const int half = w / 2;
    DrawPanel(p, QRect(0, 0, half - 2, h), cash);
    DrawPanel(p, QRect(half + 2, 0, w - half - 2, h), share);
}

} // namespace orvik
