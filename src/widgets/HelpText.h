#pragma once

namespace orvik {

// TextStore entries shown by the hint popup: the "?" buttons, window by
// window.
enum HelpText : int {
    NoHint = -1,         // a row without a "?" button
    HintStudentData = 0, // StudentDataDialog
    // ProcessorInputWindow
    HintCircuitVariant = 1,
    HintTechnology = 2,
    HintDefectFactor = 3,
    HintMinFeature = 4,
    HintChipArea = 5,
    HintDeviceIntegration = 6,
    HintCalculateProcessor = 7,
    HintPlotCurves = 8,
    HintProcessorResults = 9, // ProcessorResultsWindow
    HintCurveTable = 10,      // CurveTableWindow
    // TaskWindow
    HintInputCount = 11,
    HintFormula = 12,
    HintDataComplexity = 13,
    HintCalculateTask = 14,
    // MemoryInputWindow
    HintCapacity = 15,
    HintWordBits = 16,
    HintAccessTime = 17,
    HintChipType = 18,
    HintCalculateMemory = 19,
    HintMemoryResults = 20, // MemoryResultsWindow
    // ComputerInputWindow
    HintCacheSize = 21,
    HintCacheTime = 22,
    HintStorageCycle = 23,
    HintStorageSize = 24,
    HintGivenAccesses = 25,
    HintCalculateComputer = 26,
    HintComputerResults = 27, // ComputerResultsWindow
    // FirmInputWindow
    HintFirmHours = 28,
    HintCalculateKit = 29,
    HintCalculateAllKits = 30,
    HintFirmAllKits = 31, // FirmAllKitsWindow
    HintFirmResults = 32, // FirmResultsWindow
    // GameWindow: entries 67..73 of the data file
    HintGameTechnology = 67,
    HintGameMinFeature = 68,
    HintGameChipArea = 69,
    HintGameIntegration = 70,
    HintGamePrice = 71,
    HintGameVolume = 72,
    HintGameAdvertising = 73,
};

// The "Задание" buttons show the entry of the student's variant: the lab
// work's offset plus the variant number 1..10.
enum VariantTask : int {
    VariantTaskLab1 = 32, // entries 33..42
    VariantTaskLab2 = 42, // entries 43..52: processor of lab 2, task, memory, computer
    VariantTaskLab3 = 52, // entries 53..62
};

// Texts of TaskTextWindow, counted from its first entry, entry 63.
enum TaskText : int {
    TaskCourseGuide = 0,
    TaskLab1 = 1,
    TaskLab2 = 2,
    TaskLab3 = 3,
    TaskGame = 11, // entry 74, the business game's task
};

} // namespace orvik
