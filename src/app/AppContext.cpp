#include "app/AppContext.h"

#include "app/MainWindow.h"
#include "shell/GuideWindow.h"
#include "shell/HintWindow.h"
#include "shell/TaskTextWindow.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "workbook/Cp1251.h"
#include "workbook/Errors.h"

namespace orvik {

AppContext::AppContext(LabState& labState, Dialogs& dialogBoxes)
    : state(labState), dialogs(dialogBoxes) {}

QWidget* AppContext::mainWindow() const {
    return windows.main;
}

void AppContext::ShowHintText(int index) {
    if (windows.hint)
        windows.hint->ShowHintText(index);
}

void AppContext::ShowTaskText(int index) {
    if (windows.taskText)
        windows.taskText->ShowTaskText(index);
}

void AppContext::ShowVariantTask(int offset) {
    const int variant = TextToInt(Cp1251ToUtf8(state.workbook.sVar));
    ShowHintText(offset + variant);
}

void AppContext::OpenGuide() {
    ShowGuide(0, std::nullopt);
}

void AppContext::ShowGuide(int page, std::optional<int> preselect) {
    if (!windows.guide)
        return;
    windows.guide->SetGuidePage(page, preselect);
    windows.guide->show();
    windows.guide->raise();
    windows.guide->activateWindow();
}

void AppContext::MarkDone(int part) {
    if (part >= 0 && part < kPartCount)
        state.workbook.PartDone[static_cast<std::size_t>(part)] = 1;
    state.WorkbookModified = true;
}

void AppContext::StudentDataChanged() {
    if (windows.main)
        windows.main->refreshStudent();
}

QString AppContext::FromWorkbookText(const std::string& cp1251) {
    return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

std::string AppContext::ToWorkbookText(const QString& text) {
    std::string out;
    for (const QChar c : text) {
        const auto converted = Utf8ToCp1251(QString(c).toStdString());
        out += converted && converted->size() == 1 ? *converted : std::string("?");
    }
    return out.size() > 255 ? out.substr(0, 255) : out;
}

bool Guarded(AppContext& ctx, const std::function<void()>& work) {
    return RunGuarded(ctx.dialogs, work);
}

} // namespace orvik
