#include "lab2/ComputerInputWindow.h"

#include "lab2/ComputerResultsWindow.h"
#include "widgets/FormRows.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace orvik {

namespace {

// A derived value rounded to the nearest integer (ties to even); a value a
// damaged record makes meaningless shows as a dash.
QString RoundedText(long double x) {
    if (!std::isfinite(x) || x < std::numeric_limits<std::int32_t>::min() ||
        x > std::numeric_limits<std::int32_t>::max())
        return QStringLiteral("—");
    return QString::number(static_cast<std::int64_t>(std::nearbyint(x)));
}

} // namespace

ComputerInputWindow::ComputerInputWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm13"), QStringLiteral("Расчет характеристик компьютера"),
               QStringLiteral("Ввод исходных данных")) {
    ComputerRecord& c = ctx.workbook().Computer;
    FormRows rows(ctx, this);
    grid_ = rows.grid();

    rows.addButton(QStringLiteral("Задание"), NoHint,
                   [this] { this->ctx.ShowVariantTask(VariantTaskLab2); });
    rows.addDivider();

    processorCycle_ = rows.addValue(QStringLiteral("Длительность цикла процессора, нс"),
                                    QStringLiteral("ProcessorCycle"));
    memoryCycle_ =
        rows.addValue(QStringLiteral("Длительность цикла обращения к основной памяти, нс"),
                      QStringLiteral("MemoryCycle"));
    memorySize_ = rows.addValue(QStringLiteral("Объем основной оперативной памяти, Мбайт"),
                                QStringLiteral("MemorySize"));
    rows.addDivider();

    // The boxes store their value unless the record is being shown.
    const auto store = [this, &c](std::int32_t ComputerRecord::*field) {
        return [this, &c, field](SpinBox& box) {
            if (!loading_)
                c.*field = box.intValue();
        };
    };

    cacheSize_ = rows.addSpin({.caption = QStringLiteral("Объем кэш памяти процессора, кбайт"),
                               .maximum = 8192,
                               .step = 8,
                               .hint = HintCacheSize,
                               .store = store(&ComputerRecord::CacheSize),
                               .objectName = QStringLiteral("CacheSize")});
    cacheTime_ = rows.addSpin({.caption = QStringLiteral("Время выборки из кэш-памяти, нс"),
                               .maximum = 100,
                               .step = 10,
                               .hint = HintCacheTime,
                               .store = store(&ComputerRecord::CacheTime),
                               .objectName = QStringLiteral("CacheTime")});

    usesStorage_ = new QCheckBox(QStringLiteral("Использует ли программа ВЗУ?"), this);
    usesStorage_->setObjectName(QStringLiteral("UsesStorage"));
    rows.addControl(QString(), usesStorage_);
    storageCycle_ =
        rows.addSpin({.caption = QStringLiteral("Длительность цикла обращения к ВЗУ, мс"),
                      .step = 5, // no limits
                      .hint = HintStorageCycle,
                      .store = store(&ComputerRecord::StorageCycle),
                      .objectName = QStringLiteral("StorageCycle")});
    storageCycleRow_ = lastRow();
    storageSize_ = rows.addSpin({.caption = QStringLiteral("Объем ВЗУ, Мбайт"),
                                 .step = 50, // no limits
                                 .hint = HintStorageSize,
                                 .store = store(&ComputerRecord::StorageSize),
                                 .objectName = QStringLiteral("StorageSize")});
    storageSizeRow_ = lastRow();

    accessCountKnown_ = new QCheckBox(
        QStringLiteral("Можно ли указать число обращений к ВЗУ при выполнении задания?"), this);
    accessCountKnown_->setObjectName(QStringLiteral("AccessCountKnown"));
    rows.addControl(QString(), accessCountKnown_);
    givenAccesses_ = rows.addSpin({.caption = QStringLiteral("Укажите число обращений к ВЗУ"),
                                   .minimum = 1,
                                   .maximum = 50,
                                   .hint = HintGivenAccesses,
                                   .store = store(&ComputerRecord::GivenAccesses),
                                   .objectName = QStringLiteral("GivenAccesses")});
    givenAccessesRow_ = lastRow();

    // Also when the program changes the state, as unchecking the second box does.
    connect(usesStorage_, &QCheckBox::toggled, this, &ComputerInputWindow::usesStorageClicked);
    connect(accessCountKnown_, &QCheckBox::toggled, this,
            &ComputerInputWindow::accessCountKnownClicked);

    rows.addDivider();
    rows.addButton(QStringLiteral("Расчитать"), HintCalculateComputer, [this] { calculate(); })
        ->setDefault(true); // Return in a box calculates
    rows.addClose([this] { hide(); });
    content()->addLayout(rows.grid());
}

ComputerInputWindow::RowWidgets ComputerInputWindow::lastRow() const {
    const int row = grid_->rowCount() - 1;
    RowWidgets widgets{};
    for (int col = 0; col < 3; ++col)
        if (QLayoutItem* item = grid_->itemAtPosition(row, col))
            widgets[static_cast<std::size_t>(col)] = item->widget();
    return widgets;
}

void ComputerInputWindow::setRowEnabled(const RowWidgets& row, bool enabled) {
    for (QWidget* w : row)
        if (w)
            w->setEnabled(enabled);
}

void ComputerInputWindow::UpdateStorageControls() {
    const bool uses = usesStorage_->isChecked();
    setRowEnabled(storageCycleRow_, uses);
    setRowEnabled(storageSizeRow_, uses);
    if (!uses)
        accessCountKnown_->setChecked(false); // runs its handler when it was checked
    accessCountKnown_->setEnabled(uses);
    setRowEnabled(givenAccessesRow_, accessCountKnown_->isChecked());
}

void ComputerInputWindow::usesStorageClicked(bool checked) {
    UpdateStorageControls();
    if (loading_)
        return;
    ComputerRecord& c = ctx.workbook().Computer;
    c.UsesStorage = checked ? 1 : 0;
    c.StorageCycle = storageCycle_->intValue();
    c.StorageSize = storageSize_->intValue();
    c.GivenAccesses = givenAccesses_->intValue();
}

void ComputerInputWindow::accessCountKnownClicked(bool checked) {
    UpdateStorageControls();
    if (loading_)
        return;
    ComputerRecord& c = ctx.workbook().Computer;
    c.AccessCountKnown = checked ? 1 : 0;
    c.GivenAccesses = givenAccesses_->intValue();
}

bool ComputerInputWindow::prepare() {
    const ComputerRecord& c = ctx.workbook().Computer;
    loading_ = true;
    cacheSize_->setValue(c.CacheSize);
    cacheTime_->setValue(c.CacheTime);
    usesStorage_->setChecked(c.UsesStorage != 0);
    storageCycle_->setValue(c.StorageCycle);
    storageSize_->setValue(c.StorageSize);
    accessCountKnown_->setChecked(c.AccessCountKnown != 0);
    givenAccesses_->setValue(c.GivenAccesses);
    UpdateStorageControls();
    loading_ = false;
    showDerivedValues();
    return true;
}

void ComputerInputWindow::showDerivedValues() {
    const Workbook& wb = ctx.workbook();
    const long double f = wb.Lab2Processor.Frequency;
    processorCycle_->setText(f > 0 ? RoundedText(1000 / f) : QStringLiteral("—"));
    memoryCycle_->setText(QString::number(wb.Memory.CycleTime));
    memorySize_->setText(
        RoundedText(static_cast<long double>(wb.Memory.Capacity) * wb.Memory.WordBits / 8));
}

void ComputerInputWindow::calculate() {
    ctx.MarkDone(ctx.state.CurrentPart);
    if (auto* results = ctx.window<ComputerResultsWindow>(LabWindow::ComputerResults))
        results->open(); // computes as it is shown
}

} // namespace orvik
