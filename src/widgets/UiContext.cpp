#include "widgets/UiContext.h"

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "workbook/Progress.h"

#include <QPainter>

#include <algorithm>

namespace orvik {

UiContext::UiContext(LabState& labState, Dialogs& dialogBoxes)
    : state(labState), dialogs(dialogBoxes) {}

QImage& UiContext::GraphBitmapToDraw(int w, int h) {
    w = std::clamp(w, 1, 1600);
    h = std::clamp(h, 1, 1200);
    if (GraphBitmap.width() < w || GraphBitmap.height() < h) {
        // Only the area drawn is kept in memory: a graph the size of the
        // window needs a third of the largest bitmap.
        QImage larger(std::max(w, GraphBitmap.width()), std::max(h, GraphBitmap.height()),
                      QImage::Format_RGB32);
        larger.fill(Qt::white);
        if (!GraphBitmap.isNull()) {
            QPainter p(&larger);
            p.drawImage(0, 0, GraphBitmap);
        }
        GraphBitmap = std::move(larger);
    }
    return GraphBitmap;
}

void UiContext::ShowVariantTask(int offset) {
    const std::string text = Cp1251ToUtf8(state.workbook.sVar);
    const std::int32_t variant = TextToInt(text);
    // Only variants 1..10 have tasks; the number is never used as it stands.
    if (variant < 1 || variant > 10)
        throw Error("Задания для варианта " + text +
                    " нет: варианты заданий - от 1 до 10. Укажите свой вариант в данных "
                    "студента.");
    ShowHintText(offset + variant);
}

void UiContext::MarkDone(int part) {
    CompletePart(state.workbook, part);
    state.WorkbookModified = true;
}

void UiContext::ReturnToGuide() {
    if (state.workbook.GuideAutoStart)
        OpenGuide();
}

QString UiContext::FromWorkbookText(const std::string& cp1251) {
    return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

QString UiContext::OneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")); // one line break, one blank
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return text;
}

std::string UiContext::ToWorkbookText(const QString& text) {
    std::string out;
    for (const QChar c : text) {
        const auto converted = Utf8ToCp1251(QString(c).toStdString());
        out += converted && converted->size() == 1 ? *converted : std::string("?");
    }
    return out.size() > 255 ? out.substr(0, 255) : out;
}

bool Guarded(UiContext& ctx, const std::function<void()>& work) {
    return RunGuarded(ctx.dialogs, work);
}

} // namespace orvik
