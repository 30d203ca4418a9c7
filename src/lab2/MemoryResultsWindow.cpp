#include "lab2/MemoryResultsWindow.h"

#include "lab2/MemoryByChip.h"
#include "widgets/FormRows.h"
#include "widgets/ReadOnlyGrid.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace orvik {

namespace {

const std::array<QString, 4> kRowTitles{
    QStringLiteral("БИС ЗУ для постр. накопителя"),
    QStringLiteral("Длит. цикла обращ. к ЗУ, нс"),
    QStringLiteral("Стоимость ЗУ, у.е"),
    QStringLiteral("Время нар. на отказ для ЗУ, ч"),
};

QString ChipName(std::int32_t chipType) {
    if (chipType < 0 || chipType >= static_cast<int>(ChipTable.size()))
        return QStringLiteral("—");
    return QString::fromUtf8(ChipTable[static_cast<std::size_t>(chipType)].Name);
}

// The four values of a memory as the result lines and grid columns show them.
std::array<QString, 4> MemoryValues(const MemoryRecord& m) {
    return {ChipName(m.ChipType), QString::number(m.CycleTime), QString::number(m.MemoryCost),
            QString::number(m.MemoryMtbf)};
}

} // namespace

MemoryResultsWindow::MemoryResultsWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm12"), QStringLiteral("Расчет характеристик памяти"),
               QStringLiteral("Результаты")) {
    FormRows rows(ctx, this);
    chipName_ = rows.addValue(QStringLiteral("БИС ЗУ для построения накопителя"),
                              QStringLiteral("ChipName"));
    cycleTime_ = rows.addValue(QStringLiteral("Длительность цикла обращения к ЗУ, нс"),
                               QStringLiteral("CycleTime"));
    memoryCost_ =
        rows.addValue(QStringLiteral("Стоимость ЗУ, усл.ед."), QStringLiteral("MemoryCost"));
    memoryMtbf_ = rows.addValue(QStringLiteral("Время наработки на отказ для ЗУ,ч"),
                                QStringLiteral("MemoryMtbf"));
    rows.addDivider();
    rows.addSection(QStringLiteral("Расчет для разных видов БИС ЗУ"));

    grid_ = MakeReadOnlyGrid({.rows = 4,
                              .columns = 5,
                              .objectName = QStringLiteral("MemoryGrid"),
                              .cellAlignment = Qt::AlignRight | Qt::AlignVCenter},
                             this);
    grid_->horizontalHeader()->hide();
    for (int row = 0; row < 4; ++row) // the row titles
        grid_->item(row, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->setColumnWidth(0, grid_->fontMetrics().horizontalAdvance(kRowTitles[3]) + 16);
    for (int col = 1; col < 5; ++col)
        grid_->setColumnWidth(
            col, grid_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    int width = 2 * grid_->frameWidth();
    for (int col = 0; col < 5; ++col)
        width += grid_->columnWidth(col);
    int height = 2 * grid_->frameWidth();
    for (int row = 0; row < 4; ++row)
        height += grid_->rowHeight(row);
    grid_->setFixedSize(width, height);
    rows.addControl(QString(), grid_, HintMemoryResults);
    rows.addControl(QString(), MakeTableExport(ctx, this, grid_,
                                               QStringLiteral("Расчет для разных видов БИС ЗУ")));

    rows.addClose([this] { hide(); });
    content()->addLayout(rows.grid());
}

QWidget* MemoryResultsWindow::beneath() const {
    return ctx.window(LabWindow::MemoryInput);
}

bool MemoryResultsWindow::prepare() {
    MemoryRecord& memory = ctx.workbook().Memory;
    const double defectFactor = ctx.workbook().Lab2Processor.DefectFactor;

    for (int row = 0; row < 4; ++row) {
        grid_->item(row, 0)->setText(kRowTitles[static_cast<std::size_t>(row)]);
        for (int col = 1; col < 5; ++col)
            grid_->item(row, col)->setText(QString());
    }
    const auto chips = ComputeMemoryByChip(memory, defectFactor);
    for (std::size_t k = 0; k < chips.size(); ++k) {
        const auto values = MemoryValues(chips[k]);
        for (int row = 0; row < 4; ++row)
            grid_->item(row, 1 + static_cast<int>(k))
                ->setText(values[static_cast<std::size_t>(row)]);
    }
    const auto values = MemoryValues(memory);
    chipName_->setText(values[0]);
    cycleTime_->setText(values[1]);
    memoryCost_->setText(values[2]);
    memoryMtbf_->setText(values[3]);
    return true;
}

} // namespace orvik
