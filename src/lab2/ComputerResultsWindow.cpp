#include "lab2/ComputerResultsWindow.h"

#include "lab2/CacheTable.h"
#include "widgets/FormRows.h"
#include "widgets/ReadOnlyGrid.h"
#include "widgets/RealText.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvik {

namespace {

// The result lines: caption and label name; the grid's columns follow them.
struct ResultLine {
    QString caption;
    QString name;
    QString title; // of the grid column
};

const std::array<ResultLine, 7> kLines{{
    {QStringLiteral("Объем кэш-памяти процессора, кбайт"), QStringLiteral("CacheSize"),
     QStringLiteral("Кэш-память")},
    {QStringLiteral("Время выборки из кэш-памяти, нс"), QStringLiteral("CacheTime"),
     QStringLiteral("Вр.выборки")},
    {QStringLiteral("Число обращений в ВЗУ при вып.задания"), QStringLiteral("StorageAccesses"),
     QStringLiteral("Обр. к ВЗУ")},
    {QStringLiteral("Длительность выполнения задания, мс"), QStringLiteral("TaskTime"),
     QStringLiteral("Длит.задан.")},
    {QStringLiteral("Производительность компьютера, MIPS"), QStringLiteral("Performance"),
     QStringLiteral("Произв.комп.")},
    {QStringLiteral("Стоимость компьютера, усл.ед."), QStringLiteral("ComputerCost"),
     QStringLiteral("Ст.комп.")},
    {QStringLiteral("Стоимость вычислений, усл.ед. / MIPS"), QStringLiteral("CostPerMips"),
     QStringLiteral("Ст.вычисл.")},
}};

// The seven values of a computed computer, as the lines and grid rows show them.
std::array<QString, 7> ComputerValues(const ComputerRecord& c) {
    return {QString::number(c.CacheSize),       QString::number(c.CacheTime),
            QString::number(c.StorageAccesses), RealText(c.TaskTime, 2),
            RealText(c.Performance, 2),         QString::number(c.ComputerCost),
            QString::number(c.CostPerMips)};
}

} // namespace

ComputerResultsWindow::ComputerResultsWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm14"), QStringLiteral("Расчет характеристик компьютера"),
               QStringLiteral("Результаты")) {
    FormRows rows(ctx, this);
    for (std::size_t i = 0; i < kLines.size(); ++i)
        lines_[i] = rows.addValue(kLines[i].caption, kLines[i].name);
    rows.addDivider();
    rows.addSection(QStringLiteral("Расчет для разных видов кэш-памяти"));

    grid_ = MakeReadOnlyGrid({.rows = CacheTableRows,
                              .columns = 7,
                              .objectName = QStringLiteral("CacheGrid"),
                              .cellAlignment = Qt::AlignRight | Qt::AlignVCenter},
                             this);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setHighlightSections(false);
    const QFontMetrics metrics = grid_->fontMetrics();
    const int valueWidth = metrics.horizontalAdvance(QStringLiteral("0000000.00"));
    for (int col = 0; col < 7; ++col) {
        auto* title = new QTableWidgetItem(kLines[static_cast<std::size_t>(col)].title);
        grid_->setHorizontalHeaderItem(col, title);
        const int titleWidth =
            QFontMetrics(grid_->horizontalHeader()->font()).horizontalAdvance(title->text());
        grid_->setColumnWidth(col, std::max(titleWidth, valueWidth) + 16);
    }
    // Every row in sight, so no scroll bar.
    int width = 2 * grid_->frameWidth();
    for (int col = 0; col < 7; ++col)
        width += grid_->columnWidth(col);
    const int height = 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height() +
                       CacheTableRows * grid_->verticalHeader()->defaultSectionSize();
    grid_->setFixedSize(width, height);
    rows.addControl(QString(), grid_, HintComputerResults);
    rows.addControl(
        QString(),
        MakeTableExport(ctx, this, grid_, QStringLiteral("Расчет для разных видов кэш-памяти")));

    rows.addClose([this] { hide(); });
    content()->addLayout(rows.grid());
}

QWidget* ComputerResultsWindow::beneath() const {
    return ctx.window(LabWindow::ComputerInput);
}

bool ComputerResultsWindow::prepare() {
    Workbook& wb = ctx.workbook();
    ComputerRecord& c = wb.Computer;

    for (int row = 0; row < grid_->rowCount(); ++row)
        for (int col = 0; col < grid_->columnCount(); ++col)
            grid_->item(row, col)->setText(QString());
    const auto table = ComputeCacheTable(c, wb.Task, wb.Lab2Processor, wb.Memory);
    for (int row = 0; row < CacheTableRows; ++row) {
        const auto values = ComputerValues(table[static_cast<std::size_t>(row)]);
        for (int col = 0; col < 7; ++col)
            grid_->item(row, col)->setText(values[static_cast<std::size_t>(col)]);
    }
    const auto values = ComputerValues(c);
    for (std::size_t k = 0; k < lines_.size(); ++k)
        lines_[k]->setText(values[k]);
    grid_->scrollToTop();
    return true;
}

} // namespace orvik
