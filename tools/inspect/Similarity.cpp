// Copied work found by equal hashes: a renamed copy, the same business-game
// decisions in years in a row, the same inputs in two or more records, the
// same task formula. What a variant's task or a new workbook gives everyone
// is no evidence.

#include "Similarity.h"

#include "Inspector.h"
#include "TextHelpers.h"
#include "VariantFormulas.h"

#include "core/Cp1251.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <numeric>
#include <ostream>
#include <tuple>
#include <unordered_map>

namespace orvik::inspect {

namespace {

// Values shared by more workbooks than this are common knowledge of the
// course, not one student's work; this also keeps the pairs few.
constexpr std::size_t kCommonShare = 40;

struct Hash {
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    void Add(std::uint64_t v) {
        h = (h ^ v) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    void Add(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            Add(w);
        }
        std::uint64_t tail = size;
        for (; i < size; ++i)
            tail = tail << 8 | p[i];
        Add(tail);
    }
    void Add(const Value& v) {
        Add(static_cast<std::uint64_t>(v.type));
        if (v.type == Value::Type::Integer)
            Add(static_cast<std::uint64_t>(v.integer));
        else if (v.type == Value::Type::Real)
            Add(std::bit_cast<std::uint64_t>(v.real));
        else
            Add(v.text.data(), v.text.size());
    }
    // Never 0, which stands for "nothing to compare".
    std::uint64_t Get() const { return h == 0 ? 1 : h; }
};

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t')
            out += c;
    return out;
}

bool GivenFormula(const std::string& formula) {
    return std::any_of(std::begin(kVariantFormulas), std::end(kVariantFormulas),
                       [&](const char* given) { return WithoutBlanks(given) == formula; });
}

// The input fields of a record; the task's formula has its own evidence.
std::vector<Field> Inputs(const Workbook& wb, const RecordInfo& info) {
    std::vector<Field> fields = DescribeRecord(wb, info);
    std::erase_if(fields, [](const Field& f) { return f.result || f.name == "Formula"; });
    return fields;
}

struct NewWorkbook {
    std::array<std::vector<Field>, kInputRecords> inputs;
    std::array<std::uint64_t, kInputRecords> hashes{};
};

std::uint64_t HashFields(const std::vector<Field>& fields) {
    Hash h;
    for (const Field& f : fields)
        h.Add(f.value);
    return h.Get();
}

const NewWorkbook& Defaults() {
    static const NewWorkbook defaults = [] {
        NewWorkbook d;
        LabState state;
        ResetWorkbook(state);
        for (std::size_t r = 0; r < kInputRecords; ++r) {
            d.inputs[r] = Inputs(state.workbook, Records()[r]);
            d.hashes[r] = HashFields(d.inputs[r]);
        }
        return d;
    }();
    return defaults;
}

std::string YearsText(std::uint32_t years) {
    std::string text;
    for (int y = 0; y < 32; ++y) {
        if (!(years >> y & 1u) || (y > 0 && (years >> (y - 1) & 1u)))
            continue;
        int last = y;
        while (last + 1 < 32 && (years >> (last + 1) & 1u))
            ++last;
        text += (text.empty() ? "" : ", ") + std::to_string(y + 1) +
                (last > y ? "–" + std::to_string(last + 1) : "");
    }
    return text;
}

int LongestRun(std::uint32_t bits) {
    int best = 0;
    for (int run = 0; bits; bits >>= 1) {
        run = (bits & 1u) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

// Groups of connected members from pairs.
class Components {
public:
    explicit Components(std::size_t n) : parent_(n) {
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    }
    std::size_t Find(std::size_t a) {
        while (parent_[a] != a)
            a = parent_[a] = parent_[parent_[a]];
        return a;
    }
    void Join(std::size_t a, std::size_t b) { parent_[Find(a)] = Find(b); }

private:
    std::vector<std::size_t> parent_;
};

using Pair = std::pair<std::size_t, std::size_t>;
struct PairHash {
    std::size_t operator()(const Pair& p) const {
        return p.first * 0x9E3779B97F4A7C15ull ^ p.second;
    }
};

// Every pair of a bucket's members gets `bit`; buckets of one and common
// values are left out.
void AddPairs(std::vector<std::size_t>& members, std::uint32_t bit,
              std::unordered_map<Pair, std::uint32_t, PairHash>& pairs) {
    if (members.size() < 2 || members.size() > kCommonShare)
        return;
    std::sort(members.begin(), members.end());
    for (std::size_t i = 0; i < members.size(); ++i)
        for (std::size_t j = i + 1; j < members.size(); ++j)
            pairs[{members[i], members[j]}] |= bit;
}

struct Finder {
    const std::vector<Fingerprint>& prints;
    std::map<std::vector<std::size_t>, std::vector<Evidence>> found;
    // For each variant text and record, the inputs its task gives: those most
    // of the variant's workbooks share.
    std::map<std::pair<std::string, std::size_t>, std::vector<std::uint64_t>> expected;

    void Add(std::vector<std::size_t> members, Evidence e) {
        std::sort(members.begin(), members.end());
        found[members].push_back(std::move(e));
    }

    bool Expected(std::size_t i, std::size_t r) const {
        const auto it = expected.find({prints[i].variant, r});
        return it != expected.end() && std::find(it->second.begin(), it->second.end(),
                                                 prints[i].inputs[r]) != it->second.end();
    }

    // Something of this workbook is the student's own choice.
    bool OwnWork(std::size_t i) const {
        const Fingerprint& p = prints[i];
        if (!p.formula.empty())
            return true;
        if (std::any_of(p.decisions.begin(), p.decisions.end(),
                        [](std::uint64_t d) { return d != 0; }))
            return true;
        for (std::size_t r = 0; r < kInputRecords; ++r)
            if (p.inputs[r] != 0 && !Expected(i, r))
                return true;
        return false;
    }

    void LearnVariants() {
        std::map<std::pair<std::string, std::size_t>, std::unordered_map<std::uint64_t, int>>
            counts;
        for (const Fingerprint& p : prints)
            for (std::size_t r = 0; r < kInputRecords; ++r)
                if (p.inputs[r] != 0)
                    ++counts[{p.variant, r}][p.inputs[r]];
        for (const auto& [key, byValue] : counts) {
            int most = 0;
            for (const auto& [value, n] : byValue)
                most = std::max(most, n);
            if (most < 2)
                continue; // every workbook of the variant is different
            for (const auto& [value, n] : byValue)
                if (n == most)
                    expected[key].push_back(value);
        }
    }

    void Copies() {
        std::unordered_map<std::uint64_t, std::vector<std::size_t>> byContent;
        for (std::size_t i = 0; i < prints.size(); ++i)
            byContent[prints[i].content].push_back(i);
        for (auto& [hash, members] : byContent) {
            if (members.size() < 2 || members.size() > kCommonShare ||
                std::none_of(members.begin(), members.end(),
                             [&](std::size_t i) { return OwnWork(i); }))
                continue;
            Add(members, {Evidence::Kind::Copy, 100,
                          "тетради одинаковы во всем, кроме данных студента (студент, группа, "
                          "преподаватель, вариант): это одна работа под разными именами"});
        }
    }

    void Decisions() {
        // Two years in a row, keyed by the first year and both decisions.
        std::unordered_map<std::uint64_t, std::pair<std::size_t, std::vector<std::size_t>>> byYears;
        for (std::size_t i = 0; i < prints.size(); ++i) {
            const auto& d = prints[i].decisions;
            for (std::size_t y = 0; y + 1 < d.size() && y < 31; ++y) {
                if (d[y] == 0 && d[y + 1] == 0)
                    continue; // the default decision twice is no choice
                Hash h;
                h.Add(y);
                h.Add(d[y]);
                h.Add(d[y + 1]);
                auto& bucket = byYears[h.Get()];
                bucket.first = y;
                bucket.second.push_back(i);
            }
        }
        std::unordered_map<Pair, std::uint32_t, PairHash> pairs;
        for (auto& [hash, bucket] : byYears)
            AddPairs(bucket.second, 3u << bucket.first, pairs);
        Group(pairs, 1, [](std::uint32_t years, std::uint32_t) {
            const int run = LongestRun(years);
            return Evidence{Evidence::Kind::Decisions, 15 * run - 10, // two years: weak
                            "деловая игра: одинаковые решения в годах " + YearsText(years) +
                                " (лет подряд: " + std::to_string(run) + ")"};
        });
    }

    void Inputs() {
        std::vector<std::unordered_map<std::uint64_t, std::vector<std::size_t>>> byRecord(
            kInputRecords);
        for (std::size_t i = 0; i < prints.size(); ++i)
            for (std::size_t r = 0; r < kInputRecords; ++r)
                if (prints[i].inputs[r] != 0)
                    byRecord[r][prints[i].inputs[r]].push_back(i);
        // A pair counts where the values are not the task of at least one of
        // the two: a student of another variant with them took them from
        // someone.
        std::unordered_map<Pair, std::uint32_t, PairHash> pairs;
        for (std::size_t r = 0; r < kInputRecords; ++r)
            for (auto& [hash, members] : byRecord[r]) {
                std::vector<std::size_t> own;
                for (const std::size_t m : members)
                    if (!Expected(m, r))
                        own.push_back(m);
                if (own.empty())
                    continue;
                if (members.size() > kCommonShare) {
                    AddPairs(own, 1u << r, pairs);
                    continue;
                }
                for (const std::size_t a : own)
                    for (const std::size_t b : members)
                        if (a != b)
                            pairs[{std::min(a, b), std::max(a, b)}] |= 1u << r;
            }
        Group(pairs, 2, [this](std::uint32_t records, std::size_t first) {
            std::string text = "одинаковые исходные данные (не как в новой тетради и не как в "
                               "задании варианта хотя бы у одного из студентов) в записях: ";
            int n = 0;
            for (std::size_t r = 0; r < kInputRecords; ++r)
                if (records >> r & 1u)
                    text += std::string(n++ ? "; " : "") + Records()[r].title + " [" +
                            Records()[r].key + "]: " + prints[first].inputText[r];
            return Evidence{Evidence::Kind::Inputs, 15 * n, text};
        });
    }

    void Formulas() {
        std::unordered_map<std::string, std::vector<std::size_t>> byFormula;
        for (std::size_t i = 0; i < prints.size(); ++i)
            if (!prints[i].formula.empty())
                byFormula[prints[i].formula].push_back(i);
        for (auto& [formula, members] : byFormula)
            if (members.size() >= 2 && members.size() <= kCommonShare)
                Add(members, {Evidence::Kind::Formula, 10,
                              "одинаковая формула сложности задачи «" + OneLine(formula) +
                                  "», которой нет в заданиях вариантов"});
    }

    // Members joined by pairs holding at least `least` bits; `describe` gets
    // the union of the group's bits and a member that holds them.
    template <typename Describe>
    void Group(const std::unordered_map<Pair, std::uint32_t, PairHash>& pairs, int least,
               Describe describe) {
        Components components(prints.size());
        std::vector<Pair> strong;
        for (const auto& [pair, bits] : pairs)
            if (std::popcount(bits) >= least) {
                components.Join(pair.first, pair.second);
                strong.push_back(pair);
            }
        std::sort(strong.begin(), strong.end());
        std::map<std::size_t, std::pair<std::vector<std::size_t>, std::uint32_t>> groups;
        for (const Pair& p : strong) {
            auto& g = groups[components.Find(p.first)];
            for (const std::size_t m : {p.first, p.second})
                if (std::find(g.first.begin(), g.first.end(), m) == g.first.end())
                    g.first.push_back(m);
            g.second |= pairs.at(p);
        }
        for (auto& [root, g] : groups) {
            std::sort(g.first.begin(), g.first.end());
            Add(g.first, describe(g.second, g.first.front()));
        }
    }
};

std::string InputText(const std::vector<Field>& fields, const std::vector<Field>& defaults) {
    std::string text;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f < defaults.size() && SameValue(fields[f].value, defaults[f].value))
            continue;
        text += (text.empty() ? "" : ", ") + fields[f].FullName() + " " +
                OneLine(ExactText(fields[f].value)) +
                (fields[f].note.empty() ? "" : " (" + fields[f].note + ")");
    }
    return text;
}

} // namespace

Fingerprint MakeFingerprint(const std::string& file, const Workbook& wb) {
    const StudentData s = Student(wb);
    Fingerprint p{
        OneLine(file), OneLine(s.student), OneLine(s.group), OneLine(s.variant), 0, {}, {}, {}, {}};
    std::vector<std::uint8_t> bytes = EncodeWorkbook(wb);
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(layout::Student),
              bytes.begin() + static_cast<std::ptrdiff_t>(layout::PartDone), 0);
    Hash content;
    content.Add(bytes.data(), bytes.size());
    p.decisions = GameDecisionKeys(wb); // the game block is among the bytes above
    p.content = content.Get();
    const NewWorkbook& defaults = Defaults();
    for (std::size_t r = 0; r < kInputRecords; ++r) {
        const std::vector<Field> fields = Inputs(wb, Records()[r]);
        const std::uint64_t h = HashFields(fields);
        if (h == defaults.hashes[r])
            continue;
        p.inputs[r] = h;
        p.inputText[r] = InputText(fields, defaults.inputs[r]);
    }
    const std::string formula = WithoutBlanks(Cp1251ToUtf8(FormulaText(wb.Task)));
    if (!GivenFormula(formula))
        p.formula = formula;
    return p;
}

std::string SimilarGroup::Strength() const {
    if (score >= 100)
        return "очень сильное совпадение: почти наверняка одна работа на несколько студентов";
    if (score >= 50)
        return "сильное совпадение: совпадает много свободно выбранной работы";
    if (score >= 30)
        return "заметное совпадение: стоит спросить студентов, как они работали";
    return "слабое совпадение: может быть случайным, одно оно списывания не доказывает";
}

std::vector<SimilarGroup> FindSimilar(const std::vector<Fingerprint>& prints) {
    Finder finder{prints, {}, {}};
    finder.LearnVariants();
    finder.Copies();
    finder.Decisions();
    finder.Inputs();
    finder.Formulas();

    // Evidence of a few members joins that of a larger group holding them
    // all, and names them.
    std::vector<std::pair<std::vector<std::size_t>, std::vector<Evidence>>> sets(
        finder.found.begin(), finder.found.end());
    std::stable_sort(sets.begin(), sets.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    std::vector<SimilarGroup> groups;
    const auto key = [&](std::size_t i) {
        return std::tuple(CollationKey(prints[i].group), CollationKey(prints[i].student),
                          prints[i].file);
    };
    const auto inOrder = [&](std::vector<std::size_t> members) {
        std::sort(members.begin(), members.end(),
                  [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
        return members;
    };
    for (auto& [members, evidence] : sets) {
        SimilarGroup* into = nullptr;
        for (SimilarGroup& g : groups)
            if (std::includes(g.sorted.begin(), g.sorted.end(), members.begin(), members.end())) {
                into = &g;
                break;
            }
        if (!into) {
            groups.push_back({inOrder(members), {}, 0, members});
            into = &groups.back();
        } else {
            std::string names;
            for (const std::size_t m : inOrder(members))
                names += (names.empty() ? "" : ", ") +
                         (prints[m].student.empty() ? prints[m].file : prints[m].student);
            for (Evidence& e : evidence)
                e.text = names + ": " + e.text;
        }
        for (Evidence& e : evidence) {
            into->score += e.score;
            into->evidence.push_back(std::move(e));
        }
    }
    for (SimilarGroup& g : groups)
        std::stable_sort(g.evidence.begin(), g.evidence.end(),
                         [](const Evidence& a, const Evidence& b) { return a.score > b.score; });
    std::stable_sort(
        groups.begin(), groups.end(),
        [](const SimilarGroup& a, const SimilarGroup& b) { return a.score > b.score; });
    return groups;
}

std::string MemberText(const Fingerprint& p) {
    return (p.student.empty() ? "(студент не указан)" : p.student) + " (" +
           (p.group.empty() ? "группа не указана" : p.group) + ", вариант " +
           (p.variant.empty() ? "не указан" : p.variant) + "): " + p.file;
}

void PrintSimilar(std::ostream& out, const std::vector<Fingerprint>& prints,
                  const std::vector<SimilarGroup>& groups) {
    if (groups.empty()) {
        out << "Свободно выбранной работы, общей для нескольких тетрадей, не найдено (тетрадей: "
            << prints.size() << ").\n";
        return;
    }
    out << "Тетради с общей свободно выбранной работой (тетрадей: " << prints.size()
        << ", групп совпадений: " << groups.size() << "), сначала самые сильные совпадения.\n"
        << "Совпадение с заданием варианта и с новой тетрадью не учитывается. Это повод "
           "поговорить со студентами, а не доказательство.\n";
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const SimilarGroup& group = groups[g];
        out << "\n" << g + 1 << ". " << group.Strength() << " (оценка " << group.score << ")\n";
        for (const std::size_t m : group.members)
            out << "   " << MemberText(prints[m]) << "\n";
        for (const Evidence& e : group.evidence)
            out << "   - " << e.text << "\n";
    }
}

} // namespace orvik::inspect
