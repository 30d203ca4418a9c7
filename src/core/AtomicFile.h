#pragma once

#include "core/Errors.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include <unistd.h>

namespace orvik {

// The student's message for a failed read or write of an open file
// ("Disk full", "File access denied", ...).
std::string IoMessage(int code);
// Why a file could not be created or opened, in the program's words.
std::string Reason(int code);

// A failed read or write of an open file, with the system's error code: its
// text is IoMessage(code), and a caller with words of its own (an export)
// can say it again with Reason(code) and the file's name.
class IoError : public Error {
public:
    explicit IoError(int code) : Error(IoMessage(code)), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// An open file descriptor, closed when it goes.
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

// What a refused replacement says: prefix, the file's name in quotes, the
// reason, advice ("Не удается сохранить работу в файл \"f\": файл защищен
// от записи. Сохраните работу под другим именем").
struct Refusal {
    std::string prefix;
    std::string advice;
};

// Writes the file `chosen` atomically: `fill` writes every byte into a
// temporary file beside it (given as an open descriptor and by its path, for
// libraries that write by name) and throws Error when it cannot; only after
// the temporary file is flushed to disk does it replace the target. A write
// that fails for a reason of the system throws IoError. On any
// failure the earlier file is untouched, no temporary file stays behind, and
// an Error tells the student why. A symbolic link is written through to the
// file it names; a file the user may not write is refused; a replaced file
// keeps its permissions.
void WriteFileAtomically(const std::string& chosen, const Refusal& refusal,
                         const std::function<void(int fd, const std::string& temp)>& fill);
// The same for bytes in memory.
void WriteFileAtomically(const std::string& chosen, std::span<const std::uint8_t> bytes,
                         const Refusal& refusal);

} // namespace orvik
