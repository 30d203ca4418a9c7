#include "processor/ProcessorInputWindow.h"

#include "processor/GraphWindow.h"
#include "processor/ProcessorModel.h"
#include "processor/ProcessorResultsWindow.h"
#include "processor/Technology.h"
#include "widgets/FormRows.h"
#include "widgets/HintButton.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace orvik {

namespace {

// The value a box shows for a record field: within the box's limits, and
// the lower limit for a value that is no number at all (a damaged file).
double ShownValue(const SpinBox& box, double v) {
    if (!std::isfinite(v))
        return box.minimum();
    if (!box.hasLimits())
        return v;
    return v < box.minimum() ? box.minimum() : (v > box.maximum() ? box.maximum() : v);
}

} // namespace

ProcessorInputWindow::ProcessorInputWindow(UiContext& context)
    : LabFrame(context, QStringLiteral("TForm5"), QStringLiteral("Расчет характеристик процессора"),
               QStringLiteral("Ввод исходных данных")) {
    FormRows rows(ctx, this);

    rows.addButton(QStringLiteral("Задание"), NoHint, [this] {
        ctx.ShowVariantTask(labOneMode() ? VariantTaskLab1 : VariantTaskLab2);
    });
    rows.addDivider();

    auto* variants = new QWidget(this);
    auto* variantLayout = new QHBoxLayout(variants);
    variantLayout->setContentsMargins(0, 0, 0, 0);
    variant1_ = new QRadioButton(QStringLiteral("Схемотехника 1"), variants);
    variant2_ = new QRadioButton(QStringLiteral("Схемотехника 2"), variants);
    variant1_->setObjectName(QStringLiteral("variant1"));
    variant2_->setObjectName(QStringLiteral("variant2"));
    variant1_->setChecked(true);
    variantLayout->addWidget(variant1_);
    variantLayout->addWidget(variant2_);
    variantLayout->addStretch(1);
    rows.addControl(QString(), variants, HintCircuitVariant);
    connect(variant1_, &QRadioButton::clicked, this,
            [this] { guarded([this] { variantChosen(); }); });
    connect(variant2_, &QRadioButton::clicked, this,
            [this] { guarded([this] { variantChosen(); }); });

    technology_ = new QComboBox(this);
    technology_->setObjectName(QStringLiteral("technology"));
    technology_->setEditable(true);
    technology_->setInsertPolicy(QComboBox::NoInsert);
    for (const TechnologyInfo& t : TechnologyTable)
        technology_->addItem(QString::fromUtf8(t.Name));
    technology_->setCurrentIndex(0);
    connect(technology_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { guarded([&] { technologyChanged(text); }); });
    rows.addControl(QStringLiteral("Тип схемотехники"), technology_, HintTechnology);

    const SpinRow spinRows[] = {
        {.caption =
             QStringLiteral("Базовый коэффициент дефектности\nдля технологии (0,1..5) деф/мм2"),
         .minimum = 0.1,
         .maximum = 5,
         .step = 0.1,
         .decimals = 2,
         .hint = HintDefectFactor,
         .store = [this](SpinBox& b) { currentRecord().DefectFactor = b.value(); },
         .objectName = QStringLiteral("defectFactor")},
        {.caption = QStringLiteral("Минимальный литографический размер \n(0,5 - 5) мкм"),
         .minimum = 0.1,
         .maximum = 5,
         .step = 0.1,
         .decimals = 2,
         .hint = HintMinFeature,
         .store = [this](SpinBox& b) { currentRecord().MinFeature = b.value(); },
         .objectName = QStringLiteral("minFeature")},
        {.caption = QStringLiteral("Площадь кристалла БИС\n(0,01..1) см2"),
         .minimum = 0.01,
         .maximum = 1,
         .step = 0.05,
         .decimals = 2,
         .hint = HintChipArea,
         .store = [this](SpinBox& b) { currentRecord().ChipArea = b.value(); },
         .objectName = QStringLiteral("chipArea")},
        {.caption = QStringLiteral("Степень интеграции устройства \n(50..1000) ЭЛЭ"),
         .minimum = 50,
         .maximum = 1000,
         .step = 10,
         .hint = HintDeviceIntegration,
         .store = [this](SpinBox& b) { currentRecord().DeviceIntegration = b.intValue(); },
         .objectName = QStringLiteral("deviceIntegration")},
    };
    SpinBox* boxes[4] = {};
    for (int i = 0; i < 4; ++i)
        boxes[i] = rows.addSpin(spinRows[i]);
    defect_ = boxes[0];
    feature_ = boxes[1];
    area_ = boxes[2];
    integration_ = boxes[3];
    // A fresh window shows 1, 1, 1 and 250 (nothing is stored before it opens).
    for (SpinBox* box : boxes)
        box->blockSignals(true);
    defect_->setValue(1);
    feature_->setValue(1);
    area_->setValue(1);
    integration_->setValue(250);
    for (SpinBox* box : boxes)
        box->blockSignals(false);

    rows.addDivider();
    rows.addButton(QStringLiteral("Расчет текущего процессора"), HintCalculateProcessor,
                   [this] { calculate(); })
        ->setDefault(true); // Return in a box calculates
    curvesButton_ = rows.addButton(QStringLiteral("Построить графики зависимостей"), HintPlotCurves,
                                   [this] { plotCurves(); });
    rows.addClose([this] { closeToGuide(); });

    content()->addLayout(rows.grid());
    variantHint_ = findChild<HintButton*>(QStringLiteral("hint%1").arg(HintCircuitVariant));
    curvesHint_ = findChild<HintButton*>(QStringLiteral("hint%1").arg(HintPlotCurves));
}

bool ProcessorInputWindow::labOneMode() const {
    return ctx.state.CurrentPart == PartProcessor1;
}

ProcessorRecord& ProcessorInputWindow::currentRecord() {
    if (!labOneMode())
        return ctx.workbook().Lab2Processor;
    return checkedVariant();
}

ProcessorRecord& ProcessorInputWindow::checkedVariant() {
    return variant2_->isChecked() ? ctx.workbook().Circuit2 : ctx.workbook().Circuit1;
}

QString ProcessorInputWindow::technologyText() const {
    return technology_->currentText();
}

void ProcessorInputWindow::loadRecord(const ProcessorRecord& source) {
    const ProcessorRecord record = source; // the boxes below write into the current record
    const bool known =
        record.Technology >= 0 && record.Technology < static_cast<int>(TechnologyTable.size());
    {
        const QSignalBlocker block(technology_);
        technology_->setCurrentIndex(known ? record.Technology : 0);
        technology_->setEditText(technology_->itemText(known ? record.Technology : 0));
    }
    if (!known)
        currentRecord().Technology = 0; // as the technology box would store "ЭСЛ"
    defect_->setValue(ShownValue(*defect_, record.DefectFactor));
    feature_->setValue(ShownValue(*feature_, record.MinFeature));
    area_->setValue(ShownValue(*area_, record.ChipArea));
    integration_->setValue(ShownValue(*integration_, record.DeviceIntegration));
    // The record holds what the boxes show, also where the text stayed the
    // same (a value beyond the limits behind an unchanged text).
    ProcessorRecord& current = currentRecord();
    current.DefectFactor = defect_->value();
    current.MinFeature = feature_->value();
    current.ChipArea = area_->value();
    current.DeviceIntegration = integration_->intValue();
}

bool ProcessorInputWindow::prepare() {
    const bool labOne = labOneMode();
    {
        const QSignalBlocker block1(variant1_);
        const QSignalBlocker block2(variant2_);
        variant1_->setChecked(true);
    }
    if (labOne)
        loadRecord(ctx.workbook().Circuit1);
    for (QWidget* w : {static_cast<QWidget*>(variant1_), static_cast<QWidget*>(variant2_),
                       static_cast<QWidget*>(curvesButton_), static_cast<QWidget*>(variantHint_),
                       static_cast<QWidget*>(curvesHint_)})
        if (w)
            w->setEnabled(labOne);
    if (!labOne)
        loadRecord(ctx.workbook().Lab2Processor);
    return true;
}

void ProcessorInputWindow::technologyChanged(const QString& text) {
    int index = -1;
    for (int i = 0; i < technology_->count(); ++i)
        if (text.compare(technology_->itemText(i), Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    if (index < 0) {
        index = 0;
        const QSignalBlocker block(technology_);
        technology_->setEditText(technology_->itemText(0));
    }
    currentRecord().Technology = index;
}

void ProcessorInputWindow::variantChosen() {
    if (labOneMode())
        loadRecord(checkedVariant());
}

void ProcessorInputWindow::calculate() {
    ctx.state.WorkbookModified = true;
    ProcessorRecord& record = currentRecord();
    ctx.state.Working = record;
    ComputeProcessor(ctx.state.Working);
    record = ctx.state.Working;
    ctx.MarkDone(labOneMode() ? PartProcessor1 : PartProcessor2);
    if (auto* results = ctx.window<ProcessorResultsWindow>(LabWindow::ProcessorResults))
        results->showResults();
}

void ProcessorInputWindow::plotCurves() {
    if (!labOneMode())
        return;
    ctx.MarkDone(PartProcessor1);
    if (auto* graph = ctx.window<GraphWindow>(LabWindow::Graph))
        graph->open();
}

} // namespace orvik
