#include "lab2/ComputerResultsWindow.h"

#include "app/AppContext.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerModel.h"
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

constexpr std::array<std::int32_t, 4> kCacheSizes{4, 8, 16, 32};
constexpr std::array<std::int32_t, 3> kCacheTimes{10, 20, 30};
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

// Puts the student's cache back when the comparison ends, also when it ends
// in an error.
class CacheRestorer {
public:
    explicit CacheRestorer(ComputerRecord& c) : c_(c), size_(c.CacheSize), time_(c.CacheTime) {}
    ~CacheRestorer() {
        c_.CacheSize = size_;
        c_.CacheTime = time_;
    }
    CacheRestorer(const CacheRestorer&) = delete;
    CacheRestorer& operator=(const CacheRestorer&) = delete;

private:
    ComputerRecord& c_;
    std::int32_t size_;
    std::int32_t time_;
};

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
    {
        const CacheRestorer restore(c);
        for (std::size_t i = 0; i < kCacheSizes.size(); ++i)
            for (std::size_t j = 0; j < kCacheTimes.size(); ++j) {
                c.CacheSize = kCacheSizes[i];
                c.CacheTime = kCacheTimes[j];
                ComputeComputer(c, wb.Task, wb.Lab2Processor, wb.Memory);
                const auto values = ComputerValues(c);
                const int row = static_cast<int>(4 * j + i); // grid row 4j + i + 1
                for (int col = 0; col < 7; ++col)
                    grid_->item(row, col)->setText(values[static_cast<std::size_t>(col)]);
            }
    }
    // The record keeps the results of the student's cache.
    ComputeComputer(c, wb.Task, wb.Lab2Processor, wb.Memory);
    const auto values = ComputerValues(c);
    for (std::size_t k = 0; k < lines_.size(); ++k)
        lines_[k]->setText(values[k]);
    grid_->scrollToTop();
    return true;
}

} // namespace orvik
