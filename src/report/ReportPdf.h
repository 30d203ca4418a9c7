#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

namespace orvik {

class ReportPage;

// Report pages as one PDF document: an A4 sheet for every page, in the order
// they are added, painted as on the printer (vector text and lines). The
// document's information names its title and its author.
class ReportPdf {
public:
    ReportPdf(const QString& title, const QString& author);
    ReportPdf(const ReportPdf&) = delete;
    ReportPdf& operator=(const ReportPdf&) = delete;

    void add(const ReportPage& page);
    int pageCount() const { return pages_; }
    // Ends the document and returns the file's bytes (empty without pages).
    QByteArray finish();

private:
    QString title_;
    QString author_;
    QBuffer buffer_;
    QPdfWriter writer_;
    QPainter painter_;
    int pages_ = 0;
};

// Adds the document information (title, author, creator) to a finished PDF
// file as an incremental update, which every reader takes as the newest.
// Returns the file unchanged when it is not one it can read.
QByteArray WithPdfInfo(const QByteArray& pdf, const QString& title, const QString& author,
                       const QString& creator);

} // namespace orvik
