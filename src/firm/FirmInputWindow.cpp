#include "firm/FirmInputWindow.h"

#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmModel.h"
#include "firm/FirmResultsWindow.h"
#include "widgets/Buttons.h"
#include "widgets/FormRows.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvik {

namespace {} // namespace

FirmInputWindow::FirmInputWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm16"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Ввод исходных данных")) {
    auto* taskRow = new QHBoxLayout;
    taskRow->addWidget(MakeButton(ctx, QStringLiteral("Задание"), this,
                                  [this] { this->ctx.ShowVariantTask(VariantTaskLab3); }));
    taskRow->addStretch(1);
    content()->addLayout(taskRow);
    content()->addWidget(MakeDivider(this));

    // One radio group per component; a click stores the version in Grade[i].
    auto* groups = new QHBoxLayout;
    groups->setSpacing(8);
    const QStringList versions{QString::fromUtf8(FirmGradeCaptions[0]),
                               QString::fromUtf8(FirmGradeCaptions[1])};
    for (int i = 0; i < FirmComponentCount; ++i) {
        const RadioChoice choice = MakeRadioChoice(
            QString::fromUtf8(FirmComponents[i].Caption), QStringLiteral("grade%1").arg(i),
            versions, this, [this, i](int grade) { this->ctx.workbook().Firm.Grade[i] = grade; });
        grades_[i] = choice.buttons;
        groups->addWidget(choice.box, 1);
    }
    content()->addLayout(groups);

    FormRows rows(ctx, this);
    hours_ = rows.addSpin({.caption = QStringLiteral(
                               "Аппаратура у заказчика работает (среднее количество часов в день)"),
                           .minimum = 1,
                           .maximum = 24,
                           .hint = HintFirmHours,
                           .store = StoreInt(ctx.workbook().Firm.Hours),
                           .objectName = QStringLiteral("Hours")});
    rows.addDivider();
    rows.addButton(QStringLiteral("Расчет"), HintCalculateKit, [this] { calculateKit(); })
        ->setDefault(true); // Return in a box calculates
    rows.addButton(QStringLiteral("Расчитать для всех видов комплектации"), HintCalculateAllKits,
                   [this] { calculateAllKits(); });
    rows.addDivider();
    content()->addLayout(rows.grid());

    AddCloseRow(ctx, content(), this, NoHint, [this] { close(); });
}

bool FirmInputWindow::prepare() {
    const FirmRecord& firm = ctx.workbook().Firm;
    // A grade other than 1 (only a damaged file holds one) is the standard version.
    for (int i = 0; i < FirmComponentCount; ++i)
        grades_[i]->button(IsHighReliability(firm.Grade[i]) ? 1 : 0)->setChecked(true);
    hours_->setValue(firm.Hours);
    return true;
}

// "Расчет": the chosen kit. The part counts as done only when the model has
// run: hours outside 1..24 from a damaged file end here with the model's error.
void FirmInputWindow::calculateKit() {
    ComputeFirm(ctx.workbook().Firm);
    ctx.MarkDone(ctx.state.CurrentPart);
    auto* results = ctx.window<FirmResultsWindow>(LabWindow::FirmResults);
    if (!results)
        return;
    if (results->isVisible())
        results->fill(); // already open: show the new results in place
    else
        results->open();
}

// "Расчитать для всех видов комплектации": the table of the sixteen kits.
void FirmInputWindow::calculateAllKits() {
    auto* table = ctx.window<FirmAllKitsWindow>(LabWindow::FirmAllKits);
    if (!table)
        return;
    if (table->isVisible()) {
        table->fill();
    } else {
        table->open();
        if (!table->isVisible())
            return; // the table could not be filled; the error has been shown
    }
    ctx.MarkDone(ctx.state.CurrentPart);
}

} // namespace orvik
