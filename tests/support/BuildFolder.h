#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace orvik::test {

// The build folder: the test programs are built into it beside the program,
// its data file and its tools, so it is the folder of the running executable.
inline std::filesystem::path BuildFolder() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

// A file the build makes, by name; the reason it is missing, or "" when it is there.
inline std::string MissingBuildFile(const std::string& name) {
    const auto path = BuildFolder() / name;
    return std::filesystem::exists(path)
               ? std::string()
               : path.string() + " is missing: build the whole project (cmake --build build)";
}

} // namespace orvik::test
