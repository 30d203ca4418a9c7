// orvik-dbgen OUTPUT TEXTDIR
//
// Builds the help data file orviklab.db2 from TEXTDIR/00.txt .. 66.txt, one
// file per entry, named by the entry's two-digit index, followed by the
// business game's entries 67.txt, 68.txt, ... as far as they go without a gap. The texts are UTF-8;
// each becomes Windows-1251 with CR LF line breaks:
//   - a UTF-8 byte order mark at the start is dropped;
//   - every LF not already preceded by CR becomes CR LF;
//   - one final line break (the one an editor puts at the end of the file)
//     is dropped, so a text does not end in an empty line; further trailing
//     empty lines are kept as written.
// A missing text, one with a character that Windows-1251 lacks or one
// longer than the program shows (kTextLimit, the same for every entry the
// program reads, the game's too) stops the build (exit status 1) with a
// message naming the entry (and the line). The output is written to a
// temporary file beside it and renamed into place, so a failed run never
// leaves a half-written data file. OUTPUT must be a regular file or a new
// name: a device, a folder or a pipe is refused with exit status 2.

#include "core/AtomicFile.h"
#include "core/Cp1251.h"
#include "shell/TextStore.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kTool = "orvik-dbgen";

// A failure with the message for the build log.
struct Failure {
    std::string message;
};

std::string EntryFileName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.txt", index);
    return name;
}

std::string ReadWholeFile(const fs::path& path, int index) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw Failure{"нет текста записи " + std::to_string(index) + ": файл " + path.string() +
                      " не найден"};
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || !in.is_open())
        throw Failure{"не удается прочитать " + path.string()};
    return bytes;
}

// UTF-8 source text -> Windows-1251 with CR LF, as described above.
std::string ConvertText(std::string text, const fs::path& path) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    if (text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    else if (text.ends_with('\n'))
        text.pop_back();

    std::string out;
    std::size_t lineStart = 0;
    int lineNumber = 1;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        const bool last = lineEnd == std::string::npos;
        if (last)
            lineEnd = text.size();
        std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const auto converted = orvik::Utf8ToCp1251(line);
        if (!converted)
            throw Failure{path.string() + ":" + std::to_string(lineNumber) +
                          ": строка содержит знак, которого нет в Windows-1251, или неверный "
                          "UTF-8"};
        out += *converted;
        if (last)
            break;
        out += "\r\n";
        lineStart = lineEnd + 1;
        ++lineNumber;
    }
    return out;
}

// Entry `index` of TEXTDIR, converted and held to the program's limit.
std::string EntryText(const fs::path& textDir, int index) {
    const fs::path source = textDir / EntryFileName(index);
    std::string text = ConvertText(ReadWholeFile(source, index), source);
    if (text.size() > orvik::kTextLimit)
        throw Failure{source.string() + ": текст длиннее " + std::to_string(orvik::kTextLimit) +
                      " знаков, программа показала бы его не полностью"};
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Использование: " << kTool << " ВЫХОДНОЙ_ФАЙЛ ПАПКА_ТЕКСТОВ\n";
        return 2;
    }
    const fs::path output = argv[1];
    const fs::path textDir = argv[2];
    // Only a data file is ever replaced: never a device, a folder or a pipe.
    struct stat target {};
    if (::stat(argv[1], &target) == 0 && !S_ISREG(target.st_mode)) {
        std::cerr << kTool << ": " << output.string()
                  << ": это не обычный файл (устройство, папка или канал); данные справки "
                     "записываются только в обычный файл или под новым именем\n";
        return 2;
    }
    try {
        std::array<std::string, orvik::kTextCount> texts;
        for (int i = 0; i < orvik::kTextCount; ++i)
            texts[i] = EntryText(textDir, i);
        std::vector<std::string> gameTexts;
        for (int i = orvik::kFirstGameText; i < orvik::kFirstGameText + orvik::kGameTextCount;
             ++i) {
            const fs::path source = textDir / EntryFileName(i);
            std::error_code ec;
            if (!fs::exists(source, ec))
                break;
            gameTexts.push_back(EntryText(textDir, i));
        }
        orvik::WriteFileAtomically(output.string(), orvik::BuildTextStoreFile(texts, gameTexts),
                                   {"Не удается записать данные справки в файл", ""});
    } catch (const Failure& failure) {
        std::cerr << kTool << ": " << failure.message << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << kTool << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
