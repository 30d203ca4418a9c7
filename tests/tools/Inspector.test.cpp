#include "Inspector.h"
#include "game/GameSession.h"

#include "core/Cp1251.h"
#include "firm/FirmModel.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "support/TempFolder.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace orvik::inspect {
namespace {

namespace fs = std::filesystem;

// A workbook with every part computed as the lab windows compute it.
Workbook ComputedWorkbook(const std::string& student = "Иванов Иван",
                          const std::string& group = "ВВ-3-98") {
    LabState state;
    ResetWorkbook(state);
    Workbook& wb = state.workbook;
    wb.sStudent = ToCp1251(student);
    wb.sGroup = ToCp1251(group);
    wb.sVar = "7";
    wb.Circuit2.Technology = 2;
    wb.Circuit2.ChipArea = 0.5;
    ComputeProcessor(wb.Circuit1);
    ComputeProcessor(wb.Circuit2);
    ProcessorRecord working = wb.Circuit2;
    ComputeCurves(working, wb.CurveTable, state.Curves);
    SetFormulaText(wb.Task, "n**2");
    ComputeTask(wb.Task, {});
    wb.Lab2Processor.DefectFactor = 0.5;
    ComputeProcessor(wb.Lab2Processor);
    ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
    ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
    wb.Firm.Grade[1] = 1;
    ComputeFirm(wb.Firm);
    wb.PartDone = {1, 0, 1, 1, 1, 1, 1};
    return wb;
}

class InspectorTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Workbook& wb) {
        const std::string path = (dir_ / name).string();
        const auto bytes = EncodeWorkbook(wb);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    int Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int status = RunInspector(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }

    test::TempFolder dir_;
    std::string out_, err_;
};

// --- A tiny JSON reader: enough to prove the output parses and to fetch values.

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    std::string text; // number as printed, or the decoded string
    std::vector<Json> items;
    std::map<std::string, Json> members;
    const Json& operator[](const std::string& k) const { return members.at(k); }
    const Json& operator[](std::size_t i) const { return items.at(i); }
};

struct JsonReader {
    std::string_view s;
    std::size_t i = 0;

    void Fail() { throw std::runtime_error("bad JSON at " + std::to_string(i)); }
    char Peek() { return i < s.size() ? s[i] : '\0'; }
    void Expect(char c) {
        if (Peek() != c)
            Fail();
        ++i;
    }
    std::string ReadString() {
        Expect('"');
        std::string r;
        while (Peek() != '"') {
            const auto c = static_cast<unsigned char>(Peek());
            if (c == 0 || c < 0x20)
                Fail();
            ++i;
            if (c != '\\') {
                r += static_cast<char>(c);
                continue;
            }
            const char e = Peek();
            ++i;
            static const std::string simple = "\"\\/bfnrt", decoded = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != std::string::npos) {
                r += decoded[k];
            } else if (e == 'u') {
                const unsigned code = std::stoul(std::string(s.substr(i, 4)), nullptr, 16);
                i += 4;
                if (code >= 0x80)
                    Fail(); // the writer escapes only control characters
                r += static_cast<char>(code);
            } else {
                Fail();
            }
        }
        ++i;
        return r;
    }
    Json Read() {
        Json v;
        const char c = Peek();
        if (c == '{') {
            v.kind = Json::Object;
            ++i;
            while (Peek() != '}') {
                if (!v.members.empty())
                    Expect(',');
                std::string k = ReadString();
                Expect(':');
                v.members[k] = Read();
            }
            ++i;
        } else if (c == '[') {
            v.kind = Json::Array;
            ++i;
            while (Peek() != ']') {
                if (!v.items.empty())
                    Expect(',');
                v.items.push_back(Read());
            }
            ++i;
        } else if (c == '"') {
            v.kind = Json::String;
            v.text = ReadString();
        } else if (s.substr(i, 4) == "null") {
            i += 4;
        } else if (s.substr(i, 4) == "true" || s.substr(i, 5) == "false") {
            v.kind = Json::Bool;
            v.text = c == 't' ? "true" : "false";
            i += c == 't' ? 4 : 5;
        } else {
            v.kind = Json::Number;
            const std::size_t start = i;
            while (i < s.size() && std::strchr("+-0123456789.eE", s[i]))
                ++i;
            if (i == start)
                Fail();
            v.text = std::string(s.substr(start, i - start));
        }
        return v;
    }
    static Json Parse(std::string_view text) {
        JsonReader r{text};
        Json v = r.Read();
        if (r.i != text.size())
            r.Fail();
        return v;
    }
};

bool SameBits(const std::string& printed, double expected) {
    const double back = std::strtod(printed.c_str(), nullptr);
    return std::memcmp(&back, &expected, sizeof back) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// --- Recomputation ------------------------------------------------------------

TEST_F(InspectorTest, FreshlyComputedWorkbookRecomputesClean) {
    const Workbook wb = ComputedWorkbook();
    const CheckResult check = Recompute(wb);
    for (const RecordCheck& c : check.records) {
        EXPECT_TRUE(c.Agrees()) << c.key << ": " << c.error << " "
                                << (c.differences.empty() ? "" : c.differences[0].field);
    }
    EXPECT_EQ(Run({"--recompute", Write("a.orvik", wb)}), kExitAgree) << out_;
    EXPECT_NE(out_.find("Иванов Иван"), std::string::npos);
    EXPECT_NE(out_.find("совпадают"), std::string::npos);
    EXPECT_TRUE(err_.empty());
}

TEST_F(InspectorTest, EditedResultsAreReportedWithBothValues) {
    Workbook wb = ComputedWorkbook();
    const double power = wb.Circuit1.Power;
    wb.Circuit1.Power = 12.5;
    wb.CurveTable[2][17].Yield = 0.1;
    wb.Firm.Repairs[3] += 1;

    EXPECT_EQ(Run({"--recompute", Write("a.orvik", wb)}), kExitDiffers);
    EXPECT_NE(out_.find("Power: записано 12.5, пересчитано " + ExactText(Value::Real(power))),
              std::string::npos)
        << out_;
    EXPECT_NE(out_.find("CurveTable[2][17].Yield: записано 0.10000000000000001"),
              std::string::npos);
    EXPECT_NE(out_.find("Repairs[3]: записано"), std::string::npos);

    // The same in JSON, exactly.
    ASSERT_EQ(Run({"--json", "--recompute", (dir_ / "a.orvik").string()}), kExitDiffers);
    const Json doc = JsonReader::Parse(Lines(out_).at(0));
    const Json& records = doc["recompute"]["records"];
    ASSERT_EQ(records[0]["record"].text, "Circuit1");
    const Json& d = records[0]["differences"][0];
    EXPECT_EQ(d["field"].text, "Power");
    EXPECT_TRUE(SameBits(d["stored"].text, 12.5));
    EXPECT_TRUE(SameBits(d["recomputed"].text, power));
    EXPECT_EQ(doc["recompute"]["agree"].text, "false");
}

TEST_F(InspectorTest, PartsNotDoneAreShownButNotCounted) {
    // A new workbook holds zero results that never were computed.
    LabState state;
    ResetWorkbook(state);
    EXPECT_EQ(Run({"--recompute", Write("new.orvik", state.workbook)}), kExitAgree);
    EXPECT_NE(out_.find("не выполнено"), std::string::npos);
    EXPECT_NE(out_.find("(не учитывается)"), std::string::npos);

    // An edited firm counts only while its part is done.
    Workbook wb = ComputedWorkbook();
    wb.Firm.KitPrice = 1;
    const std::string path = Write("firm.orvik", wb);
    EXPECT_EQ(Run({"--recompute", path}), kExitDiffers);
    wb.PartDone[PartFirm] = 0;
    EXPECT_EQ(Run({"--recompute", Write("firm.orvik", wb)}), kExitAgree);
    EXPECT_NE(out_.find("KitPrice: записано 1"), std::string::npos);

    // Lab work 1 done with only circuit variant 1 computed: the untouched
    // variant 2 and curve table are marked, not counted.
    LabState one;
    ResetWorkbook(one);
    ComputeProcessor(one.workbook.Circuit1);
    one.workbook.PartDone[PartProcessor1] = 1;
    EXPECT_EQ(Run({"--recompute", Write("one.orvik", one.workbook)}), kExitAgree) << out_;
    EXPECT_NE(out_.find("результаты не рассчитывались"), std::string::npos);
}

TEST_F(InspectorTest, TaskFormulaErrorRecomputesCyclesToZero) {
    Workbook wb = ComputedWorkbook();
    SetFormulaText(wb.Task, "10 * n");
    const CheckResult check = Recompute(wb);
    const RecordCheck& task = check.records.at(4);
    ASSERT_EQ(task.key, "Task");
    EXPECT_TRUE(task.formulaError);
    ASSERT_EQ(task.differences.size(), 1u);
    EXPECT_EQ(task.differences[0].field, "Cycles");
    EXPECT_EQ(task.differences[0].recomputed.integer, 0);
}

// --- Unreadable files ------------------------------------------------------------

TEST_F(InspectorTest, UnreadableFilesGiveStatusTwoAndTheOthersAreStillInspected) {
    const auto bytes = EncodeWorkbook(ComputedWorkbook());
    const std::string shortFile = (dir_ / "short.orvik").string();
    std::ofstream(shortFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 21092 - 1);
    const std::string good = Write("good.orvik", ComputedWorkbook("Петров Петр"));
    const std::string missing = (dir_ / "missing.orvik").string();

    EXPECT_EQ(Run({shortFile, dir_.path(), good, missing}), kExitTrouble);
    const auto errors = Lines(err_);
    ASSERT_EQ(errors.size(), 3u) << err_;
    EXPECT_NE(errors[0].find(shortFile), std::string::npos);
    EXPECT_NE(errors[0].find("Read beyond end of file"), std::string::npos);
    EXPECT_NE(errors[1].find(dir_.path()), std::string::npos);
    EXPECT_NE(errors[2].find(missing), std::string::npos);
    EXPECT_NE(out_.find("Петров Петр"), std::string::npos);

    // Differences elsewhere do not hide the unreadable file; JSON names it too.
    Workbook edited = ComputedWorkbook();
    edited.Memory.MemoryCost = 3;
    EXPECT_EQ(Run({"--json", "--recompute", Write("e.orvik", edited), shortFile}), kExitTrouble);
    const auto lines = Lines(out_);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(JsonReader::Parse(lines[1])["error"].text.find("Read beyond end of file"),
              std::string::npos);

    EXPECT_EQ(Run({"--bogus", good}), kExitTrouble);
    EXPECT_EQ(Run({}), kExitTrouble);
    EXPECT_EQ(Run({"--help"}), kExitAgree);
    EXPECT_NE(out_.find("--recompute"), std::string::npos);

    // An output that does not take the report (a full disk) is status 2 with
    // a message, never a report cut off silently.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {good}, {"--json", good}, {"--summary", "--recompute", good}, {"--help"}}) {
        std::ofstream full("/dev/full");
        std::ostringstream err;
        EXPECT_EQ(RunInspector(args, full, err), kExitTrouble) << args[0];
        EXPECT_NE(err.str().find("не удается записать результат"), std::string::npos) << args[0];
    }
    const fs::path tool =
        fs::path(std::getenv("ORVIK_BUILD_DIR") ? std::getenv("ORVIK_BUILD_DIR") : ".") /
        "orvik-inspect";
    if (fs::exists(tool)) {
        const std::string errors = (dir_ / "errors.txt").string();
        const int rc =
            std::system((tool.string() + " --json " + good + " > /dev/full 2> " + errors).c_str());
        EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == kExitTrouble) << rc;
        std::ifstream in(errors);
        const std::string message((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(message.find("не удается записать результат"), std::string::npos) << message;
    }
}

// --- JSON -------------------------------------------------------------------------

TEST_F(InspectorTest, JsonParsesEscapesTextsAndRoundTripsEveryDouble) {
    Workbook wb = ComputedWorkbook();
    wb.sStudent = ToCp1251("Д'Артаньян \"Шарль\" \\ 1\t2") + '\x01' + '\x98';
    wb.Circuit1.Mtbf = std::numeric_limits<double>::quiet_NaN();
    wb.Circuit2.Power = -std::numeric_limits<double>::infinity();
    wb.Lab2Processor.GateCost = 5e-324;

    ASSERT_EQ(Run({"--json", Write("a.orvik", wb), Write("b.orvik", ComputedWorkbook())}),
              kExitAgree);
    const auto lines = Lines(out_);
    ASSERT_EQ(lines.size(), 2u);
    const Json doc = JsonReader::Parse(lines[0]);
    JsonReader::Parse(lines[1]);

    EXPECT_EQ(doc["sStudent"].text, "Д'Артаньян \"Шарль\" \\ 1\t2\x01\xEF\xBF\xBD");
    EXPECT_EQ(doc["sGroup"].text, "ВВ-3-98");
    EXPECT_EQ(doc["parts"][6]["name"].text, "Моделирование деятельности компьютерной фирмы");
    EXPECT_EQ(doc["PartDone"][1].text, "0");

    const Json& c1 = doc["records"]["Circuit1"]["fields"];
    EXPECT_EQ(c1["Mtbf"].text, "NaN");
    EXPECT_EQ(c1["Mtbf"].kind, Json::String);
    EXPECT_EQ(doc["records"]["Circuit2"]["fields"]["Power"].text, "-Infinity");
    EXPECT_TRUE(SameBits(doc["records"]["Lab2Processor"]["fields"]["GateCost"].text, 5e-324));
    EXPECT_TRUE(SameBits(c1["Yield"].text, wb.Circuit1.Yield));
    EXPECT_EQ(doc["records"]["Task"]["fields"]["Formula"].text, "n**2");
    EXPECT_EQ(doc["records"]["Firm"]["fields"]["Grade"][1].text, "1");
    EXPECT_TRUE(
        SameBits(doc["records"]["Firm"]["fields"]["FailureRate"][3].text, wb.Firm.FailureRate[3]));

    const Json& rows = doc["records"]["CurveTable"]["rows"];
    ASSERT_EQ(rows.items.size(), 150u);
    for (std::size_t k = 0; k < 150; ++k) {
        const ProcessorRecord& r = wb.CurveTable[k / 50][k % 50];
        ASSERT_EQ(rows[k]["set"].text, std::to_string(k / 50));
        for (const char* name : {"MinFeature", "Yield", "ChipCost", "Mtbf", "Frequency"}) {
            const double expected = name == std::string("MinFeature") ? r.MinFeature
                                    : name == std::string("Yield")    ? r.Yield
                                    : name == std::string("ChipCost") ? r.ChipCost
                                    : name == std::string("Mtbf")     ? r.Mtbf
                                                                      : r.Frequency;
            ASSERT_TRUE(SameBits(rows[k][name].text, expected)) << k << " " << name;
        }
    }
}

// --- Summary --------------------------------------------------------------------------

TEST_F(InspectorTest, SummarySortsByGroupThenStudent) {
    Workbook a = ComputedWorkbook("Яковлев Яков", "ВВ-3-98");
    Workbook b = ComputedWorkbook("ёлкин Егор", "ВВ-3-98");
    Workbook c = ComputedWorkbook("Жуков Жан", "ВВ-3-98");
    Workbook d = ComputedWorkbook("Петров Петр", "АБ-1-99");
    b.PartDone = {1, 0, 1, 0, 0, 0, 0};
    b.Firm.SalesVolume = 0;
    const std::vector<std::string> files{Write("1.orvik", a), Write("2.orvik", b),
                                         Write("3.orvik", c), Write("4.orvik", d)};
    ASSERT_EQ(Run({"--summary", files[0], files[1], files[2], files[3]}), kExitAgree);
    auto lines = Lines(out_);
    ASSERT_EQ(lines.size(), 5u) << out_;
    EXPECT_EQ(lines[0].rfind("Группа", 0), 0u);
    EXPECT_NE(lines[1].find("Петров Петр"), std::string::npos);
    EXPECT_NE(lines[2].find("ёлкин Егор"), std::string::npos); // ё sorts as е, before ж
    EXPECT_NE(lines[3].find("Жуков Жан"), std::string::npos);
    EXPECT_NE(lines[4].find("Яковлев Яков"), std::string::npos);
    EXPECT_NE(lines[2].find(" +-+---- "), std::string::npos);
    EXPECT_NE(lines[2].find("2.orvik"), std::string::npos);

    // The firm is not done in b: its edit does not count.
    a.Circuit2.ChipCount = 99;
    Write("1.orvik", a);
    ASSERT_EQ(Run({"--summary", "--recompute", files[0], files[1]}), kExitDiffers);
    lines = Lines(out_);
    EXPECT_NE(lines[1].find("совпадает"), std::string::npos);
    EXPECT_NE(lines[2].find("расхождений 1"), std::string::npos);
}

// --- Damaged files ------------------------------------------------------------------------

TEST_F(InspectorTest, DamagedValuesAreReportedWithoutCrash) {
    Workbook wb = ComputedWorkbook();
    wb.Circuit1.Technology = 9;
    wb.Circuit2.HasGoodChips = 3;
    wb.Memory.ChipType = 7;
    wb.Firm.Hours = 0;
    wb.Firm.Grade[0] = -5;
    wb.Task.DataComplexity = 5;
    wb.Computer.UsesStorage = 2;
    wb.PartDone[PartBusinessGame] = 2;
    wb.GuideAutoStart = 200;
    for (auto& row : wb.CurveTable[1])
        row.Technology = -1;
    wb.CurveTable[0][0].Technology = 1000000;
    const std::string path = Write("bad.orvik", wb);

    EXPECT_EQ(Run({path}), kExitAgree);
    EXPECT_NE(out_.find("недопустимый тип схемотехники 9 вне допустимых значений 0..4"),
              std::string::npos);
    EXPECT_NE(out_.find("недопустимый тип БИС ЗУ 7"), std::string::npos);
    EXPECT_NE(out_.find("недопустимое число часов работы в день 0"), std::string::npos);
    EXPECT_NE(out_.find("(строк: 50, первая CurveTable[1][0])"), std::string::npos);
    EXPECT_NE(out_.find("? Лабораторная работа N1. Деловая игра  (записано 2)"), std::string::npos);

    EXPECT_EQ(Run({"--recompute", path}), kExitDiffers);
    EXPECT_NE(out_.find("[Circuit1]: ошибка модели"), std::string::npos) << out_;
    EXPECT_NE(out_.find("[CurveTable]: ошибка модели"), std::string::npos);
    EXPECT_NE(out_.find("[Memory]: ошибка модели"), std::string::npos);
    EXPECT_NE(out_.find("[Firm]: ошибка модели"), std::string::npos);
    EXPECT_NE(out_.find("[Task]: ошибка модели"), std::string::npos);

    ASSERT_EQ(Run({"--json", "--recompute", path}), kExitDiffers);
    const Json doc = JsonReader::Parse(Lines(out_).at(0));
    EXPECT_GE(doc["problems"].items.size(), 9u);
    ASSERT_EQ(Run({"--summary", "--recompute", path}), kExitDiffers);
    EXPECT_NE(out_.find("+?+++++"), std::string::npos);
    EXPECT_NE(out_.find("ошибок модели"), std::string::npos);
}

} // namespace
} // namespace orvik::inspect

// --- The business game ---------------------------------------------------------------------

namespace orvik::inspect {
namespace {

// The lab's default processor every year, until the firm goes bankrupt.
GameState DefaultPlayersGame(int variant, unsigned restarts) {
    GameState state;
    StartGame(state, variant);
    state.Restarts = restarts;
    GameSession session(state);
    while (!session.over())
        session.commit(DefaultDecision());
    return session.state();
}

TEST_F(InspectorTest, TheGameIsShownReplayedInEveryOutput) {
    Workbook played = ComputedWorkbook("Игроков Игорь");
    played.Game = DefaultPlayersGame(5, 2);
    played.PartDone[PartBusinessGame] = 1;
    const Workbook none = ComputedWorkbook("Новиков Нил");
    const std::string withGame = Write("game.orvik", played), without = Write("none.orvik", none);
    const std::size_t years = played.Game.Decisions.size();
    ASSERT_GE(years, 1u);
    ASSERT_LT(years, 8u);

    ASSERT_EQ(Run({withGame, without}), kExitAgree);
    for (const char* s : {"Деловая игра [Game]", "Вариант игры: 5; начата заново, раз: 2",
                          "1: ЭСЛ, МЛР 1.00, S 1.00, G 250, цена ", ", объем 5 000, реклама 0",
                          "Итог игры:", "4. Ваша фирма — -", "(банкрот)",
                          "Ваша фирма обанкротилась", "Деловая игра [Game]: не начата"})
        EXPECT_NE(out_.find(s), std::string::npos) << s;

    ASSERT_EQ(Run({"--json", withGame, without}), kExitAgree);
    const auto lines = Lines(out_);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(JsonReader::Parse(lines[1])["Game"].kind, Json::Null);
    const Json game = JsonReader::Parse(lines[0])["Game"];
    EXPECT_EQ(game["Block"].text, "current");
    EXPECT_EQ(game["Variant"].text, "5");
    EXPECT_EQ(game["Restarts"].text, "2");
    EXPECT_EQ(game["over"].text, "true");
    ASSERT_EQ(game["Decisions"].items.size(), years);
    EXPECT_EQ(game["Decisions"][0]["Volume"].text, "5000");
    ASSERT_EQ(game["years"].items.size(), years);
    // Each firm's cash: last year's cash (10 000 000 at the start) + profit − interest.
    for (int f = 0; f < 4; ++f) {
        double cash = 10000000;
        for (std::size_t y = 0; y < years; ++y) {
            const Json& firm = game["years"][y]["firms"][static_cast<std::size_t>(f)];
            EXPECT_EQ(firm["FixedCosts"].text, "1500000");
            const double profit = std::stod(firm["Profit"].text);
            const double interest = std::stod(firm["Interest"].text);
            EXPECT_NEAR(std::stod(firm["Cash"].text), cash + profit - interest, 1e-6);
            cash = std::stod(firm["Cash"].text);
        }
    }
    EXPECT_EQ(game["years"][0]["firms"][0]["Interest"].text, "0");
    EXPECT_EQ(game["standing"].items.size(), 4u);
    EXPECT_EQ(game["standing"][3]["name"].text, "Ваша фирма");
    EXPECT_EQ(game["StudentPlace"].text, "4");

    ASSERT_EQ(Run({"--summary", withGame, without}), kExitAgree);
    const auto rows = Lines(out_);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NE(rows[0].find("Игра"), std::string::npos);
    EXPECT_NE(rows[1].find(", 4-е место"), std::string::npos); // Игроков before Новиков
    EXPECT_NE(rows[2].find("  -  "), std::string::npos);

    // A damaged block is not a game never started, in every output, and the
    // exit status says so.
    std::fstream(withGame, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(21092 + 30)
        .put('\x7F');
    ASSERT_EQ(Run({withGame}), kExitTrouble);
    EXPECT_NE(out_.find("Деловая игра [Game]: !!! сохраненная игра повреждена"), std::string::npos);
    ASSERT_EQ(Run({"--json", withGame}), kExitTrouble);
    EXPECT_EQ(JsonReader::Parse(Lines(out_).at(0))["Game"]["Block"].text, "damaged");
    ASSERT_EQ(Run({"--summary", withGame, without}), kExitTrouble);
    EXPECT_NE(out_.find("повреждена"), std::string::npos);
}

// A teacher's desktop in Russian, where the C library reads and writes
// numbers with a decimal comma, gets the same output as the C locale.
TEST_F(InspectorTest, EveryOutputIsTheSameUnderARussianLocale) {
    const std::string file = Write("a.orvik", ComputedWorkbook());
    const std::vector<std::vector<std::string>> calls{{file},
                                                      {"--json", file},
                                                      {"--summary", file},
                                                      {"--recompute", file},
                                                      {"--json", "--recompute", file},
                                                      {"--similar", file, file}};
    std::vector<std::string> inC;
    for (const auto& args : calls) {
        Run(args);
        inC.push_back(out_);
    }
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
        GTEST_SKIP() << "ORVIK-SKIP: the locale ru_RU.UTF-8 is not installed";
    for (std::size_t i = 0; i < calls.size(); ++i) {
        Run(calls[i]);
        EXPECT_EQ(out_, inC[i]) << calls[i][0];
    }
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace orvik::inspect

// --- The end of term: exit statuses, copied work, the group sheet ----------------------------

namespace orvik::inspect {
namespace {

// Every order of a file that agrees (A), one whose results differ (D) and
// one that cannot be read (U): an unreadable file wins over a difference,
// a difference over agreement, in every mode that recomputes.
TEST_F(InspectorTest, ExitStatusOfEveryCombinationOfFiles) {
    Workbook edited = ComputedWorkbook();
    edited.Circuit1.Power = 12.5;
    const std::map<char, std::string> file{{'A', Write("a.orvik", ComputedWorkbook())},
                                           {'D', Write("d.orvik", edited)},
                                           {'U', (dir_ / "missing.orvik").string()}};
    const std::string sheet = (dir_ / "s.xlsx").string();
    const std::vector<std::pair<std::string, int>> rows{
        {"A", 0},  {"D", 1},  {"U", 2},  {"AA", 0}, {"AD", 1},  {"DA", 1},  {"DD", 1}, {"AU", 2},
        {"UA", 2}, {"DU", 2}, {"UD", 2}, {"UU", 2}, {"ADU", 2}, {"UDA", 2}, {"DUA", 2}};
    for (const std::vector<std::string>& mode :
         std::vector<std::vector<std::string>>{{"--recompute"},
                                               {"--summary", "--recompute"},
                                               {"--json", "--recompute"},
                                               {"--xlsx", sheet}}) {
        for (const auto& [files, status] : rows) {
            std::vector<std::string> args = mode;
            for (const char f : files)
                args.push_back(file.at(f));
            EXPECT_EQ(Run(args), status) << mode[0] << " " << files;
        }
    }
    // Without recomputing only the unreadable file counts.
    EXPECT_EQ(Run({"--summary", file.at('D')}), 0);
    EXPECT_EQ(Run({"--summary", file.at('D'), file.at('U')}), 2);
}

// Blocks of the --similar report, one per group.
std::vector<std::string> Groups(const std::string& report) {
    std::vector<std::string> blocks;
    for (std::size_t at = report.find("\n\n"); at != std::string::npos;) {
        const std::size_t next = report.find("\n\n", at + 2);
        blocks.push_back(report.substr(at + 2, next == std::string::npos ? next : next - at - 2));
        at = next;
    }
    return blocks;
}

GameDecision Decision(int volume, double advertising) {
    GameDecision d = DefaultDecision();
    d.Volume = volume;
    d.Advertising = advertising;
    return d;
}

TEST_F(InspectorTest, SimilarNamesEachKindOfCopyAndLeavesHonestWorkAlone) {
    // Honest students of variant 7 follow the task: their workbooks are alike
    // apart from their names, and two of them play the game their own way.
    for (int i = 1; i <= 3; ++i)
        Write("honest" + std::to_string(i) + ".orvik",
              ComputedWorkbook("Честный " + std::to_string(i)));
    Workbook player = ComputedWorkbook("Игрок Первый");
    StartGame(player.Game, 7);
    player.Game.Decisions = {Decision(7000, 10), Decision(8000, 20)};
    Write("player.orvik", player);
    Workbook other = ComputedWorkbook("Игрок Второй");
    StartGame(other.Game, 7);
    other.Game.Decisions = {Decision(9000, 30), Decision(8000, 20)};
    Write("other.orvik", other);

    // A renamed copy of the first player.
    Workbook copy = player;
    copy.sStudent = ToCp1251("Копиров Кирилл");
    copy.sGroup = ToCp1251("ВВ-4-98");
    Write("sub/copy.orvik", copy);
    // The same inputs, not the task's, in two records, by students of other variants.
    Workbook a = ComputedWorkbook("Входов Андрей"), b = ComputedWorkbook("Входова Бела");
    a.sVar = "5";
    b.sVar = "6";
    a.Circuit2.ChipArea = 0.6; // their own in the other records
    b.Circuit2.ChipArea = 0.7;
    a.Lab2Processor.DefectFactor = 0.6;
    b.Lab2Processor.DefectFactor = 0.7;
    a.Memory.Capacity = b.Memory.Capacity = 123;
    a.Firm.Hours = b.Firm.Hours = 5;
    b.Task.InputCount = 77;
    Write("a.orvik", a);
    Write("b.orvik", b);
    // Years 2 to 4 of the game alike.
    Workbook g1 = ComputedWorkbook("Игров Глеб"), g2 = ComputedWorkbook("Игрова Галя");
    StartGame(g1.Game, 3);
    StartGame(g2.Game, 4);
    g1.Game.Decisions = {Decision(3000, 0), Decision(6000, 50), Decision(6000, 60),
                         Decision(5000, 70)};
    g2.Game.Decisions = {Decision(4000, 0), Decision(6000, 50), Decision(6000, 60),
                         Decision(5000, 70)};
    Write("g1.orvik", g1);
    Write("g2.orvik", g2);
    // A formula no task gives, blanks apart.
    Workbook f1 = ComputedWorkbook("Формулов Федор"), f2 = ComputedWorkbook("Формулова Фаина");
    SetFormulaText(f1.Task, "n*n + 7");
    SetFormulaText(f2.Task, "n*n+7");
    f2.Firm.Grade[2] = 1;
    Write("f1.orvik", f1);
    Write("f2.orvik", f2);
    fs::create_directories(dir_ / "sub");
    Write("sub/copy.orvik", copy);

    ASSERT_EQ(Run({"--similar", dir_.path()}), kExitDiffers) << err_;
    const auto groups = Groups(out_);
    ASSERT_EQ(groups.size(), 4u) << out_;
    const std::vector<std::vector<std::string>> expected{
        {"Игрок Первый", "Копиров Кирилл", "очень сильное",
         "одинаковы во всем, кроме данных студента", "годах 1–2"},
        {"Игров Глеб", "Игрова Галя", "заметное", "одинаковые решения в годах 2–4"},
        {"Входов Андрей", "Входова Бела", "Память [Memory]: Capacity 123",
         "(Высоконадежное), Hours 5"},
        {"Формулов Федор", "Формулова Фаина", "слабое", "«n*n+7»"}};
    for (std::size_t g = 0; g < expected.size(); ++g)
        for (const std::string& s : expected[g])
            EXPECT_NE(groups[g].find(s), std::string::npos) << g << ": " << s << "\n" << groups[g];
    for (const char* honest : {"Честный", "Игрок Второй"})
        EXPECT_EQ(out_.find(honest), std::string::npos) << honest;
}

// The sheet's cells by reference ("B2"): numbers as "n:" + value, texts as they are.
std::map<std::string, std::string> SheetCells(const std::string& xlsx, int sheet) {
    const std::string command =
        "unzip -p '" + xlsx + "' xl/worksheets/sheet" + std::to_string(sheet) + ".xml";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string xml;
    char buffer[65536];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        xml.append(buffer, n);
    std::map<std::string, std::string> cells;
    static const std::regex cell(
        R"re(<c r="([A-Z]+[0-9]+)"[^>]*?(?:/>|>(?:<v>([^<]*)</v>|<is><t[^>]*>([^<]*)</t></is>)</c>))re");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), cell); it != std::sregex_iterator();
         ++it)
        cells[(*it)[1]] = (*it)[2].matched ? "n:" + (*it)[2].str() : (*it)[3].str();
    return cells;
}

TEST_F(InspectorTest, GroupSheetHoldsEveryFileWithNumbersAsNumbers) {
    if (std::system("unzip -v >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ORVIK-SKIP: unzip is not installed";
    Workbook played = ComputedWorkbook("Бобров Борис");
    played.Game = DefaultPlayersGame(5, 2);
    played.PartDone[PartBusinessGame] = 1;
    Workbook edited = ComputedWorkbook("Алексеев Алексей");
    edited.Circuit1.Power = 12.5;
    edited.Memory.Capacity = 64; // computed with another capacity
    fs::create_directories(dir_ / "группа" / "sub");
    Write("группа/b.orvik", played);
    Write("группа/sub/a.orvik", edited);
    std::ofstream(dir_ / "группа" / "short.orvik") << "not a workbook";
    std::ofstream(dir_ / "группа" / "notes.txt") << "ignored";
    const std::string sheet = (dir_ / "группа.xlsx").string();

    ASSERT_EQ(Run({"--xlsx", sheet, (dir_ / "группа").string()}), kExitTrouble) << err_;
    const auto cells = SheetCells(sheet, 1);
    EXPECT_EQ(cells.at("A1"), "Группа");
    EXPECT_EQ(cells.at("L1"), "Пересчет: ЛР1 процессор");
    EXPECT_EQ(cells.count("A5"), 0u) << "three rows: notes.txt is no workbook";
    // The damaged file first (no group), then Алексеев before Бобров.
    EXPECT_EQ(cells.at("AA2").rfind("не прочитан: ", 0), 0u) << cells.at("AA2");
    EXPECT_NE(cells.at("Y2").find("short.orvik"), std::string::npos);
    EXPECT_EQ(cells.at("B3"), "Алексеев Алексей");
    EXPECT_EQ(cells.at("D3"), "n:7");
    EXPECT_EQ(cells.at("E3"), "да");
    EXPECT_EQ(cells.at("L3"), "изменен вручную: Circuit1.Power");
    EXPECT_EQ(cells.at("O3"), "изменен вручную: Memory.MemoryCost");
    EXPECT_EQ(cells.at("M3"), "совпадает");
    EXPECT_EQ(cells.at("F3"), "нет");
    EXPECT_EQ(cells.at("W3"), "не начата");
    EXPECT_EQ(cells.at("B4"), "Бобров Борис");
    EXPECT_EQ(cells.at("L4"), "совпадает");
    const GameSession session(played.Game);
    EXPECT_EQ(cells.at("S4"), "n:" + std::to_string(session.years().size()));
    EXPECT_EQ(cells.at("T4"), "n:2");
    EXPECT_EQ(cells.at("V4"), "n:4");
    EXPECT_NEAR(std::stod(cells.at("U4").substr(2)), session.standing().Rows[3].Cash, 1e-6);
    EXPECT_EQ(cells.at("Z4").rfind("n:4", 0), 0u) << "a date after 2009: " << cells.at("Z4");
    EXPECT_EQ(SheetCells(sheet, 2).at("B2"),
              "Свободно выбранной работы, общей для нескольких тетрадей, не найдено");

    // The same sheet under a Russian locale.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
        GTEST_SKIP() << "ORVIK-SKIP: the locale ru_RU.UTF-8 is not installed";
    Run({"--xlsx", sheet, (dir_ / "группа").string()});
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(SheetCells(sheet, 1), cells);
}

} // namespace
} // namespace orvik::inspect
