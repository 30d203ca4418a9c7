#pragma once

#include "workbook/Workbook.h"

#include <optional>
#include <vector>

namespace orvik {

// The course's rules of progress through the seven lab parts, in one place
// for the guide, the lab windows, the report list and the inspector.

// The part's name as the guide lists it, and its lab work (1..3); "" and 0
// for a number that is no part.
const char* PartName(int part);
int PartLabWork(int part);

// A part that may start only once another is done.
struct PartNeed {
    int part;
    int needs;
    const char* message; // what the student is told
};
// The step still missing before `part` may start; nothing when it may.
std::optional<PartNeed> MissingStep(const Workbook& wb, int part);
// The part that must be done before `part`, if there is one.
std::optional<int> NeededPart(int part);

// The parts whose results rest on `part`: a new calculation of `part` makes
// them stale.
std::vector<int> PartsBuiltOn(int part);

// `part` was calculated: it counts as done and the parts built on its earlier
// results count as not done again.
void CompletePart(Workbook& wb, int part);

// The business game's part counts as done only once every year is played
// without the student's firm going bankrupt; a bankruptcy ends the game
// without it, in any year.
bool GameCompletesItsPart(int yearsPlayed, bool studentBankrupt);

} // namespace orvik
