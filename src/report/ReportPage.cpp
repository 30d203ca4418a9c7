#include "report/ReportPage.h"

#include "widgets/Fonts.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

namespace orvik {

QFont PageFont(const QString& family, double points, bool bold) {
    QFont font(InstalledFamily(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

PageCanvas::PageCanvas(QPainter& painter)
    : painter_(painter), dotsPerMm_(painter.device()->logicalDpiX() / 25.4) {}

QRectF PageCanvas::toDevice(const QRectF& mm) const {
    return QRectF(mm.x() * dotsPerMm_, mm.y() * dotsPerMm_, mm.width() * dotsPerMm_,
                  mm.height() * dotsPerMm_);
}

void PageCanvas::textBox(const QRectF& mm, const QFont& font, Qt::Alignment align,
                         const QString& text) {
    if (text.isEmpty())
        return;
    const QRectF box = toDevice(mm);
    QTextLayout layout(text, font, painter_.device());
    QTextOption option(align | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    double y = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    painter_.save();
    painter_.setPen(Qt::black);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        // The first line always shows; the others only when they fit whole.
        if (i > 0 && line.y() + line.height() > box.height() + 0.5)
            break;
        line.draw(&painter_, box.topLeft());
    }
    painter_.restore();
}

double PageCanvas::textLine(double leftMm, double topMm, const QFont& font, const QString& text) {
    QTextLayout layout(text, font, painter_.device());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setPosition(QPointF(0, 0));
    layout.endLayout();
    painter_.save();
    painter_.setPen(Qt::black);
    layout.draw(&painter_, QPointF(leftMm * dotsPerMm_, topMm * dotsPerMm_));
    painter_.restore();
    return line.isValid() ? line.naturalTextWidth() / dotsPerMm_ : 0.0;
}

void PageCanvas::frame(const QRectF& mm, double lineMm) {
    painter_.save();
    QPen pen(Qt::black);
    pen.setWidthF(lineMm * dotsPerMm_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(toDevice(mm));
    painter_.restore();
}

void PageCanvas::line(double x1, double y1, double x2, double y2, double lineMm) {
    painter_.save();
    QPen pen(Qt::black);
    pen.setWidthF(lineMm * dotsPerMm_);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(x1 * dotsPerMm_, y1 * dotsPerMm_),
                      QPointF(x2 * dotsPerMm_, y2 * dotsPerMm_));
    painter_.restore();
}

void PageCanvas::image(const QRectF& mm, const QImage& picture) {
    if (picture.isNull())
        return;
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.drawImage(toDevice(mm), picture);
    painter_.restore();
}

void SetUpReportPrinter(QPrinter& printer, const QString& documentName) {
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kMarginLeftMm, kMarginTopMm, kMarginRightMm, kMarginBottomMm),
                    QPageLayout::Millimeter));
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPageOrder(QPrinter::FirstPageFirst);
    printer.setDocName(documentName);
    printer.setCreator(QStringLiteral("ОРВИК лабораторные работы"));
}

bool PaintReportPage(QPrinter& printer, const ReportPage& page) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PageCanvas canvas(painter);
    page.paintPage(canvas);
    return painter.end();
}

bool WriteReportPdf(const ReportPage& page, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetUpReportPrinter(printer, page.documentName());
    return PaintReportPage(printer, page);
}

} // namespace orvik
