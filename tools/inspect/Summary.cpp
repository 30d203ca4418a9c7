// The inspector's summary table: one row per file, sorted by group and student.

#include "Inspector.h"
#include "TextHelpers.h"

#include <algorithm>
#include <ostream>

namespace orvik::inspect {

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

std::string CheckSummary(const CheckResult& check) {
    std::string text;
    std::size_t errors = 0;
    for (const RecordCheck& c : check.records)
        if (c.Counted() && !c.error.empty())
            ++errors;
    const std::size_t differences = check.CountedDifferences();
    const bool anyCounted = std::any_of(check.records.begin(), check.records.end(),
                                        [](const RecordCheck& c) { return c.Counted(); });
    if (!anyCounted)
        text = "нет выполненных частей";
    else if (differences == 0 && errors == 0)
        text = "совпадает";
    if (differences > 0)
        text = "расхождений " + std::to_string(differences);
    if (errors > 0)
        text += (text.empty() ? "" : ", ") + std::string("ошибок модели ") + std::to_string(errors);
    return text;
}

SummaryRow MakeSummaryRow(const std::string& file, const Workbook& wb, const CheckResult* check) {
    const StudentData s = Student(wb);
    return {OneLine(s.group), OneLine(s.student), OneLine(s.variant),
            FlagString(wb),   GameSummary(wb),    check ? CheckSummary(*check) : "",
            OneLine(file)};
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
    const SummaryRow header{"Группа", "Студент", "Вар.", "Части", "Игра", "Пересчет", "Файл"};
    std::size_t wg = 0, ws = 0, wv = 0, wf = 0, wi = 0, wc = 0;
    for (const SummaryRow* r = &header;;) {
        wg = std::max(wg, DisplayWidth(r->group));
        ws = std::max(ws, DisplayWidth(r->student));
        wv = std::max(wv, DisplayWidth(r->variant));
        wf = std::max(wf, DisplayWidth(r->flags));
        wi = std::max(wi, DisplayWidth(r->game));
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
            << PadRight(r.variant, wv) << "  " << PadRight(r.flags, wf) << "  "
            << PadRight(r.game, wi) << "  ";
        if (withCheck)
            out << PadRight(r.check, wc) << "  ";
        out << r.file << "\n";
    };
    line(header);
    for (const SummaryRow& r : rows)
        line(r);
}

} // namespace orvik::inspect
