#include "report/ReportPrinter.h"

#include "report/ReportPage.h"
#include "widgets/Dialogs.h"
#include "widgets/UiContext.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace orvik {

void PreviewReportPage(QWidget* parent, const ReportPage& page) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPrinter(printer, page.documentName());
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Просмотр - ") + page.documentName());
    preview.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&page](QPrinter* target) { PaintReportPage(*target, page); });
    preview.exec();
}

namespace {

bool SaveAsPdf(UiContext& ctx, const ReportPage& page) {
    if (!ctx.dialogs.askYesNo(QStringLiteral("Принтер не найден.\nСохранить страницу \"") +
                              page.documentName() + QStringLiteral("\" в файл PDF ?")))
        return false;
    FileDialogOptions options;
    options.title = QStringLiteral("Сохранить страницу отчета");
    options.filter = QStringLiteral("PDF (*.pdf)");
    options.defaultSuffix = QStringLiteral("pdf");
    options.proposed = page.documentName() + QStringLiteral(".pdf");
    const QString path = ctx.dialogs.chooseSaveFile(options);
    if (path.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetUpReportPrinter(printer, page.documentName());
    if (!PaintReportPage(printer, page)) {
        ctx.dialogs.inform(QStringLiteral("Не удалось записать файл ") + path);
        return false;
    }
    return true;
}

} // namespace

bool PrintReportPage(UiContext& ctx, const ReportPage& page) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return SaveAsPdf(ctx, page);
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
