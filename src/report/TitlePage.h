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

    // The institution that runs the course, on the page's first line.
    static QString InstitutionName();
    // "Лабораторные работы по дисциплине "Орвик"".
    static QString CourseLine();

    // Writes the year line ("Москва, " and the year in four digits) and the
    // four student texts, taken unchanged.
    void fill(const Workbook& workbook, int year);

    QString documentName() const override;
    void paintPage(PageCanvas& canvas) const override;

private:
    UiContext& ctx_;
    QString yearLine_;
    QString variant_;
    QString group_;
    QString student_;
    QString teacher_;
};

} // namespace orvik
