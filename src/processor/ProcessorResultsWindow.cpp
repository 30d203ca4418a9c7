#include "processor/ProcessorResultsWindow.h"

#include "processor/TechnologyName.h"
#include "widgets/Dialogs.h"
#include "widgets/FormRows.h"
#include "widgets/RealText.h"
#include "widgets/TableExport.h"
#include "widgets/UiContext.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace orvik {

namespace {

// One line of the window: caption, label name and the text of the value.
struct ValueRow {
    const char* caption; // nullptr: a section title (`label` holds it)
    const char* label;
    std::function<QString(const ProcessorRecord&)> text;
};

const ValueRow kRows[] = {
    {nullptr, "Исходные данные", {}},
    {"Тип схемотехники", "sxem",
     [](const ProcessorRecord& r) { return TechnologyName(r.Technology); }},
    {"Коифецент дефектности", "kdef",
     [](const ProcessorRecord& r) { return RealText(r.DefectFactor, 2); }},
    {"Минимальный литографический размер", "mlr",
     [](const ProcessorRecord& r) { return RealText(r.MinFeature, 2); }},
    {"Площадь кристалла", "sq", [](const ProcessorRecord& r) { return RealText(r.ChipArea, 2); }},
    {"Степень интеграции устройства", "intUstr",
     [](const ProcessorRecord& r) { return QString::number(r.DeviceIntegration); }},
    {nullptr, "Результаты расчета", {}},
    {"Степень интеграции БИС", "integrBis",
     [](const ProcessorRecord& r) { return QString::number(r.ChipIntegration); }},
    {"Рассеиваемая мощность, Вт", "power",
     [](const ProcessorRecord& r) { return RealText(r.Power, 2); }},
    {"Задержка на ЛЭ, нс", "zadle",
     [](const ProcessorRecord& r) { return RealText(r.GateDelay, 2); }},
    {"Выход годных", "godn",
     [](const ProcessorRecord& r) {
         return r.HasGoodChips ? RealText(r.Yield, 6) : QStringLiteral("НЕТ");
     }},
    {"Стоимость БИС, у.е", "stBis",
     [](const ProcessorRecord& r) { return RealText(r.ChipCost, 2); }},
    {"Стоимость ЛЭ, у.е", "stLe", [](const ProcessorRecord& r) { return RealText(r.GateCost, 4); }},
    {"Интенсивность отказов, 1/ч", "intOtk",
     [](const ProcessorRecord& r) { return RealText(r.ChipFailureRate, 7); }},
    {"Число БИС, шт", "countBis",
     [](const ProcessorRecord& r) { return QString::number(r.ChipCount); }},
    {"Число АЛУ, шт", "countAlu",
     [](const ProcessorRecord& r) { return QString::number(r.AluCount); }},
    {"Рабочая частота, МГц", "mhz",
     [](const ProcessorRecord& r) { return RealText(r.Frequency, 6); }},
    {"Наработка на отказ, ч", "narOtk",
     [](const ProcessorRecord& r) { return RealText(r.Mtbf, 6); }},
    {"Стоимость процессора, у.е", "stProc",
     [](const ProcessorRecord& r) { return RealText(r.ProcessorCost, 2); }},
};

} // namespace

ProcessorResultsWindow::ProcessorResultsWindow(UiContext& context)
    : LabFrame(context, QStringLiteral("TForm6"), QStringLiteral("Расчет характеристик процессора"),
               QStringLiteral("Результаты")) {
    FormRows rows(ctx, this);
    for (const ValueRow& row : kRows) {
        if (!row.caption)
            rows.addSection(QString::fromUtf8(row.label));
        else
            rows.addValue(QString::fromUtf8(row.caption), QString::fromUtf8(row.label))
                ->setMinimumWidth(200);
    }
    rows.addDivider();
    rows.addButton(QStringLiteral("Закрыть"), HintProcessorResults, [this] { hide(); });
    content()->addLayout(rows.grid());
    QGridLayout* form = rows.grid();
    AddCopyShortcut(ctx, this, [form] {
        return TableFromForm(*form, QStringLiteral("Расчет характеристик процессора"));
    });
}

bool ProcessorResultsWindow::prepare() {
    const ProcessorRecord& r = ctx.state.Working;
    for (const ValueRow& row : kRows)
        if (row.caption)
            if (auto* label = findChild<QLabel*>(QString::fromUtf8(row.label)))
                label->setText(row.text(r));
    return true;
}

void ProcessorResultsWindow::showResults() {
    open();
    if (isVisible() && !ctx.state.Working.HasGoodChips)
        ctx.dialogs.inform(
            QStringLiteral("Внимание !\n\nНет выхода годных кристаллов с пластины !"));
}

QWidget* ProcessorResultsWindow::beneath() const {
    return ctx.window(LabWindow::ProcessorInput);
}

} // namespace orvik
