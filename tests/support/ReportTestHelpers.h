#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

namespace orvik::test {

// Runs a command-line tool and returns its standard output ("" when it fails).
inline QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A word of a PDF page with its box in millimetres from the sheet's top left.
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
};

// Arguments of the poppler tools for one page (1..), or for all pages (0).
inline QStringList PageArgs(int page) {
    if (page <= 0)
        return {};
    return {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
            QString::number(page)};
}

// The words of a page (all pages for 0), as pdftotext -bbox reads them.
inline std::vector<PdfWord> PdfWords(const QString& pdf, int page = 0) {
    const QString html =
        RunTool(QStringLiteral("pdftotext"),
                PageArgs(page) + QStringList{QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    const double mm = 25.4 / 72.0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.push_back({text, m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm,
                         m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm});
    }
    return words;
}

inline const PdfWord* FindWord(const std::vector<PdfWord>& words, const QString& text) {
    for (const PdfWord& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// The plain text of a PDF file, or of one of its pages (1..).
inline QString PdfText(const QString& pdf, int page = 0) {
    return RunTool(QStringLiteral("pdftotext"),
                   PageArgs(page) +
                       QStringList{QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// A field of pdfinfo's report ("Title", "Author", ...), UTF-8.
inline QString PdfInfoField(const QString& pdf, const QString& field) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression re(QStringLiteral("^") + field + QStringLiteral(":\\s+(.*)$"),
                                QRegularExpression::MultilineOption);
    const auto m = re.match(info);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// "Pages:" and "Page size:" of pdfinfo.
inline int PdfPageCount(const QString& pdf) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto m = pages.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

inline bool PdfIsA4(const QString& pdf) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const auto m = size.match(info);
    return m.hasMatch() && qAbs(m.captured(1).toDouble() - 595.28) < 1.5 &&
           qAbs(m.captured(2).toDouble() - 841.89) < 1.5;
}

// What qpdf finds wrong in the file's structure (cross-reference table,
// trailer, object count, streams): "" for a sound file.
inline QString PdfStructureProblems(const QString& pdf) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
    if (!p.waitForFinished(60000))
        return QStringLiteral("qpdf did not finish");
    const QString out = QString::fromUtf8(p.readAll());
    const bool clean = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                       out.contains(QStringLiteral("No syntax or stream encoding errors found"));
    return clean ? QString() : out.isEmpty() ? QStringLiteral("qpdf failed") : out;
}

} // namespace orvik::test
