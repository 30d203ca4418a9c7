// The group sheet (--xlsx): one row per workbook with its marks, the check
// of its results against the models, its business game and its file, and a
// second sheet with the copied work found.

#pragma once

#include "Inspector.h"
#include "Similarity.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace orvik::inspect {

// The game's columns.
struct GameColumns {
    bool played = false;   // started
    bool replayed = false; // years, cash and place hold the replay's
    std::uint32_t restarts = 0;
    int years = 0;
    double cash = 0;
    int place = 0;
    std::string verdict;
};
// The game of a read workbook; `gameMessage` tells why its block was lost.
GameColumns GameRow(const Workbook& wb, const std::string& gameMessage);

struct SheetRow {
    std::string file;
    std::string unreadable; // why the file is no readable workbook; the other columns stay empty
    std::string group, student, teacher, variant;
    std::array<std::uint8_t, kPartCount> done{};
    // Per part: empty when not done, "совпадает", "изменен вручную: Record.Field",
    // "ошибка модели: ...".
    std::array<std::string, kPartCount> check;
    std::string recompute; // all records, as the summary's column
    GameColumns game;
    bool hasTime = false;
    std::tm modified{}; // local time
    long print = -1;    // the workbook's fingerprint, for its similarity groups
};
SheetRow MakeSheetRow(const std::string& file, const Workbook& wb, const CheckResult& check,
                      const std::string& gameMessage);
SheetRow UnreadableRow(const std::string& file, const std::string& message);

// Writes the .xlsx atomically; throws Error with the teacher's message.
void WriteGroupSheet(const std::string& path, std::vector<SheetRow> rows,
                     const std::vector<Fingerprint>& prints,
                     const std::vector<SimilarGroup>& groups);

} // namespace orvik::inspect
