#pragma once

#include "report/ReportPage.h"

#include <QString>
#include <QWidget>

namespace orvik {

class UiContext;
struct Workbook;

// TForm21: the title page of the report. Never shown; it holds the page's
// fields, which the report window fills just before each preview or print.
class TitlePage : public QWidget, public ReportPage {
    Q_OBJECT
public:
    explicit TitlePage(UiContext& ctx);

    // Where the department writes the name of its institution, once for
    // every student of the lab (installed with the package, naming none).
    static QString SystemInstitutionFile();
    // The institution's name in the text file `path` (UTF-8): its lines
    // that are neither blank nor start with '#', joined by blanks, at most
    // kInstitutionLength characters. No file, or no such line: no name.
    static QString ReadInstitutionName(const QString& path);
    static constexpr int kInstitutionLength = 300;
    // The file fill() reads the name from: the system's file, or another in tests.
    void setInstitutionFile(const QString& path) { institutionFile_ = path; }
    // "Лабораторные работы по дисциплине "Орвик"".
    static QString CourseLine();

    // Writes the institution's name as its file holds it now, the year line
    // ("Москва, " and the year in four digits) and the four student texts,
    // each on one line.
    void fill(const Workbook& workbook, int year);

    QString documentName() const override;
    void paintPage(PageCanvas& canvas) const override;

private:
    UiContext& ctx_;
    QString institutionFile_ = SystemInstitutionFile();
    QString institution_;
    QString yearLine_;
    QString variant_;
    QString group_;
    QString student_;
    QString teacher_;
};

} // namespace orvik
