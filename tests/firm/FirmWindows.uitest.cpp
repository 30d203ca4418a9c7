#include "app/GuideWindow.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmInputWindow.h"
#include "firm/FirmResultsWindow.h"
#include "support/SelectableValues.h"
#include "support/TestApp.h"
#include "widgets/SpinBox.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

#include <array>
#include <cstring>
#include <vector>

namespace orvik::test {
namespace {

const QString AllKitsCaption = QStringLiteral("Расчитать для всех видов комплектации");

// The firm lab opened as the guide opens it: part 6, the input window shown.
class FirmWindows : public ::testing::Test {
protected:
    FirmWindows() {
        app.state.CurrentPart = PartFirm;
        input()->open();
    }

    FirmInputWindow* input() { return app.ctx.windows.firmInput.get(); }
    FirmResultsWindow* results() { return app.ctx.windows.firmResults.get(); }
    FirmAllKitsWindow* allKits() { return app.ctx.windows.firmAllKits.get(); }
    QWidget* mainWindow() { return app.ctx.mainWindow(); }

    QRadioButton* radio(int component, int grade) {
        auto* box = Child<QGroupBox>(input(), QStringLiteral("grade%1").arg(component));
        return box->findChildren<QRadioButton*>().at(grade);
    }
    void chooseGrades(std::array<int, 4> grades) {
        for (int i = 0; i < 4; ++i)
            radio(i, grades[i])->click();
    }
    void typeHours(const QString& text) {
        EditOf(Child<SpinBox>(input(), QStringLiteral("Hours")))->setText(text);
    }
    void click(QWidget* window, const QString& caption) { ButtonNamed(window, caption)->click(); }

    QString cell(int row, int column) {
        QTableWidgetItem* item =
            Child<QTableWidget>(allKits(), QStringLiteral("KitTable"))->item(row, column);
        return item ? item->text() : QString();
    }
    // The block of kit 1..16: five rows of eight cells.
    QStringList kitRows(int kit) {
        QStringList rows;
        for (int r = 0; r < 5; ++r) {
            QStringList cells;
            for (int c = 0; c < 8; ++c)
                cells << cell(6 * (kit - 1) + r, c);
            rows << cells.join(u'|');
        }
        return rows;
    }

    TestApp app;
};

TEST_F(FirmWindows, CalculateShowsTheNewWorkbookKit) {
    EXPECT_TRUE(radio(0, 0)->isChecked());
    EXPECT_EQ(Child<SpinBox>(input(), QStringLiteral("Hours"))->intValue(), 8);
    for (const char* name : {"type0", "price0", "rate0", "repairs3", "KitPrice", "ActivityProfit"})
        EXPECT_EQ(LabelText(results(), QString::fromUtf8(name)), QStringLiteral("0")) << name;

    click(input(), QStringLiteral("Расчет"));
    ASSERT_TRUE(results()->isVisible());
    EXPECT_TRUE(app.dialogs.errors.isEmpty());
    EXPECT_EQ(LabelText(results(), QStringLiteral("hours")), QStringLiteral("8"));
    const std::array<const char*, 4> rates{"0.000050", "0.000067", "0.000090", "0.000200"};
    const std::array<int, 4> prices{600, 450, 550, 400};
    const std::array<int, 4> repairs{3622, 1818, 2363, 4507};
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i);
        EXPECT_EQ(LabelText(results(), "type" + n), QStringLiteral("Стандартное"));
        EXPECT_EQ(LabelText(results(), "price" + n), QString::number(prices[i]));
        EXPECT_EQ(LabelText(results(), "rate" + n), QString::fromUtf8(rates[i]));
        EXPECT_EQ(LabelText(results(), "repairs" + n), QString::number(repairs[i]));
    }
    EXPECT_EQ(LabelText(results(), QStringLiteral("KitPrice")), QStringLiteral("2000"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("SalesVolume")), QStringLiteral("10000"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("SalesProfit")), QStringLiteral("2360000"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("WarrantyCost")), QStringLiteral("2195815"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("ActivityProfit")), QStringLiteral("164185"));
}

TEST_F(FirmWindows, ResultValuesAreSelectedWithTheMouse) {
    click(input(), QStringLiteral("Расчет"));
    ASSERT_TRUE(results()->isVisible());
    ExpectValuesSelectableWhenPointedAt(results(), {"ActivityProfit", "type0", "rate3"});
}

TEST_F(FirmWindows, InputsStoreAtOnceButOnlyCalculationsMarkThePartDone) {
    chooseGrades({1, 0, 1, 1});
    typeHours(QStringLiteral("12"));
    const FirmRecord& firm = app.wb().Firm;
    EXPECT_EQ(std::vector<int>(firm.Grade, firm.Grade + 4), (std::vector<int>{1, 0, 1, 1}));
    EXPECT_EQ(firm.Hours, 12);
    EXPECT_EQ(app.wb().PartDone[PartFirm], 0);
    EXPECT_FALSE(app.state.WorkbookModified);

    click(input(), QStringLiteral("Расчет"));
    EXPECT_EQ(app.wb().PartDone[PartFirm], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
    EXPECT_EQ(LabelText(results(), QStringLiteral("type1")), QStringLiteral("Стандартное"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("type2")), QStringLiteral("Высоконадежное"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("KitPrice")), QStringLiteral("2885"));

    // A second calculation while the results are open shows the new kit in place.
    chooseGrades({0, 0, 0, 0});
    click(input(), QStringLiteral("Расчет"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("hours")), QStringLiteral("12"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("WarrantyCost")), QStringLiteral("2892015"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("ActivityProfit")), QStringLiteral("-532015"));
}

TEST_F(FirmWindows, AllKitsButtonMarksThePartDoneWithoutChanges) {
    click(input(), AllKitsCaption);
    EXPECT_TRUE(allKits()->isVisible());
    EXPECT_EQ(app.wb().PartDone[PartFirm], 1);
    EXPECT_TRUE(app.state.WorkbookModified);
}

TEST_F(FirmWindows, AllKitsTableListsTheSixteenKitsAndKeepsTheStudentsKit) {
    chooseGrades({0, 1, 0, 1}); // kit 6
    click(input(), AllKitsCaption);
    ASSERT_TRUE(allKits()->isVisible());
    auto* table = Child<QTableWidget>(allKits(), QStringLiteral("KitTable"));
    EXPECT_EQ(table->rowCount(), 95);
    EXPECT_EQ(table->columnCount(), 8);
    EXPECT_EQ(LabelText(allKits(), QStringLiteral("hours")), QStringLiteral("8"));

    EXPECT_EQ(kitRows(1),
              (QStringList{"Комплектация N1|Тип|Стоим.|Отказы|Ремонт||Стоимсть комплекта|2000",
                           "Материнская плата|0|600|0.000050|3622||Объем продаж|10000",
                           "Магнитный накопитель|0|450|0.000067|1818||Прибыль с продаж|2360000",
                           "Цветной дисплей|0|550|0.000090|2363||Гарантийные затраты|2195815",
                           "Матричный принтер|0|400|0.000200|4507||Выручка|164185"}));
    EXPECT_EQ(kitRows(8),
              (QStringList{"Комплектация N8|Тип|Стоим.|Отказы|Ремонт||Стоимсть комплекта|2945",
                           "Материнская плата|0|600|0.000050|900||Объем продаж|2485",
                           "Магнитный накопитель|1|810|0.000020|144||Прибыль с продаж|863562",
                           "Цветной дисплей|1|935|0.000040|280||Гарантийные затраты|438404",
                           "Матричный принтер|1|600|0.000100|643||Выручка|425158"}));
    EXPECT_EQ(kitRows(16),
              (QStringList{"Комплектация N16|Тип|Стоим.|Отказы|Ремонт||Стоимсть комплекта|3245",
                           "Материнская плата|1|900|0.000020|16||Объем продаж|100",
                           "Магнитный накопитель|1|810|0.000020|5||Прибыль с продаж|38291",
                           "Цветной дисплей|1|935|0.000040|11||Гарантийные затраты|15509",
                           "Матричный принтер|1|600|0.000100|25||Выручка|22782"}));
    // Separator rows between the kits and column 5 stay empty.
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(cell(5, c), QString()) << c;
    for (int r = 0; r < 95; ++r)
        EXPECT_EQ(cell(r, 5), QString()) << r;
    for (int kit = 2; kit < 16; ++kit)
        EXPECT_EQ(cell(6 * kit - 1, 0), QString()) << kit;

    // The record holds the student's own kit and its results again.
    const FirmRecord& firm = app.wb().Firm;
    EXPECT_EQ(std::vector<int>(firm.Grade, firm.Grade + 4), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(firm.KitPrice, 2560);
    EXPECT_EQ(firm.SalesVolume, 5546);
    EXPECT_EQ(firm.Repairs[1], 322);
    EXPECT_EQ(firm.ActivityProfit, 601213);
}

TEST_F(FirmWindows, NegativeProfitKeepsItsMinusInBothWindows) {
    typeHours(QStringLiteral("24"));
    click(input(), QStringLiteral("Расчет"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("ActivityProfit")), QStringLiteral("-2101280"));
    click(input(), AllKitsCaption);
    EXPECT_EQ(cell(4, 6), QStringLiteral("Выручка"));
    EXPECT_EQ(cell(4, 7), QStringLiteral("-2101280"));
    EXPECT_EQ(LabelText(allKits(), QStringLiteral("hours")), QStringLiteral("24"));
}

TEST_F(FirmWindows, EachWindowDisablesTheMainWindowAndClosingItEnablesItAgain) {
    app.wb().GuideAutoStart = 1;
    EXPECT_FALSE(mainWindow()->isEnabled());
    click(input(), QStringLiteral("Расчет"));
    click(input(), AllKitsCaption);
    EXPECT_FALSE(mainWindow()->isEnabled());

    click(results(), QStringLiteral("Закрыть"));
    EXPECT_FALSE(results()->isVisible());
    EXPECT_TRUE(mainWindow()->isEnabled()); // although the input window is still open
    EXPECT_TRUE(input()->isVisible());

    click(allKits(), QStringLiteral("Закрыть"));
    EXPECT_FALSE(allKits()->isVisible());
    EXPECT_TRUE(mainWindow()->isEnabled());
    click(input(), AllKitsCaption);
    EXPECT_FALSE(mainWindow()->isEnabled());
    click(allKits(), QStringLiteral("Закрыть"));
    EXPECT_TRUE(mainWindow()->isEnabled());

    click(input(), QStringLiteral("Закрыть"));
    EXPECT_FALSE(input()->isVisible());
    EXPECT_TRUE(mainWindow()->isEnabled());
    EXPECT_FALSE(app.ctx.windows.guide->isVisible()); // closing never brings the guide back
}

// Values only a damaged workbook file can hold.
class DamagedFirmRecord : public FirmWindows {
protected:
    DamagedFirmRecord() {
        input()->close();
        app.wb().Firm.Grade[0] = 2;
        app.wb().Firm.Grade[2] = -1;
        app.wb().Firm.Hours = 0;
        input()->open();
    }
};

TEST_F(DamagedFirmRecord, HoursOutOfRangeTellsTheStudentAndShowsNoResults) {
    const FirmRecord before = app.wb().Firm;
    click(input(), QStringLiteral("Расчет"));
    ASSERT_EQ(app.dialogs.errors.size(), 1);
    EXPECT_TRUE(app.dialogs.errors[0].contains(QStringLiteral("часов")))
        << app.dialogs.errors[0].toStdString();
    EXPECT_FALSE(results()->isVisible());

    click(input(), AllKitsCaption);
    EXPECT_EQ(app.dialogs.errors.size(), 2);
    EXPECT_FALSE(allKits()->isVisible());

    // Nothing was computed: the part is not done and the record is untouched.
    EXPECT_EQ(app.wb().PartDone[PartFirm], 0);
    EXPECT_EQ(std::memcmp(&before, &app.wb().Firm, sizeof before), 0);
    EXPECT_FALSE(mainWindow()->isEnabled()); // the input window is still open
}

TEST_F(DamagedFirmRecord, GradeOtherThanOneIsShownAsStandard) {
    EXPECT_TRUE(radio(0, 0)->isChecked());
    EXPECT_TRUE(radio(2, 0)->isChecked());
    typeHours(QStringLiteral("8"));
    click(input(), QStringLiteral("Расчет"));
    ASSERT_TRUE(results()->isVisible());
    EXPECT_EQ(LabelText(results(), QStringLiteral("type0")), QStringLiteral("Стандартное"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("type2")), QStringLiteral("Стандартное"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("price0")), QStringLiteral("600"));
    EXPECT_EQ(LabelText(results(), QStringLiteral("ActivityProfit")), QStringLiteral("164185"));

    // The all-kits run gives the damaged grades back as they were.
    click(input(), AllKitsCaption);
    EXPECT_EQ(app.wb().Firm.Grade[0], 2);
    EXPECT_EQ(app.wb().Firm.Grade[2], -1);
    EXPECT_EQ(app.wb().Firm.KitPrice, 2000);
}

} // namespace
} // namespace orvik::test
