#include "report/GraphPage.h"

#include "processor/DrawGraph.h"
#include "widgets/UiContext.h"

#include <QPainter>

#include <array>

namespace orvik {

namespace {

const std::array<const char*, kReportGraphCount> kGraphNames{
    "Степень интеграции от МЛР",      "Задержка на ЛЭ от МЛР",       "Интенсивность отказов от МЛР",
    "Выход годных кристаллов от МЛР", "Стоимость БИС от МЛР",        "Частота от МЛР",
    "Время наработки от МЛР",         "Стоимость процессора от МЛР", "Время наработки от к.деф.",
    "Стоимость процессора от к.деф.",
};

// What the title line says each graph shows, after "Зависимость ". Graph
// kinds 8 and 9 are plotted against the chip area, and their titles say so.
const std::array<const char*, kReportGraphCount> kGraphTitles{
    "степени интеграции от МЛР",
    "задержки на ЛЭ от МЛР",
    "интенсивности отказов от МЛР",
    "выхода годных кристаллов от МЛР",
    "стоимости БИС от МЛР",
    "частоты от МЛР",
    "времени наработки от МЛР",
    "стоимости процессора от МЛР",
    "времени наработки от площади кристалла",
    "стоимости процессора от площади кристалла",
};

// The title strip spans the printable width at the top margin.
constexpr double kStripHeight = 10.6;
constexpr double kTitleIndent = 6.4, kTitleDrop = 4.2, kTitleHeight = 4.5;
const QRectF kPictureBoxes[2] = {QRectF(22.5, 25.4, 172.0, 119.1),
                                 QRectF(22.5, 151.0, 172.0, 119.1)};

} // namespace

QString ReportGraphName(int g) {
    if (g < 0 || g >= kReportGraphCount)
        return QString();
    return QString::fromUtf8(kGraphNames[static_cast<std::size_t>(g)]);
}

QString GraphPageTitle(int g) {
    if (g < 0 || g >= kReportGraphCount)
        return QString();
    return QStringLiteral("Зависимость ") +
           QString::fromUtf8(kGraphTitles[static_cast<std::size_t>(g)]);
}

GraphPage::GraphPage(UiContext& ctx)
    : QWidget(nullptr, Qt::Window), ctx_(ctx), title_(GraphPageTitle(0)) {
    setObjectName(QStringLiteral("TForm22"));
    setWindowTitle(QStringLiteral(""));
}

void GraphPage::fill(int g, const QImage& variant1, const QImage& variant2) {
    fill(g, variant1, variant2, nullptr, nullptr);
}

void GraphPage::fill(int g, const QImage& variant1, const QImage& variant2,
                     std::shared_ptr<const GraphCurves> curves1,
                     std::shared_ptr<const GraphCurves> curves2) {
    title_ = GraphPageTitle(g);
    kind_ = g;
    pictures_[0] = variant1;
    pictures_[1] = variant2;
    curves_[0] = std::move(curves1);
    curves_[1] = std::move(curves2);
}

QString GraphPage::documentName() const {
    return title_;
}

void GraphPage::paintPage(PageCanvas& canvas) const {
    const QRectF area = PrintableAreaMm();
    const QRectF strip(area.left(), area.top(), area.width(), kStripHeight);
    canvas.textBox(QRectF(strip.left() + kTitleIndent, strip.top() + kTitleDrop,
                          strip.width() - kTitleIndent, kTitleHeight),
                   PageFont(QStringLiteral("Arial"), 10, true), Qt::AlignLeft, title_);
    for (int i = 0; i < 2; ++i) {
        if (!curves_[i]) {
            canvas.image(kPictureBoxes[i], pictures_[i]);
            continue;
        }
        // The drawing's 650 x 450 pixels fill the picture's box.
        QPainter& p = canvas.painter();
        const QRectF box = canvas.toDevice(kPictureBoxes[i]);
        p.save();
        p.translate(box.topLeft());
        p.scale(box.width() / kGraphPictureWidth, box.height() / kGraphPictureHeight);
        const GraphCurves& c = *curves_[i];
        PaintGraph(p, kGraphPictureWidth, kGraphPictureHeight, kind_,
                   GraphData{c.table, c.curves, c.technology});
        p.restore();
    }
}

} // namespace orvik
