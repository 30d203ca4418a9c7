#include "lab2/MemoryInputWindow.h"

#include "app/AppContext.h"
#include "lab2/MemoryModel.h"
#include "lab2/MemoryResultsWindow.h"
#include "widgets/FormRows.h"
#include "widgets/SpinBox.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvik {

MemoryInputWindow::MemoryInputWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm11"), QStringLiteral("Расчет характеристик памяти"),
               QStringLiteral("Ввод исходных данных")) {
    MemoryRecord& memory = ctx.workbook().Memory;
    FormRows rows(ctx, this);

    // The buttons are the window's own: the row builder ends with the constructor.
    rows.addButton(QStringLiteral("Задание"), -1, [this] { this->ctx.ShowVariantTask(42); });
    rows.addDivider();

    // caption, min, max, step, decimals, "?", field
    capacity_ = rows.addSpin({QStringLiteral("Объем ЗУ в словах, Мслов (8, 16 ...)"), 8, 10000, 8,
                              0, 15, [&memory](SpinBox& b) { memory.Capacity = b.intValue(); },
                              QStringLiteral("Capacity")});
    wordBits_ = rows.addSpin({QStringLiteral("Размер слова ЗУ в битах (16, 32 ... 80)"), 16, 80, 16,
                              0, 16, [&memory](SpinBox& b) { memory.WordBits = b.intValue(); },
                              QStringLiteral("WordBits")});
    accessTime_ = rows.addSpin({QStringLiteral("Время выборки, нс"), 5, 500, 10, 0, 17,
                                [&memory](SpinBox& b) { memory.AccessTime = b.intValue(); },
                                QStringLiteral("AccessTime")});

    auto* group = new QGroupBox(QStringLiteral("БИС ЗУ для построения накопителя"), this);
    group->setObjectName(QStringLiteral("ChipType"));
    auto* groupLayout = new QVBoxLayout(group);
    chip_ = new QButtonGroup(this);
    for (int k = 0; k < static_cast<int>(ChipTable.size()); ++k) {
        auto* item =
            new QRadioButton(QString::fromUtf8(ChipTable[static_cast<std::size_t>(k)].Name), group);
        chip_->addButton(item, k);
        groupLayout->addWidget(item);
    }
    connect(chip_, &QButtonGroup::idClicked, this, [&memory](int k) { memory.ChipType = k; });
    rows.addControl(QString(), group, 18);

    rows.addDivider();
    rows.addButton(QStringLiteral("Расчитать"), 19, [this] { calculate(); });
    rows.addButton(QStringLiteral("Закрыть"), -1, [this] { closeWindow(); });
    content()->addLayout(rows.grid());
}

bool MemoryInputWindow::prepare() {
    const MemoryRecord memory = ctx.workbook().Memory;
    capacity_->setValue(memory.Capacity);
    wordBits_->setValue(memory.WordBits);
    accessTime_->setValue(memory.AccessTime);
    // A chip outside the table (damaged file) selects no item.
    if (QAbstractButton* chosen = chip_->button(memory.ChipType)) {
        chosen->setChecked(true);
    } else {
        chip_->setExclusive(false);
        for (QAbstractButton* item : chip_->buttons())
            item->setChecked(false);
        chip_->setExclusive(true);
    }
    return true;
}

void MemoryInputWindow::calculate() {
    ctx.MarkDone(ctx.state.CurrentPart);
    ctx.windows.memoryResults->open(); // computes as it is shown
}

void MemoryInputWindow::closeWindow() {
    hide();
    if (ctx.workbook().GuideAutoStart)
        ctx.OpenGuide();
}

} // namespace orvik
