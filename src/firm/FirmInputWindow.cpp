#include "firm/FirmInputWindow.h"

#include "app/AppContext.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmModel.h"
#include "firm/FirmResultsWindow.h"
#include "widgets/FormRows.h"
#include "widgets/SpinBox.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvik {

namespace {

constexpr int HoursHint = 28;
constexpr int CalculateHint = 29;
constexpr int AllKitsHint = 30;
constexpr int VariantTaskOffset = 52; // "Задание": entries 53..62 for variants 1..10

} // namespace

FirmInputWindow::FirmInputWindow(AppContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm16"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Ввод исходных данных")) {
    auto* taskRow = new QHBoxLayout;
    taskRow->addWidget(makeButton(QStringLiteral("Задание"),
                                  [this] { this->ctx.ShowVariantTask(VariantTaskOffset); }));
    taskRow->addStretch(1);
    content()->addLayout(taskRow);
    content()->addWidget(divider());

    // One radio group per component; a click stores the version in Grade[i].
    auto* groups = new QHBoxLayout;
    groups->setSpacing(8);
    for (int i = 0; i < FirmComponentCount; ++i) {
        auto* box = new QGroupBox(QString::fromUtf8(FirmComponents[i].Caption), this);
        box->setObjectName(QStringLiteral("grade%1").arg(i));
        auto* items = new QVBoxLayout(box);
        grades_[i] = new QButtonGroup(box);
        for (int grade = 0; grade < 2; ++grade) {
            auto* item = new QRadioButton(QString::fromUtf8(FirmGradeCaptions[grade]), box);
            grades_[i]->addButton(item, grade);
            items->addWidget(item);
        }
        connect(grades_[i], &QButtonGroup::idClicked, this,
                [this, i](int grade) { this->ctx.workbook().Firm.Grade[i] = grade; });
        groups->addWidget(box, 1);
    }
    content()->addLayout(groups);

    FormRows rows(ctx, this);
    hours_ = rows.addSpin(SpinRow{
        QStringLiteral("Аппаратура у заказчика работает (среднее количество часов в день)"), 1, 24,
        1, 0, HoursHint, [this](SpinBox& box) { this->ctx.workbook().Firm.Hours = box.intValue(); },
        QStringLiteral("Hours")});
    rows.addDivider();
    // The buttons are made here, not by the rows, whose builder lives only in
    // this constructor.
    rows.addControl({}, makeButton(QStringLiteral("Расчет"), [this] { calculateKit(); }),
                    CalculateHint);
    rows.addControl({},
                    makeButton(QStringLiteral("Расчитать для всех видов комплектации"),
                               [this] { calculateAllKits(); }),
                    AllKitsHint);
    rows.addDivider();
    content()->addLayout(rows.grid());

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    auto* closeButton = makeButton(QStringLiteral("Закрыть"), [this] { this->close(); });
    closeButton->setMinimumWidth(100);
    closeRow->addWidget(closeButton);
    content()->addLayout(closeRow);
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
    FirmResultsWindow* results = ctx.windows.firmResults;
    if (results->isVisible())
        results->fill(); // already open: show the new results in place
    else
        results->open();
}

// "Расчитать для всех видов комплектации": the table of the sixteen kits.
void FirmInputWindow::calculateAllKits() {
    FirmAllKitsWindow* table = ctx.windows.firmAllKits;
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
