#pragma once

// Helpers shared by the fuzz targets.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace orvik::fuzz {

// An anonymous in-memory file holding `size` bytes, reachable by a path
// (/proc/self/fd/N), so that the file readers run on the real system calls
// without touching any disk. Closed when it goes out of scope.
class MemoryFile {
public:
    MemoryFile(const std::uint8_t* data, std::size_t size) {
        fd_ = ::memfd_create("orvik-fuzz", MFD_CLOEXEC);
        if (fd_ < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd_, data + done, size - done);
            if (n <= 0) {
                std::perror("write to memfd");
                std::abort();
            }
            done += static_cast<std::size_t>(n);
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

// Stops the run with a message a sanitizer-free failure still shows.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace orvik::fuzz
