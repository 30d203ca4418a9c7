#include "processor/CurveTableWindow.h"

#include "widgets/Buttons.h"
#include "widgets/Fonts.h"
#include "widgets/ReadOnlyGrid.h"
#include "widgets/RealText.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace orvik {

namespace {

constexpr int kColumns = 13;
constexpr int kGridRows = 45; // with the header row
constexpr int kRowHeight = 15;
constexpr int kVisibleRows = 26;
constexpr int kColumnWidths[kColumns] = {32, 33, 33, 49, 55, 50, 60, 25, 25, 52, 53, 53, 56};
constexpr int kAreaTitleRow = 34;
constexpr int kFirstAreaRow = 35;

const char* const kLegendLeft[] = {
    "п1 - Коэф.дефектности, деф/мм2", "п2 - МЛР, мкм",     "п3 - Степень интеграции БИС, тыс.ЭЛЭ",
    "п4 - Задержка на ЛЭ, нс",        "п5 - Выход годных", "п6 - Стоимость БИС, у.е",
    "п7 - Интенсивность отказов, 1/ч"};
const char* const kLegendRight[] = {"п8 - Число БИС, шт",
                                    "п9 - Число АЛУ, шт",
                                    "п10 - Рабочая частота, МГц",
                                    "п11 - Время наработки на отказ, ч",
                                    "п12 - Стоимость процессора, у.е",
                                    "п13 - Стоимость ед.быстродействия, у.е"};

// Columns п1 .. п12 of a curve point.
QStringList PointTexts(const ProcessorRecord& r) {
    return {RealText(r.DefectFactor, 2),
            RealText(r.MinFeature, 2),
            QString::number(r.ChipIntegration),
            RealText(r.GateDelay, 6),
            r.HasGoodChips ? RealText(r.Yield, 6) : QStringLiteral("НЕТ"),
            RealText(r.ChipCost, 2),
            RealText(r.ChipFailureRate, 7),
            QString::number(r.ChipCount),
            QString::number(r.AluCount),
            RealText(r.Frequency, 4),
            RealText(r.Mtbf, 2),
            RealText(r.ProcessorCost, 2)};
}

// Column п13 of a curve row: the cost of one unit of speed, processor cost
// per MHz; blank when the frequency gives no quotient.
QString CostPerSpeed(const ProcessorRecord& r) {
    if (r.Frequency == 0 || !std::isfinite(r.Frequency) || !std::isfinite(r.ProcessorCost))
        return QString();
    return RealText(static_cast<double>(static_cast<long double>(r.ProcessorCost) / r.Frequency),
                    6);
}

QLabel* Legend(const char* const* lines, int count, QWidget* parent) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QString::fromUtf8(lines[i]);
    auto* label = new QLabel(texts.join(u'\n'), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

CurveTableWindow::CurveTableWindow(UiContext& context)
    : LabFrame(context, QStringLiteral("TForm8"),
               QStringLiteral("Результаты расчетов для графиков"),
               QStringLiteral("Результаты расчетов для графиков")),
      grid_(MakeReadOnlyGrid({.rows = kGridRows - 1,
                              .columns = kColumns,
                              .objectName = QStringLiteral("curveGrid"),
                              .rowHeight = kRowHeight,
                              .selectRows = true,
                              .verticalScrollBar = true},
                             this)) {
    QFont small(SansFamily());
    small.setPixelSize(10);
    grid_->setFont(small);
    grid_->horizontalHeader()->setFont(small);
    QStringList header;
    for (int c = 0; c < kColumns; ++c)
        header << QStringLiteral("п%1").arg(c + 1);
    grid_->setHorizontalHeaderLabels(header);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setMinimumSectionSize(12);
    grid_->horizontalHeader()->setHighlightSections(false);
    int width = 0;
    for (int c = 0; c < kColumns; ++c) {
        grid_->setColumnWidth(c, kColumnWidths[c]);
        width += kColumnWidths[c];
    }
    grid_->setTextElideMode(Qt::ElideNone);
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(width + grid_->verticalScrollBar()->sizeHint().width() + frame,
                        grid_->horizontalHeader()->sizeHint().height() + kVisibleRows * kRowHeight +
                            frame);
    content()->addWidget(grid_);

    auto* legend = new QHBoxLayout;
    legend->addWidget(Legend(kLegendLeft, std::size(kLegendLeft), this));
    legend->addSpacing(16);
    legend->addWidget(Legend(kLegendRight, std::size(kLegendRight), this));
    legend->addStretch(1);
    content()->addLayout(legend);
    // The spreadsheet carries the legend below the table.
    QStringList legendLines;
    for (const char* line : kLegendLeft)
        legendLines << QString::fromUtf8(line);
    for (const char* line : kLegendRight)
        legendLines << QString::fromUtf8(line);
    content()->addWidget(MakeTableExport(ctx, this, [this, legendLines] {
        ShownTable table =
            TableFromGrid(*grid_, QStringLiteral("Результаты расчетов для графиков"));
        table.notes = legendLines;
        return table;
    }));
    content()->addWidget(MakeDivider(this));

    AddCloseRow(ctx, content(), this, HintCurveTable, [this] { hide(); });
}

void CurveTableWindow::setCell(int row, int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->setItem(row - 1, column, item);
}

QString CurveTableWindow::cellText(int row, int column) const {
    const QTableWidgetItem* item = grid_->item(row - 1, column);
    return item ? item->text() : QString();
}

bool CurveTableWindow::prepare() {
    grid_->clearContents();
    const auto& table = ctx.workbook().CurveTable;
    for (int set = 0; set < 3; ++set) {
        for (int k = 0; k < 10; ++k) {
            // Rows 0, 5, 11, ..., 49: k * 49 / 9 rounded (never a tie).
            const int j = static_cast<int>(std::nearbyint(k * 49 / 9.0));
            const ProcessorRecord& r =
                table[static_cast<std::size_t>(set)][static_cast<std::size_t>(j)];
            const int row = 11 * set + 1 + k;
            const QStringList texts = PointTexts(r);
            for (int c = 0; c < texts.size(); ++c)
                setCell(row, c, texts[c]);
            setCell(row, 12, CostPerSpeed(r));
        }
    }
    setCell(kAreaTitleRow, 12, QStringLiteral("Пл.кр."));
    for (int k = 0; k < 10; ++k) {
        const ProcessorRecord& r = ctx.state.Curves.AreaCurveTable[static_cast<std::size_t>(k)];
        const QStringList texts = PointTexts(r);
        for (int c = 0; c < texts.size(); ++c)
            setCell(kFirstAreaRow + k, c, texts[c]);
        setCell(kFirstAreaRow + k, 12, RealText(r.ChipArea, 3));
    }
    // Columns keep their widths unless a number would be cut off.
    int width = 0;
    for (int c = 0; c < kColumns; ++c) {
        grid_->resizeColumnToContents(c);
        grid_->setColumnWidth(c, std::max(kColumnWidths[c], grid_->columnWidth(c)));
        width += grid_->columnWidth(c);
    }
    grid_->setFixedWidth(width + grid_->verticalScrollBar()->sizeHint().width() +
                         2 * grid_->frameWidth());
    grid_->scrollToTop();
    return true;
}

QWidget* CurveTableWindow::beneath() const {
    return ctx.window(LabWindow::Graph);
}

} // namespace orvik
