#pragma once

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <string>
#include <sys/mount.h>

namespace orvik::test {

// A tmpfs of `kilobytes` at `path`, mounted in a mount namespace that only
// this thread of this process sees, so that nothing stays mounted whatever
// happens to the test. Returns why not ("" when mounted): the system may not
// let us mount (no privileges).
inline std::string MountSmallDisk(const std::string& path, int kilobytes) {
    static const bool ownNamespace =
        ::unshare(CLONE_NEWNS) == 0 &&
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!ownNamespace)
        return "no mount namespace of our own: " + std::string(std::strerror(errno));
    const std::string options = "size=" + std::to_string(kilobytes) + "k";
    if (::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return "cannot mount a tmpfs: " + std::string(std::strerror(errno));
    return {};
}

inline void Unmount(const std::string& path) {
    ::umount2(path.c_str(), MNT_DETACH);
}

} // namespace orvik::test
