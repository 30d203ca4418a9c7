#include "lab2/ComputerResultsWindow.h"

#include "app/AppContext.h"
#include "lab2/CacheTable.h"
#include "lab2/ComputerInputWindow.h"
#include "widgets/FormRows.h"
#include "workbook/RealToText.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
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

constexpr int kVisibleRows = 9;

// The seven values of a computed computer, as the lines and grid rows show them.
std::array<QString, 7> ComputerValues(const ComputerRecord& c) {
    return {QString::number(c.CacheSize),
            QString::number(c.CacheTime),
            QString::number(c.StorageAccesses),
            QString::fromStdString(RealToText(c.TaskTime, 2)),
            QString::fromStdString(RealToText(c.Performance, 2)),
            QString::number(c.ComputerCost),
            QString::number(c.CostPerMips)};
}

} // namespace

ComputerResultsWindow::ComputerResultsWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm14"), QStringLiteral("Расчет характеристик компьютера"),
               QStringLiteral("Результаты")) {
    FormRows rows(ctx, this);
    for (std::size_t i = 0; i < kLines.size(); ++i)
        lines_[i] = rows.addValue(kLines[i].caption, kLines[i].name);
    rows.addDivider();
    rows.addSection(QStringLiteral("Расчет для разных видов кэш-памяти"));

    grid_ = new QTableWidget(12, 7, this);
    grid_->setObjectName(QStringLiteral("CacheGrid"));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const QFontMetrics metrics = grid_->fontMetrics();
    const int valueWidth = metrics.horizontalAdvance(QStringLiteral("0000000.00"));
    for (int col = 0; col < 7; ++col) {
        auto* title = new QTableWidgetItem(kLines[static_cast<std::size_t>(col)].title);
        grid_->setHorizontalHeaderItem(col, title);
        const int titleWidth =
            QFontMetrics(grid_->horizontalHeader()->font()).horizontalAdvance(title->text());
        grid_->setColumnWidth(col, std::max(titleWidth, valueWidth) + 16);
        for (int row = 0; row < 12; ++row) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(row, col, cell);
        }
    }
    int width = 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < 7; ++col)
        width += grid_->columnWidth(col);
    const int height = 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height() +
                       kVisibleRows * grid_->verticalHeader()->defaultSectionSize();
    grid_->setFixedSize(width, height);
    rows.addControl(QString(), grid_, 27);

    // The buttons are the window's own: the row builder ends with the constructor.
    rows.addButton(QStringLiteral("Закрыть"), -1, [this] { hide(); });
    content()->addLayout(rows.grid());
}

QWidget* ComputerResultsWindow::beneath() const {
    return ctx.windows.computerInput;
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
