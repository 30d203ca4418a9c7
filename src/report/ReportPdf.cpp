#include "report/ReportPdf.h"

#include "report/ReportPage.h"

#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QRegularExpression>

namespace orvik {

namespace {

// A PDF text string: UTF-16 big-endian with its byte-order mark, in hex.
QByteArray PdfText(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    return hex + '>';
}

QString Creator() {
    return QStringLiteral("ОРВИК лабораторные работы");
}

} // namespace

ReportPdf::ReportPdf(const QString& title, const QString& author)
    : title_(title), author_(author), writer_(&buffer_) {
    buffer_.open(QIODevice::WriteOnly);
    writer_.setTitle(title);
    writer_.setCreator(Creator());
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMarginLeftMm, kMarginTopMm, kMarginRightMm, kMarginBottomMm),
                       QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode); // the origin is the sheet's corner
    writer_.setPageLayout(layout);
}

void ReportPdf::add(const ReportPage& page) {
    if (pages_ == 0)
        painter_.begin(&writer_);
    else
        writer_.newPage();
    if (!painter_.isActive())
        return;
    ++pages_;
    painter_.save();
    PageCanvas canvas(painter_);
    page.paintPage(canvas);
    painter_.restore();
}

QByteArray ReportPdf::finish() {
    if (pages_ == 0 || !painter_.isActive())
        return {};
    painter_.end();
    buffer_.close();
    return WithPdfInfo(buffer_.data(), title_, author_, Creator());
}

QByteArray WithPdfInfo(const QByteArray& pdf, const QString& title, const QString& author,
                       const QString& creator) {
    // The last cross-reference section and its trailer.
    const qsizetype start = pdf.lastIndexOf("startxref");
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    if (start < 0 || trailer < 0 || trailer > start)
        return pdf;
    const QString tail = QString::fromLatin1(pdf.mid(trailer, start - trailer));
    static const QRegularExpression sizeRe(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression rootRe(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)"));
    static const QRegularExpression xrefRe(QStringLiteral("startxref\\s+(\\d+)"));
    const auto size = sizeRe.match(tail);
    const auto root = rootRe.match(tail);
    const auto xref = xrefRe.match(QString::fromLatin1(pdf.mid(start, 64)));
    if (!size.hasMatch() || !root.hasMatch() || !xref.hasMatch())
        return pdf;
    const QByteArray info = size.captured(1).toLatin1();
    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out += '\n';
    const qsizetype infoAt = out.size();
    out += info + " 0 obj\n<<\n/Title " + PdfText(title) + "\n/Author " + PdfText(author) +
           "\n/Creator " + PdfText(creator) + "\n/Producer " + PdfText(creator) +
           "\n/CreationDate (D:" +
           QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1() +
           "Z)\n>>\nendobj\n";
    const qsizetype xrefAt = out.size();
    out += "xref\n" + info + " 1\n" + QByteArray::number(infoAt).rightJustified(10, '0') +
           " 00000 n \ntrailer\n<<\n/Size " + QByteArray::number(info.toLongLong() + 1) +
           "\n/Root " + root.captured(1).toLatin1() + "\n/Info " + info + " 0 R\n/Prev " +
           xref.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) +
           "\n%%EOF\n";
    return out;
}

} // namespace orvik
