#include "workbook/WorkbookFile.h"

#include "core/Errors.h"
#include "game/GameBlock.h"

#include <cerrno>
#include <climits>
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

// The student's message for a failed read or write of an open file.
std::string IoMessage(int code) {
    switch (code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    case ENOENT:
        return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

// Why a file could not be created or opened, in the program's words.
std::string Reason(int code) {
    switch (code) {
    case ENOENT:
        return "папка или файл не найдены";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return "недопустимое имя файла";
    case EACCES:
    case EPERM:
        return "нет прав доступа";
    case EROFS:
        return "диск защищен от записи";
    case EISDIR:
        return "это папка, а не файл";
    case ELOOP:
        return "символические ссылки образуют кольцо";
    case ENOSPC:
    case EDQUOT:
        return "диск заполнен";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    default:
        return "ошибка ввода-вывода " + std::to_string(code);
    }
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save really writes: a symbolic link (a shortcut to a USB stick
// or a share) is followed to the file it names, also when that file does not
// exist yet, so the link stays and its target gets the work.
std::string FollowLinks(const std::string& chosen) {
    std::string path = chosen;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return path; // the save fails with the reason of the link itself
        target.resize(static_cast<std::size_t>(n));
        path = target.starts_with('/') ? target : DirectoryOf(path) + "/" + target;
    }
    throw Error("Не удается создать файл \"" + chosen + "\": " + Reason(ELOOP));
}

// Why the user may not replace a file ("" when he may). A file without any
// write permission is meant to stay as it is, also where root could write it.
std::string WhyNotReplace(const std::string& path, const struct stat& info) {
    if ((info.st_mode & 0222) == 0)
        return "файл защищен от записи";
    if (::access(path.c_str(), W_OK) != 0)
        return Reason(errno);
    return {};
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

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
    const std::vector<std::uint8_t> bytes = EncodeWorkbook(workbook);
    const std::string path = FollowLinks(chosen);
    // Only a regular file may be replaced: never a folder, a device or a pipe.
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode))
        throw Error(
            "Не удается создать файл \"" + chosen + "\": " +
            (S_ISDIR(target.st_mode) ? Reason(EISDIR) : std::string("это не обычный файл")));
    if (const std::string why = exists ? WhyNotReplace(path, target) : ""; !why.empty())
        throw Error("Не удается сохранить работу в файл \"" + chosen + "\": " + why +
                    ". Сохраните работу под другим именем");

    // A short temporary name, so that a name of the longest length still saves.
    std::string temp = DirectoryOf(path) + "/.orvikXXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        const int code = errno;
        throw Error("Не удается создать файл \"" + chosen + "\": " + Reason(code));
    }
    bool keepTemp = false;
    struct TempRemover {
        const std::string& name;
        bool& keep;
        ~TempRemover() {
            if (!keep)
                ::unlink(name.c_str());
        }
    } remover{temp, keepTemp};

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Error(IoMessage(errno));
        if (n == 0)
            throw Error("Disk full");
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        throw Error(IoMessage(errno));
    if (exists) {
        // The replaced file keeps its owner (where we may give it) and its
        // permissions: a private file stays private.
        [[maybe_unused]] const int owned = ::fchown(fd.get(), target.st_uid, target.st_gid);
        ::fchmod(fd.get(), target.st_mode & 07777);
    } else {
        // A new file gets the usual permissions (mkstemp makes it private).
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd.get(), 0666 & ~mask);
    }
    if (::close(fd.release()) != 0)
        throw Error(IoMessage(errno));
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int code = errno;
        throw Error("Не удается создать файл \"" + chosen + "\": " + Reason(code));
    }
    keepTemp = true;
    // Make the rename itself durable.
    Fd dir(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0)
        ::fsync(dir.get());
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
