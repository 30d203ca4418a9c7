#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QImage;
class QPainter;
class QPrinter;

namespace orvik {

// Report pages are A4 portrait sheets; every position on them is given in
// millimetres from the sheet's top-left corner.
inline constexpr double kSheetWidthMm = 210.0;
inline constexpr double kSheetHeightMm = 297.0;
inline constexpr double kMarginLeftMm = 17.0;
inline constexpr double kMarginRightMm = 10.0;
inline constexpr double kMarginTopMm = 10.0;
inline constexpr double kMarginBottomMm = 17.0;

// The printable area inside the margins.
inline QRectF PrintableAreaMm() {
    return QRectF(kMarginLeftMm, kMarginTopMm, kSheetWidthMm - kMarginLeftMm - kMarginRightMm,
                  kSheetHeightMm - kMarginTopMm - kMarginBottomMm);
}

// A font of the report pages ("Arial" or "Courier New") at a size in points.
QFont PageFont(const QString& family, double points, bool bold = false);

// Paints on a page in millimetres, whatever the device's resolution.
class PageCanvas {
public:
    explicit PageCanvas(QPainter& painter);

    QPainter& painter() { return painter_; }
    // A rectangle in millimetres as device coordinates.
    QRectF toDevice(const QRectF& mm) const;
    double toDevice(double mm) const { return mm * dotsPerMm_; }

    // Text in a fixed box: it wraps at word boundaries within the box's
    // width, and lines that would reach below the box are left out, so the
    // box never grows. `align` is the horizontal alignment.
    void textBox(const QRectF& mm, const QFont& font, Qt::Alignment align, const QString& text);
    // Text on one line from its top-left corner; returns its width in mm.
    double textLine(double leftMm, double topMm, const QFont& font, const QString& text);
    // A rectangle outline with a line width in mm.
    void frame(const QRectF& mm, double lineMm);
    void line(double x1, double y1, double x2, double y2, double lineMm);
    // A picture scaled into its box (nothing for an empty picture).
    void image(const QRectF& mm, const QImage& picture);

private:
    QPainter& painter_;
    double dotsPerMm_;
};

// One printable page of the report.
class ReportPage {
public:
    virtual ~ReportPage() = default;
    // The page's name as a print job's title.
    virtual QString documentName() const = 0;
    virtual void paintPage(PageCanvas& canvas) const = 0;
};

// A4 portrait, the report's margins, one copy; the painter's origin is the
// sheet's top-left corner.
void SetUpReportPrinter(QPrinter& printer, const QString& documentName);

// Paints `page` as the one page of the printer's job. False when the
// printer cannot be started.
bool PaintReportPage(QPrinter& printer, const ReportPage& page);

// Writes `page` as a one-page PDF file.
bool WriteReportPdf(const ReportPage& page, const QString& path);

} // namespace orvik
