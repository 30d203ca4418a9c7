#pragma once

#include "report/ReportPage.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace orvik {

struct Workbook;

// One row of a page table. A section row writes its first cell in bold
// across the whole table; a header row is bold.
struct PageTableRow {
    QStringList cells;
    bool header = false;
    bool section = false;
};

// A ruled table: column widths in mm and each column's alignment.
struct PageTable {
    std::vector<double> widths;
    std::vector<Qt::Alignment> aligns;
    std::vector<PageTableRow> rows;
    int headerLines = 1; // lines of text the header rows hold
    double points = 8.0; // size of the cell text; the rows grow with it
};

// A heading, a table or a picture, placed one below the other.
struct PageBlock {
    QString heading; // a heading when `table` has no columns and there is no picture
    PageTable table;
    QImage picture = {};      // when set: the picture across the printable width
    double pictureHeight = 0; // its height in mm
};

// A page of calculation tables, in the style of the graph page: the title
// line at the top, then the blocks from top to bottom.
class TablePage : public ReportPage {
public:
    TablePage(QString title, std::vector<PageBlock> blocks);

    QString title() const { return title_; }
    const std::vector<PageBlock>& blocks() const { return blocks_; }
    // Every cell and heading text, for checks.
    QStringList texts() const;

    QString documentName() const override { return title_; }
    void paintPage(PageCanvas& canvas) const override;

private:
    QString title_;
    std::vector<PageBlock> blocks_;
};

// "Лаб.1 - Таблица расчетов": inputs and results of both circuit variants as
// stored. Throws Error for a technology index outside 0..4.
TablePage ProcessorTablesPage(const Workbook& workbook);
// "Лаб.2 - Таблицы расчетов": the task, the lab-2 processor, the memory
// with its four chips and the computer with its twelve caches, computed on
// copies of the records. Throws Error when a model fails.
TablePage Lab2TablesPage(const Workbook& workbook);
// "Лаб.3 - Деятельность компьютерной фирмы": the chosen kit and all sixteen
// kits, computed on copies. Throws Error when the model fails.
TablePage FirmTablesPage(const Workbook& workbook);

} // namespace orvik
