// The processor input and results windows: modes, variants, input handling,
// the calculation and what the results window shows.
#include "app/GuideWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "shell/HintWindow.h"
#include "support/SelectableValues.h"
#include "support/TestApp.h"
#include "widgets/HintButton.h"
#include "widgets/SpinBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace orvik::test {
namespace {

class ProcessorWindows : public ::testing::Test {
protected:
    ProcessorInputWindow* input() { return app.ctx.windows.processorInput.get(); }
    ProcessorResultsWindow* results() { return app.ctx.windows.processorResults.get(); }

    void openInput(int part) {
        app.state.CurrentPart = part;
        input()->open();
        ASSERT_TRUE(input()->isVisible());
    }
    SpinBox* box(const char* name) { return Child<SpinBox>(input(), QString::fromUtf8(name)); }
    QComboBox* technology() { return Child<QComboBox>(input(), QStringLiteral("technology")); }
    void type(const char* boxName, const QString& text) { EditOf(box(boxName))->setText(text); }
    void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    void calculate() {
        ButtonNamed(input(), QStringLiteral("Расчет текущего процессора"))->click();
    }
    QString label(const char* name) { return LabelText(results(), QString::fromUtf8(name)); }

    TestApp app;
};

TEST_F(ProcessorWindows, NewWorkbookCalculationShowsTheDefaultProcessor) {
    openInput(0);
    EXPECT_FALSE(app.ctx.mainWindow()->isEnabled());
    EXPECT_EQ(technology()->currentText(), QStringLiteral("ЭСЛ"));
    EXPECT_EQ(EditOf(box("deviceIntegration"))->text(), QStringLiteral("250"));

    calculate();
    ASSERT_TRUE(results()->isVisible());
    EXPECT_FALSE(input()->isEnabled());
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_EQ(app.wb().PartDone[PartProcessor1], 1);
    EXPECT_TRUE(app.dialogs.messages.isEmpty());

    EXPECT_EQ(label("sxem"), QStringLiteral("ЭСЛ"));
    EXPECT_EQ(label("kdef"), QStringLiteral("  1.00"));
    EXPECT_EQ(label("intUstr"), QStringLiteral("250"));
    EXPECT_EQ(label("integrBis"), QStringLiteral("62500"));
    EXPECT_EQ(label("power"), QStringLiteral(" 25.00"));
    EXPECT_EQ(label("zadle"), QStringLiteral("  0.10"));
    EXPECT_EQ(label("godn"), QStringLiteral("0.176777"));
    EXPECT_EQ(label("stBis"), QStringLiteral("122.60"));
    EXPECT_EQ(label("stLe"), QStringLiteral("0.0020"));
    EXPECT_EQ(label("intOtk"), QStringLiteral("0.0000066"));
    EXPECT_EQ(label("countBis"), QStringLiteral("5"));
    EXPECT_EQ(label("countAlu"), QStringLiteral("1"));
    EXPECT_EQ(label("stProc"), QStringLiteral("1838.95"));

    // The result went back into variant 1 only.
    EXPECT_EQ(app.wb().Circuit1.ChipIntegration, 62500);
    EXPECT_EQ(app.wb().Circuit2.ChipIntegration, 0);

    ButtonNamed(results(), QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(results()->isVisible());
    EXPECT_TRUE(input()->isEnabled());
}

TEST_F(ProcessorWindows, CircuitVariantsKeepTheirOwnInputsAndResults) {
    openInput(0);
    auto* v1 = Child<QRadioButton>(input(), QStringLiteral("variant1"));
    auto* v2 = Child<QRadioButton>(input(), QStringLiteral("variant2"));
    v2->click();
    technology()->setCurrentIndex(2); // "КМОП"
    type("chipArea", QStringLiteral("0.5"));
    calculate();
    ButtonNamed(results(), QStringLiteral("Закрыть"))->click();
    EXPECT_EQ(app.wb().Circuit2.Technology, 2);
    EXPECT_DOUBLE_EQ(app.wb().Circuit2.ChipArea, 0.5);
    EXPECT_GT(app.wb().Circuit2.ChipIntegration, 0);

    v1->click();
    EXPECT_EQ(technology()->currentText(), QStringLiteral("ЭСЛ"));
    EXPECT_EQ(EditOf(box("chipArea"))->text(), QStringLiteral("1.00"));
    EXPECT_EQ(app.wb().Circuit1.Technology, 0);
    EXPECT_DOUBLE_EQ(app.wb().Circuit1.ChipArea, 1.0);
    EXPECT_EQ(app.wb().Circuit1.ChipIntegration, 0);

    v2->click();
    EXPECT_EQ(technology()->currentText(), QStringLiteral("КМОП"));
    EXPECT_EQ(EditOf(box("chipArea"))->text(), QStringLiteral("0.50"));

    // Reopening checks variant 1 again.
    ButtonNamed(input(), QStringLiteral("Закрыть"))->click();
    EXPECT_TRUE(app.ctx.mainWindow()->isEnabled());
    openInput(0);
    EXPECT_TRUE(v1->isChecked());
    EXPECT_EQ(technology()->currentText(), QStringLiteral("ЭСЛ"));
}

TEST_F(ProcessorWindows, LabTwoModeDisablesVariantsAndCurvesAndClearsLaterParts) {
    app.wb().PartDone[PartMemory] = 1;
    app.wb().PartDone[PartComputer] = 1;
    app.wb().Lab2Processor.DefectFactor = 2.0;
    openInput(3);
    for (const char* name : {"variant1", "variant2"})
        EXPECT_FALSE(Child<QRadioButton>(input(), QString::fromUtf8(name))->isEnabled());
    EXPECT_FALSE(
        ButtonNamed(input(), QStringLiteral("Построить графики зависимостей"))->isEnabled());
    EXPECT_FALSE(Child<HintButton>(input(), QStringLiteral("hint1"))->isEnabled());
    EXPECT_FALSE(Child<HintButton>(input(), QStringLiteral("hint8"))->isEnabled());
    EXPECT_TRUE(Child<HintButton>(input(), QStringLiteral("hint7"))->isEnabled());
    EXPECT_EQ(EditOf(box("defectFactor"))->text(), QStringLiteral("2.00"));

    technology()->setCurrentIndex(3); // "БиКМОП"
    calculate();
    EXPECT_EQ(app.wb().Lab2Processor.Technology, 3);
    EXPECT_GT(app.wb().Lab2Processor.ChipIntegration, 0);
    EXPECT_EQ(app.wb().Circuit1.Technology, 0);
    EXPECT_EQ(app.wb().Circuit1.ChipIntegration, 0);
    EXPECT_EQ(app.wb().PartDone[PartProcessor2], 1);
    EXPECT_EQ(app.wb().PartDone[PartMemory], 0);
    EXPECT_EQ(app.wb().PartDone[PartComputer], 0);
    EXPECT_EQ(app.wb().PartDone[PartProcessor1], 0);
    EXPECT_EQ(label("sxem"), QStringLiteral("БиКМОП"));
    ButtonNamed(results(), QStringLiteral("Закрыть"))->click();

    // Back in lab work 1 everything is enabled again.
    ButtonNamed(input(), QStringLiteral("Закрыть"))->click();
    openInput(0);
    EXPECT_TRUE(Child<HintButton>(input(), QStringLiteral("hint8"))->isEnabled());
    EXPECT_TRUE(
        ButtonNamed(input(), QStringLiteral("Построить графики зависимостей"))->isEnabled());
}

TEST_F(ProcessorWindows, TechnologyTextIsLookedUpWithoutCaseAndRevertsToEsl) {
    openInput(0);
    technology()->setEditText(QStringLiteral("gaas"));
    EXPECT_EQ(app.wb().Circuit1.Technology, 4);
    technology()->setEditText(QStringLiteral("XYZ"));
    EXPECT_EQ(technology()->currentText(), QStringLiteral("ЭСЛ"));
    EXPECT_EQ(app.wb().Circuit1.Technology, 0);
    technology()->setEditText(QStringLiteral("бикмоп"));
    EXPECT_EQ(app.wb().Circuit1.Technology, 3);
}

TEST_F(ProcessorWindows, SpinBoxesStoreWhileTypingAndClampWhenLeft) {
    openInput(0);
    type("minFeature", QStringLiteral("7"));
    EXPECT_DOUBLE_EQ(app.wb().Circuit1.MinFeature, 7.0);
    leave(box("minFeature"));
    EXPECT_EQ(EditOf(box("minFeature"))->text(), QStringLiteral("5.00"));
    EXPECT_DOUBLE_EQ(app.wb().Circuit1.MinFeature, 5.0);

    type("deviceIntegration", QStringLiteral("abc"));
    EXPECT_EQ(app.wb().Circuit1.DeviceIntegration, 50);
    EXPECT_FALSE(app.state.WorkbookModified); // edits alone do not modify the workbook
}

TEST_F(ProcessorWindows, LoadingWritesTheShownValueBack) {
    app.wb().Circuit1.ChipArea = 3.0;       // beyond the box's limit
    app.wb().Circuit1.DefectFactor = 0.123; // more decimals than shown
    openInput(0);
    EXPECT_EQ(EditOf(box("chipArea"))->text(), QStringLiteral("1.00"));
    EXPECT_DOUBLE_EQ(app.wb().Circuit1.ChipArea, 1.0);
    EXPECT_DOUBLE_EQ(app.wb().Circuit1.DefectFactor, 0.12);
}

TEST_F(ProcessorWindows, NoGoodChipsShowsNetAndWarnsAfterTheLabels) {
    openInput(0);
    technology()->setCurrentIndex(4);
    type("defectFactor", QStringLiteral("5"));
    type("minFeature", QStringLiteral("0.1"));
    type("chipArea", QStringLiteral("1"));
    calculate();
    ASSERT_TRUE(results()->isVisible());
    EXPECT_EQ(label("godn"), QStringLiteral("НЕТ"));
    EXPECT_EQ(label("narOtk"), QStringLiteral("0.000000"));
    EXPECT_EQ(label("integrBis"), QStringLiteral("20000000"));
    ASSERT_EQ(app.dialogs.messages.size(), 1);
    EXPECT_EQ(app.dialogs.messages[0],
              QStringLiteral("Внимание !\n\nНет выхода годных кристаллов с пластины !"));
}

TEST_F(ProcessorWindows, ResultValuesAreSelectedWithTheMouse) {
    openInput(0);
    calculate();
    ASSERT_TRUE(results()->isVisible());
    ExpectValuesSelectableWhenPointedAt(results(), {"stProc", "sxem", "godn", "mhz"});
}

TEST_F(ProcessorWindows, DamagedTechnologyShowsEslAndCalculationReportsAnError) {
    app.wb().Circuit1.Technology = 9;
    openInput(0);
    EXPECT_EQ(technology()->currentText(), QStringLiteral("ЭСЛ"));
    EXPECT_EQ(app.wb().Circuit1.Technology, 0);

    app.wb().Circuit1.Technology = 9; // damaged again behind the window's back
    calculate();
    EXPECT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_FALSE(results()->isVisible());
    EXPECT_TRUE(input()->isEnabled());
    EXPECT_EQ(app.wb().Circuit1.Technology, 9);
}

TEST_F(ProcessorWindows, TaskNeedsAWholeVariantNumberAndCloseOpensTheGuide) {
    openInput(0);
    // A variant without a task (only an opened file holds one) is said, never
    // added to the entry number.
    const std::pair<const char*, const char*> bad[] = {{"x", "is not a valid integer value"},
                                                       {"2147483647", "от 1 до 10"},
                                                       {"-2147483648", "от 1 до 10"},
                                                       {"0", "от 1 до 10"},
                                                       {"11", "от 1 до 10"}};
    for (const auto& [text, message] : bad) {
        app.dialogs.errors.clear();
        app.wb().sVar = text;
        ButtonNamed(input(), QStringLiteral("Задание"))->click();
        ASSERT_EQ(app.dialogs.errors.size(), 1) << text;
        EXPECT_TRUE(app.dialogs.errors[0].contains(QString::fromUtf8(message))) << text;
    }
    app.dialogs.errors.clear();
    app.wb().sVar = "10";
    ButtonNamed(input(), QStringLiteral("Задание"))->click();
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    ASSERT_NE(app.ctx.windows.hint.get(), nullptr);
    EXPECT_TRUE(app.ctx.windows.hint->isVisible());

    app.wb().GuideAutoStart = 1;
    ButtonNamed(input(), QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(input()->isVisible());
    ASSERT_NE(app.ctx.windows.guide.get(), nullptr);
    EXPECT_TRUE(app.ctx.windows.guide->isVisible());
}

} // namespace
} // namespace orvik::test
