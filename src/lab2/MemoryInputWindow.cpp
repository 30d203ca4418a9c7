#include "lab2/MemoryInputWindow.h"

#include "lab2/MemoryModel.h"
#include "lab2/MemoryResultsWindow.h"
#include "widgets/FormRows.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvik {

MemoryInputWindow::MemoryInputWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm11"), QStringLiteral("Расчет характеристик памяти"),
               QStringLiteral("Ввод исходных данных")) {
    MemoryRecord& memory = ctx.workbook().Memory;
    FormRows rows(ctx, this);

    rows.addButton(QStringLiteral("Задание"), NoHint,
                   [this] { this->ctx.ShowVariantTask(VariantTaskLab2); });
    rows.addDivider();

    capacity_ = rows.addSpin({.caption = QStringLiteral("Объем ЗУ в словах, Мслов (8, 16 ...)"),
                              .minimum = 8,
                              .maximum = 10000,
                              .step = 8,
                              .hint = HintCapacity,
                              .store = StoreInt(memory.Capacity),
                              .objectName = QStringLiteral("Capacity")});
    wordBits_ = rows.addSpin({.caption = QStringLiteral("Размер слова ЗУ в битах (16, 32 ... 80)"),
                              .minimum = 16,
                              .maximum = 80,
                              .step = 16,
                              .hint = HintWordBits,
                              .store = StoreInt(memory.WordBits),
                              .objectName = QStringLiteral("WordBits")});
    accessTime_ = rows.addSpin({.caption = QStringLiteral("Время выборки, нс"),
                                .minimum = 5,
                                .maximum = 500,
                                .step = 10,
                                .hint = HintAccessTime,
                                .store = StoreInt(memory.AccessTime),
                                .objectName = QStringLiteral("AccessTime")});

    QStringList chips;
    for (const MemoryChip& chip : ChipTable)
        chips << QString::fromUtf8(chip.Name);
    chip_ = rows.addRadioChoice(QStringLiteral("БИС ЗУ для построения накопителя"),
                                QStringLiteral("ChipType"), chips, HintChipType,
                                [&memory](int k) { memory.ChipType = k; })
                .buttons;

    rows.addDivider();
    rows.addButton(QStringLiteral("Расчитать"), HintCalculateMemory, [this] { calculate(); })
        ->setDefault(true); // Return in a box calculates
    rows.addClose([this] { closeToGuide(); });
    content()->addLayout(rows.grid());
}

bool MemoryInputWindow::prepare() {
    const MemoryRecord memory = ctx.workbook().Memory;
    capacity_->setValue(memory.Capacity);
    wordBits_->setValue(memory.WordBits);
    accessTime_->setValue(memory.AccessTime);
    SelectOrClear(chip_, memory.ChipType);
    return true;
}

void MemoryInputWindow::calculate() {
    ctx.MarkDone(ctx.state.CurrentPart);
    if (auto* results = ctx.window<MemoryResultsWindow>(LabWindow::MemoryResults))
        results->open(); // computes as it is shown
}

} // namespace orvik
