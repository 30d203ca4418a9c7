#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QGridLayout;
class QTableWidget;
class QWidget;

namespace orvik {

class UiContext;

// A table as a window shows it: every cell is the text on the screen, so a
// copy or a spreadsheet holds exactly the shown digits.
struct ShownTable {
    QString title;            // the sheet's name and first line
    QStringList columnTitles; // the grid's header; empty when it has none
    QList<QStringList> rows;  // cell texts, row by row
    QStringList notes;        // lines below the table in a spreadsheet (a legend)
};

// The header and cells of a grid (empty cells as "").
ShownTable TableFromGrid(const QTableWidget& grid, const QString& title);
// The labels of a form's rows (caption, value), row by row.
ShownTable TableFromForm(const QGridLayout& form, const QString& title);

// Tab-separated lines (the header first): pastes into a spreadsheet as cells.
QString TabSeparated(const ShownTable& table);

// A cell text that is a number: its value and its shown decimals.
struct ShownNumber {
    double value = 0;
    int decimals = 0;
};
bool ReadShownNumber(const QString& text, ShownNumber& number);

// Writes `table` as an .xlsx workbook to `path`: the title and `headerLine`
// (the student, group and variant) above the table, numbers as numbers with
// their shown decimals as the cell format, column widths that fit. Throws
// Error when the file cannot be written.
void WriteXlsx(const ShownTable& table, const QString& headerLine, const std::string& path);

// "Студент: ..., группа: ..., вариант: ..." of the workbook.
QString StudentLine(const UiContext& ctx);

// Puts the table on the clipboard as tab-separated text.
void CopyTable(const ShownTable& table);
// Asks for an .xlsx file and writes the table into it (see ExportFile.h); the
// window of `owner` then tells where the file went.
void SaveTableToExcel(UiContext& ctx, QWidget* owner, const ShownTable& table);

// The export of a table window, in one call: the buttons "Копировать" and
// "Сохранить в Excel" (returned in a row to place in the window) and Ctrl+C
// on `owner`. `table` gives the table as shown at the moment of the click.
QWidget* MakeTableExport(UiContext& ctx, QWidget* owner, std::function<ShownTable()> table);
// The same for a grid, under `title`.
QWidget* MakeTableExport(UiContext& ctx, QWidget* owner, const QTableWidget* grid,
                         const QString& title);
// Ctrl+C alone, for a results window: `table` goes to the clipboard.
void AddCopyShortcut(UiContext& ctx, QWidget* owner, std::function<ShownTable()> table);

} // namespace orvik
