// The help texts as a reader meets them: the typography and wording rules of
// the course, and what the texts state about the models. Every worked answer
// to a variant task and every number a text states is checked against the
// models (tests/shell/text-answers.txt says how).
#include "core/Cp1251.h"
#include "firm/FirmModel.h"
#include "firm/FirmRecord.h"
#include "lab2/ComputerModel.h"
#include "lab2/ComputerRecord.h"
#include "lab2/MemoryModel.h"
#include "lab2/MemoryRecord.h"
#include "lab2/TaskModel.h"
#include "lab2/TaskRecord.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "processor/ProcessorRecord.h"
#include "processor/Technology.h"
#include "shell/TextStore.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvik::test {
namespace {

const std::string kSource = ORVIK_SOURCE_DIR;

std::string ReadUtf8(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TextPath(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.txt", index);
    return kSource + "/data/texts/" + name;
}

std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += code;
        i += 1 + extra;
    }
    return out;
}

std::string Encode(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool IsCyrillic(char32_t c) {
    return (c >= U'А' && c <= U'я') || c == U'Ё' || c == U'ё';
}
bool IsLatin(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}
bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Whether the point at `i` stands in a section number: "2.3. Выход" at the
// start of a line, or a reference "п. 2.3".
bool IsSectionNumber(const std::u32string& text, std::size_t i) {
    std::size_t start = i;
    while (start > 0 && (IsDigit(text[start - 1]) || text[start - 1] == U'.'))
        --start;
    std::size_t before = start;
    while (before > 0 && text[before - 1] == U' ')
        --before;
    return before == 0 || text[before - 1] == U'\n' ||
           (start >= 3 && text.compare(start - 3, 3, U"п. ") == 0);
}

// The text with every run of blanks and line breaks made one blank, so that
// phrases are found across line breaks.
std::string Flat(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank || (!out.empty() && out.back() != ' '))
            out += blank ? ' ' : c;
    }
    return out;
}

// Typography and wording rules, for one text; each fault is reported with
// the line it stands in.
void ExpectTextKeepsTheRules(int index, const std::string& utf8) {
    SCOPED_TRACE("entry " + std::to_string(index));
    const std::u32string text = Decode(utf8);
    int line = 1;
    int quoteDepth = 0; // «» quote the program exactly as it shows itself
    auto at = [&](std::size_t i) { return i < text.size() ? text[i] : U'\0'; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const std::string where = "line " + std::to_string(line);
        if (c == U'\n')
            ++line;
        else if (c == U'«')
            ++quoteDepth;
        else if (c == U'»')
            --quoteDepth;
        EXPECT_NE(c, U'"') << where << ": quotes are «»";
        EXPECT_GE(quoteDepth, 0) << where << ": » without «";
        if (quoteDepth > 0)
            continue;
        if (c == U'.' && i > 0 && IsDigit(text[i - 1]) && IsDigit(at(i + 1)) &&
            !IsSectionNumber(text, i))
            ADD_FAILURE() << where << ": a decimal point outside «»; the texts write a comma";
        if (c == U'-' && i >= 2 && at(i - 1) == U' ' && IsCyrillic(text[i - 2]) &&
            at(i + 1) == U' ' && IsCyrillic(at(i + 2)))
            ADD_FAILURE() << where << ": a hyphen between words; a dash is —";
        if (text.compare(i, 6, U"Расчит") == 0)
            ADD_FAILURE() << where << ": «Расчитать» is the program's caption, only in «»";
        if (text.compare(i, 8, U"например") == 0 || text.compare(i, 8, U"Например") == 0) {
            if (at(i + 8) != U',')
                ADD_FAILURE() << where << ": no comma after «например»";
        }
    }
    EXPECT_EQ(quoteDepth, 0) << "« without »";

    // One script to a word and to a symbol with its index: no Latin letter
    // that looks Cyrillic inside a Cyrillic word, no "Vк".
    std::u32string word;
    line = 1;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char32_t c = at(i);
        if (IsCyrillic(c) || IsLatin(c)) {
            word += c;
            continue;
        }
        bool latin = false, cyrillic = false;
        for (const char32_t w : word) {
            latin = latin || IsLatin(w);
            cyrillic = cyrillic || IsCyrillic(w);
        }
        if (latin && cyrillic)
            ADD_FAILURE() << "line " << line << ": \"" << Encode(word)
                          << "\" mixes Latin and Cyrillic letters";
        word.clear();
        if (c == U'\n')
            ++line;
    }

    // Wordings that once said something the program does not do.
    struct Wrong {
        const char* phrase;
        const char* why;
    };
    static const Wrong wrongs[] = {
        {"ln(N+2)^", "the power applies to the logarithm: (ln(N+2))^2,3"},
        {"Пробелы вокруг знаков", "blanks are allowed before a number and beside n"},
        {"повышает интеграцию и частоту", "the frequency has a maximum in L"},
        {"Допустимо от", "a hint states its range once, in the \"Диапазон\" line"},
        {"цикл — не меньше 0", "the program accepts a zero storage cycle"},
        {"задавайте положительное значение", "the program accepts a zero storage cycle"},
        {"значения в любой точке", "the graph shows the pointer's coordinates"},
        {"входных N", "«входных величин N»"},
        {"обоих схемотехник", "«обеих схемотехник»"},
        {"чем КМОП", "«чем у КМОП»"},
        {"Для обоих:", "«Для обеих схемотехник:»"},
        {"при большом D", "the memory costs are not monotonic even at D = 1"},
        {"сотни кбайт", "the best cache lies between 152 and 4224 KB"},
        {"сотнях кбайт", "the best cache lies between 152 and 4224 KB"},
        {"так же, как стоимость БИС", "the memory's cost has a model of its own"},
        {"переводит результат", "a chip costs 1000/(n*Y) + 10"},
        {"чужие данные", "the report shows the last, extra calculation"},
        {"Иотк", "one symbol per quantity: Иб, Из, Иу"},
    };
    const std::string flat = Flat(utf8);
    for (const Wrong& w : wrongs)
        EXPECT_EQ(flat.find(w.phrase), std::string::npos) << "\"" << w.phrase << "\": " << w.why;
}

// How numbers and signs are set, outside «»: an en dash in a range ("1–3"),
// a blank before "%", digits grouped by thousands ("2 150 000"; the
// fraction of a decimal is not grouped), a semicolon between listed
// decimals ("0,5; 1,0 и 5,0"), no "->" and no Latin "x" for a sign.
void ExpectNumbersKeepTheRules(int index, const std::string& utf8) {
    SCOPED_TRACE("entry " + std::to_string(index));
    const std::u32string text = Decode(utf8);
    auto at = [&](std::size_t i) { return i < text.size() ? text[i] : U'\0'; };
    auto before = [&](std::size_t i) { return i > 0 ? text[i - 1] : U'\0'; };
    int line = 1;
    int quoteDepth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const std::string where = "line " + std::to_string(line);
        line += c == U'\n' ? 1 : 0;
        quoteDepth += c == U'«' ? 1 : c == U'»' ? -1 : 0;
        if (quoteDepth > 0)
            continue;
        if (c == U'-' && IsDigit(before(i)) && IsDigit(at(i + 1)))
            ADD_FAILURE() << where << ": a hyphen in a range; a range takes an en dash –";
        if (c == U'%' && before(i) != U' ')
            ADD_FAILURE() << where << ": no blank before %";
        if (c == U'-' && at(i + 1) == U'>')
            ADD_FAILURE() << where << ": an arrow \"->\"; say it in words";
        if (c == U'x' && !IsLatin(before(i)) && !IsLatin(at(i + 1))) {
            std::size_t l = i, r = i + 1;
            while (l > 0 && text[l - 1] == U' ')
                --l;
            while (at(r) == U' ')
                ++r;
            if (l > 0 && IsDigit(text[l - 1]) && IsDigit(at(r)))
                ADD_FAILURE() << where << ": a Latin x for a sign; write * or say it in words";
        }
        if (IsDigit(c) && !IsDigit(before(i))) {
            std::size_t end = i;
            while (IsDigit(at(end)))
                ++end;
            const bool fraction = before(i) == U',' && i >= 2 && IsDigit(text[i - 2]);
            if (end - i >= 5 && !fraction)
                ADD_FAILURE() << where << ": " << end - i
                              << " digits in a row; group them by thousands";
            // A decimal followed by ", " and a number: a list of decimals.
            if (fraction && at(end) == U',' && at(end + 1) == U' ' && IsDigit(at(end + 2)))
                ADD_FAILURE() << where << ": decimals listed with commas; part them by \"; \"";
        }
    }
}

TEST(CourseTexts, KeepTheTypographyAndWordingRules) {
    for (int i = 0; i < kTextCount + kGameTextCount; ++i) {
        ExpectTextKeepsTheRules(i, ReadUtf8(TextPath(i)));
        ExpectNumbersKeepTheRules(i, ReadUtf8(TextPath(i)));
    }
}

// The rules themselves, on texts that break them.
TEST(CourseTexts, RulesCatchWhatTheyAreFor) {
    struct Case {
        const char* text;
        bool faulty;
    };
    const Case cases[] = {
        {"Нажмите «Расчитать»; D = 0,5 — например, 1,0.\n", false},
        {"Нажмите \"Расчет\".\n", true},
        {"D = 0.5\n", true},
        {"2.3. Выход годных (см. п. 2.3)\n", false},
        {"Поле показывает «0.50».\n", false},
        {"прибыль с продаж - затраты\n", true},
        {"t = 375*часы - 10\n", false},
        {"Расчитать\n", true},
        {"например 70 нс\n", true},
        {"стоимость Cк\n", true}, // a Latin C
        {"объем Vк\n", true},
        {"объем Vc и Ск\n", false},
        {"узлы 1-3, 4–32 кбайт\n", true},
        {"узлы 1–3, 4–32 кбайт, 15 %, 2 150 000, 0,0000024 и 10^-8\n", false},
        {"прибыль 15%\n", true},
        {"2150000 штук\n", true},
        {"D = 0,5, 1,0 и 5,0\n", true},
        {"D = 0,5; 1,0 и 5,0; M = 8, W = 32; 1, 4 и 16\n", false},
        {"2,00 -> 1,00 мкм\n", true},
        {"экран 1024x768\n", true},
        {"x = Q*(1 - exp(-Иу*t)), отказов x больше 0,5\n", false},
        {"«Лаб.1 - 2-3»\n", false},
        {"A = ln(N+2)^2.3\n", true},
        {"«незакрытая кавычка\n", true},
    };
    for (const Case& c : cases) {
        testing::TestPartResultArray failures;
        {
            testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
                &failures);
            ExpectTextKeepsTheRules(99, c.text);
            ExpectNumbersKeepTheRules(99, c.text);
        }
        EXPECT_EQ(failures.size() > 0, c.faulty) << c.text;
    }
}

// ---- What the texts state, checked against the models ----

using Values = std::map<std::string, long double>;
using Inputs = std::map<std::string, std::string>;

struct Claim {
    int line = 0;
    std::string model;
    Inputs inputs;
    Inputs results;
    bool error = false; // "=> error"
};

struct Entry {
    std::vector<std::string> says;
    std::vector<std::string> answers;
    std::vector<Claim> claims;
};

// key=value pairs; a value in double quotes may hold blanks.
Inputs Pairs(const std::string& text) {
    Inputs pairs;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const std::size_t eq = text.find('=', i);
        if (i >= text.size() || eq == std::string::npos)
            break;
        const std::string key = text.substr(i, eq - i);
        std::string value;
        i = eq + 1;
        if (i < text.size() && text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            value = text.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            const std::size_t end = std::min(text.find(' ', i), text.size());
            value = text.substr(i, end - i);
            i = end;
        }
        pairs[key] = value;
    }
    return pairs;
}

std::map<int, Entry> ReadAnswers() {
    std::ifstream in(kSource + "/tests/shell/text-answers.txt");
    std::map<int, Entry> entries;
    Entry* entry = nullptr;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            entry = &entries[std::stoi(line.substr(1))];
        } else if (!entry) {
            ADD_FAILURE() << "line " << number << " before the first [NN]";
        } else if (line.rfind("says: ", 0) == 0) {
            entry->says.push_back(line.substr(6));
        } else if (line.rfind("answer: ", 0) == 0) {
            entry->answers.push_back(line.substr(8));
        } else {
            const std::size_t arrow = line.find(" => ");
            const std::size_t blank = line.find(' ');
            if (arrow == std::string::npos) {
                ADD_FAILURE() << "line " << number << ": no \" => \"";
                continue;
            }
            Claim claim;
            claim.line = number;
            claim.model = line.substr(0, blank);
            claim.inputs = Pairs(line.substr(blank, arrow - blank));
            const std::string results = line.substr(arrow + 4);
            claim.error = results == "error";
            if (!claim.error)
                claim.results = Pairs(results);
            entry->claims.push_back(claim);
        }
    }
    return entries;
}

long double Number(const Inputs& in, const std::string& key) {
    const auto it = in.find(key);
    if (it == in.end())
        throw std::invalid_argument("input " + key + " missing");
    return std::stold(it->second);
}
int Integer(const Inputs& in, const std::string& key, int otherwise = -1) {
    const auto it = in.find(key);
    if (it == in.end() && otherwise >= 0)
        return otherwise;
    return static_cast<int>(Number(in, key));
}

ProcessorRecord ProcessorInputs(const Inputs& in) {
    ProcessorRecord r{};
    const std::string& tech = in.at("tech");
    r.Technology = -1;
    for (int t = 0; t < 5; ++t)
        if (tech == TechnologyTable[static_cast<std::size_t>(t)].Name)
            r.Technology = t;
    if (r.Technology < 0)
        throw std::invalid_argument("no technology " + tech);
    r.DefectFactor = in.count("D") ? static_cast<double>(Number(in, "D")) : 1.0;
    r.MinFeature = in.count("L") ? static_cast<double>(Number(in, "L")) : 1.0;
    r.ChipArea = static_cast<double>(Number(in, "S"));
    r.DeviceIntegration = Integer(in, "G");
    return r;
}

Values ProcessorValues(const ProcessorRecord& r) {
    return {{"N", r.ChipIntegration},
            {"P", r.Power},
            {"delay", r.GateDelay},
            {"Y", r.Yield},
            {"Cb", r.ChipCost},
            {"K", r.ChipCount},
            {"A", r.AluCount},
            {"f", r.Frequency},
            {"T", r.Mtbf},
            {"rate", r.ChipFailureRate},
            {"C", r.ProcessorCost},
            {"good", r.HasGoodChips}};
}

Values Curves(const Inputs& in) {
    ProcessorRecord working = ProcessorInputs(in);
    const ProcessorRecord inputs = working;
    CurveTableData table{};
    CurveResults results;
    ComputeCurves(working, table, results);
    Values v{{"start", results.MlrSweepStart}};
    for (int set = 0; set < 3; ++set) {
        ProcessorRecord descent = inputs;
        v["low" + std::to_string(set)] =
            CurveLowestSize(descent, CurveDefects[static_cast<std::size_t>(set)]);
        const ProcessorRecord* cheapest = nullptr;
        for (const ProcessorRecord& row : table[static_cast<std::size_t>(set)])
            if (row.HasGoodChips && (!cheapest || row.ProcessorCost < cheapest->ProcessorCost))
                cheapest = &row;
        if (cheapest)
            v["mincost" + std::to_string(set)] = cheapest->MinFeature;
    }
    const ProcessorRecord *fastest = nullptr, *longest = nullptr;
    for (const ProcessorRecord& row : table[1]) { // the single curves show set 1
        if (!row.HasGoodChips)
            continue;
        if (!fastest || row.Frequency > fastest->Frequency)
            fastest = &row;
        if (!longest || row.Mtbf > longest->Mtbf)
            longest = &row;
    }
    if (fastest) {
        v["maxf"] = fastest->MinFeature;
        v["maxT"] = longest->MinFeature;
    }
    if (in.count("S2")) {
        for (const ProcessorRecord& row : results.AreaCurveTable)
            if (std::fabs(row.ChipArea - static_cast<double>(Number(in, "S2"))) < 1e-9) {
                v["T"] = row.Mtbf;
                v["C"] = row.ProcessorCost;
            }
    }
    return v;
}

TaskRecord Task(const Inputs& in) {
    TaskRecord task{};
    task.InputCount = Integer(in, "N");
    SetFormulaText(task, ToCp1251(in.at("F")));
    task.DataComplexity = Integer(in, "grade");
    ComputeTask(task, [] {}); // a formula error leaves 0 cycles, as in the window
    return task;
}

MemoryRecord Memory(const Inputs& in, int chip) {
    MemoryRecord m{};
    m.Capacity = Integer(in, "M");
    m.WordBits = Integer(in, "W");
    m.AccessTime = Integer(in, "T");
    m.ChipType = chip;
    ComputeMemory(m, static_cast<double>(Number(in, "D")));
    return m;
}

ComputerRecord Computer(const Inputs& in, int cacheSize) {
    const TaskRecord task = Task(in);
    ProcessorRecord processor = ProcessorInputs(in);
    ComputeProcessor(processor);
    const MemoryRecord memory = Memory(in, Integer(in, "chip"));
    ComputerRecord c{};
    c.CacheSize = cacheSize;
    c.CacheTime = Integer(in, "ctime");
    c.UsesStorage = static_cast<std::uint8_t>(Integer(in, "storage", 0));
    c.StorageCycle = Integer(in, "cycle", 15);
    c.StorageSize = Integer(in, "size", 500);
    c.AccessCountKnown = in.count("given") ? 1 : 0;
    c.GivenAccesses = Integer(in, "given", 1);
    ComputeComputer(c, task, processor, memory);
    return c;
}

Values FirmValues(int kit, int hours) {
    FirmRecord f{};
    SetFirmKitGrades(f, kit);
    f.Hours = hours;
    ComputeFirm(f);
    Values v{{"price", f.KitPrice},
             {"volume", f.SalesVolume},
             {"sales", f.SalesProfit},
             {"warranty", f.WarrantyCost},
             {"profit", f.ActivityProfit}};
    for (int i = 0; i < 4; ++i)
        v["repairs" + std::to_string(i)] = f.Repairs[static_cast<std::size_t>(i)];
    return v;
}

// What the model of a claim gives for its inputs.
Values Evaluate(const Claim& claim) {
    const Inputs& in = claim.inputs;
    const std::string& m = claim.model;
    if (m == "processor") {
        ProcessorRecord r = ProcessorInputs(in);
        ComputeProcessor(r);
        return ProcessorValues(r);
    }
    if (m == "curves" || m == "area")
        return Curves(in);
    if (m == "lowest") {
        ProcessorRecord r = ProcessorInputs(in);
        return {{"L", CurveLowestSize(r, static_cast<double>(Number(in, "D")))}};
    }
    if (m == "formula")
        return {{"F", EvaluateComplexity(ToCp1251(in.at("text")), Integer(in, "N"))}};
    if (m == "task")
        return {{"cycles", Task(in).Cycles}};
    if (m == "memory") {
        const MemoryRecord r = Memory(in, Integer(in, "chip"));
        return {{"cycle", r.CycleTime}, {"cost", r.MemoryCost}, {"mtbf", r.MemoryMtbf}};
    }
    if (m == "computer") {
        const ComputerRecord c = Computer(in, Integer(in, "cache"));
        return {{"accesses", c.StorageAccesses},
                {"time", c.TaskTime},
                {"mips", c.Performance},
                {"cost", c.ComputerCost},
                {"cpm", c.CostPerMips}};
    }
    if (m == "bestcache") { // the sizes the input window offers
        Values best{{"cpm", 1e30L}};
        for (int size = 0; size <= 8192; size += 8) {
            const int cpm = Computer(in, size).CostPerMips;
            if (cpm < best["cpm"])
                best = {{"size", size}, {"cpm", cpm}};
        }
        return best;
    }
    if (m == "firm")
        return FirmValues(Integer(in, "kit"), Integer(in, "hours"));
    if (m == "firmtable") {
        Values v{{"profitable", 0}};
        long double bestProfit = -1e30L;
        for (int kit = 1; kit <= 16; ++kit) {
            const long double profit = FirmValues(kit, Integer(in, "hours"))["profit"];
            if (profit > bestProfit) {
                bestProfit = profit;
                v["best"] = kit;
            }
            if (profit > 0)
                v["profitable"] += 1;
            else if (!v.count("loss"))
                v["loss"] = kit;
        }
        return v;
    }
    throw std::invalid_argument("no model " + m);
}

// A result written with k decimals agrees to half a unit of its last decimal.
bool Agrees(long double actual, const std::string& written) {
    const std::size_t point = written.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(written.size() - point - 1);
    const long double tolerance = 0.5L * std::pow(10.0L, -decimals) * (1 + 1e-9L);
    return std::fabs(actual - std::stold(written)) <= tolerance;
}

TEST(CourseTexts, StatementsAndWorkedAnswersHoldForTheModels) {
    const std::map<int, Entry> entries = ReadAnswers();
    ASSERT_FALSE(entries.empty());
    int claims = 0;
    for (const auto& [index, entry] : entries) {
        SCOPED_TRACE("entry " + std::to_string(index));
        ASSERT_GE(index, 0);
        ASSERT_LT(index, kTextCount + kGameTextCount);
        const std::string text = Flat(ReadUtf8(TextPath(index)));
        for (const std::string& phrase : entry.says)
            EXPECT_NE(text.find(Flat(phrase)), std::string::npos)
                << "the text does not say \"" << phrase << "\"";
        for (const Claim& claim : entry.claims) {
            SCOPED_TRACE("text-answers.txt line " + std::to_string(claim.line));
            ++claims;
            if (claim.error) {
                EXPECT_THROW(Evaluate(claim), FormulaError);
                continue;
            }
            Values got;
            try {
                got = Evaluate(claim);
            } catch (const std::exception& e) {
                ADD_FAILURE() << claim.model << ": " << e.what();
                continue;
            }
            for (const auto& [key, written] : claim.results) {
                const auto it = got.find(key);
                if (it == got.end())
                    ADD_FAILURE() << claim.model << " gives no " << key;
                else
                    EXPECT_TRUE(Agrees(it->second, written))
                        << key << ": the model gives " << static_cast<double>(it->second)
                        << ", the answer says " << written;
            }
        }
    }
    EXPECT_GT(claims, 100);
}

// Every variant task has a worked answer and checks of it.
TEST(CourseTexts, EveryVariantTaskHasAWorkedAnswer) {
    const std::map<int, Entry> entries = ReadAnswers();
    for (int index = 33; index <= 62; ++index) {
        const auto it = entries.find(index);
        ASSERT_NE(it, entries.end()) << "variant task " << index << " has no answer";
        EXPECT_FALSE(it->second.answers.empty()) << "variant task " << index;
        EXPECT_FALSE(it->second.claims.empty()) << "variant task " << index;
    }
}

} // namespace
} // namespace orvik::test
