#pragma once

#include "widgets/LabFrame.h"

#include <array>
#include <vector>

class QListWidget;

namespace orvik {

class ReportPage;

// The page kinds of the report list.
enum ReportPageKind : int {
    PageNone = 0,
    PageTitle = 1,
    PageLab1Table = 2,
    PageFirstGraph = 3, // graph kind g has page kind g + 3, up to 12
    PageLastGraph = 12,
    PageBusinessGame = 13,
    PageLab2Tables = 14,
    PageFirm = 15,
};

// TForm20 "Печать отчетов": the list of report pages of the parts done,
// their preview and printing.
class ReportWindow : public LabFrame {
    Q_OBJECT
public:
    static constexpr int kPageKindCount = 41;

    explicit ReportWindow(UiContext& ctx);

    // Page kind of each list row, 0 behind the last row.
    const std::array<int, kPageKindCount>& ReportPageKinds() const { return kinds_; }
    QListWidget* list() const { return list_; }

    // Writes the year and the student's data into the title page.
    void FillTitlePage();
    // Draws graph kind g of both circuit variants into the graph page. Leaves
    // the curves, the working record and GraphBitmap of circuit variant 2.
    void FillGraphPage(int g);

    // The buttons' work.
    void previewSelected();
    void printChecked();
    void setAllChecked(bool checked);
    // "Сохранить в PDF": every checked page in list order as one PDF file.
    void saveCheckedToPdf();

    // The PDF file's proposed name: the student and the group.
    QString pdfBaseName() const;
    // Writes the checked pages to `path` as one PDF document; the workbook
    // stays as it was. False when no checked row has a page. Throws Error
    // when the file cannot be written (nothing is left half-written).
    bool writeCheckedPdf(const QString& path);

protected:
    bool prepare() override;

private:
    void addRow(const QString& text, int kind);
    // Fills the page of `kind` and hands it to `use`; false (after telling
    // the student) for a kind without a page.
    bool withPage(int kind, const std::function<void(const ReportPage&)>& use);
    // The page kinds of the checked rows, in list order.
    std::vector<int> checkedKinds() const;
    // Whether a checked row has a page to print.
    bool pagesChecked() const;
    // Asks for the file and writes the checked pages into it.
    void choosePdfAndWrite();

    QListWidget* list_;
    std::array<int, kPageKindCount> kinds_{};
};

} // namespace orvik
