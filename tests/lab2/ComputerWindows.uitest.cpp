// The computer windows TForm13 and TForm14.
#include "app/GuideWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerResultsWindow.h"
#include "support/TestApp.h"
#include "widgets/SpinBox.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>

#include <cstring>

namespace orvik::test {
namespace {

const QStringList kLineNames{"CacheSize",   "CacheTime",    "StorageAccesses", "TaskTime",
                             "Performance", "ComputerCost", "CostPerMips"};

struct ComputerFixture : ::testing::Test {
    TestApp app;
    ComputerInputWindow* input = nullptr;
    ComputerResultsWindow* results = nullptr;

    void SetUp() override {
        // The default task and memory, computed, and the example processor.
        Workbook& wb = app.wb();
        wb.Task.Cycles = 50283;
        wb.Task.DataFactor = 0.004;
        wb.Memory.CycleTime = 105;
        wb.Memory.MemoryCost = 1872;
        wb.Lab2Processor.ProcessorCost = 100;
        wb.Lab2Processor.Frequency = 100;
        wb.Lab2Processor.AluCount = 1;
        app.state.CurrentPart = PartComputer;
        input = app.ctx.windows.computerInput.get();
        results = app.ctx.windows.computerResults.get();
        input->open();
        ASSERT_TRUE(input->isVisible());
    }
    void TearDown() override { results->hide(); }

    QCheckBox* usesStorage() { return Child<QCheckBox>(input, "UsesStorage"); }
    QCheckBox* countKnown() { return Child<QCheckBox>(input, "AccessCountKnown"); }
    bool spinEnabled(const char* name) { return Child<SpinBox>(input, name)->isEnabled(); }
    void calculate() { ButtonNamed(input, QStringLiteral("Расчитать"))->click(); }
    QStringList lines() {
        QStringList texts;
        for (const QString& name : kLineNames)
            texts << LabelText(results, name).trimmed();
        return texts;
    }
    QStringList gridRow(int row) { // grid row 1..12 below the header row
        auto* grid = Child<QTableWidget>(results, "CacheGrid");
        QStringList texts;
        for (int col = 0; col < grid->columnCount(); ++col)
            texts << grid->item(row - 1, col)->text().trimmed();
        return texts;
    }
};

TEST_F(ComputerFixture, InputShowsTheDerivedValuesAndTheRecord) {
    EXPECT_EQ(LabelText(input, "ProcessorCycle"), QStringLiteral("10"));
    EXPECT_EQ(LabelText(input, "MemoryCycle"), QStringLiteral("105"));
    EXPECT_EQ(LabelText(input, "MemorySize"), QStringLiteral("32"));
    EXPECT_EQ(Child<SpinBox>(input, "CacheSize")->value(), 16);
    EXPECT_EQ(Child<SpinBox>(input, "StorageCycle")->value(), 15);
    EXPECT_EQ(Child<SpinBox>(input, "StorageSize")->value(), 500);
    EXPECT_FALSE(app.ctx.mainWindow()->isEnabled());
}

TEST_F(ComputerFixture, DefaultsGiveTheWorkedRowAndTheGridRepeatsIt) {
    calculate();
    ASSERT_TRUE(results->isVisible());
    EXPECT_FALSE(input->isEnabled());
    EXPECT_EQ(app.wb().PartDone[PartComputer], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_EQ(lines(), (QStringList{"16", "20", "0", "8.71", "5.77", "1975", "342"}));
    EXPECT_EQ(gridRow(7), lines()); // 16 KB at 20 ns
    EXPECT_EQ(gridRow(1).mid(0, 2), (QStringList{"4", "10"}));
    EXPECT_EQ(gridRow(4).mid(0, 2), (QStringList{"32", "10"}));
    EXPECT_EQ(gridRow(9).mid(0, 2), (QStringList{"4", "30"}));
    EXPECT_EQ(gridRow(12).mid(0, 2), (QStringList{"32", "30"}));
    auto* grid = Child<QTableWidget>(results, "CacheGrid");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Кэш-память"));
    EXPECT_EQ(grid->horizontalHeaderItem(6)->text(), QStringLiteral("Ст.вычисл."));
    EXPECT_LE(grid->rowViewportPosition(11) + grid->rowHeight(11), grid->viewport()->height())
        << "all twelve rows in sight";
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible()) << "nothing to scroll";
    EXPECT_EQ(grid->viewport()->width(), grid->horizontalHeader()->length()) << "no room left";
    EXPECT_EQ(app.wb().Computer.CacheSize, 16);
    EXPECT_EQ(app.wb().Computer.CacheTime, 20);
    EXPECT_EQ(app.wb().Computer.CostPerMips, 342);

    ButtonNamed(results, QStringLiteral("Закрыть"))->click();
    EXPECT_TRUE(input->isEnabled());
}

TEST_F(ComputerFixture, ExternalStorageWithAndWithoutAStatedCount) {
    usesStorage()->click();
    EXPECT_EQ(app.wb().Computer.UsesStorage, 1);
    EXPECT_EQ(app.wb().Computer.StorageCycle, 15);
    EXPECT_EQ(app.wb().Computer.StorageSize, 500);
    calculate();
    EXPECT_EQ(lines(), (QStringList{"16", "20", "3", "53.71", "0.94", "2323", "2481"}));
    ButtonNamed(results, QStringLiteral("Закрыть"))->click();

    countKnown()->click();
    EXPECT_EQ(app.wb().Computer.AccessCountKnown, 1);
    EXPECT_EQ(app.wb().Computer.GivenAccesses, 1);
    calculate();
    EXPECT_EQ(lines(), (QStringList{"16", "20", "1", "23.71", "2.12", "2323", "1095"}));
    EXPECT_EQ(gridRow(7), lines());
}

TEST_F(ComputerFixture, StorageControlsFollowTheCheckBoxes) {
    EXPECT_FALSE(spinEnabled("StorageCycle"));
    EXPECT_FALSE(spinEnabled("StorageSize"));
    EXPECT_FALSE(countKnown()->isEnabled());
    EXPECT_FALSE(spinEnabled("GivenAccesses"));

    usesStorage()->click();
    EXPECT_TRUE(spinEnabled("StorageCycle"));
    EXPECT_TRUE(spinEnabled("StorageSize"));
    EXPECT_TRUE(countKnown()->isEnabled());
    EXPECT_FALSE(spinEnabled("GivenAccesses"));

    countKnown()->click();
    EXPECT_TRUE(spinEnabled("GivenAccesses"));
    EditOf(Child<SpinBox>(input, "GivenAccesses"))->setText(QStringLiteral("7"));
    EXPECT_EQ(app.wb().Computer.GivenAccesses, 7);

    // Unchecking the first box unchecks the second, which stores its state.
    usesStorage()->click();
    EXPECT_FALSE(countKnown()->isChecked());
    EXPECT_FALSE(countKnown()->isEnabled());
    EXPECT_FALSE(spinEnabled("GivenAccesses"));
    EXPECT_FALSE(spinEnabled("StorageCycle"));
    EXPECT_EQ(app.wb().Computer.UsesStorage, 0);
    EXPECT_EQ(app.wb().Computer.AccessCountKnown, 0);
    calculate();
    EXPECT_EQ(LabelText(results, "StorageAccesses").trimmed(), QStringLiteral("0"));
    EXPECT_EQ(LabelText(results, "ComputerCost").trimmed(), QStringLiteral("1975"));
}

TEST_F(ComputerFixture, ShowingTheRecordLeavesItUnchanged) {
    ButtonNamed(input, QStringLiteral("Закрыть"))->click();
    EXPECT_TRUE(app.ctx.mainWindow()->isEnabled());
    ComputerRecord& c = app.wb().Computer;
    c.UsesStorage = 0;
    c.AccessCountKnown = 1; // only a file can hold this
    c.StorageCycle = -5;
    c.GivenAccesses = 0;
    const ComputerRecord before = c;
    input->open();
    EXPECT_EQ(std::memcmp(&before, &c, sizeof c), 0);
    EXPECT_EQ(Child<SpinBox>(input, "StorageCycle")->value(), -5);
    EXPECT_FALSE(countKnown()->isChecked());

    // A record with other storage settings shows its own values.
    ButtonNamed(input, QStringLiteral("Закрыть"))->click();
    c.UsesStorage = 1;
    c.StorageCycle = 30;
    c.StorageSize = 1000;
    input->open();
    EXPECT_TRUE(usesStorage()->isChecked());
    EXPECT_TRUE(spinEnabled("StorageSize"));
    EXPECT_EQ(Child<SpinBox>(input, "StorageSize")->value(), 1000);
}

TEST_F(ComputerFixture, ResultsWithoutAValueAreReportedAndTheCacheIsKept) {
    EditOf(Child<SpinBox>(input, "CacheSize"))->setText(QStringLiteral("24"));
    EditOf(Child<SpinBox>(input, "CacheTime"))->setText(QStringLiteral("30"));

    app.wb().Task.Cycles = 0;
    calculate();
    EXPECT_FALSE(results->isVisible());
    ASSERT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_TRUE(app.dialogs.errors[0].contains(QStringLiteral("равна нулю")));
    EXPECT_EQ(app.wb().Computer.CacheSize, 24);
    EXPECT_EQ(app.wb().Computer.CacheTime, 30);
    EXPECT_TRUE(input->isEnabled());

    app.wb().Task.Cycles = 50283;
    usesStorage()->click();
    EditOf(Child<SpinBox>(input, "StorageSize"))->setText(QStringLiteral("0"));
    calculate();
    EXPECT_FALSE(results->isVisible());
    ASSERT_EQ(app.dialogs.errors.size(), 2);
    EXPECT_TRUE(app.dialogs.errors[1].startsWith(QStringLiteral("Объем ВЗУ")));
    EXPECT_EQ(app.wb().Computer.CacheSize, 24);
    EXPECT_TRUE(input->isEnabled());
}

TEST_F(ComputerFixture, DamagedProcessorFrequencyShowsADash) {
    ButtonNamed(input, QStringLiteral("Закрыть"))->click();
    app.wb().Lab2Processor.Frequency = 0;
    app.wb().Memory.Capacity = 2000000000;
    input->open();
    EXPECT_EQ(LabelText(input, "ProcessorCycle"), QStringLiteral("—"));
    EXPECT_EQ(LabelText(input, "MemorySize"), QStringLiteral("—"));
}

TEST_F(ComputerFixture, CloseDoesNotReopenTheGuide) {
    app.wb().GuideAutoStart = 1;
    ButtonNamed(input, QStringLiteral("Закрыть"))->click();
    EXPECT_FALSE(input->isVisible());
    EXPECT_FALSE(app.ctx.windows.guide->isVisible());
    EXPECT_TRUE(app.ctx.mainWindow()->isEnabled());
}

} // namespace
} // namespace orvik::test
