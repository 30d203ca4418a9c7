#pragma once

#include "workbook/Workbook.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvik {

// The 21092 bytes of the workbook file.
std::vector<std::uint8_t> EncodeWorkbook(const Workbook& workbook);

// The workbook held by the first 21092 bytes, and the business game of the
// block after them. Fewer bytes throw Error("Read beyond end of file"). A
// damaged game block leaves the game empty and sets *gameMessage to the
// student's message (cleared otherwise).
Workbook DecodeWorkbook(std::span<const std::uint8_t> bytes, std::string* gameMessage = nullptr);

// Writes the workbook to `path` atomically: a temporary file beside it gets
// every byte, is flushed to disk, and only then replaces the target. On any
// failure the earlier file is untouched and an Error tells the student why.
// A symbolic link is saved through to the file it names; a file the user may
// not write is refused; a replaced file keeps its permissions.
void SaveWorkbookFile(const Workbook& workbook, const std::string& path);

// Reads the whole file first; the returned workbook is complete or an Error
// is thrown (a file that cannot be opened, a read failure, a short file).
// *gameMessage as for DecodeWorkbook.
Workbook OpenWorkbookFile(const std::string& path, std::string* gameMessage = nullptr);

} // namespace orvik
