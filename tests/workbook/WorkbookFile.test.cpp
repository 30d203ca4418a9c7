#include "workbook/WorkbookFile.h"
#include "core/Cp1251.h"
#include "core/Errors.h"
#include "processor/ProcessorModel.h"
#include "support/TempFolder.h"
#include "workbook/LabState.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvik {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;
using TempDir = test::TempFolder;

void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Characters in a UTF-8 text (bytes that do not continue a character).
std::size_t CharacterCount(const std::string& utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// A workbook whose every byte is filled, so that a lost or moved byte shows.
Workbook Scribbled() {
    std::vector<std::uint8_t> bytes(21092);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 131 + 7);
    // String records hold n characters and zero padding, as the program writes them.
    for (std::size_t offset : {1, 257, 513, 769}) {
        const std::size_t n = bytes[offset];
        std::memset(bytes.data() + offset + 1 + n, 0, 255 - n);
    }
    return DecodeWorkbook(bytes);
}

TEST(WorkbookFile, NewWorkbookHasTheDefaultBytes) {
    LabState state;
    ResetWorkbook(state);
    state.workbook.GuideAutoStart = 1;
    const auto bytes = EncodeWorkbook(state.workbook);
    ASSERT_EQ(bytes.size(), 21092u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 17);
    EXPECT_EQ(Cp1251ToUtf8(std::string(reinterpret_cast<const char*>(&bytes[1 + 1]), 17)),
              "Ордин Орд Ордович");
    EXPECT_EQ(bytes[769], 1);
    EXPECT_EQ(bytes[769 + 1], '1');
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(bytes[1025 + i], 0);
    // Processor defaults in every processor block and curve row.
    for (std::size_t offset : {20232, 20360, 20488, 1032, 1032 + 149 * 128}) {
        ProcessorRecord r;
        std::memcpy(&r, &bytes[offset], sizeof r);
        EXPECT_EQ(r.Technology, 0);
        EXPECT_EQ(r.DefectFactor, 1.0);
        EXPECT_EQ(r.MinFeature, 1.0);
        EXPECT_EQ(r.ChipArea, 1.0);
        EXPECT_EQ(r.DeviceIntegration, 250);
    }
    // Task: N 40, low grade, "10*n".
    EXPECT_EQ(bytes[20616 + 4], 40);
    EXPECT_EQ(bytes[20616 + 24], 4);
    EXPECT_EQ(std::memcmp(&bytes[20616 + 25], "10*n", 4), 0);
    // Memory 8, 32, 70, chip 0; computer 16, 20, 0, 15, 500, 0, 1; firm grades 0, hours 8.
    const std::int32_t memory[] = {8, 32, 70, 0};
    EXPECT_EQ(std::memcmp(&bytes[20896], memory, sizeof memory), 0);
    EXPECT_EQ(bytes[20924], 16);
    EXPECT_EQ(bytes[20924 + 12], 15);
    std::int32_t storage = 0;
    std::memcpy(&storage, &bytes[20924 + 16], 4);
    EXPECT_EQ(storage, 500);
    EXPECT_EQ(bytes[20924 + 24], 1);
    EXPECT_EQ(bytes[20980 + 16], 8);
}

// Where each block lies in the file, by its literal offset: a marker byte is
// put into the first byte of each field and must be found there, and a file
// holding the markers must read back into the same fields.
TEST(WorkbookFile, EveryBlockLiesAtItsOffset) {
    struct Block {
        const char* name;
        std::size_t offset;
        std::uint8_t* (*field)(Workbook&);
    };
    const Block blocks[] = {
        {"GuideAutoStart", 0, [](Workbook& w) { return &w.GuideAutoStart; }},
        {"PartDone[0]", 1025, [](Workbook& w) { return &w.PartDone[0]; }},
        {"PartDone[6]", 1031, [](Workbook& w) { return &w.PartDone[6]; }},
        {"CurveTable set 0 row 0", 1032,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.CurveTable[0][0]); }},
        {"CurveTable set 0 row 1 ChipArea", 1032 + 128 + 24,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.CurveTable[0][1].ChipArea); }},
        {"CurveTable set 1 row 0", 7432,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.CurveTable[1][0]); }},
        {"CurveTable set 2 row 49 HasGoodChips", 20104 + 120,
         [](Workbook& w) { return &w.CurveTable[2][49].HasGoodChips; }},
        {"circuit variant 1", 20232,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Circuit1.Technology); }},
        {"circuit variant 1 DeviceIntegration", 20264,
         [](Workbook& w) {
             return reinterpret_cast<std::uint8_t*>(&w.Circuit1.DeviceIntegration);
         }},
        {"circuit variant 2", 20360,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Circuit2.Technology); }},
        {"circuit variant 2 DefectFactor", 20368,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Circuit2.DefectFactor); }},
        {"lab-2 processor", 20488,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Lab2Processor.Technology); }},
        {"lab-2 processor AluCount", 20580,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Lab2Processor.AluCount); }},
        {"task Cycles", 20616,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Task.Cycles); }},
        {"task InputCount", 20620,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Task.InputCount); }},
        {"memory Capacity", 20896,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Memory.Capacity); }},
        {"memory MemoryMtbf", 20920,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Memory.MemoryMtbf); }},
        {"computer CacheSize", 20924,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Computer.CacheSize); }},
        {"computer Performance", 20972,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Computer.Performance); }},
        {"firm Grade[0]", 20980,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Firm.Grade[0]); }},
        {"firm Hours", 20996,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Firm.Hours); }},
        {"firm ActivityProfit", 21084,
         [](Workbook& w) { return reinterpret_cast<std::uint8_t*>(&w.Firm.ActivityProfit); }},
    };
    Workbook marked;
    std::vector<std::uint8_t> file(21092, 0);
    std::uint8_t marker = 0x40;
    for (const Block& b : blocks) {
        *b.field(marked) = ++marker;
        file[b.offset] = marker;
    }
    // The four texts: length byte, then the characters.
    marked.sStudent = "S";
    marked.sGroup = "GG";
    marked.sPrepod = "PPP";
    marked.sVar = "VVVV";
    for (const auto& [offset, length] :
         {std::pair<std::size_t, int>{1, 1}, {257, 2}, {513, 3}, {769, 4}}) {
        file[offset] = static_cast<std::uint8_t>(length);
        std::memset(&file[offset + 1], "SGPV"[length - 1], static_cast<std::size_t>(length));
    }

    const auto written = EncodeWorkbook(marked);
    ASSERT_EQ(written.size(), 21092u);
    EXPECT_EQ(written, file);
    for (const Block& b : blocks)
        EXPECT_EQ(written[b.offset], *b.field(marked)) << b.name << " at " << b.offset;

    Workbook read = DecodeWorkbook(file);
    for (const Block& b : blocks)
        EXPECT_EQ(*b.field(read), file[b.offset]) << b.name << " read from " << b.offset;
    EXPECT_EQ(read.sStudent, "S");
    EXPECT_EQ(read.sGroup, "GG");
    EXPECT_EQ(read.sPrepod, "PPP");
    EXPECT_EQ(read.sVar, "VVVV");
}

TEST(WorkbookFile, ResetKeepsResultsAndPaddingOfTheLabRecords) {
    LabState state;
    state.workbook.Task.Cycles = 12345;
    state.workbook.Task.Padding0[2] = 0x5a;
    state.workbook.Memory.MemoryCost = 77;
    state.workbook.Computer.Padding1[0] = 9;
    state.workbook.Firm.SalesVolume = 5;
    state.workbook.GuideAutoStart = 1;
    state.CurrentPart = PartMemory;
    ResetWorkbook(state);
    EXPECT_EQ(state.workbook.Task.Cycles, 12345);
    EXPECT_EQ(state.workbook.Task.Padding0[2], 0x5a);
    EXPECT_EQ(state.workbook.Memory.MemoryCost, 77);
    EXPECT_EQ(state.workbook.Computer.Padding1[0], 9);
    EXPECT_EQ(state.workbook.Firm.SalesVolume, 5);
    EXPECT_EQ(state.workbook.GuideAutoStart, 1);
    EXPECT_EQ(state.CurrentPart, 4);
    EXPECT_FALSE(state.WorkbookModified);
    EXPECT_TRUE(state.WorkbookFileName.empty());
}

TEST(WorkbookFile, SaveAndOpenGiveBackEveryByte) {
    TempDir dir;
    const Workbook original = Scribbled();
    const auto expected = EncodeWorkbook(original);
    SaveWorkbookFile(original, dir.file("w.orvik"));
    const auto onDisk = ReadAll(dir.file("w.orvik"));
    ASSERT_EQ(onDisk.size(), 21092u);
    EXPECT_EQ(onDisk, expected);
    const Workbook reopened = OpenWorkbookFile(dir.file("w.orvik"));
    EXPECT_EQ(EncodeWorkbook(reopened), expected);
    EXPECT_EQ(reopened.sStudent, original.sStudent);
    // No temporary file is left beside the workbook.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
    // A bare file name is a file of the current folder.
    const fs::path here = fs::current_path();
    fs::current_path(dir.path());
    SaveWorkbookFile(original, "bare.orvik");
    fs::current_path(here);
    EXPECT_EQ(ReadAll(dir.file("bare.orvik")), expected);
}

TEST(WorkbookFile, LongTextsAreSavedAsTheirFirst255Characters) {
    Workbook wb = Scribbled();
    wb.sStudent = std::string(300, 'x');
    wb.sGroup.clear();
    const auto bytes = EncodeWorkbook(wb);
    EXPECT_EQ(bytes[1], 255);
    EXPECT_EQ(bytes[257], 0);
    const Workbook back = DecodeWorkbook(bytes);
    EXPECT_EQ(back.sStudent, std::string(255, 'x'));
    EXPECT_EQ(back.sGroup, "");
}

TEST(WorkbookFile, OpeningReadsTheFirst21092BytesOnly) {
    TempDir dir;
    auto bytes = EncodeWorkbook(Scribbled());
    auto longer = bytes;
    longer.insert(longer.end(), 100, 0xee);
    WriteAll(dir.file("long.orvik"), longer);
    EXPECT_EQ(EncodeWorkbook(OpenWorkbookFile(dir.file("long.orvik"))), bytes);

    bytes.pop_back();
    WriteAll(dir.file("short.orvik"), bytes);
    try {
        OpenWorkbookFile(dir.file("short.orvik"));
        FAIL() << "a 21091-byte file was accepted";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    WriteAll(dir.file("empty.orvik"), {});
    EXPECT_THROW(OpenWorkbookFile(dir.file("empty.orvik")), Error);
}

TEST(WorkbookFile, FilesThatCannotBeOpenedNameTheFileAndTheReason) {
    TempDir dir;
    const auto message = [](const std::string& path) -> std::string {
        try {
            OpenWorkbookFile(path);
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    };
    const auto saveMessage = [](const std::string& path) -> std::string {
        try {
            SaveWorkbookFile(Workbook{}, path);
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    };
    WriteAll(dir.file("plain"), {1});
    const struct {
        std::string path;
        const char* openReason; // nullptr: opening this one is not tried
        const char* saveReason;
    } rows[] = {
        {dir.file("nothing.orvik"), "не найдены", nullptr},
        {dir.path(), "папка", nullptr},
        {dir.file("gone/w.orvik"), "не найдены", "не найдены"},
        {dir.file("plain/w.orvik"), "недопустимое имя файла", "недопустимое имя файла"},
        {dir.file(std::string(300, 'a') + ".orvik"), "недопустимое имя файла",
         "недопустимое имя файла"},
    };
    for (const auto& row : rows) {
        if (row.openReason) {
            const std::string text = message(row.path);
            EXPECT_NE(text.find(row.path), std::string::npos) << text;
            EXPECT_NE(text.find(row.openReason), std::string::npos) << text;
        }
        if (row.saveReason) {
            const std::string text = saveMessage(row.path);
            EXPECT_NE(text.find(row.saveReason), std::string::npos) << text;
        }
    }
}

TEST(WorkbookFile, AFailedSaveLeavesTheEarlierFileIntact) {
    TempDir dir;
    const std::string target = dir.file("w.orvik");
    Workbook first = Scribbled();
    SaveWorkbookFile(first, target);
    const auto before = ReadAll(target);

    Workbook second = first;
    second.sStudent = "changed";
    // A target that is a folder.
    fs::create_directory(dir.file("folder.orvik"));
    EXPECT_THROW(SaveWorkbookFile(second, dir.file("folder.orvik")), Error);
    // A folder that does not exist.
    EXPECT_THROW(SaveWorkbookFile(second, dir.file("gone/w.orvik")), Error);
    if (::geteuid() != 0) {
        // A read-only folder (root may write anyway).
        ::chmod(dir.path().c_str(), 0500);
        EXPECT_THROW(SaveWorkbookFile(second, target), Error);
        ::chmod(dir.path().c_str(), 0700);
    }
    EXPECT_EQ(ReadAll(target), before);
}

TEST(WorkbookFile, AFullDiskReportsDiskFullAndKeepsTheEarlierFile) {
    TempDir dir;
    const std::string target = dir.file("w.orvik");
    SaveWorkbookFile(Scribbled(), target);
    const auto before = ReadAll(target);
    // A file size limit below the workbook's size makes the write fail as
    // a full disk does (EFBIG once SIGXFSZ is ignored).
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 10000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string message;
    try {
        Workbook changed = Scribbled();
        changed.sStudent = "changed";
        SaveWorkbookFile(changed, target);
    } catch (const Error& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "Disk full");
    EXPECT_EQ(ReadAll(target), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

TEST(WorkbookFile, SavingNeverReplacesSomethingThatIsNotAFile) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.orvik");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(SaveWorkbookFile(Scribbled(), fifo), Error);
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    // Opening it is refused at once instead of waiting for a writer.
    EXPECT_THROW(OpenWorkbookFile(fifo), Error);
}

TEST(Cp1251, ConvertsBothWaysAndRefusesWhatItCannotHold) {
    const std::string russian = "Съешь же ещё этих мягких французских булок, Ёж №5";
    const auto bytes = Utf8ToCp1251(russian);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 49u); // one byte a character
    EXPECT_EQ(Cp1251ToUtf8(*bytes), russian);
    EXPECT_FALSE(Utf8ToCp1251("日本").has_value());
    EXPECT_FALSE(Utf8ToCp1251("\xff\xfe").has_value());
    EXPECT_THROW(ToCp1251("日本"), std::logic_error);
    // Every byte reads as something; the unassigned one as U+FFFD.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = Cp1251ToUtf8(all);
    EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_NE(text.find("я"), std::string::npos);

    // Texts as long as the help texts (up to 13 KB), so that conversion runs
    // over many buffers; an odd start shifts the two-byte letters across
    // every buffer boundary.
    for (const std::size_t lines : {1u, 21u, 22u, 270u}) {
        for (const char* start : {"", "x", "xy"}) {
            std::string utf8 = start;
            for (std::size_t i = 0; i < lines; ++i)
                utf8 += russian + " " + std::to_string(i) + "\r\n";
            const auto single = Utf8ToCp1251(utf8);
            ASSERT_TRUE(single.has_value());
            const std::size_t characters = CharacterCount(utf8);
            EXPECT_EQ(single->size(), characters) << lines << " lines";
            EXPECT_EQ(Cp1251ToUtf8(*single), utf8) << lines << " lines";
            EXPECT_EQ(single->back(), '\n');
        }
    }
}

} // namespace
} // namespace orvik
