// The group sheet written with libxlsxwriter: texts as texts, numbers as
// numbers, a frozen header, filters and fitted column widths.

#include "GroupSheet.h"

#include "TextHelpers.h"

#include "core/AtomicFile.h"
#include "core/NumericLocale.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <sys/stat.h>

namespace orvik::inspect {

namespace {

// Short captions of the parts for the column headers.
constexpr const char* kPartShort[kPartCount] = {"ЛР1 процессор", "ЛР1 игра",   "ЛР2 задача",
                                                "ЛР2 процессор", "ЛР2 память", "ЛР2 компьютер",
                                                "ЛР3 фирма"};

std::string PartCheck(const CheckResult& check, int part) {
    std::string differs, error;
    bool counted = false;
    for (const RecordCheck& c : check.records) {
        if (c.part != part || !c.Counted())
            continue;
        counted = true;
        if (!c.error.empty() && error.empty())
            error = "ошибка модели: " + c.key + ": " + OneLine(c.error);
        if (!c.differences.empty() && differs.empty())
            differs = "изменен вручную: " + c.differences[0].record + "." + c.differences[0].field;
    }
    if (!error.empty())
        return error;
    if (!differs.empty())
        return differs;
    return counted ? "совпадает" : "не рассчитывалось";
}

void FileTime(const std::string& file, SheetRow& row) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return;
    const std::time_t t = info.st_mtime;
    row.hasTime = ::localtime_r(&t, &row.modified) != nullptr;
}

// A whole decimal number of a variant text; none for anything else.
bool WholeNumber(const std::string& text, double& value) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || text[0] == '+')
        return false;
    value = static_cast<double>(n);
    return true;
}

// A spreadsheet program refuses a file with bytes that are not UTF-8 (a file
// name may hold any): they become U+FFFD.
std::string ValidUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        AppendUtf8(out, NextCodePoint(text, i));
    return out;
}

struct XlsxBook {
    lxw_workbook* book;
    ~XlsxBook() {
        if (book)
            workbook_close(book);
    }
};

// One sheet being written: row by row, with the widest text of each column.
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, lxw_format* bold)
        : sheet_(workbook_add_worksheet(book, name)), bold_(bold) {
        if (!sheet_)
            throw Error("Таблица не записана: не удается добавить лист");
    }

    // The header row, frozen with the first `frozenColumns` columns.
    void Header(const std::vector<std::string>& titles, int frozenColumns = 0) {
        for (const std::string& t : titles)
            Text(t, bold_);
        columns_ = titles.size();
        NextRow();
        worksheet_freeze_panes(sheet_, 1, static_cast<lxw_col_t>(frozenColumns));
    }
    void Text(const std::string& text, lxw_format* format = nullptr) {
        if (!text.empty())
            Check(worksheet_write_string(sheet_, row_, col_, ValidUtf8(text).c_str(), format));
        Fit(DisplayWidth(text));
    }
    void Number(double value, lxw_format* format, std::size_t shownWidth) {
        Check(worksheet_write_number(sheet_, row_, col_, value, format));
        Fit(shownWidth);
    }
    void Time(const std::tm& t, lxw_format* format) {
        lxw_datetime dt{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                        t.tm_hour,        t.tm_min,     static_cast<double>(t.tm_sec)};
        Check(worksheet_write_datetime(sheet_, row_, col_, &dt, format));
        Fit(16);
    }
    void Skip() { Fit(0); }
    void NextRow() {
        ++row_;
        col_ = 0;
    }
    void Finish(std::size_t widest) {
        if (row_ > 0 && columns_ > 0)
            worksheet_autofilter(sheet_, 0, 0, row_ - 1, static_cast<lxw_col_t>(columns_ - 1));
        for (std::size_t c = 0; c < widths_.size(); ++c)
            worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 std::min<double>(static_cast<double>(widest),
                                                  static_cast<double>(widths_[c]) * 1.1 + 3),
                                 nullptr);
    }

private:
    static void Check(lxw_error error) {
        if (error != LXW_NO_ERROR)
            throw Error(std::string("Таблица не записана: ") + lxw_strerror(error));
    }
    void Fit(std::size_t width) {
        if (widths_.size() <= col_)
            widths_.resize(col_ + 1, 6);
        widths_[col_] = std::max(widths_[col_], width);
        ++col_;
    }

    lxw_worksheet* sheet_;
    lxw_format* bold_;
    lxw_row_t row_ = 0;
    lxw_col_t col_ = 0;
    std::size_t columns_ = 0;
    std::vector<std::size_t> widths_;
};

std::size_t Digits(double v) {
    return std::to_string(static_cast<long long>(v)).size() * 4 / 3 + 1;
}

} // namespace

SheetRow MakeSheetRow(const std::string& file, const Workbook& wb, const CheckResult& check,
                      const std::string& gameMessage) {
    SheetRow row;
    row.file = OneLine(file);
    const StudentData s = Student(wb);
    row.group = OneLine(s.group);
    row.student = OneLine(s.student);
    row.teacher = OneLine(s.teacher);
    row.variant = OneLine(s.variant);
    row.done = wb.PartDone;
    for (int part = 0; part < kPartCount; ++part)
        if (wb.done(part) && part != PartBusinessGame)
            row.check[static_cast<std::size_t>(part)] = PartCheck(check, part);
    row.recompute = CheckSummary(check);
    row.game = GameRow(wb, OneLine(gameMessage));
    FileTime(file, row);
    return row;
}

SheetRow UnreadableRow(const std::string& file, const std::string& message) {
    SheetRow row;
    row.file = OneLine(file);
    row.unreadable = OneLine(message);
    FileTime(file, row);
    return row;
}

void WriteGroupSheet(const std::string& path, std::vector<SheetRow> rows,
                     const std::vector<Fingerprint>& prints,
                     const std::vector<SimilarGroup>& groups) {
    std::stable_sort(rows.begin(), rows.end(), [](const SheetRow& a, const SheetRow& b) {
        return std::tuple(CollationKey(a.group), CollationKey(a.student), a.file) <
               std::tuple(CollationKey(b.group), CollationKey(b.student), b.file);
    });
    std::vector<std::string> groupsOf(prints.size());
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (const std::size_t m : groups[g].members)
            groupsOf[m] += (groupsOf[m].empty() ? "№ " : ", № ") + std::to_string(g + 1);

    const auto fill = [&](int, const std::string& temp) {
        // The writer prints numbers and widths with the C library: a full
        // stop whatever the teacher's language.
        const FullStopNumbers fullStop;
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        errno = 0;
        XlsxBook xlsx{workbook_new_opt(temp.c_str(), &options)};
        if (!xlsx.book)
            throw IoError(errno != 0 ? errno : EIO);
        lxw_workbook* book = xlsx.book;
        lxw_format* bold = workbook_add_format(book);
        format_set_bold(bold);
        lxw_format* whole = workbook_add_format(book);
        format_set_num_format(whole, "0");
        lxw_format* money = workbook_add_format(book);
        format_set_num_format(money, "#,##0");
        lxw_format* when = workbook_add_format(book);
        format_set_num_format(when, "dd.mm.yyyy hh:mm");

        Sheet sheet(book, "Работы", bold);
        std::vector<std::string> titles{"Группа", "Студент", "Преподаватель", "Вариант"};
        for (int p = 0; p < kPartCount; ++p)
            titles.push_back(std::to_string(p + 1) + " " + kPartShort[p]);
        for (int p = 0; p < kPartCount; ++p)
            if (p != PartBusinessGame)
                titles.push_back(std::string("Пересчет: ") + kPartShort[p]);
        for (const char* t :
             {"Пересчет: итог", "Игра: лет", "Игра: повторов", "Игра: деньги, руб.", "Игра: место",
              "Игра: итог", "Совпадения (лист «Совпадения»)", "Файл", "Изменен", "Состояние файла"})
            titles.push_back(t);
        sheet.Header(titles, 2); // group and student stay in sight

        for (const SheetRow& r : rows) {
            const bool read = r.unreadable.empty();
            sheet.Text(r.group);
            sheet.Text(r.student);
            sheet.Text(r.teacher);
            if (double v; WholeNumber(r.variant, v))
                sheet.Number(v, whole, r.variant.size());
            else
                sheet.Text(r.variant);
            for (const std::uint8_t flag : r.done)
                sheet.Text(!read       ? ""
                           : flag == 0 ? "нет"
                           : flag == 1 ? "да"
                                       : "? (" + std::to_string(flag) + ")");
            for (int p = 0; p < kPartCount; ++p)
                if (p != PartBusinessGame)
                    sheet.Text(r.check[static_cast<std::size_t>(p)]);
            sheet.Text(r.recompute);
            const GameColumns& g = r.game;
            if (g.replayed) {
                sheet.Number(g.years, whole, 2);
                sheet.Number(g.restarts, whole, 2);
                sheet.Number(g.cash, money, Digits(g.cash));
                sheet.Number(g.place, whole, 2);
            } else if (g.played) {
                sheet.Skip();
                sheet.Number(g.restarts, whole, 2);
                sheet.Skip();
                sheet.Skip();
            } else {
                for (int i = 0; i < 4; ++i)
                    sheet.Skip();
            }
            sheet.Text(g.verdict);
            sheet.Text(r.print >= 0 ? groupsOf[static_cast<std::size_t>(r.print)] : "");
            sheet.Text(r.file);
            if (r.hasTime)
                sheet.Time(r.modified, when);
            else
                sheet.Skip();
            sheet.Text(read ? "прочитан" : "не прочитан: " + r.unreadable);
            sheet.NextRow();
        }
        sheet.Finish(60);

        Sheet found(book, "Совпадения", bold);
        found.Header({"№", "Сила совпадения", "Оценка", "Работы", "Признак"});
        for (std::size_t g = 0; g < groups.size(); ++g) {
            std::string members;
            for (const std::size_t m : groups[g].members)
                members += (members.empty() ? "" : "; ") + MemberText(prints[m]);
            for (const Evidence& e : groups[g].evidence) {
                found.Number(static_cast<double>(g + 1), whole, 3);
                found.Text(groups[g].Strength());
                found.Number(groups[g].score, whole, 3);
                found.Text(members);
                found.Text(e.text);
                found.NextRow();
            }
        }
        if (groups.empty()) {
            found.Skip();
            found.Text("Свободно выбранной работы, общей для нескольких тетрадей, не найдено");
            found.NextRow();
        }
        found.Finish(90);

        lxw_workbook* closing = xlsx.book;
        xlsx.book = nullptr;
        errno = 0;
        if (workbook_close(closing) != LXW_NO_ERROR) {
            const int code = errno;
            throw IoError(code != 0 ? code : EIO);
        }
    };
    WriteFileAtomically(path, {"Не удается записать таблицу в файл", ""}, fill);
}

} // namespace orvik::inspect
