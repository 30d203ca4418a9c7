#include "core/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvik {

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
    case EFBIG:
        return "на диске не осталось места";
    case EIO:
        return "ошибка чтения или записи на диске";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    default:
        return "ошибка ввода-вывода " + std::to_string(code);
    }
}

namespace {

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

} // namespace

void WriteFileAtomically(const std::string& chosen, const Refusal& refusal,
                         const std::function<void(int fd, const std::string& temp)>& fill) {
    const std::string path = FollowLinks(chosen);
    // Only a regular file may be replaced: never a folder, a device or a pipe.
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode))
        throw Error(
            "Не удается создать файл \"" + chosen + "\": " +
            (S_ISDIR(target.st_mode) ? Reason(EISDIR) : std::string("это не обычный файл")));
    if (const std::string why = exists ? WhyNotReplace(path, target) : ""; !why.empty())
        throw Error(refusal.prefix + " \"" + chosen + "\": " + why + refusal.advice);

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

    fill(fd.get(), temp);
    if (::fsync(fd.get()) != 0)
        throw IoError(errno);
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
        throw IoError(errno);
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

void WriteFileAtomically(const std::string& chosen, std::span<const std::uint8_t> bytes,
                         const Refusal& refusal) {
    WriteFileAtomically(chosen, refusal, [bytes](int fd, const std::string&) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw IoError(errno);
            if (n == 0)
                throw IoError(ENOSPC);
            written += static_cast<std::size_t>(n);
        }
    });
}

} // namespace orvik
