// Saving and opening when the file system fails: a full disk, a read-only
// disk, a folder that vanished, a folder in place of the file, a file that
// shrinks while it is read. After each the earlier file is intact, the
// workbook in memory is unchanged and the message says what went wrong.
// Everything happens in folders of our own under /tmp; disks are simulated
// with small tmpfs mounts in a mount namespace of this process only.

#include "core/Errors.h"
#include "support/SmallDisk.h"
#include "support/TempFolder.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace orvik {
namespace {

namespace fs = std::filesystem;

using Folder = test::TempFolder;
using test::MountSmallDisk;
using test::ReadAll;
using test::Unmount;

Workbook Sample(const std::string& student) {
    LabState state;
    ResetWorkbook(state);
    state.workbook.sStudent = student;
    state.workbook.Circuit1.Yield = 0.25;
    state.workbook.PartDone[PartProcessor1] = 1;
    return state.workbook;
}

// The message of the Error that `save` throws; fails the test when none.
template <typename F> std::string FailureOf(F&& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error";
    return {};
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(FileFaults, AFullDiskKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    Folder folder;
    const std::string disk = folder.file("disk");
    fs::create_directory(disk);
    // Room for one workbook (six pages) but not for a second one beside it.
    if (const std::string why = MountSmallDisk(disk, 32); !why.empty())
        GTEST_SKIP() << why;
    const std::string target = disk + "/w.orvik";
    SaveWorkbookFile(Sample("первый"), target);
    const auto before = ReadAll(target);
    ASSERT_EQ(before.size(), 21092u);

    const Workbook second = Sample("второй");
    const auto memory = EncodeWorkbook(second);
    EXPECT_EQ(FailureOf([&] { SaveWorkbookFile(second, target); }), "Disk full");
    EXPECT_EQ(ReadAll(target), before);
    EXPECT_EQ(Names(disk), std::vector<std::string>{"w.orvik"});
    EXPECT_EQ(EncodeWorkbook(second), memory);
    // The earlier file still opens whole.
    EXPECT_EQ(OpenWorkbookFile(target).sStudent, "первый");
    Unmount(disk);
}

TEST(FileFaults, AReadOnlyDiskIsRefusedWithItsReason) {
    Folder folder;
    const std::string disk = folder.file("disk");
    fs::create_directory(disk);
    if (const std::string why = MountSmallDisk(disk, 256); !why.empty())
        GTEST_SKIP() << why;
    const std::string target = disk + "/w.orvik";
    SaveWorkbookFile(Sample("первый"), target);
    const auto before = ReadAll(target);
    ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);

    const std::string message = FailureOf([&] { SaveWorkbookFile(Sample("второй"), target); });
    EXPECT_NE(message.find("w.orvik"), std::string::npos) << message;
    EXPECT_NE(message.find("диск защищен от записи"), std::string::npos) << message;
    EXPECT_EQ(ReadAll(target), before);
    EXPECT_EQ(Names(disk), std::vector<std::string>{"w.orvik"});
    // Opening from a read-only disk works as ever.
    EXPECT_EQ(OpenWorkbookFile(target).sStudent, "первый");
    Unmount(disk);
}

TEST(FileFaults, AFolderWithoutWritePermissionIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder; the read-only disk test covers this";
    Folder folder;
    const std::string target = folder.file("w.orvik");
    SaveWorkbookFile(Sample("первый"), target);
    const auto before = ReadAll(target);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const std::string message = FailureOf([&] { SaveWorkbookFile(Sample("второй"), target); });
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_NE(message.find("нет прав доступа"), std::string::npos) << message;
    EXPECT_EQ(ReadAll(target), before);
}

TEST(FileFaults, AFolderThatVanishedAfterChoosingIsReported) {
    Folder folder;
    const std::string chosen = folder.file("work");
    fs::create_directory(chosen);
    const std::string target = chosen + "/w.orvik";
    fs::remove(chosen); // gone between the dialog and the save
    const Workbook wb = Sample("первый");
    const auto memory = EncodeWorkbook(wb);
    const std::string message = FailureOf([&] { SaveWorkbookFile(wb, target); });
    EXPECT_NE(message.find(target), std::string::npos) << message;
    EXPECT_NE(message.find("папка или файл не найдены"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_TRUE(Names(folder.path()).empty());
    EXPECT_EQ(EncodeWorkbook(wb), memory);

    // A path through a file instead of a folder.
    SaveWorkbookFile(wb, folder.file("plain"));
    const std::string through =
        FailureOf([&] { SaveWorkbookFile(wb, folder.file("plain/w.orvik")); });
    EXPECT_NE(through.find("недопустимое имя файла"), std::string::npos) << through;
}

TEST(FileFaults, AFolderInPlaceOfTheFileKeepsItsContents) {
    Folder folder;
    const std::string target = folder.file("w.orvik");
    fs::create_directory(target);
    SaveWorkbookFile(Sample("внутри"), target + "/inner.orvik");
    const auto inner = ReadAll(target + "/inner.orvik");

    const std::string saving = FailureOf([&] { SaveWorkbookFile(Sample("второй"), target); });
    EXPECT_NE(saving.find("это папка, а не файл"), std::string::npos) << saving;
    const std::string opening = FailureOf([&] { OpenWorkbookFile(target); });
    EXPECT_NE(opening.find("это папка, а не файл"), std::string::npos) << opening;
    ASSERT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadAll(target + "/inner.orvik"), inner);
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"w.orvik"});
}

// A workbook w.orvik of the student "старый" with the given permissions.
std::string Existing(const Folder& folder, int permissions) {
    SaveWorkbookFile(Sample("старый"), folder.file("w.orvik"));
    fs::permissions(folder.file("w.orvik"), static_cast<fs::perms>(permissions));
    return folder.file("w.orvik");
}

// Saving over what the student chose in the dialog: the file the name leads
// to gets the work, with its permissions, or nothing changes at all.
TEST(FileFaults, SavingWritesWhereTheNameLeadsOrRefusesAndChangesNothing) {
    struct Row {
        const char* what;
        // Prepares the folder; returns the name chosen in the dialog.
        std::string (*prepare)(const Folder&);
        const char* written; // the file that must hold the new work ("" = none)
        const char* refusal; // part of the message when refused ("" = saved)
        fs::perms permissions;
    };
    const Row rows[] = {
        {"a link to a file on a stick",
         [](const Folder& f) {
             fs::create_directory(f.file("stick"));
             SaveWorkbookFile(Sample("старый"), f.file("stick/w.orvik"));
             fs::create_symlink(f.file("stick/w.orvik"), f.file("link.orvik"));
             return f.file("link.orvik");
         },
         "stick/w.orvik", "", fs::perms{0644}},
        {"a relative link to a link to a file not there yet",
         [](const Folder& f) {
             fs::create_directory(f.file("share"));
             fs::create_symlink("w.orvik", f.file("share/inner"));
             fs::create_symlink("share/inner", f.file("link.orvik"));
             return f.file("link.orvik");
         },
         "share/w.orvik", "", fs::perms{0644}},
        {"a private file", [](const Folder& f) { return Existing(f, 0600); }, "w.orvik", "",
         fs::perms{0600}},
        {"a read-only file", [](const Folder& f) { return Existing(f, 0444); }, "",
         "файл защищен от записи", fs::perms{0444}},
        {"a link to a read-only file",
         [](const Folder& f) {
             fs::create_symlink(Existing(f, 0400), f.file("link.orvik"));
             return f.file("link.orvik");
         },
         "", "файл защищен от записи", fs::perms{0400}},
        {"links in a ring",
         [](const Folder& f) {
             fs::create_symlink("b.orvik", f.file("a.orvik"));
             fs::create_symlink("a.orvik", f.file("b.orvik"));
             return f.file("a.orvik");
         },
         "", "символические ссылки", fs::perms{}},
        {"a name of 255 bytes",
         [](const Folder& f) { return f.file(std::string(249, 'w') + ".orvik"); }, "", "",
         fs::perms{0644}},
        {"a name of 249 bytes, Russian letters",
         [](const Folder& f) {
             std::string name = "w";
             for (int i = 0; i < 121; ++i)
                 name += "р";
             return f.file(name + ".orvik");
         },
         "", "", fs::perms{0644}},
    };
    const mode_t mask = ::umask(022);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Folder folder;
        const std::string chosen = row.prepare(folder);
        const auto entries = [&] {
            std::vector<std::pair<std::string, fs::file_type>> all;
            for (const auto& e : fs::recursive_directory_iterator(folder.path()))
                all.emplace_back(e.path().string(), fs::symlink_status(e.path()).type());
            std::sort(all.begin(), all.end());
            return all;
        };
        const auto before = entries();
        const std::string target = *row.written ? folder.file(row.written) : chosen;
        const auto old = ReadAll(target);

        if (*row.refusal) {
            const std::string message =
                FailureOf([&] { SaveWorkbookFile(Sample("новый"), chosen); });
            EXPECT_NE(message.find(row.refusal), std::string::npos) << message;
            EXPECT_NE(message.find(chosen), std::string::npos) << message;
            EXPECT_EQ(ReadAll(target), old);
            EXPECT_EQ(entries(), before);
        } else {
            SaveWorkbookFile(Sample("новый"), chosen);
            EXPECT_EQ(OpenWorkbookFile(target).sStudent, "новый");
            EXPECT_EQ(OpenWorkbookFile(chosen).sStudent, "новый");
            // Links stay links, and no temporary file is left behind.
            for (const auto& [name, type] : before)
                EXPECT_EQ(fs::symlink_status(name).type(), type) << name;
            EXPECT_EQ(entries().size(), before.size() + (fs::exists(target) && old.empty()));
        }
        if (row.permissions != fs::perms{}) {
            EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, row.permissions);
        }
    }
    ::umask(mask);
}

TEST(FileFaults, AFileThatShrankBeforeReadingIsReadBeyondItsEnd) {
    Folder folder;
    const std::string target = folder.file("w.orvik");
    SaveWorkbookFile(Sample("первый"), target);
    LabState state;
    ResetWorkbook(state);
    const auto memory = EncodeWorkbook(state.workbook);
    for (const std::uintmax_t size : {std::uintmax_t{0}, std::uintmax_t{1}, std::uintmax_t{1032},
                                      std::uintmax_t{20231}, std::uintmax_t{21091}}) {
        fs::resize_file(target, size);
        // As the main window does: the workbook is replaced only by a whole file.
        EXPECT_EQ(FailureOf([&] { state.workbook = OpenWorkbookFile(target); }),
                  "Read beyond end of file")
            << size;
        EXPECT_EQ(EncodeWorkbook(state.workbook), memory) << size;
    }
    // A file whose size the system does not tell (sizes of /proc files read as 0).
    EXPECT_EQ(FailureOf([&] { state.workbook = OpenWorkbookFile("/proc/self/stat"); }),
              "Read beyond end of file");
    EXPECT_EQ(EncodeWorkbook(state.workbook), memory);
}

TEST(FileFaults, AFileCutAndRewrittenWhileBeingReadOpensWholeOrNotAtAll) {
    Folder folder;
    const std::string target = folder.file("w.orvik");
    const Workbook original = Sample("первый");
    const auto bytes = EncodeWorkbook(original);
    SaveWorkbookFile(original, target);

    // Another program keeps cutting the file and writing it again, in place.
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        while (!stop) {
            const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC);
            if (fd < 0)
                continue;
            std::size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t n = ::write(fd, bytes.data() + done,
                                          std::min<std::size_t>(4096, bytes.size() - done));
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            ::close(fd);
        }
    });
    int whole = 0;
    int refused = 0;
    for (int i = 0; i < 300; ++i) {
        try {
            const Workbook opened = OpenWorkbookFile(target);
            EXPECT_EQ(EncodeWorkbook(opened), bytes);
            ++whole;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Read beyond end of file");
            ++refused;
        }
    }
    stop = true;
    writer.join();
    EXPECT_EQ(whole + refused, 300);
}

} // namespace
} // namespace orvik
