#include "workbook/WorkbookFile.h"

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "game/GameBlock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orvik {

namespace {

void PutString(std::vector<std::uint8_t>& out, std::size_t offset, const std::string& text) {
    const std::size_t n = text.size() < 255 ? text.size() : 255;
    out[offset] = static_cast<std::uint8_t>(n);
    std::memcpy(out.data() + offset + 1, text.data(), n);
}

std::string GetString(std::span<const std::uint8_t> in, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(in.data()) + offset + 1, in[offset]);
}

template <typename T> void Put(std::vector<std::uint8_t>& out, std::size_t offset, const T& value) {
    std::memcpy(out.data() + offset, &value, sizeof value);
}

template <typename T> void Get(std::span<const std::uint8_t> in, std::size_t offset, T& value) {
    std::memcpy(&value, in.data() + offset, sizeof value);
}

} // namespace

std::vector<std::uint8_t> EncodeWorkbook(const Workbook& wb) {
    std::vector<std::uint8_t> out(layout::Size, 0);
    out[layout::GuideAutoStart] = wb.GuideAutoStart;
    PutString(out, layout::Student, wb.sStudent);
    PutString(out, layout::Group, wb.sGroup);
    PutString(out, layout::Prepod, wb.sPrepod);
    PutString(out, layout::Var, wb.sVar);
    Put(out, layout::PartDone, wb.PartDone);
    Put(out, layout::CurveTable, wb.CurveTable);
    Put(out, layout::Circuit1, wb.Circuit1);
    Put(out, layout::Circuit2, wb.Circuit2);
    Put(out, layout::Lab2Processor, wb.Lab2Processor);
    Put(out, layout::Task, wb.Task);
    Put(out, layout::Memory, wb.Memory);
    Put(out, layout::Computer, wb.Computer);
    Put(out, layout::Firm, wb.Firm);
    AppendGameBlock(out, wb.Game);
    return out;
}

Workbook DecodeWorkbook(std::span<const std::uint8_t> in, std::string* gameMessage) {
    if (in.size() < layout::Size)
        throw Error("Read beyond end of file");
    Workbook wb;
    wb.GuideAutoStart = in[layout::GuideAutoStart];
    wb.sStudent = GetString(in, layout::Student);
    wb.sGroup = GetString(in, layout::Group);
    wb.sPrepod = GetString(in, layout::Prepod);
    wb.sVar = GetString(in, layout::Var);
    Get(in, layout::PartDone, wb.PartDone);
    Get(in, layout::CurveTable, wb.CurveTable);
    Get(in, layout::Circuit1, wb.Circuit1);
    Get(in, layout::Circuit2, wb.Circuit2);
    Get(in, layout::Lab2Processor, wb.Lab2Processor);
    Get(in, layout::Task, wb.Task);
    Get(in, layout::Memory, wb.Memory);
    Get(in, layout::Computer, wb.Computer);
    Get(in, layout::Firm, wb.Firm);
    std::string message;
    wb.Game = ReadGameBlock(in.subspan(layout::Size), message);
    if (gameMessage != nullptr)
        *gameMessage = message;
    return wb;
}

void SaveWorkbookFile(const Workbook& workbook, const std::string& chosen) {
    WriteFileAtomically(
        chosen, EncodeWorkbook(workbook),
        {"Не удается сохранить работу в файл", ". Сохраните работу под другим именем"});
}

Workbook OpenWorkbookFile(const std::string& path, std::string* gameMessage) {
    // Non-blocking, so that a pipe given as the name cannot hang the program.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK));
    if (fd.get() < 0) {
        const int code = errno;
        throw Error("Не удается открыть файл \"" + path + "\": " + Reason(code));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && !S_ISREG(info.st_mode))
        throw Error("Не удается открыть файл \"" + path + "\": " +
                    (S_ISDIR(info.st_mode) ? Reason(EISDIR) : std::string("это не обычный файл")));

    // One byte more than the longest game block shows a file that is too long.
    std::vector<std::uint8_t> bytes(layout::Size + kGameBlockMaxBytes + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Error(IoMessage(errno));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return DecodeWorkbook(std::span<const std::uint8_t>(bytes.data(), got), gameMessage);
}

} // namespace orvik
