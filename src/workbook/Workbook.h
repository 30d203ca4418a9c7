#pragma once

#include "firm/FirmRecord.h"
#include "game/GameState.h"
#include "lab2/ComputerRecord.h"
#include "lab2/MemoryRecord.h"
#include "lab2/TaskRecord.h"
#include "processor/ProcessorRecord.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvik {

// Lab-part indexes of PartDone and CurrentPart.
enum LabPart : int {
    PartProcessor1 = 0,
    PartBusinessGame = 1,
    PartTask = 2,
    PartProcessor2 = 3,
    PartMemory = 4,
    PartComputer = 5,
    PartFirm = 6,
};
inline constexpr int kPartCount = 7;

// Everything the workbook file holds. The student texts are Windows-1251
// bytes, at most 255 each.
struct Workbook {
    std::uint8_t GuideAutoStart = 0;
    std::string sStudent;
    std::string sGroup;
    std::string sPrepod;
    std::string sVar;
    std::array<std::uint8_t, kPartCount> PartDone{};
    CurveTableData CurveTable{};
    ProcessorRecord Circuit1{};
    ProcessorRecord Circuit2{};
    ProcessorRecord Lab2Processor{};
    TaskRecord Task{};
    MemoryRecord Memory{};
    ComputerRecord Computer{};
    FirmRecord Firm{};
    GameState Game; // saved after the plain 21092 bytes, only when not empty

    bool done(int part) const { return part >= 0 && part < kPartCount && PartDone[part] != 0; }
};

// File layout: offsets of the blocks and the total size.
namespace layout {
inline constexpr std::size_t GuideAutoStart = 0;
inline constexpr std::size_t Student = 1;
inline constexpr std::size_t Group = 257;
inline constexpr std::size_t Prepod = 513;
inline constexpr std::size_t Var = 769;
inline constexpr std::size_t PartDone = 1025;
inline constexpr std::size_t CurveTable = 1032;
inline constexpr std::size_t Circuit1 = 20232;
inline constexpr std::size_t Circuit2 = 20360;
inline constexpr std::size_t Lab2Processor = 20488;
inline constexpr std::size_t Task = 20616;
inline constexpr std::size_t Memory = 20896;
inline constexpr std::size_t Computer = 20924;
inline constexpr std::size_t Firm = 20980;
inline constexpr std::size_t Size = 21092;
} // namespace layout

} // namespace orvik
