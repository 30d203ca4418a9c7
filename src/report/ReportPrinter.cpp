#include "report/ReportPrinter.h"

#include "report/ReportPage.h"
#include "widgets/Dialogs.h"
#include "widgets/UiContext.h"
#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>

#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace orvik {

namespace {

// Qt's print preview without a minimise button: minimised, it would take
// the windows beneath it along (see PrepareFixedWindow).
class PreviewDialog : public QPrintPreviewDialog {
public:
    using QPrintPreviewDialog::QPrintPreviewDialog;

protected:
    void showEvent(QShowEvent* event) override {
        QPrintPreviewDialog::showEvent(event);
        PrepareFixedWindow(this);
    }
};

} // namespace

void PreviewReportPage(QWidget* parent, const ReportPage& page) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPrinter(printer, page.documentName());
    PreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Просмотр - ") + page.documentName());
    preview.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Large enough to read a whole page, within the screen's free area.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        const int height = free.height() * 9 / 10;
        const int width = std::min(free.width() * 9 / 10, height * 4 / 5 + 120);
        preview.resize(std::max(width, std::min(free.width() * 9 / 10, 900)), height);
        preview.move(free.center() - QPoint(preview.width() / 2, preview.height() / 2));
    }
    if (auto* view = preview.findChild<QPrintPreviewWidget*>())
        view->fitInView();
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&page](QPrinter* target) { PaintReportPage(*target, page); });
    preview.exec();
}

bool PrinterAvailable() {
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool PrintReportPage(UiContext& ctx, const ReportPage& page) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        ctx.dialogs.inform(QStringLiteral("Принтер не найден."));
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    SetUpReportPrinter(printer, page.documentName());
    if (!PaintReportPage(printer, page)) {
        ctx.dialogs.inform(QStringLiteral("Не удалось напечатать страницу на принтере ") +
                           info.printerName());
        return false;
    }
    return true;
}

} // namespace orvik
