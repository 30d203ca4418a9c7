// Folders read recursively, and the per-file work on every core.

#include "Files.h"

#include "core/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <thread>

namespace orvik::inspect {

namespace fs = std::filesystem;

namespace {

bool IsWorkbookName(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".orvik";
}

// Every workbook below `folder`; a subfolder that cannot be read is an entry
// with its error and the rest is still read. Links to folders are not
// followed (a link back up would never end).
void ReadFolder(const fs::path& folder, std::vector<InputFile>& found) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    if (ec) {
        found.push_back({folder.string(), "не удается прочитать папку \"" + folder.string() +
                                              "\": " + Reason(ec.value())});
        return;
    }
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_symlink(typeError) && it->is_directory(typeError))
            ReadFolder(it->path(), found);
        else if (IsWorkbookName(it->path()) && !it->is_directory(typeError))
            found.push_back({it->path().string(), {}});
    }
    if (ec)
        found.push_back({folder.string(), "папка \"" + folder.string() +
                                              "\" прочитана не полностью: " + Reason(ec.value())});
}

} // namespace

std::vector<InputFile> ExpandFolders(const std::vector<std::string>& names) {
    std::vector<InputFile> files;
    for (const std::string& name : names) {
        std::error_code ec;
        if (fs::is_directory(name, ec)) {
            std::vector<InputFile> found;
            ReadFolder(name, found);
            std::sort(found.begin(), found.end(),
                      [](const InputFile& a, const InputFile& b) { return a.path < b.path; });
            if (found.empty())
                found.push_back({name, "в папке \"" + name + "\" нет рабочих тетрадей (*.orvik)"});
            files.insert(files.end(), found.begin(), found.end());
        } else
            files.push_back({name, {}});
    }
    return files;
}

namespace {

unsigned Cores() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
}

} // namespace

std::size_t BatchSize() {
    return 64 * static_cast<std::size_t>(Cores());
}

void ForEachInOrder(std::size_t count, const std::function<void(std::size_t)>& work,
                    const std::function<void(std::size_t)>& done) {
    const unsigned cores = Cores();
    const std::size_t batch = BatchSize();
    for (std::size_t first = 0; first < count; first += batch) {
        const std::size_t last = std::min(count, first + batch);
        std::atomic<std::size_t> next{first};
        const auto worker = [&] {
            for (std::size_t i; (i = next.fetch_add(1)) < last;)
                work(i);
        };
        std::vector<std::thread> helpers;
        for (unsigned c = 1; c < cores && c < last - first; ++c)
            helpers.emplace_back(worker);
        worker();
        for (std::thread& t : helpers)
            t.join();
        for (std::size_t i = first; i < last; ++i)
            done(i);
    }
}

} // namespace orvik::inspect
