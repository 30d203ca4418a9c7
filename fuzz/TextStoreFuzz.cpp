// Fuzz target: any bytes as the help data file. Loading either takes every
// text, refuses the file with "Read beyond end of file" (keeping the texts
// read before); a loaded store, written out again, loads back to the same
// texts.

#include "FuzzSupport.h"

#include "core/Errors.h"
#include "shell/TextStore.h"

#include <cstring>
#include <functional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvik;
    const fuzz::MemoryFile file(data, size);

    TextStore store;
    store.entries.fill("earlier");
    bool loaded = false;
    try {
        loaded = LoadTextStore(store, file.path());
    } catch (const Error& e) {
        if (std::strcmp(e.what(), "Read beyond end of file") != 0)
            fuzz::Broken("unexpected message from loading the data file");
        return 0;
    }
    if (!loaded)
        fuzz::Broken("an existing data file was not read");

    std::size_t total = 0;
    for (const std::string& text : store.entries)
        total += text.size();
    if (total > size)
        fuzz::Broken("the texts hold more characters than the file");

    // The round trip costs as much again: one input in eight takes it.
    if (std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(data), size)) %
            8 !=
        0)
        return 0;
    const std::vector<std::uint8_t> rebuilt = BuildTextStoreFile(store.entries);
    const fuzz::MemoryFile again(rebuilt.data(), rebuilt.size());
    TextStore reloaded;
    if (!LoadTextStore(reloaded, again.path()) || reloaded.entries != store.entries)
        fuzz::Broken("a rebuilt data file does not load back to the same texts");

    if (UnscrambleText(UnscrambleText(store.entries[0])) != store.entries[0])
        fuzz::Broken("scrambling is not its own inverse");
    return 0;
}
