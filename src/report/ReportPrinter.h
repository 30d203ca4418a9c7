#pragma once

#include <QString>

class QWidget;

namespace orvik {

class UiContext;
class ReportPage;

// Shows `page` in a print-preview window as it will print; returns when
// the student closes that window.
void PreviewReportPage(QWidget* parent, const ReportPage& page);

// Whether the system has a default printer.
bool PrinterAvailable();

// Prints `page` as one job of one page on the system's default printer,
// without a printer dialog. Returns true when the page went to the printer;
// otherwise the student is told why.
bool PrintReportPage(UiContext& ctx, const ReportPage& page);

} // namespace orvik
