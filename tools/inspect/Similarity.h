// Copied work: workbooks that share what a student chooses freely. Each
// workbook is reduced to a few hashes while the files are read; the groups
// come from equal hashes, never from comparing every pair.

#pragma once

#include "workbook/Workbook.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace orvik::inspect {

// The input records compared: the processors, the task, the memory, the
// computer and the firm, as Records() lists them.
inline constexpr std::size_t kInputRecords = 7;

// What one workbook brings to the comparison.
struct Fingerprint {
    std::string file, student, group, variant;
    std::uint64_t content = 0; // the whole workbook apart from the student texts
    // Each input record's inputs; 0 where they are a new workbook's.
    std::array<std::uint64_t, kInputRecords> inputs{};
    // The inputs that differ from a new workbook's, for the evidence:
    // "ChipArea 0.75, Technology 1 (ТТЛШ)".
    std::array<std::string, kInputRecords> inputText;
    // The task formula without blanks; empty when a variant task gives it.
    std::string formula;
    // Each played year's decision; 0 for the game's default decision.
    std::vector<std::uint64_t> decisions;
};
Fingerprint MakeFingerprint(const std::string& file, const Workbook& wb);

// Each played year's decision of the business game as a number to compare
// (equal decisions, equal numbers; never 0), 0 for the game's default
// decision. With the game's columns of the sheet.
std::vector<std::uint64_t> GameDecisionKeys(const Workbook& wb);

// One piece of evidence for a group of workbooks.
struct Evidence {
    enum class Kind { Copy, Decisions, Inputs, Formula } kind;
    int score = 0;
    std::string text; // Russian, one line
};

struct SimilarGroup {
    std::vector<std::size_t> members; // indexes into the fingerprints, in table order
    std::vector<Evidence> evidence;   // the strongest first
    int score = 0;
    std::vector<std::size_t> sorted; // the members by index
    std::string Strength() const;    // plain words for the teacher
};

// The groups, the strongest first.
std::vector<SimilarGroup> FindSimilar(const std::vector<Fingerprint>& prints);

// The members' line: "Иванов Иван (ВВ-3-98, вариант 7): a.orvik".
std::string MemberText(const Fingerprint& p);

// The --similar report.
void PrintSimilar(std::ostream& out, const std::vector<Fingerprint>& prints,
                  const std::vector<SimilarGroup>& groups);

} // namespace orvik::inspect
