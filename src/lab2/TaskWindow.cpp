#include "lab2/TaskWindow.h"

#include "lab2/TaskModel.h"
#include "widgets/Dialogs.h"
#include "widgets/FormRows.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace orvik {

namespace {

const QString kFormulaErrorMessage =
    QStringLiteral("Ошибка вычисления. Измените сложность алгоритма обработки.");

// The data-structure grades, in the order of DataComplexity.
const std::array<QString, 3> kGrades{
    QStringLiteral("Низкая сложность - используются обычные переменные"),
    QStringLiteral("Средняя сложность - структура подобная реляционной базе данных"),
    QStringLiteral("Высокая сложность - иерархическая структура базы данных"),
};

} // namespace

TaskWindow::TaskWindow(UiContext& ctx)
    : LabFrame(ctx, QStringLiteral("TForm10"), QStringLiteral("Оценка характеристик задачи"),
               QStringLiteral("Ввод исходных данных")) {
    TaskRecord& task = ctx.workbook().Task;
    FormRows rows(ctx, this);

    rows.addButton(QStringLiteral("Задание"), NoHint,
                   [this] { this->ctx.ShowVariantTask(VariantTaskLab2); });
    rows.addDivider();

    inputCount_ = rows.addSpin({.caption = QStringLiteral("Число независимых входных N для\n"
                                                          "программного обеспечения"),
                                .maximum = 10000,
                                .hint = HintInputCount,
                                .store = StoreInt(task.InputCount),
                                .objectName = QStringLiteral("InputCount")});

    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("Formula"));
    formula_->setMaxLength(255);
    connect(formula_, &QLineEdit::textChanged, this, [&task](const QString& text) {
        SetFormulaText(task, UiContext::ToWorkbookText(text)); // at most 255 characters
    });
    // The two-line caption above, the text box across the whole width below it.
    auto* formulaCaption =
        new QLabel(QStringLiteral("Сложность алгоритма обработки данных объема N\n"
                                  "Пример: 10*n**5; 2*n; n**2"),
                   this);
    formulaCaption->setBuddy(formula_);
    rows.grid()->addWidget(formulaCaption, rows.grid()->rowCount(), 0, 1, 2);
    rows.addControl(QString(), formula_, HintFormula);

    complexity_ =
        rows.addRadioChoice(QStringLiteral("Сложность структуры данных"),
                            QStringLiteral("DataComplexity"), {kGrades.begin(), kGrades.end()},
                            HintDataComplexity, [&task](int index) { task.DataComplexity = index; })
            .buttons;

    rows.addDivider();
    rows.addButton(QStringLiteral("Расчитать"), HintCalculateTask, [this] { calculate(); })
        ->setDefault(true); // Return in a box calculates
    rows.addClose([this] { closeToGuide(); });
    content()->addLayout(rows.grid());
}

bool TaskWindow::prepare() {
    const TaskRecord& task = ctx.workbook().Task;
    inputCount_->setValue(task.InputCount);
    {
        // Showing the formula must not rewrite its bytes.
        const QSignalBlocker blocker(formula_);
        formula_->setText(UiContext::FromWorkbookText(FormulaText(task)));
    }
    SelectOrClear(complexity_, task.DataComplexity);
    return true;
}

void TaskWindow::calculate() {
    ctx.MarkDone(ctx.state.CurrentPart);
    TaskRecord& task = ctx.workbook().Task;
    ComputeTask(task, [this] { ctx.dialogs.inform(kFormulaErrorMessage); });
    ctx.dialogs.inform(QStringLiteral("Длительность выполнения программы ") +
                       QString::number(task.Cycles) +
                       QStringLiteral(" циклов выполнения команд программы."));
}

} // namespace orvik
