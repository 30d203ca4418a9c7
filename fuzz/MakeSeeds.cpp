// Writes the seed files of the fuzz corpora (fuzz/corpus/<target>/): a few
// valid files and edge cases, kept small. Run once by hand when the formats
// change:  build-fuzz/make_seeds fuzz/corpus

#include "firm/FirmModel.h"
#include "game/Game.h"
#include "game/GameBlock.h"
#include "lab2/ComputerModel.h"
#include "lab2/MemoryModel.h"
#include "lab2/TaskModel.h"
#include "processor/Curves.h"
#include "processor/ProcessorModel.h"
#include "shell/TextStore.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace orvik;
namespace fs = std::filesystem;

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void Write(const fs::path& path, const std::string& text) {
    Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> Tail(const std::vector<std::uint8_t>& file, std::size_t from) {
    return {file.begin() + static_cast<std::ptrdiff_t>(from), file.end()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds CORPUS-FOLDER\n");
        return 2;
    }
    const fs::path root = argv[1];

    // Workbooks: a new one, one with every lab computed, damaged ones.
    LabState state;
    ResetWorkbook(state);
    Workbook& wb = state.workbook;
    const std::vector<std::uint8_t> fresh = EncodeWorkbook(wb);
    Write(root / "workbook" / "new.orvik", fresh);

    wb.GuideAutoStart = 1;
    wb.Circuit2.Technology = 3;
    wb.Circuit2.MinFeature = 0.8;
    state.Working = wb.Circuit1;
    ComputeProcessor(state.Working);
    wb.Circuit1 = state.Working;
    state.Working = wb.Circuit2;
    ComputeProcessor(state.Working);
    wb.Circuit2 = state.Working;
    ComputeCurves(state.Working, wb.CurveTable, state.Curves);
    ComputeProcessor(wb.Lab2Processor);
    ComputeTask(wb.Task, [] {});
    ComputeMemory(wb.Memory, wb.Lab2Processor.DefectFactor);
    ComputeComputer(wb.Computer, wb.Task, wb.Lab2Processor, wb.Memory);
    ComputeFirm(wb.Firm);
    for (auto& done : wb.PartDone)
        done = 1;
    const std::vector<std::uint8_t> computed = EncodeWorkbook(wb);
    Write(root / "workbook" / "computed.orvik", computed);

    // One byte short of a workbook.
    Write(root / "workbook" / "short.orvik",
          std::vector<std::uint8_t>(computed.begin(), computed.end() - 1));
    // Every real a NaN, every integer -1.
    Write(root / "workbook" / "all-ff.orvik", std::vector<std::uint8_t>(layout::Size, 0xFF));

    // Short inputs are laid over the end of a new workbook: the lab records.
    Write(root / "workbook" / "records-computed", Tail(computed, layout::Circuit1));
    {
        Workbook odd = wb;
        odd.Circuit1.Technology = 7;
        odd.Circuit2.MinFeature = 0;
        odd.Lab2Processor.ChipArea = -1;
        odd.Lab2Processor.DeviceIntegration = 2147483647;
        odd.Task.InputCount = 0;
        odd.Task.DataComplexity = 5;
        SetFormulaText(odd.Task, "2**3**2*n");
        odd.Memory.ChipType = -1;
        odd.Memory.Capacity = 0;
        odd.Computer.StorageSize = 0;
        odd.Firm.Hours = 0;
        odd.Firm.Grade[2] = 7;
        Write(root / "workbook" / "records-odd", Tail(EncodeWorkbook(odd), layout::Circuit1));
    }
    {
        Workbook huge = wb;
        huge.Lab2Processor.DefectFactor = 1e300;
        huge.Lab2Processor.MinFeature = 1e-300;
        huge.Task.InputCount = 10000;
        SetFormulaText(huge.Task, "10*n**5");
        huge.Memory.Capacity = 2147483647;
        huge.Memory.WordBits = 2147483647;
        huge.Computer.GivenAccesses = 2147483647;
        huge.Computer.AccessCountKnown = 1;
        Write(root / "workbook" / "records-huge", Tail(EncodeWorkbook(huge), layout::Circuit1));
    }

    // Help data files: empty texts, texts of several records, a damaged one.
    std::array<std::string, kTextCount> texts{};
    Write(root / "textstore" / "empty-texts.db2", BuildTextStoreFile(texts));
    for (int i = 0; i < kTextCount; ++i)
        texts[i] = std::string(i % 7 == 0 ? 600 : static_cast<std::size_t>(i % 5) * 61,
                               static_cast<char>('A' + i % 26)) +
                   "\r\n\xcf\xf0\xe8\xec\xe5\xf0";
    const std::vector<std::uint8_t> several = BuildTextStoreFile(texts);
    if (several.size() < 25000)
        Write(root / "textstore" / "texts.db2", several);
    Write(root / "textstore" / "cut.db2",
          std::vector<std::uint8_t>(several.begin(), several.begin() + 3000));
    {
        std::vector<std::uint8_t> bad = BuildTextStoreFile({});
        const std::uint32_t field = 0x7FFFFFFF;
        std::memcpy(bad.data(), &field, 4); // a length of about two thousand million
        Write(root / "textstore" / "huge-length.db2", bad);
    }

    // Formulas: four bytes of N, one of the data complexity, the text.
    const auto formula = [&](const char* name, std::int32_t n, std::uint8_t grade,
                             const std::string& text) {
        std::string bytes(5, '\0');
        std::memcpy(bytes.data(), &n, 4);
        bytes[4] = static_cast<char>(grade);
        Write(root / "formula" / name, bytes + text);
    };
    formula("default", 40, 0, "10*n");
    formula("power", 40, 1, "10*n**5");
    formula("right-power", 3, 2, "2**3**2");
    formula("hex", 7, 0, " $A*n*0X7fffffff*x80000000");
    formula("negative-power", 2, 0, "0**-1*2**-1*1**-3");
    formula("zero-n", 0, 2, "n*n");
    formula("errors", 10000, 3, "10 * n***+-1.5*");

    // Reals: eight bytes of the double, one of the decimal count.
    const auto real = [&](const char* name, double x, std::uint8_t decimals) {
        std::vector<std::uint8_t> bytes(9);
        std::memcpy(bytes.data(), &x, 8);
        bytes[8] = static_cast<std::uint8_t>(decimals + 4);
        Write(root / "realtotext" / name, bytes);
    };
    real("pi", 3.14159, 2);
    real("tie-below", 2.675, 2);
    real("small-negative", -0.001, 2);
    real("nines", 999999.9999999, 3);
    real("big", 1.7976931348623157e308, 8);
    real("tiny", 4.9e-324, 40);
    real("integer", 7, 0);

    // The game: a mode byte, then a block (even) or a raw state (odd).
    const auto game = [&](const char* name, std::uint8_t mode, std::vector<std::uint8_t> rest) {
        rest.insert(rest.begin(), mode);
        Write(root / "game" / name, rest);
    };
    GameState played;
    StartGame(played, 3);
    played.Restarts = 2;
    played.Decisions = {DefaultDecision(), DefaultDecision()};
    played.Decisions[1].MinFeature = 0.85;
    std::vector<std::uint8_t> block;
    AppendGameBlock(block, played);
    game("two-years", 0, block);
    std::vector<std::uint8_t> first(block.begin(), block.begin() + 10); // the first rules
    first[4] = 1;
    first[6] -= 1;
    first.insert(first.end(), block.begin() + 11, block.end() - 4);
    const std::uint32_t crc = Crc32(first);
    first.insert(first.end(),
                 {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                  static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)});
    game("first-rules", 0, first);
    std::vector<std::uint8_t> raw{3};
    for (int y = 0; y < 8; ++y) {
        const GameDecision d =
            y % 2 ? DefaultDecision() : GameDecision{2, 1.0, 0.2, 100, 250, 40000, 500};
        raw.push_back(static_cast<std::uint8_t>(d.Technology));
        const auto put = [&](const auto& v) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
            raw.insert(raw.end(), p, p + sizeof v);
        };
        put(d.MinFeature);
        put(d.ChipArea);
        put(d.DeviceIntegration);
        put(d.Price);
        put(d.Volume);
        put(d.Advertising);
    }
    game("raw-eight-years", 1, raw);
    game("raw-rivals-play-on", 3, raw);
    return 0;
}
