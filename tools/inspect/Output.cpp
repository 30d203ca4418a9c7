// The inspector's outputs (listing, check report, JSON, summary table) and
// its command line.

#include "Inspector.h"

#include "workbook/Errors.h"
#include "workbook/WorkbookFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>

namespace orvik::inspect {

namespace {

// --- Text helpers -------------------------------------------------------------

// Decodes one UTF-8 sequence at `i`; a byte that starts no valid sequence
// gives U+FFFD and counts one byte.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]) & 0x3F; };
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) {
        const char32_t c = (char32_t(b0 & 0x1F) << 6) | at(1);
        i += 2;
        return c;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
        const char32_t c = (char32_t(b0 & 0x0F) << 12) | (char32_t(at(1)) << 6) | at(2);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
            i += 3;
            return c;
        }
    }
    if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
        const char32_t c =
            (char32_t(b0 & 0x07) << 18) | (char32_t(at(1)) << 12) | (char32_t(at(2)) << 6) | at(3);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            i += 4;
            return c;
        }
    }
    ++i;
    return 0xFFFD;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Characters a terminal shows for the text (one per code point).
std::size_t DisplayWidth(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size();) {
        NextCodePoint(s, i);
        ++n;
    }
    return n;
}

std::string PadRight(const std::string& s, std::size_t width) {
    const std::size_t w = DisplayWidth(s);
    return w >= width ? s : s + std::string(width - w, ' ');
}

std::string PadLeft(const std::string& s, std::size_t width) {
    const std::size_t w = DisplayWidth(s);
    return w >= width ? s : std::string(width - w, ' ') + s;
}

// A text fit for one line of a terminal: control characters (a line feed in
// a file name, for instance) become "?".
std::string OneLine(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = NextCodePoint(s, i);
        if (c < 0x20 || c == 0x7F)
            out += '?';
        else
            AppendUtf8(out, c);
    }
    return out;
}

// The shortest text that reads back to the same double: exact and readable.
std::string ReadableText(const Value& v) {
    if (v.type != Value::Type::Real || !std::isfinite(v.real))
        return ExactText(v);
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v.real);
    return std::string(buffer, end.ptr);
}

std::string FieldValueText(const Field& f) {
    std::string text = f.value.type == Value::Type::Text ? "\"" + OneLine(f.value.text) + "\""
                                                         : ReadableText(f.value);
    if (!f.note.empty())
        text += " (" + f.note + ")";
    if (!f.problem.empty())
        text += "  !!! " + f.problem;
    return text;
}

std::string PartLine(int part) {
    return "Лабораторная работа N" + std::to_string(PartLabWork(part)) + ". " + PartName(part);
}

char FlagChar(std::uint8_t flag) {
    return flag == 1 ? '+' : flag == 0 ? '-' : '?';
}

std::string FlagString(const Workbook& wb) {
    std::string s;
    for (const std::uint8_t f : wb.PartDone)
        s += FlagChar(f);
    return s;
}

void PrintHeader(std::ostream& out, const std::string& file, const Workbook& wb) {
    const StudentData s = Student(wb);
    out << "Файл: " << OneLine(file) << "\n";
    out << "  Студент:        " << OneLine(s.student) << "\n";
    out << "  Группа:         " << OneLine(s.group) << "\n";
    out << "  Преподаватель:  " << OneLine(s.teacher) << "\n";
    out << "  Вариант:        " << OneLine(s.variant) << "\n";
}

void PrintParts(std::ostream& out, const Workbook& wb) {
    out << "  Выполнение частей (+ выполнено, - не выполнено, ? испорченная отметка):\n";
    for (int p = 0; p < kPartCount; ++p) {
        const std::uint8_t flag = wb.PartDone[static_cast<std::size_t>(p)];
        out << "    " << FlagChar(flag) << " " << PartLine(p);
        if (flag > 1)
            out << "  (записано " << int(flag) << ")";
        out << "\n";
    }
}

void PrintProblems(std::ostream& out, const Workbook& wb) {
    const std::vector<Problem> problems = FindProblems(wb);
    if (problems.empty())
        return;
    out << "  Недопустимые значения (файл испорчен или изменен вручную):\n";
    for (const Problem& p : problems)
        out << "    !!! " << p.record << (p.field.empty() ? "" : "." + p.field) << ": " << p.message
            << "\n";
}

void PrintFields(std::ostream& out, const std::vector<Field>& fields, bool results) {
    std::size_t width = 0;
    for (const Field& f : fields)
        if (f.result == results)
            width = std::max(width, DisplayWidth(f.label) + f.FullName().size() + 3);
    for (const Field& f : fields)
        if (f.result == results)
            out << "      " << PadRight(std::string(f.label) + " (" + f.FullName() + ")", width)
                << " " << FieldValueText(f) << "\n";
}

void PrintCurveTable(std::ostream& out, const Workbook& wb) {
    out << "\n  " << kCurveTableTitle << " [" << kCurveTableKey << "]\n";
    static const char* const headers[] = {"Набор", "Строка",    "Техн.",   "Деф.",     "МЛР",
                                          "Площ.", "Инт.устр.", "Инт.БИС", "Мощн.",    "Задерж.",
                                          "Выход", "Ст.БИС",    "Ст.ЛЭ",   "Отказы",   "БИС",
                                          "АЛУ",   "Частота",   "Нараб.",  "Ст.проц.", "Годн."};
    constexpr std::size_t columns = std::size(headers);
    std::vector<std::vector<std::string>> cells;
    cells.reserve(150);
    for (int s = 0; s < 3; ++s)
        for (int r = 0; r < 50; ++r) {
            std::vector<std::string> row{std::to_string(s), std::to_string(r)};
            for (const Field& f : DescribeProcessor(
                     wb.CurveTable[static_cast<std::size_t>(s)][static_cast<std::size_t>(r)]))
                row.push_back(ReadableText(f.value) + (f.problem.empty() ? "" : "!"));
            cells.push_back(std::move(row));
        }
    std::vector<std::size_t> widths(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        widths[c] = DisplayWidth(headers[c]);
        for (const auto& row : cells)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    out << "   ";
    for (std::size_t c = 0; c < columns; ++c)
        out << " " << PadLeft(headers[c], widths[c]);
    out << "\n";
    for (const auto& row : cells) {
        out << "   ";
        for (std::size_t c = 0; c < columns && c < row.size(); ++c)
            out << " " << PadLeft(row[c], widths[c]);
        out << "\n";
    }
    out << "    (Техн. — тип схемотехники: 0 ЭСЛ, 1 ТТЛШ, 2 КМОП, 3 БиКМОП, 4 GaAs; "
           "\"!\" — недопустимое значение)\n";
}

// --- JSON -------------------------------------------------------------------------

class JsonWriter {
public:
    std::string take() { return std::move(s_); }

    JsonWriter& open(char bracket) {
        comma();
        s_ += bracket;
        first_.push_back(true);
        return *this;
    }
    JsonWriter& close(char bracket) {
        s_ += bracket;
        first_.pop_back();
        return *this;
    }
    JsonWriter& key(std::string_view k) {
        comma();
        s_ += JsonString(std::string(k));
        s_ += ':';
        pendingKey_ = true;
        return *this;
    }
    JsonWriter& value(const Value& v) {
        comma();
        switch (v.type) {
        case Value::Type::Integer:
            s_ += std::to_string(v.integer);
            break;
        case Value::Type::Real:
            // Non-finite reals have no JSON number: they go as strings.
            s_ += std::isfinite(v.real) ? ExactText(v) : JsonString(ExactText(v));
            break;
        case Value::Type::Text:
            s_ += JsonString(v.text);
            break;
        }
        return *this;
    }
    JsonWriter& string(const std::string& text) { return value(Value::Text(text)); }
    JsonWriter& integer(std::int64_t n) { return value(Value::Int(n)); }
    JsonWriter& boolean(bool b) {
        comma();
        s_ += b ? "true" : "false";
        return *this;
    }
    JsonWriter& null() {
        comma();
        s_ += "null";
        return *this;
    }

    // The fields of a record as members; array fields become JSON arrays.
    void fields(const std::vector<Field>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Field& f = fields[i];
            if (f.index < 0) {
                key(f.name).value(f.value);
                continue;
            }
            if (f.index == 0)
                key(f.name).open('[');
            value(f.value);
            if (i + 1 == fields.size() || fields[i + 1].name != f.name || fields[i + 1].index < 0)
                close(']');
        }
    }

private:
    void comma() {
        if (pendingKey_) {
            pendingKey_ = false;
            return;
        }
        if (!first_.empty()) {
            if (!first_.back())
                s_ += ',';
            first_.back() = false;
        }
    }

    std::string s_;
    std::vector<bool> first_;
    bool pendingKey_ = false;
};

void CheckJson(JsonWriter& j, const CheckResult& check) {
    j.key("recompute").open('{');
    j.key("agree").boolean(check.CountedDisagreements() == 0);
    j.key("countedDisagreements").integer(check.CountedDisagreements());
    j.key("countedDifferences").integer(static_cast<std::int64_t>(check.CountedDifferences()));
    j.key("records").open('[');
    for (const RecordCheck& c : check.records) {
        j.open('{');
        j.key("record").string(c.key);
        j.key("title").string(c.title);
        j.key("part").integer(c.part);
        j.key("done").boolean(c.done);
        j.key("computed").boolean(c.computed);
        j.key("counted").boolean(c.Counted());
        j.key("error");
        if (c.error.empty())
            j.null();
        else
            j.string(c.error);
        j.key("formulaError").boolean(c.formulaError);
        j.key("differences").open('[');
        for (const Difference& d : c.differences) {
            j.open('{');
            j.key("record").string(d.record);
            j.key("field").string(d.field);
            j.key("stored").value(d.stored);
            j.key("recomputed").value(d.recomputed);
            j.close('}');
        }
        j.close(']');
        j.close('}');
    }
    j.close(']');
    j.close('}');
}

// --- Reading files ------------------------------------------------------------------

// The teacher's one-line explanation of why a file is no workbook.
std::string ReadFailure(const std::string& file, const std::string& message) {
    std::string text;
    if (message.rfind("Не удается открыть файл", 0) == 0)
        text = message; // names the file already
    else if (message == "Read beyond end of file")
        text = "файл \"" + file + "\": короче " + std::to_string(layout::Size) +
               " байт, это не рабочая тетрадь ORVIK (Read beyond end of file)";
    else
        text = "файл \"" + file + "\": ошибка чтения: " + message;
    return OneLine(text);
}

struct Options {
    enum class Mode { Listing, Json, Summary } mode = Mode::Listing;
    bool recompute = false;
    bool help = false;
    std::vector<std::string> files;
};

} // namespace

// --- Public outputs -------------------------------------------------------------------

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                AppendUtf8(out, c);
            }
        }
    }
    out += '"';
    return out;
}

std::u32string CollationKey(const std::string& utf8) {
    std::u32string key;
    key.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = NextCodePoint(utf8, i);
        if (c >= U'A' && c <= U'Z')
            c += 0x20;
        else if (c >= 0x410 && c <= 0x42F) // А..Я
            c += 0x20;
        else if (c == 0x401) // Ё
            c = 0x451;
        // Doubled so that ё fits between е and ж.
        key += c == 0x451 ? char32_t(0x435 * 2 + 1) : char32_t(c * 2);
    }
    return key;
}

void PrintListing(std::ostream& out, const std::string& file, const Workbook& wb) {
    PrintHeader(out, file, wb);
    out << "  Загружать путеводитель автоматически: "
        << (wb.GuideAutoStart == 0   ? "нет"
            : wb.GuideAutoStart == 1 ? "да"
                                     : "? (записано " + std::to_string(wb.GuideAutoStart) + ")")
        << "\n";
    PrintParts(out, wb);
    PrintProblems(out, wb);
    for (const RecordInfo& info : Records()) {
        const std::vector<Field> fields = DescribeRecord(wb, info);
        out << "\n  " << info.title << " [" << info.key << "]";
        if (!wb.done(info.part))
            out << " — часть не выполнена";
        out << "\n    Исходные данные:\n";
        PrintFields(out, fields, false);
        out << "    Результаты:\n";
        PrintFields(out, fields, true);
        if (std::string(info.key) == "Circuit2")
            PrintCurveTable(out, wb);
    }
    out << "\n";
}

void PrintCheck(std::ostream& out, const std::string& file, const Workbook& wb,
                const CheckResult& check) {
    PrintHeader(out, file, wb);
    out << "  Части: " << FlagString(wb) << "\n";
    PrintProblems(out, wb);
    out << "  Пересчет по сохраненным исходным данным:\n";
    for (const RecordCheck& c : check.records) {
        out << "    " << c.title << " [" << c.key << "]: ";
        std::string status;
        if (!c.done)
            status = "не выполнено; ";
        else if (!c.computed)
            status = "результаты не рассчитывались; ";
        if (!c.error.empty())
            status += "ошибка модели: " + OneLine(c.error);
        else if (c.differences.empty())
            status += "совпадает";
        else
            status += "расхождений " + std::to_string(c.differences.size());
        if (!c.Counted() && !c.Agrees())
            status += " (не учитывается)";
        out << status << "\n";
        if (c.formulaError)
            out << "      формула не вычисляется: программа считает длительность равной 0\n";
        // Records that do not count are shown briefly: a new workbook's
        // curve table alone would fill thousands of lines.
        const std::size_t shown =
            c.Counted() ? c.differences.size() : std::min<std::size_t>(c.differences.size(), 5);
        for (std::size_t i = 0; i < shown; ++i) {
            const Difference& d = c.differences[i];
            out << "      " << (d.record == c.key ? "" : d.record + ".") << d.field << ": записано "
                << ExactText(d.stored) << ", пересчитано " << ExactText(d.recomputed) << "\n";
        }
        if (shown < c.differences.size())
            out << "      ... и еще " << c.differences.size() - shown
                << " (все — в выводе --json)\n";
    }
    const int bad = check.CountedDisagreements();
    if (bad == 0)
        out << "  Итог: результаты выполненных частей совпадают с пересчетом\n";
    else
        out << "  Итог: расхождения или ошибки в записях выполненных частей: " << bad << "\n";
    out << "\n";
}

std::string WorkbookJson(const std::string& file, const Workbook& wb, const CheckResult* check) {
    JsonWriter j;
    j.open('{');
    j.key("file").string(file);
    j.key("error").null();
    j.key("GuideAutoStart").integer(wb.GuideAutoStart);
    const StudentData s = Student(wb);
    j.key("sStudent").string(s.student);
    j.key("sGroup").string(s.group);
    j.key("sPrepod").string(s.teacher);
    j.key("sVar").string(s.variant);
    j.key("PartDone").open('[');
    for (const std::uint8_t f : wb.PartDone)
        j.integer(f);
    j.close(']');
    j.key("parts").open('[');
    for (int p = 0; p < kPartCount; ++p) {
        j.open('{');
        j.key("index").integer(p);
        j.key("labWork").integer(PartLabWork(p));
        j.key("name").string(PartName(p));
        j.key("done").integer(wb.PartDone[static_cast<std::size_t>(p)]);
        j.close('}');
    }
    j.close(']');
    j.key("records").open('{');
    for (const RecordInfo& info : Records()) {
        j.key(info.key).open('{');
        j.key("title").string(info.title);
        j.key("part").integer(info.part);
        j.key("fields").open('{');
        j.fields(DescribeRecord(wb, info));
        j.close('}');
        j.close('}');
    }
    j.key(kCurveTableKey).open('{');
    j.key("title").string(kCurveTableTitle);
    j.key("part").integer(PartProcessor1);
    j.key("rows").open('[');
    for (int set = 0; set < 3; ++set)
        for (int row = 0; row < 50; ++row) {
            j.open('{');
            j.key("set").integer(set);
            j.key("row").integer(row);
            j.fields(DescribeProcessor(
                wb.CurveTable[static_cast<std::size_t>(set)][static_cast<std::size_t>(row)]));
            j.close('}');
        }
    j.close(']');
    j.close('}');
    j.close('}');
    j.key("problems").open('[');
    for (const Problem& p : FindProblems(wb)) {
        j.open('{');
        j.key("record").string(p.record);
        j.key("field").string(p.field);
        j.key("message").string(p.message);
        j.close('}');
    }
    j.close(']');
    if (check)
        CheckJson(j, *check);
    j.close('}');
    return j.take();
}

std::string ErrorJson(const std::string& file, const std::string& message) {
    JsonWriter j;
    j.open('{');
    j.key("file").string(file);
    j.key("error").string(message);
    j.close('}');
    return j.take();
}

SummaryRow MakeSummaryRow(const std::string& file, const Workbook& wb, const CheckResult* check) {
    const StudentData s = Student(wb);
    SummaryRow row{OneLine(s.group), OneLine(s.student), OneLine(s.variant), FlagString(wb), "",
                   OneLine(file)};
    if (check) {
        std::size_t errors = 0;
        for (const RecordCheck& c : check->records)
            if (c.Counted() && !c.error.empty())
                ++errors;
        const std::size_t differences = check->CountedDifferences();
        const bool anyCounted = std::any_of(check->records.begin(), check->records.end(),
                                            [](const RecordCheck& c) { return c.Counted(); });
        if (!anyCounted)
            row.check = "нет выполненных частей";
        else if (differences == 0 && errors == 0)
            row.check = "совпадает";
        if (differences > 0)
            row.check = "расхождений " + std::to_string(differences);
        if (errors > 0)
            row.check += (row.check.empty() ? "" : ", ") + std::string("ошибок модели ") +
                         std::to_string(errors);
    }
    return row;
}

void PrintSummary(std::ostream& out, std::vector<SummaryRow> rows, bool withCheck) {
    std::stable_sort(rows.begin(), rows.end(), [](const SummaryRow& a, const SummaryRow& b) {
        const auto ka = CollationKey(a.group), kb = CollationKey(b.group);
        if (ka != kb)
            return ka < kb;
        const auto sa = CollationKey(a.student), sb = CollationKey(b.student);
        if (sa != sb)
            return sa < sb;
        return a.file < b.file;
    });
    const SummaryRow header{"Группа", "Студент", "Вар.", "Части", "Пересчет", "Файл"};
    std::size_t wg = 0, ws = 0, wv = 0, wf = 0, wc = 0;
    for (const SummaryRow* r = &header;;) {
        wg = std::max(wg, DisplayWidth(r->group));
        ws = std::max(ws, DisplayWidth(r->student));
        wv = std::max(wv, DisplayWidth(r->variant));
        wf = std::max(wf, DisplayWidth(r->flags));
        wc = std::max(wc, DisplayWidth(r->check));
        if (r == &header) {
            if (rows.empty())
                break;
            r = rows.data();
        } else if (++r == rows.data() + rows.size()) {
            break;
        }
    }
    const auto line = [&](const SummaryRow& r) {
        out << PadRight(r.group, wg) << "  " << PadRight(r.student, ws) << "  "
            << PadRight(r.variant, wv) << "  " << PadRight(r.flags, wf) << "  ";
        if (withCheck)
            out << PadRight(r.check, wc) << "  ";
        out << r.file << "\n";
    };
    line(header);
    for (const SummaryRow& r : rows)
        line(r);
}

const char* const kHelpText =
    R"(Использование: orvik-inspect [ПАРАМЕТРЫ] ФАЙЛ...

Просмотр рабочих тетрадей студентов (файлов *.orvik программы
"ОРВИК лабораторные работы") для преподавателя. Без параметров для каждого
файла выводятся: студент, группа, преподаватель и вариант; отметки о
выполнении семи частей лабораторных работ; исходные данные и сохраненные
результаты каждой записи, включая 150 строк таблицы точек кривых.

Параметры:
  --summary    Одна строка на файл: группа, студент, вариант, отметки
               выполнения частей и имя файла. Отметки идут в порядке частей:
                 1 ЛР1 Расчет характеристик процессора  2 ЛР1 Деловая игра
                 3 ЛР2 Оценка характеристик задачи      4 ЛР2 Расчет
                 характеристик процессора  5 ЛР2 Расчет характеристик памяти
                 6 ЛР2 Расчет характеристик компьютера  7 ЛР3 Моделирование
                 деятельности компьютерной фирмы;
               "+" выполнено, "-" не выполнено, "?" испорченная отметка
               (например, "+-+++--"). Строки упорядочены по группе, затем
               по фамилии студента: удобно для всей папки (*.orvik).

  --recompute  Пересчитать результаты всех записей по сохраненным исходным
               данным теми же моделями, что и программа, и показать каждое
               поле, записанное значение которого отличается от
               пересчитанного (запись, поле, записано, пересчитано; числа
               точно, 17 значащих цифр). Ошибка модели на сохраненных
               данных тоже показывается.
               Сравниваются все записи, но записи частей, не отмеченных
               как выполненные, помечаются "не выполнено", и их расхождения
               не влияют на код завершения: в новой тетради результаты еще
               не рассчитывались. Так же не учитываются процессоры
               схемотехники 1 и 2 и таблица точек кривых, если все их
               результаты нулевые (ни разу не рассчитывались).
               Результаты, рассчитанные до последнего изменения исходных
               данных, программа сохраняет как есть; пересчет покажет их
               как расхождения.
               Без --json и --summary выводится отчет о пересчете вместо
               перечня полей; с --summary добавляется столбец "Пересчет",
               с --json - раздел "recompute".

  --json       То же в формате JSON (UTF-8) для программ и электронных
               таблиц: один объект JSON на каждый файл, каждый на своей
               строке (формат JSON Lines). Все поля всех записей, включая
               150 строк таблицы кривых; числа с плавающей точкой - с 17
               значащими цифрами (читаются обратно без потерь),
               бесконечности и нечисла - строками "Infinity", "-Infinity",
               "NaN". Для непрочитанного файла выводится
               {"file": ..., "error": "причина"}.

  -h, --help   Эта справка.
  --           Все дальнейшие аргументы - имена файлов.

Код завершения:
  0  все файлы прочитаны; с --recompute - все учитываемые результаты
     совпадают с пересчетом;
  1  с --recompute: в каком-то файле учитываемое поле отличается от
     пересчитанного или модель не смогла пересчитать выполненную часть;
  2  какой-то файл не удалось прочитать как рабочую тетрадь (короче
     21092 байт, нет доступа, это папка, ...), неверные параметры или
     не удалось записать результат (диск заполнен).
     Остальные файлы все равно просматриваются; о каждой ошибке - одна
     строка в стандартный поток ошибок. Код 2 важнее кода 1.

Недопустимые значения в файле (тип схемотехники 9, тип БИС ЗУ 7, 0 часов
работы в день, отметка не 0 и не 1 и т.п.) отмечаются знаками "!!!".

Примеры:
  orvik-inspect ivanov.orvik
  orvik-inspect --summary --recompute работы/*.orvik
  orvik-inspect --json --recompute работы/*.orvik > работы.jsonl
)";

namespace {

// A full disk or a closed output must not pass for a complete report.
bool Flushed(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out)
        return true;
    err << "orvik-inspect: не удается записать результат (диск заполнен или вывод закрыт); "
           "вывод неполон\n";
    return false;
}

} // namespace

int RunInspector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    bool json = false, summary = false, onlyFiles = false;
    for (const std::string& a : args) {
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            options.files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--summary") {
            summary = true;
        } else if (a == "--recompute") {
            options.recompute = true;
        } else {
            err << "orvik-inspect: неизвестный параметр \"" << OneLine(a)
                << "\"; справка: orvik-inspect --help\n";
            return kExitTrouble;
        }
    }
    if (options.help) {
        out << kHelpText;
        return Flushed(out, err) ? kExitAgree : kExitTrouble;
    }
    if (json && summary) {
        err << "orvik-inspect: --json и --summary нельзя задать вместе\n";
        return kExitTrouble;
    }
    if (options.files.empty()) {
        err << "orvik-inspect: не заданы файлы; справка: orvik-inspect --help\n";
        return kExitTrouble;
    }
    options.mode = json      ? Options::Mode::Json
                   : summary ? Options::Mode::Summary
                             : Options::Mode::Listing;

    int status = kExitAgree;
    std::vector<SummaryRow> rows;
    for (const std::string& file : options.files) {
        Workbook wb;
        try {
            wb = OpenWorkbookFile(file);
        } catch (const std::exception& e) {
            const std::string message = ReadFailure(file, e.what());
            err << "orvik-inspect: " << message << "\n";
            if (options.mode == Options::Mode::Json)
                out << ErrorJson(file, message) << "\n";
            status = kExitTrouble;
            continue;
        }
        CheckResult check;
        if (options.recompute) {
            check = Recompute(wb);
            if (check.CountedDisagreements() > 0 && status == kExitAgree)
                status = kExitDiffers;
        }
        const CheckResult* checked = options.recompute ? &check : nullptr;
        switch (options.mode) {
        case Options::Mode::Listing:
            if (options.recompute)
                PrintCheck(out, file, wb, check);
            else
                PrintListing(out, file, wb);
            break;
        case Options::Mode::Json:
            out << WorkbookJson(file, wb, checked) << "\n";
            break;
        case Options::Mode::Summary:
            rows.push_back(MakeSummaryRow(file, wb, checked));
            break;
        }
    }
    if (options.mode == Options::Mode::Summary)
        PrintSummary(out, std::move(rows), options.recompute);
    return Flushed(out, err) ? status : kExitTrouble;
}

} // namespace orvik::inspect
