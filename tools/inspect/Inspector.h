#pragma once

// orvik-inspect: looks into students' workbook files for the teacher. Lists
// the student data, the completion flags and every record, as text or JSON,
// makes a one-line-per-file table of a folder, and recomputes the stored
// results with the program's own models.

#include "game/GameSession.h"
#include "workbook/Progress.h" // the parts' names and lab works
#include "workbook/Workbook.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvik::inspect {

// Exit statuses of the inspector.
inline constexpr int kExitAgree = 0;
inline constexpr int kExitDiffers = 1;
inline constexpr int kExitTrouble = 2; // a file is not a readable workbook, or a wrong option

// One stored value: a whole number, an 8-byte real or a text (UTF-8).
struct Value {
    enum class Type { Integer, Real, Text };
    Type type = Type::Integer;
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;

    static Value Int(std::int64_t v);
    static Value Real(double v);
    static Value Text(std::string v);
};

// Equal bit for bit (a real compares by its 8 bytes).
bool SameValue(const Value& a, const Value& b);

// The value as the machine-readable outputs give it: integers in decimal,
// reals with 17 significant digits ("%.17g", reads back to the same bits),
// "NaN", "Infinity" and "-Infinity" for the non-finite reals, texts as they are.
std::string ExactText(const Value& v);

// One field of a record.
struct Field {
    std::string_view name;  // the record field's name, as in the file layout
    int index = -1;         // element of an array field, -1 for a single field
    std::string_view label; // Russian caption (static text)
    bool result = false;
    Value value;
    std::string note;    // what an enumerated value or a flag means ("ЭСЛ", "да")
    std::string problem; // why the value cannot be right; empty when it may be

    std::string FullName() const; // "Power", "Grade[2]"
};

std::vector<Field> DescribeProcessor(const ProcessorRecord& r);
std::vector<Field> DescribeTask(const TaskRecord& r);
std::vector<Field> DescribeMemory(const MemoryRecord& r);
std::vector<Field> DescribeComputer(const ComputerRecord& r);
std::vector<Field> DescribeFirm(const FirmRecord& r);

// The records of a workbook besides the curve table, in file order.
enum class RecordKind { Processor, Task, Memory, Computer, Firm };
struct RecordInfo {
    const char* key;   // "Circuit1", ..., as the JSON output names it
    const char* title; // Russian
    int part;          // its PartDone index
    RecordKind kind;
};
const std::vector<RecordInfo>& Records();
std::vector<Field> DescribeRecord(const Workbook& wb, const RecordInfo& info);

inline constexpr const char* kCurveTableKey = "CurveTable";
inline constexpr const char* kCurveTableTitle = "Таблица точек кривых (3 набора по 50 строк)";
std::string CurveRowKey(int set, int row); // "CurveTable[1][23]"

// Student texts of the workbook in UTF-8.
struct StudentData {
    std::string student, group, teacher, variant;
};
StudentData Student(const Workbook& wb);

// A value that only a damaged or hand-edited file can hold.
struct Problem {
    std::string record; // "Circuit1", "CurveTable[0][3]", "PartDone[2]", ...
    std::string field;
    std::string message; // Russian
};
std::vector<Problem> FindProblems(const Workbook& wb);

// --- Recomputation -------------------------------------------------------

struct Difference {
    std::string record; // "Circuit1", "CurveTable[2][49]"
    std::string field;  // "Power", "Repairs[3]"
    Value stored;
    Value recomputed;
};

struct RecordCheck {
    std::string key;
    std::string title;
    int part = 0;
    bool done = false;         // the PartDone flag of its part is set
    bool computed = true;      // false: a processor record or curve table of lab work 1
                               // whose results are all zero, never computed
    std::string error;         // the model's message when it fails on the stored inputs
    bool formulaError = false; // the task formula does not evaluate (Cycles becomes 0)
    std::vector<Difference> differences;

    // Differences and errors of this record decide the exit status.
    bool Counted() const { return done && computed; }
    bool Agrees() const { return error.empty() && differences.empty(); }
};

struct CheckResult {
    std::vector<RecordCheck> records;
    int CountedDisagreements() const; // counted records that differ or fail
    std::size_t CountedDifferences() const;
};

// Runs every model on the stored inputs as the program does and compares
// every field of the result with the stored record.
CheckResult Recompute(const Workbook& wb);

// --- The business game -------------------------------------------------------

// The saved game replayed: none when it was never started; lost when its
// block is damaged or of an unknown version (error says which); an error
// when the replay fails.
struct GameReplay {
    bool started = false;
    bool lost = false;
    std::optional<GameSession> session;
    std::string error;
};
GameReplay ReplayGame(const Workbook& wb);
// How the game's block was found, as the JSON output names it: "none",
// "current", "first-rules" (replayed under the current rules), "damaged",
// "unknown-version".
const char* GameBlockName(GameOrigin origin);
// Whether the file's game block is damaged or unreadable; it marks the exit status.
bool GameBlockLost(const Workbook& wb);
// The game's section of the listing.
void PrintGame(std::ostream& out, const Workbook& wb);
// The summary's game column: the student's cash and place ("-": not started).
std::string GameSummary(const Workbook& wb);

// --- Outputs ---------------------------------------------------------------

void PrintListing(std::ostream& out, const std::string& file, const Workbook& wb);
void PrintCheck(std::ostream& out, const std::string& file, const Workbook& wb,
                const CheckResult& check);
// One JSON object on one line (no trailing newline); `check` may be null.
std::string WorkbookJson(const std::string& file, const Workbook& wb, const CheckResult* check);
std::string ErrorJson(const std::string& file, const std::string& message);

struct SummaryRow {
    std::string group, student, variant, flags, game, check, file;
};
SummaryRow MakeSummaryRow(const std::string& file, const Workbook& wb, const CheckResult* check);
// The summary's "Пересчет" column: "совпадает", "расхождений 2, ошибок модели 1", ...
std::string CheckSummary(const CheckResult& check);
// Sorts by group, then student, then file name, and prints the table.
void PrintSummary(std::ostream& out, std::vector<SummaryRow> rows, bool withCheck);

// A key that orders Russian and Latin texts alphabetically, ignoring case
// ("ё" right after "е").
std::u32string CollationKey(const std::string& utf8);

// JSON string literal of a text (quotes included); bytes that are not UTF-8
// become U+FFFD.
std::string JsonString(const std::string& text);

// The whole program: arguments without the program name; returns the exit status.
int RunInspector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kHelpText;

} // namespace orvik::inspect
