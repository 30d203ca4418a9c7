#include "firm/FirmResultsWindow.h"

#include "firm/FirmModel.h"
#include "widgets/BoldLabel.h"
#include "widgets/Buttons.h"
#include "widgets/FormRows.h"
#include "widgets/RealText.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"
#include "widgets/ValueLabel.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace orvik {

namespace {

// Columns of the component table: heading and the name stem of its labels.
struct Column {
    const char* heading;
    const char* name;
};
constexpr std::array<Column, 4> Columns{{
    {"Тип", "type"},
    {"Стоимость", "price"},
    {"Наработка на отказ", "rate"},
    {"Ремонт", "repairs"},
}};

} // namespace

QString FirmInteger(int value) {
    return QString::number(value);
}

QString FirmFailureRate(double rate) {
    return TrimmedReal(rate, 6);
}

QLabel* AddFirmHoursLine(QWidget* owner, QBoxLayout* layout) {
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    line->addWidget(new QLabel(QStringLiteral("Среднее время работы аппаратуры в день"), owner));
    auto* hours = MakeBoldLabel(QStringLiteral("0"), owner);
    hours->setObjectName(QStringLiteral("hours"));
    line->addWidget(hours);
    line->addWidget(new QLabel(QStringLiteral("часов."), owner));
    line->addStretch(1);
    layout->addLayout(line);
    return hours;
}

FirmResultsWindow::FirmResultsWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm18"),
               QStringLiteral("Моделирование деятельности компьютерной фирмы"),
               QStringLiteral("Результаты")) {
    hours_ = AddFirmHoursLine(this, content());

    // The component table: a heading row, then one row per component.
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* table = new QGridLayout(frame);
    table->setHorizontalSpacing(18);
    table->setVerticalSpacing(4);
    for (int c = 0; c < static_cast<int>(Columns.size()); ++c)
        table->addWidget(MakeBoldLabel(QString::fromUtf8(Columns[c].heading), frame), 0, c + 1,
                         c == 0 ? Qt::AlignLeft : Qt::AlignRight);
    std::array<std::array<QLabel*, 4>*, 4> cells{&type_, &price_, &rate_, &repairs_};
    for (int i = 0; i < FirmComponentCount; ++i) {
        table->addWidget(new QLabel(QString::fromUtf8(FirmComponents[i].Caption), frame), i + 1, 0);
        for (int c = 0; c < static_cast<int>(Columns.size()); ++c) {
            QLabel* cell = MakeValueLabel(QString::fromUtf8(Columns[c].name) + QString::number(i),
                                          QStringLiteral("0"), frame);
            if (c == 0)
                cell->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            (*cells[c])[i] = cell;
            table->addWidget(cell, i + 1, c + 1);
        }
    }
    content()->addWidget(frame);

    FormRows rows(ctx, this);
    kitPrice_ = rows.addValue(QStringLiteral("Стоимость выбранного комплекта ПЭВМ, у.е."),
                              QStringLiteral("KitPrice"));
    salesVolume_ = rows.addValue(QStringLiteral("Объем продаж данных ПЭВМ, штук"),
                                 QStringLiteral("SalesVolume"));
    salesProfit_ = rows.addValue(QStringLiteral("Прибыль по результатам продаж, у.е."),
                                 QStringLiteral("SalesProfit"));
    warrantyCost_ = rows.addValue(QStringLiteral("Затраты на гарантийное обслуживание ПЭВМ, у.е."),
                                  QStringLiteral("WarrantyCost"));
    activityProfit_ = rows.addValue(QStringLiteral("Прибыль по результатам деятельности, у.е."),
                                    QStringLiteral("ActivityProfit"));
    rows.addDivider();
    content()->addLayout(rows.grid());
    QGridLayout* totals = rows.grid();
    AddCopyShortcut(ctx, this, [table, totals] {
        ShownTable shown = TableFromForm(*table, QStringLiteral("Результаты"));
        shown.rows += TableFromForm(*totals, QString()).rows;
        return shown;
    });

    AddCloseRow(ctx, content(), this, HintFirmResults, [this] { close(); });
}

bool FirmResultsWindow::prepare() {
    fill();
    return true;
}

void FirmResultsWindow::fill() {
    const FirmRecord& firm = ctx.workbook().Firm;
    hours_->setText(FirmInteger(firm.Hours));
    for (int i = 0; i < FirmComponentCount; ++i) {
        // Any grade but 1 (a damaged file) is the standard version, as the model counts it.
        type_[i]->setText(
            QString::fromUtf8(FirmGradeCaptions[IsHighReliability(firm.Grade[i]) ? 1 : 0]));
        price_[i]->setText(FirmInteger(firm.Price[i]));
        rate_[i]->setText(FirmFailureRate(firm.FailureRate[i]));
        repairs_[i]->setText(FirmInteger(firm.Repairs[i]));
    }
    kitPrice_->setText(FirmInteger(firm.KitPrice));
    salesVolume_->setText(FirmInteger(firm.SalesVolume));
    salesProfit_->setText(FirmInteger(firm.SalesProfit));
    warrantyCost_->setText(FirmInteger(firm.WarrantyCost));
    activityProfit_->setText(FirmInteger(firm.ActivityProfit));
}

} // namespace orvik
