// How the windows stand on a desktop: which window stays above which, their
// titles and title-bar buttons, and captions that must be shown whole.
#include "app/GuideWindow.h"
#include "app/MainWindow.h"
#include "processor/GraphWindow.h"
#include "processor/ProcessorInputWindow.h"
#include "processor/ProcessorResultsWindow.h"
#include "report/ReportWindow.h"
#include "support/TestApp.h"
#include "widgets/WindowPlacement.h"

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

} // namespace
} // namespace orvik::test
