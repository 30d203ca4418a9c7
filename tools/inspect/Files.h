// The files the inspector reads: the names on the command line, folders
// among them read recursively, and the per-file work spread over the cores.

#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace orvik::inspect {

// One name to inspect; `error` says why a folder could not be read through.
struct InputFile {
    std::string path;
    std::string error;
};

// The names as given, except that a folder stands for every *.orvik file
// below it (in name order, subfolders included). A folder that cannot be
// read, or one without workbooks, is an entry with its error.
std::vector<InputFile> ExpandFolders(const std::vector<std::string>& names);

// How many files ForEachInOrder holds at once, at most.
std::size_t BatchSize();

// Calls work(i) for every i below `count` on all the processor's cores, a
// batch at a time, and done(i) in order on the calling thread once i's batch
// is finished: what is held at once is one batch, whatever the count.
// `work` must not throw.
void ForEachInOrder(std::size_t count, const std::function<void(std::size_t)>& work,
                    const std::function<void(std::size_t)>& done);

} // namespace orvik::inspect
