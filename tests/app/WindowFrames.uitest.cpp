// How the windows stand on a desktop: which window stays above which, their
// titles and title-bar buttons, and captions that must be shown whole.
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/ReportWindow.h"
#include "support/FinishedWorkbook.h"
#include "support/TestApp.h"
#include "widgets/WindowPlacement.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFontInfo>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QWindow>

namespace orvik::test {
namespace {

// Each window shown over another is the transient of the one beneath, which
// it disables, so a message box goes to it and the window manager keeps it
// on top after the box closes.
TEST(WindowFrames, AWindowShownOverAnotherStaysAboveIt) {
    TestApp app;
    Windows& w = app.ctx.windows;
    w.main->show();
    struct Step {
        const char* what;
        std::function<void()> open;
        QWidget* above;
        QWidget* beneath;
    };
    const Step steps[] = {
        {"guide over the main window", [&] { app.ctx.OpenGuide(); }, w.guide.get(), w.main.get()},
        {"input over the main window",
         [&] {
             w.guide->hide();
             app.state.CurrentPart = PartProcessor1;
             w.processorInput->open();
         },
         w.processorInput.get(), w.main.get()},
        {"results over the input window",
         [&] { ButtonNamed(w.processorInput.get(), "Расчет текущего процессора")->click(); },
         w.processorResults.get(), w.processorInput.get()},
        {"graph over the input window",
         [&] {
             w.processorResults->hide();
             w.graph->open();
         },
         w.graph.get(), w.processorInput.get()},
        {"report over the main window",
         [&] {
             w.graph->close();
             w.processorInput->hide();
             w.report->open();
         },
         w.report.get(), w.main.get()},
    };
    for (const Step& step : steps) {
        step.open();
        ASSERT_TRUE(step.above->isVisible()) << step.what;
        ASSERT_TRUE(step.above->windowHandle()) << step.what;
        EXPECT_EQ(step.above->windowHandle()->transientParent(), step.beneath->windowHandle())
            << step.what;
        EXPECT_FALSE(step.beneath->isEnabled()) << step.what;
        EXPECT_EQ(UppermostAbove(step.beneath), step.above) << step.what;
        EXPECT_EQ(UppermostAbove(w.main.get()), step.above) << step.what << ": the whole chain";
    }
    w.report->hide();
    EXPECT_TRUE(w.main->isEnabled());
    EXPECT_EQ(UppermostAbove(w.main.get()), w.main.get());
    w.main->hide();
}

// The texts of `window` that do not fit the room their widget has: a label's
// or a button's caption (each of its lines) wider than its text area, the
// lines of a label taller than it, an item of a list wider than the list.
QStringList CutTexts(QWidget* window) {
    QStringList cut;
    const auto where = [&](const QWidget* w, const QString& text) {
        return QStringLiteral("%1 %2 \"%3\"").arg(window->objectName(), w->objectName(), text);
    };
    const auto wider = [](int needed, int room) {
        return QStringLiteral(" needs %1 px, has %2").arg(needed).arg(room);
    };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || label->text().isEmpty() ||
            Qt::mightBeRichText(label->text()))
            continue;
        const QFontMetrics fm(label->font());
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                          -label->margin(), -label->margin());
        const QStringList lines = label->text().split(u'\n');
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                cut << where(label, label->text()) + QStringLiteral(" (wrapped)");
            continue;
        }
        for (QString line : lines) {
            while (line.endsWith(u' ')) // a blank at the end shows nothing
                line.chop(1);
            const int needed = fm.horizontalAdvance(line);
            if (needed > room.width() - label->indent())
                cut << where(label, line) + wider(needed, room.width() - label->indent());
        }
        if (lines.size() * fm.lineSpacing() > room.height() + fm.leading())
            cut << where(label, label->text()) + QStringLiteral(" (lines)");
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        int needed = QFontMetrics(button->font()).horizontalAdvance(button->text());
        int room = 0;
        if (auto* tool = qobject_cast<QToolButton*>(button)) {
            if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
                continue;
            // The caption is drawn inside the button's frame.
            room = tool->width() - 2 * tool->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        } else {
            if (!button->icon().isNull())
                needed += button->iconSize().width() + 4;
            room = button->style()->subElementRect(contents, &option, button).width();
        }
        if (needed > room)
            cut << where(button, button->text()) + wider(needed, room);
    }
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
        if (!view->isVisibleTo(window) || !view->model())
            continue;
        const QAbstractItemModel* model = view->model();
        for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
            for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
                const QModelIndex index = model->index(r, c, view->rootIndex());
                const QRect rect = view->visualRect(index);
                if (rect.isEmpty())
                    continue;
                // A cell has its column; an item of a list has the list's width.
                const int needed = view->sizeHintForIndex(index).width();
                int room = rect.width();
                if (qobject_cast<QListView*>(view))
                    room = std::min(room, view->viewport()->width() - rect.x());
                if (needed > room)
                    cut << where(view, index.data().toString()) + wider(needed, room);
            }
    }
    return cut;
}

// Every caption, label and item of every window is shown whole in the
// program's font (Arial, which the Liberation fonts stand in for) at the
// windows' own sizes: every window over a computed workbook, and each page of
// the guide, which keeps one size for all of them.
TEST(WindowFrames, EveryTextIsShownWhole) {
    if (QFontInfo(QFont(QStringLiteral("Arial"))).family() != QStringLiteral("Liberation Sans"))
        GTEST_SKIP() << "the windows are laid out for Liberation Sans";
    TestApp app;
    ComputeAllLabs(app.wb());
    for (QWidget* window : app.windows->all()) {
        window->show();
        QApplication::processEvents();
        EXPECT_EQ(CutTexts(window).join(u'\n').toStdString(), "")
            << window->objectName().toStdString();
        window->hide();
        QApplication::processEvents();
    }
    GuideWindow* guide = app.ctx.windows.guide.get();
    guide->show();
    const QSize size = guide->size();
    for (int page = 0; page <= 4; ++page) {
        guide->SetGuidePage(page, std::nullopt);
        QApplication::processEvents();
        EXPECT_EQ(CutTexts(guide).join(u'\n').toStdString(), "") << "guide page " << page;
        EXPECT_EQ(guide->size(), size) << "guide page " << page;
    }
    guide->hide();
}

} // namespace
} // namespace orvik::test
