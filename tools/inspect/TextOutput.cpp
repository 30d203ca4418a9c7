// The inspector's text outputs: the listing of a workbook and the check
// report.

#include "Inspector.h"
#include "TextHelpers.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace orvik::inspect {

namespace {

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

} // namespace

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
    PrintGame(out, wb);
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

} // namespace orvik::inspect
