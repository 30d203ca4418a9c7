// The help texts against the windows that show them: the limits a hint
// states ("Диапазон: A..B") must be the limits of the spin box beside its
// "?" button, every spin box has a hint that states its range (or says the
// box has none), and the texts fit the windows that show them.
#include "support/BuildFolder.h"
#include "support/TestApp.h"

#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "core/Cp1251.h"
#include "firm/FirmAllKitsWindow.h"
#include "firm/FirmInputWindow.h"
#include "firm/FirmResultsWindow.h"
#include "game/GameWindow.h"
#include "lab2/ComputerInputWindow.h"
#include "lab2/ComputerResultsWindow.h"
#include "lab2/MemoryInputWindow.h"
#include "lab2/MemoryResultsWindow.h"
#include "lab2/TaskWindow.h"
#include "processor/CurveTableWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/GraphPage.h"
#include "report/ReportWindow.h"
#include "report/TitlePage.h"
#include "shell/AboutWindow.h"
#include "shell/HintWindow.h"
#include "shell/StudentDataDialog.h"
#include "shell/TaskTextWindow.h"
#include "shell/TextStore.h"
#include "widgets/HintButton.h"
#include "widgets/SpinBox.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtMath>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

namespace orvik::test {
namespace {

// The hint popup is narrow: its texts keep to the width they are written for.
constexpr int kPopupLineLimit = 35;
// The task window shows a fixed-pitch font across a wide text area.
constexpr int kTaskLineLimit = 78;
constexpr int kLastHint = 32;
constexpr int kLastPopupText = 62;
// The business game's entries: hints 67..73, then its task 74.
constexpr int kFirstGameHint = kFirstGameText;
constexpr int kGameTaskEntry = kFirstGameText + GameTask;
constexpr int kLastEntry = kFirstGameText + kGameTextCount - 1;
// A hint whose box's lower limit changes with the game's year states the
// limits in words: "Пределы меняются по годам: от ... до 5,00, шаг 0,01".
const QString kYearlyLimits = QStringLiteral("Пределы меняются по годам");

bool IsHint(int index) {
    return (index >= 0 && index <= kLastHint) ||
           (index >= kFirstGameHint && index < kGameTaskEntry);
}
bool ShownInPopup(int index) {
    return index <= kLastPopupText || (index >= kFirstGameHint && index < kGameTaskEntry);
}
// Every entry of the data file: the course's 0..66 and the game's 67..74.
std::vector<int> AllEntries() {
    std::vector<int> all;
    for (int i = 0; i <= kLastEntry; ++i)
        all.push_back(i);
    return all;
}
// The phrase of a hint whose box has no limits.
const QString kNoLimits = QStringLiteral("Пределы в окне не заданы");

// The built data file, loaded as the main window loads it.
void LoadBuiltTexts(TestApp& app) {
    ASSERT_EQ(MissingBuildFile("orviklab.db2"), "");
    ASSERT_TRUE(LoadTextStore(app.state.Texts, (BuildFolder() / "orviklab.db2").string()));
}

// Entry `index` as lines of UTF-8 text (the store holds Windows-1251 with CR LF).
QStringList Lines(const TestApp& app, int index) {
    const QString text = QString::fromStdString(Cp1251ToUtf8(TextEntry(app.state.Texts, index)));
    return text.split(QStringLiteral("\r\n"));
}

// A number as the texts write it: a decimal comma, thousands parted by blanks.
double Number(QString text) {
    return text.remove(u' ').replace(u',', u'.').toDouble();
}

struct StatedRange {
    double low;
    double high;
    std::optional<double> step;
};

// The "Диапазон: A–B, шаг C" line of a hint (an en dash or "..", decimals
// with a comma, thousands parted by blanks, the step optional): nothing when
// there is none; a line that starts so but does not read as two numbers
// fails the test.
std::optional<StatedRange> RangeLine(const QStringList& lines, int index) {
    static const QRegularExpression pattern(
        QStringLiteral("^Диапазон:\\s*(-?\\d+(?: \\d{3})*(?:,\\d+)?)(?:\\.\\.|–)"
                       "(-?\\d+(?: \\d{3})*(?:,\\d+)?)(?:, шаг (\\d+(?:,\\d+)?))?\\s*$"));
    std::optional<StatedRange> found;
    for (const QString& line : lines) {
        if (!line.startsWith(QStringLiteral("Диапазон")))
            continue;
        const QRegularExpressionMatch m = pattern.match(line);
        EXPECT_TRUE(m.hasMatch()) << "hint " << index << ": unreadable line \""
                                  << line.toStdString() << "\"";
        EXPECT_FALSE(found.has_value()) << "hint " << index << ": two range lines";
        if (m.hasMatch())
            found = StatedRange{Number(m.captured(1)), Number(m.captured(2)), std::nullopt};
        if (m.hasMatch() && m.hasCaptured(3))
            found->step = Number(m.captured(3));
    }
    return found;
}

// The grid that holds `widget` and the rows it stands in.
struct GridPlace {
    QGridLayout* grid = nullptr;
    int row = -1;
    int rowSpan = 0;
};

GridPlace PlaceOf(QWidget* window, QWidget* widget) {
    for (QGridLayout* grid : window->findChildren<QGridLayout*>()) {
        const int i = grid->indexOf(widget);
        if (i < 0)
            continue;
        GridPlace place{grid, 0, 0};
        int column = 0, columnSpan = 0;
        grid->getItemPosition(i, &place.row, &column, &place.rowSpan, &columnSpan);
        return place;
    }
    return {};
}

// The "?" button in the same grid row as `box`, if any.
HintButton* HintBeside(QWidget* window, SpinBox* box) {
    const GridPlace place = PlaceOf(window, box);
    if (!place.grid)
        return nullptr;
    for (int i = 0; i < place.grid->count(); ++i) {
        auto* button = qobject_cast<HintButton*>(place.grid->itemAt(i)->widget());
        if (!button)
            continue;
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        place.grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (row < place.row + place.rowSpan && place.row < row + rowSpan)
            return button;
    }
    return nullptr;
}

bool SameNumber(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

// The hint of a spin box states exactly the box's limits, or says it has none.
void ExpectHintMatchesBox(const TestApp& app, int index, const SpinBox& box,
                          const std::string& where) {
    SCOPED_TRACE(where + ", hint " + std::to_string(index));
    ASSERT_TRUE(IsHint(index));
    const QStringList lines = Lines(app, index);
    const std::optional<StatedRange> range = RangeLine(lines, index);
    const QString flat = lines.join(u' ');
    if (flat.contains(kYearlyLimits)) {
        // The lower limit is the year's: the words state the upper one and the step.
        EXPECT_FALSE(range.has_value()) << "a yearly limit and a \"Диапазон\" line";
        const QString upper =
            QStringLiteral("до ") + box.formatValue(box.maximum()).replace(u'.', u',');
        const QString step =
            QStringLiteral("шаг ") + QString::number(box.singleStep()).replace(u'.', u',');
        EXPECT_TRUE(flat.contains(upper)) << upper.toStdString();
        EXPECT_TRUE(flat.contains(step)) << step.toStdString();
    } else if (box.hasLimits()) {
        ASSERT_TRUE(range.has_value()) << "the hint states no \"Диапазон\" line";
        EXPECT_TRUE(SameNumber(range->low, box.minimum()))
            << "stated " << range->low << ", box from " << box.minimum();
        EXPECT_TRUE(SameNumber(range->high, box.maximum()))
            << "stated " << range->high << ", box up to " << box.maximum();
        if (range->step) {
            EXPECT_TRUE(SameNumber(*range->step, box.singleStep()))
                << "stated step " << *range->step << ", box steps by " << box.singleStep();
        }
    } else {
        EXPECT_FALSE(range.has_value()) << "the box has no limits, the hint states some";
        EXPECT_TRUE(lines.join(u' ').contains(kNoLimits))
            << "the hint does not say the box has no limits";
    }
}

TEST(HintTexts, StatedRangesAreTheLimitsOfTheirBoxes) {
    TestApp app;
    ASSERT_NO_FATAL_FAILURE(LoadBuiltTexts(app));

    std::set<int> checkedHints;
    int boxes = 0;
    for (QWidget* window : app.windows->all()) {
        ASSERT_NE(window, nullptr);
        const std::string name = window->objectName().toStdString();
        for (SpinBox* box : window->findChildren<SpinBox*>()) {
            ++boxes;
            const std::string where = name + " " + box->objectName().toStdString();
            HintButton* hint = HintBeside(window, box);
            if (!hint && window == static_cast<QWidget*>(app.ctx.windows.studentData.get())) {
                // The dialog's one "?" stands below its grid, beside "OK".
                const QList<HintButton*> buttons = window->findChildren<HintButton*>();
                ASSERT_EQ(buttons.size(), 1) << where;
                hint = buttons.front();
            }
            if (!hint) {
                ADD_FAILURE() << where << ": no \"?\" button in the row of the box";
                continue;
            }
            ExpectHintMatchesBox(app, hint->index(), *box, where);
            checkedHints.insert(hint->index());
        }
    }
    // All twenty-one input boxes were found and compared, none passed over.
    EXPECT_EQ(boxes, 21);
    EXPECT_EQ(checkedHints, (std::set<int>{0,  3,  4,  5,  6,  11, 15, 16, 17, 21, 22,
                                           23, 24, 25, 28, 68, 69, 70, 71, 72, 73}));
}

// The variant box of the student data dialog, named explicitly: its hint
// stands outside the grid of the fields.
TEST(HintTexts, VariantHintStatesOneToTen) {
    TestApp app;
    ASSERT_NO_FATAL_FAILURE(LoadBuiltTexts(app));
    auto* box = Child<SpinBox>(static_cast<QWidget*>(app.ctx.windows.studentData.get()), "Variant");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->minimum(), 1);
    EXPECT_EQ(box->maximum(), 10);
    ExpectHintMatchesBox(app, 0, *box, "TForm9 Variant");
}

// Every hint entry belongs to a "?" button, and no button points past them.
TEST(HintTexts, EveryHintHasItsButton) {
    TestApp app;
    std::set<int> used;
    for (QWidget* window : app.windows->all())
        for (HintButton* button : window->findChildren<HintButton*>())
            used.insert(button->index());
    std::set<int> expected;
    for (int i : AllEntries())
        if (IsHint(i))
            expected.insert(i);
    EXPECT_EQ(used, expected);
}

TEST(HintTexts, AllEntriesAreFilledAndFitTheirWindows) {
    TestApp app;
    ASSERT_NO_FATAL_FAILURE(LoadBuiltTexts(app));
    for (int i : AllEntries()) {
        const QStringList lines = Lines(app, i);
        EXPECT_FALSE(lines.join(QString()).trimmed().isEmpty()) << "entry " << i << " is empty";
        // Hints and variant tasks go to the popup, the guide and lab tasks
        // to the task window.
        const int limit = ShownInPopup(i) ? kPopupLineLimit : kTaskLineLimit;
        for (int n = 0; n < lines.size(); ++n)
            EXPECT_LE(lines[n].size(), limit)
                << "entry " << i << ", line " << n + 1 << ": \"" << lines[n].toStdString() << "\"";
    }
}

// The widest line of every text fits the text area of its window as the
// window opens, in the font the window shows it in: no line wraps, and the
// columns of a table stay lined up.
TEST(HintTexts, EveryLineFitsItsWindowWithoutWrapping) {
    TestApp app;
    ASSERT_NO_FATAL_FAILURE(LoadBuiltTexts(app));
    for (int i : AllEntries()) {
        QWidget* window = nullptr;
        if (ShownInPopup(i)) {
            app.ctx.windows.hint->ShowHintText(i);
            window = app.ctx.windows.hint.get();
        } else {
            app.ctx.windows.taskText->ShowTaskText(i - kLastPopupText - 1);
            window = app.ctx.windows.taskText.get();
        }
        auto* text = Child<QPlainTextEdit>(window, "text");
        ASSERT_NE(text, nullptr);
        const QFontMetrics metrics(text->font());
        EXPECT_TRUE(QFontInfo(text->font()).fixedPitch()) << "entry " << i;
        const int room = text->viewport()->width() - 2 * qCeil(text->document()->documentMargin());
        for (const QString& line : Lines(app, i))
            EXPECT_LE(metrics.horizontalAdvance(line), room)
                << "entry " << i << ": \"" << line.toStdString() << "\"";
    }
}

} // namespace
} // namespace orvik::test
