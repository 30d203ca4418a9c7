#include "widgets/TableExport.h"

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/NumericLocale.h"
#include "widgets/Buttons.h"
#include "widgets/ExportFile.h"
#include "widgets/SavedNotice.h"
#include "widgets/UiContext.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QTableWidget>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>

namespace orvik {

namespace {

QString CellText(const QTableWidget& grid, int row, int column) {
    const QTableWidgetItem* item = grid.item(row, column);
    return item ? item->text().trimmed() : QString();
}

// A sheet name Excel accepts: at most 31 characters, none of []:*?/\.
QString SheetName(const QString& title) {
    QString name = title;
    name.replace(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")), QStringLiteral(" "));
    // Whole words while they fit.
    while (name.size() > 31 && name.contains(u' '))
        name = name.left(name.lastIndexOf(u' '));
    name = name.left(31).trimmed();
    return name.isEmpty() ? QStringLiteral("Таблица") : name;
}

struct XlsxBook {
    lxw_workbook* book;
    ~XlsxBook() {
        if (book)
            workbook_close(book); // frees it; the file is rewritten afterwards anyway
    }
};

} // namespace

ShownTable TableFromGrid(const QTableWidget& grid, const QString& title) {
    ShownTable table{title, {}, {}, {}};
    if (!grid.horizontalHeader()->isHidden())
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QTableWidgetItem* head = grid.horizontalHeaderItem(c);
            table.columnTitles << (head ? head->text() : QString::number(c + 1));
        }
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << CellText(grid, r, c);
        table.rows << cells;
    }
    return table;
}

ShownTable TableFromForm(const QGridLayout& form, const QString& title) {
    ShownTable table{title, {}, {}, {}};
    for (int r = 0; r < form.rowCount(); ++r) {
        // Cells keep their columns; a label across columns counts once.
        QStringList cells;
        for (int c = 0; c < form.columnCount(); ++c) {
            QLayoutItem* item = form.itemAtPosition(r, c);
            auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
            const bool spanned = c > 0 && item == form.itemAtPosition(r, c - 1);
            cells << (label && !spanned ? label->text().trimmed() : QString());
        }
        while (!cells.isEmpty() && cells.back().isEmpty())
            cells.removeLast();
        if (!cells.isEmpty())
            table.rows << cells;
    }
    return table;
}

QString TabSeparated(const ShownTable& table) {
    QStringList lines;
    if (!table.columnTitles.isEmpty())
        lines << table.columnTitles.join(u'\t');
    for (const QStringList& row : table.rows)
        lines << row.join(u'\t');
    return lines.join(u'\n') + u'\n';
}

bool ReadShownNumber(const QString& text, ShownNumber& number) {
    static const QRegularExpression numeric(QStringLiteral("^-?\\d+(\\.(\\d+))?$"));
    const auto m = numeric.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    bool ok = false;
    number.value = text.trimmed().toDouble(&ok); // C locale: a full stop
    number.decimals = static_cast<int>(m.captured(2).size());
    return ok;
}

void WriteXlsx(const ShownTable& table, const QString& headerLine, const std::string& path) {
    // The writer prints numbers and column widths with the C library.
    const FullStopNumbers fullStop;
    errno = 0;
    XlsxBook xlsx{workbook_new(path.c_str())};
    if (!xlsx.book)
        throw IoError(errno != 0 ? errno : EIO);
    lxw_workbook* book = xlsx.book;
    const QByteArray title = table.title.toUtf8();
    const QByteArray author = headerLine.toUtf8();
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(title.constData());
    properties.comments = const_cast<char*>(author.constData());
    workbook_set_properties(book, &properties);

    lxw_worksheet* sheet =
        workbook_add_worksheet(book, SheetName(table.title).toUtf8().constData());
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    std::map<int, lxw_format*> numberFormats; // by decimals
    const auto numberFormat = [&](int decimals) {
        auto& format = numberFormats[decimals];
        if (!format) {
            format = workbook_add_format(book);
            const std::string code =
                decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
            format_set_num_format(format, code.c_str());
        }
        return format;
    };

    std::vector<double> widths;
    const auto fit = [&widths](int column, const QString& text) {
        if (static_cast<int>(widths.size()) <= column)
            widths.resize(static_cast<std::size_t>(column) + 1, 8.0);
        widths[static_cast<std::size_t>(column)] =
            std::max(widths[static_cast<std::size_t>(column)], text.size() * 1.1 + 2);
    };
    const auto put = [&](lxw_row_t row, int column, const QString& text, lxw_format* format) {
        if (text.isEmpty())
            return;
        ShownNumber number;
        lxw_error error;
        if (!format && ReadShownNumber(text, number))
            error = worksheet_write_number(sheet, row, static_cast<lxw_col_t>(column), number.value,
                                           numberFormat(number.decimals));
        else
            error = worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column),
                                           text.toUtf8().constData(), format);
        if (error != LXW_NO_ERROR)
            throw Error(std::string("Таблица не записана: ") + lxw_strerror(error));
    };

    lxw_row_t row = 0;
    worksheet_write_string(sheet, row++, 0, title.constData(), bold);
    worksheet_write_string(sheet, row++, 0, author.constData(), nullptr);
    ++row;
    for (int c = 0; c < table.columnTitles.size(); ++c) {
        put(row, c, table.columnTitles[c], bold);
        fit(c, table.columnTitles[c]);
    }
    if (!table.columnTitles.isEmpty())
        ++row;
    for (const QStringList& cells : table.rows) {
        for (int c = 0; c < cells.size(); ++c) {
            put(row, c, cells[c], nullptr);
            fit(c, cells[c]);
        }
        ++row;
    }
    ++row;
    for (const QString& note : table.notes)
        worksheet_write_string(sheet, row++, 0, note.toUtf8().constData(), nullptr);
    for (std::size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c],
                             nullptr);
    lxw_workbook* closing = xlsx.book;
    xlsx.book = nullptr;
    errno = 0;
    if (const lxw_error error = workbook_close(closing); error != LXW_NO_ERROR) {
        // The writer tells only which step failed; the system's reason is in
        // errno (a full disk: ENOSPC).
        const int code = errno;
        throw IoError(code != 0 ? code : EIO);
    }
}

QString StudentLine(const UiContext& ctx) {
    const Workbook& wb = ctx.state.workbook;
    return QStringLiteral("Студент: %1, группа: %2, вариант: %3")
        .arg(UiContext::FromWorkbookText(wb.sStudent), UiContext::FromWorkbookText(wb.sGroup),
             UiContext::FromWorkbookText(wb.sVar));
}

void CopyTable(const ShownTable& table) {
    QApplication::clipboard()->setText(TabSeparated(table));
}

void SaveTableToExcel(UiContext& ctx, QWidget* owner, const ShownTable& table) {
    const QString path =
        ChooseExportFile(ctx,
                         {QStringLiteral("Сохранить таблицу в Excel"),
                          QStringLiteral("Книга Excel (*.xlsx)"), QStringLiteral("xlsx")},
                         SafeFileName(table.title, QStringLiteral("Таблица")));
    if (path.isEmpty())
        return;
    const QString header = StudentLine(ctx);
    WriteExportFile(path, [&](int, const std::string& temp) { WriteXlsx(table, header, temp); });
    ShowSavedNotice(owner, path);
}

void AddCopyShortcut(UiContext& ctx, QWidget* owner, std::function<ShownTable()> table) {
    auto* copy = new QShortcut(QKeySequence::Copy, owner);
    copy->setContext(Qt::WindowShortcut);
    QObject::connect(copy, &QShortcut::activated, owner,
                     [&ctx, table] { Guarded(ctx, [&] { CopyTable(table()); }); });
}

QWidget* MakeTableExport(UiContext& ctx, QWidget* owner, std::function<ShownTable()> table) {
    auto* row = new QWidget(owner);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        MakeButton(ctx, QStringLiteral("Копировать"), row, [table] { CopyTable(table()); }));
    layout->addWidget(MakeButton(ctx, QStringLiteral("Сохранить в Excel"), row,
                                 [&ctx, owner, table] { SaveTableToExcel(ctx, owner, table()); }));
    layout->addStretch(1);
    AddCopyShortcut(ctx, owner, table);
    return row;
}

QWidget* MakeTableExport(UiContext& ctx, QWidget* owner, const QTableWidget* grid,
                         const QString& title) {
    return MakeTableExport(ctx, owner, [grid, title] { return TableFromGrid(*grid, title); });
}

} // namespace orvik
