#include "widgets/SpinBox.h"
#include "widgets/ErrorGuard.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace orvik {
namespace {

struct Recorder {
    explicit Recorder(SpinBox& box) {
        QObject::connect(&box, &SpinBox::valueChanged, [this](double v) { values.push_back(v); });
    }
    std::vector<double> values;
};

TEST(SpinBox, EveryTextChangeStoresTheNumberReadEvenOutOfRange) {
    SpinBox box(0.1, 5, 0.1, 2);
    Recorder stored(box);
    box.lineEdit()->setText(QStringLiteral("7"));
    ASSERT_FALSE(stored.values.empty());
    EXPECT_EQ(stored.values.back(), 7.0);
    box.lineEdit()->setText(QStringLiteral("0,5"));
    EXPECT_EQ(stored.values.back(), 0.5);
    box.lineEdit()->setText(QStringLiteral("abc"));
    EXPECT_EQ(stored.values.back(), 0.1) << "a non-number reads as the lower limit";
    box.lineEdit()->setText(QString());
    EXPECT_EQ(stored.values.back(), 0.1);
    box.lineEdit()->setText(QStringLiteral("1e5"));
    EXPECT_EQ(stored.values.back(), 0.1) << "only plain decimal notation is a number";
}

TEST(SpinBox, LeavingTheBoxClampsAndRewritesWithItsDecimals) {
    SpinBox box(0.1, 5, 0.1, 2);
    Recorder stored(box);
    box.lineEdit()->setText(QStringLiteral("7"));
    emit box.editingFinished();
    EXPECT_EQ(box.lineEdit()->text(), QStringLiteral("5.00"));
    EXPECT_EQ(stored.values.back(), 5.0);
    box.lineEdit()->setText(QStringLiteral("junk"));
    emit box.editingFinished();
    EXPECT_EQ(box.lineEdit()->text(), QStringLiteral("0.10"));
    box.lineEdit()->setText(QStringLiteral("1.5"));
    emit box.editingFinished();
    EXPECT_EQ(box.lineEdit()->text(), QStringLiteral("1.50"));
}

TEST(SpinBox, IntegerBoxesRoundTiesToEvenAndReadFractionsAsTheMinimum) {
    SpinBox box(50, 1000, 10, 0);
    box.setValue(250);
    EXPECT_EQ(box.lineEdit()->text(), QStringLiteral("250"));
    EXPECT_EQ(box.intValue(), 250);
    box.lineEdit()->setText(QStringLiteral("12.5"));
    EXPECT_EQ(box.value(), 50.0);
    SpinBox real(0, 100, 1, 1);
    real.setValue(2.5);
    EXPECT_EQ(real.intValue(), 2);
    real.setValue(3.5);
    EXPECT_EQ(real.intValue(), 4);
    box.lineEdit()->setText(QStringLiteral("99999999999"));
    EXPECT_EQ(box.intValue(), 2147483647) << "never wraps";
}

TEST(SpinBox, StepsStayWithinTheLimitsAndEqualLimitsMeanNone) {
    SpinBox box(1, 10, 1, 0);
    box.setValue(9);
    box.stepBy(1);
    EXPECT_EQ(box.value(), 10.0);
    box.stepBy(1);
    EXPECT_EQ(box.value(), 10.0);
    box.stepBy(-20);
    EXPECT_EQ(box.value(), 1.0);

    SpinBox free(0, 0, 5, 0);
    free.setValue(15);
    free.stepBy(-10);
    EXPECT_EQ(free.value(), -35.0);
    free.lineEdit()->setText(QStringLiteral("123456"));
    emit free.editingFinished();
    EXPECT_EQ(free.value(), 123456.0) << "no limits: nothing is clamped";
}

TEST(SpinBox, SettingTheShownValueAgainEmitsNothing) {
    SpinBox box(0, 10, 1, 0);
    box.setValue(3);
    Recorder stored(box);
    box.setValue(3);
    EXPECT_TRUE(stored.values.empty());
    box.setValue(4);
    EXPECT_EQ(stored.values, std::vector<double>{4.0});
}

TEST(ErrorReport, AppendsAFullStopUnlessTheTextEndsInOne) {
    EXPECT_EQ(ErrorReportText(QStringLiteral("Disk full")), QStringLiteral("Disk full."));
    EXPECT_EQ(ErrorReportText(QStringLiteral("Готово.")), QStringLiteral("Готово."));
    EXPECT_EQ(ErrorReportText(QStringLiteral("Внимание !")), QStringLiteral("Внимание !"));
    EXPECT_EQ(ErrorReportText(QStringLiteral("a-")), QStringLiteral("a-"));
    EXPECT_EQ(ErrorReportText(QStringLiteral("ошибка ")), QStringLiteral("ошибка "));
    EXPECT_EQ(ErrorReportText(QStringLiteral("I/O error 5")), QStringLiteral("I/O error 5."));
}

} // namespace
} // namespace orvik
