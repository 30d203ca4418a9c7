// The task estimate window TForm10, driven through its widgets.
#include "lab2/TaskWindow.h"
#include "app/GuideWindow.h"
#include "support/TestApp.h"
#include "widgets/SpinBox.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace orvik::test {
namespace {

const QString kFormulaError =
    QStringLiteral("Ошибка вычисления. Измените сложность алгоритма обработки.");

QString ResultMessage(int cycles) {
    return QStringLiteral(
               "Длительность выполнения программы %1 циклов выполнения команд программы.")
        .arg(cycles);
}

struct TaskFixture : ::testing::Test {
    TestApp app;
    TaskWindow* window = nullptr;

    void SetUp() override {
        app.state.CurrentPart = PartTask; // as the guide opens the part
        window = app.ctx.windows.task.get();
        window->open();
        ASSERT_TRUE(window->isVisible());
    }
    void setFormula(const QString& text) { Child<QLineEdit>(window, "Formula")->setText(text); }
    void calculate() { ButtonNamed(window, QStringLiteral("Расчитать"))->click(); }
    QList<QRadioButton*> grades() {
        return Child<QGroupBox>(window, "DataComplexity")->findChildren<QRadioButton*>();
    }
};

TEST_F(TaskFixture, DefaultsGiveTheWorkedCountAndMarkThePartDone) {
    EXPECT_EQ(Child<SpinBox>(window, "InputCount")->value(), 40);
    EXPECT_EQ(Child<QLineEdit>(window, "Formula")->text(), QStringLiteral("10*n"));
    EXPECT_TRUE(grades().at(0)->isChecked());
    EXPECT_FALSE(app.ctx.mainWindow()->isEnabled());

    calculate();
    EXPECT_EQ(app.dialogs.messages, QStringList{ResultMessage(50283)});
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    EXPECT_EQ(app.wb().Task.Cycles, 50283);
    EXPECT_EQ(app.wb().Task.DataFactor, 0.004);
    EXPECT_EQ(app.wb().PartDone[PartTask], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
}

TEST_F(TaskFixture, EditsGoStraightIntoTheRecordWithoutMarkingIt) {
    EditOf(Child<SpinBox>(window, "InputCount"))->setText(QStringLiteral("10"));
    setFormula(QStringLiteral("2*n"));
    grades().at(2)->click();
    EXPECT_EQ(app.wb().Task.InputCount, 10);
    EXPECT_EQ(FormulaText(app.wb().Task), "2*n");
    EXPECT_EQ(app.wb().Task.DataComplexity, 2);
    EXPECT_EQ(app.wb().PartDone[PartTask], 0);
    EXPECT_FALSE(app.state.WorkbookModified);

    calculate();
    EXPECT_EQ(app.wb().Task.DataFactor, 0.016);

    // Reopening shows what was entered.
    ButtonNamed(window, QStringLiteral("Закрыть"))->click();
    app.wb().Task.InputCount = 1;
    window->open();
    EXPECT_EQ(Child<SpinBox>(window, "InputCount")->value(), 1);
    EXPECT_EQ(Child<QLineEdit>(window, "Formula")->text(), QStringLiteral("2*n"));
    EXPECT_TRUE(grades().at(2)->isChecked());
}

TEST_F(TaskFixture, InvalidOrTooLargeFormulaShowsTheErrorThenZeroCycles) {
    for (const QString& formula : {QStringLiteral("10 * n"), QString(), QStringLiteral("2***3"),
                                   QStringLiteral("10*n**5")}) {
        app.dialogs.messages.clear();
        app.wb().Task.Cycles = 77;
        setFormula(formula);
        calculate();
        EXPECT_EQ(app.dialogs.messages, (QStringList{kFormulaError, ResultMessage(0)}))
            << formula.toStdString();
        EXPECT_EQ(app.wb().Task.Cycles, 0);
        EXPECT_EQ(app.wb().PartDone[PartTask], 1);
    }
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
}

TEST_F(TaskFixture, NoInputsEndsInTheErrorReportAfterMarkingThePart) {
    app.wb().Task.Cycles = 1234;
    EditOf(Child<SpinBox>(window, "InputCount"))->setText(QString()); // reads as 0
    EXPECT_EQ(app.wb().Task.InputCount, 0);
    calculate();
    EXPECT_EQ(app.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero.")});
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
    EXPECT_EQ(app.wb().Task.Cycles, 1234);
    EXPECT_EQ(app.wb().PartDone[PartTask], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TaskFixture, LongFormulaKeepsItsFirst255Characters) {
    setFormula(QStringLiteral("n*") + QString(300, u'1'));
    EXPECT_EQ(app.wb().Task.Formula[0], 255);
    EXPECT_EQ(FormulaText(app.wb().Task), "n*" + std::string(253, '1'));
}

TEST_F(TaskFixture, DamagedGradeSelectsNothingAndIsReported) {
    window->hide();
    app.wb().Task.DataComplexity = 7;
    window->open();
    for (QRadioButton* item : grades())
        EXPECT_FALSE(item->isChecked());
    calculate();
    ASSERT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_TRUE(app.dialogs.errors[0].startsWith(QStringLiteral("Неизвестная сложность")));
    EXPECT_TRUE(app.dialogs.messages.isEmpty());
}

TEST_F(TaskFixture, CloseReopensTheGuideOnlyWhenItStartsAutomatically) {
    app.wb().GuideAutoStart = 0;
    ButtonNamed(window, QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(app.ctx.mainWindow()->isEnabled());
    EXPECT_FALSE(app.ctx.windows.guide->isVisible());

    app.wb().GuideAutoStart = 1;
    window->open();
    ButtonNamed(window, QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(app.ctx.windows.guide->isVisible());
    app.ctx.windows.guide->hide();
}

} // namespace
} // namespace orvik::test
