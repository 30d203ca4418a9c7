// The memory windows TForm11 and TForm12.
#include "app/GuideWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/MemoryResultsWindow.h"
#include "support/TestApp.h"
#include "widgets/SpinBox.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

namespace orvik::test {
namespace {

struct MemoryFixture : ::testing::Test {
    TestApp app;
    MemoryInputWindow* input = nullptr;
    MemoryResultsWindow* results = nullptr;

    void SetUp() override {
        app.wb().Lab2Processor.DefectFactor = 1.0;
        app.state.CurrentPart = PartMemory;
        input = app.ctx.windows.memoryInput.get();
        results = app.ctx.windows.memoryResults.get();
        input->open();
        ASSERT_TRUE(input->isVisible());
    }
    void TearDown() override { results->hide(); }
    QList<QRadioButton*> chips() {
        return Child<QGroupBox>(input, "ChipType")->findChildren<QRadioButton*>();
    }
    void calculate() { ButtonNamed(input, QStringLiteral("Расчитать"))->click(); }
    QStringList lines() {
        return {LabelText(results, "ChipName"), LabelText(results, "CycleTime"),
                LabelText(results, "MemoryCost"), LabelText(results, "MemoryMtbf")};
    }
    QStringList column(int col) {
        auto* grid = Child<QTableWidget>(results, "MemoryGrid");
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts << grid->item(row, col)->text();
        return texts;
    }
};

TEST_F(MemoryFixture, ResultsShowTheWorkedTableForEveryChip) {
    calculate();
    ASSERT_TRUE(results->isVisible());
    EXPECT_FALSE(input->isEnabled());
    EXPECT_EQ(app.wb().PartDone[PartMemory], 1);
    EXPECT_TRUE(app.state.WorkbookModified);

    auto* grid = Child<QTableWidget>(results, "MemoryGrid");
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(column(0), (QStringList{"БИС ЗУ для постр. накопителя", "Длит. цикла обращ. к ЗУ, нс",
                                      "Стоимость ЗУ, у.е", "Время нар. на отказ для ЗУ, ч"}));
    EXPECT_EQ(column(1), (QStringList{"1 Мбит", "105", "1872", "1335"}));
    EXPECT_EQ(column(2), (QStringList{"4 Мбит", "105", "919", "5338"}));
    EXPECT_EQ(column(3), (QStringList{"16 Мбит", "105", "1514", "21348"}));
    EXPECT_EQ(column(4), (QStringList{"64 Мбит", "105", "7844", "85348"}));
    EXPECT_EQ(lines(), column(1));
    EXPECT_EQ(app.wb().Memory.ChipType, 0);
    EXPECT_EQ(app.wb().Memory.MemoryCost, 1872);

    ButtonNamed(results, QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(results->isVisible());
    EXPECT_TRUE(input->isEnabled());
    EXPECT_TRUE(input->isVisible());
}

TEST_F(MemoryFixture, TheChosenChipKeepsItsResultsAfterTheComparison) {
    chips().at(2)->click();
    EditOf(Child<SpinBox>(input, "AccessTime"))->setText(QStringLiteral("25"));
    EXPECT_EQ(app.wb().Memory.ChipType, 2);
    EXPECT_EQ(app.wb().Memory.AccessTime, 25);
    calculate();
    EXPECT_EQ(lines(), (QStringList{"16 Мбит", "38", "1514", "21348"}));
    EXPECT_EQ(app.wb().Memory.ChipType, 2);
    EXPECT_EQ(app.wb().Memory.CycleTime, 38);
    EXPECT_EQ(app.wb().Memory.MemoryCost, 1514);
    EXPECT_EQ(app.wb().Memory.MemoryMtbf, 21348);
}

TEST_F(MemoryFixture, DamagedChipTypeIsReportedAndKept) {
    input->hide();
    app.wb().Memory.ChipType = 9;
    input->open();
    for (QRadioButton* item : chips())
        EXPECT_FALSE(item->isChecked());
    calculate();
    EXPECT_FALSE(results->isVisible());
    ASSERT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_TRUE(app.dialogs.errors[0].startsWith(QStringLiteral("Неизвестный тип БИС ЗУ (9)")));
    EXPECT_EQ(app.wb().Memory.ChipType, 9);
    EXPECT_TRUE(input->isEnabled());
}

TEST_F(MemoryFixture, CloseReopensTheGuideOnlyWhenItStartsAutomatically) {
    app.wb().GuideAutoStart = 0;
    ButtonNamed(input, QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(input->isVisible());
    EXPECT_FALSE(app.ctx.windows.guide->isVisible());
    EXPECT_TRUE(app.ctx.mainWindow()->isEnabled());

    app.wb().GuideAutoStart = 1;
    input->open();
    ButtonNamed(input, QStringLiteral("Закрыть"))->click();
    EXPECT_TRUE(app.ctx.windows.guide->isVisible());
    app.ctx.windows.guide->hide();
}

} // namespace
} // namespace orvik::test
