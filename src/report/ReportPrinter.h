#pragma once

#include <QString>

class QWidget;

namespace orvik {

class UiContext;
class ReportPage;

// Shows `page` in a print-preview window as it will print; returns when
// the student closes that window.
void PreviewReportPage(QWidget* parent, const ReportPage& page);

// Prints `page` as one job of one page on the system's default printer,
// without a printer dialog. Without a printer the student is told so and
// may save the page as a PDF file instead. Returns true when the page went
// to the printer or the file.
bool PrintReportPage(UiContext& ctx, const ReportPage& page);

} // namespace orvik
