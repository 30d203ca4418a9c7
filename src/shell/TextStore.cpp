#include "shell/TextStore.h"

#include "core/Cp1251.h"
#include "core/Errors.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>

namespace orvik {

namespace {

constexpr std::string_view kKey1 = "QX TRV k7.2 mx Welt zam GORAN";
constexpr std::string_view kKey2 = "#kz = !mqwertyul(#rvxd, 47, #qpmn, #zxcvbn, 612)";
static_assert(kKey1.size() == 29 && kKey2.size() == 48);

constexpr std::size_t kRecordSize = 256;
constexpr std::size_t kRecordChars = kRecordSize - 1;
constexpr std::uint32_t kLengthSalt = 9157;
constexpr const char* kReadBeyondEnd = "Read beyond end of file";

// Length field of entry i <-> text length, in 32-bit two's complement.
std::int32_t DecodeLength(std::int32_t field, int index) {
    const auto i = static_cast<std::uint32_t>(index);
    return static_cast<std::int32_t>(((kLengthSalt - i) ^ static_cast<std::uint32_t>(field)) - i);
}

std::int32_t EncodeLength(std::int32_t length, int index) {
    const auto i = static_cast<std::uint32_t>(index);
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(length) + i) ^ (kLengthSalt - i));
}

// Every entry takes at least one record, even an empty or negative length.
std::uint64_t RecordCount(std::int32_t length) {
    const std::int64_t l = static_cast<std::int64_t>(length) - 1;
    return static_cast<std::uint64_t>(l < 0 ? -l : l) / kRecordChars + 1;
}

// Reads one entry from `in`; throws Error when the file ends first. Memory
// stays bounded by what the file really holds: records are read one at a
// time and no more than the text length is kept.
std::string ReadEntry(std::istream& in, int index, std::uint64_t& bytesLeft) {
    unsigned char field[4];
    if (bytesLeft < sizeof field || !in.read(reinterpret_cast<char*>(field), sizeof field))
        throw Error(kReadBeyondEnd);
    bytesLeft -= sizeof field;
    const std::int32_t length = DecodeLength(
        static_cast<std::int32_t>(std::uint32_t{field[0]} | std::uint32_t{field[1]} << 8 |
                                  std::uint32_t{field[2]} << 16 | std::uint32_t{field[3]} << 24),
        index);
    const std::uint64_t records = RecordCount(length);
    // A length that claims more records than the file still holds fails at
    // once instead of after millions of reads.
    if (records > bytesLeft / kRecordSize)
        throw Error(kReadBeyondEnd);

    const std::size_t wanted =
        length > 0 ? std::min(static_cast<std::size_t>(length), kTextLimit) : 0;
    std::string text;
    char record[kRecordSize];
    for (std::uint64_t r = 0; r < records; ++r) {
        if (!in.read(record, kRecordSize))
            throw Error(kReadBeyondEnd);
        bytesLeft -= kRecordSize;
        const std::size_t count = static_cast<unsigned char>(record[0]);
        if (text.size() < wanted)
            text.append(record + 1, std::min(count, wanted - text.size()));
    }
    if (length > 0 && static_cast<std::size_t>(length) > kTextLimit)
        return UnscrambleText(text) +
               ToCp1251("\r\n\r\n*** Текст обрезан: в файле orviklab.db2 он длиннее " +
                        std::to_string(kTextLimit) + " знаков ***");
    return UnscrambleText(text);
}

} // namespace

std::string UnscrambleText(std::string_view text) {
    // The key byte of position k (counted from 1) is K1[k mod 29] ^
    // K2[(256 - k mod 48) mod 48]. Past position 256 the second key index is
    // taken as the non-negative remainder, so it keeps cycling through the
    // key; the data-file builder uses the same rule. The bytes therefore
    // repeat every 29 * 48 positions, and that stretch is made once.
    static const auto kStream = [] {
        std::array<char, kKey1.size() * kKey2.size()> stream{};
        for (std::size_t k = 0; k < stream.size(); ++k)
            stream[k] = static_cast<char>(kKey1[k % kKey1.size()] ^
                                          kKey2[(256 - k % kKey2.size()) % kKey2.size()]);
        return stream;
    }();
    std::string out(text);
    std::size_t at = 1;
    for (char& c : out) {
        c = static_cast<char>(c ^ kStream[at]);
        if (++at == kStream.size())
            at = 0;
    }
    return out;
}

const std::string& TextEntry(const TextStore& store, int entry) {
    static const std::string none;
    if (entry >= 0 && entry < kTextCount)
        return store.entries[static_cast<std::size_t>(entry)];
    if (entry >= kFirstGameText && entry < kFirstGameText + kGameTextCount)
        return store.game[static_cast<std::size_t>(entry - kFirstGameText)];
    return none;
}

bool LoadTextStore(TextStore& store, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::uint64_t bytesLeft = ec ? std::numeric_limits<std::uint64_t>::max() : size;

    // Each entry is stored as soon as it is read whole, so a file that ends
    // early leaves the entries before the damage loaded and the rest as they
    // were.
    for (int i = 0; i < kTextCount; ++i)
        store.entries[i] = ReadEntry(in, i, bytesLeft);
    // The game's texts came later than the rest: older files end here, and
    // bytes after entry 66 that are no whole entry are ignored as before.
    for (auto& text : store.game)
        text.clear();
    try {
        for (int i = 0; i < kGameTextCount && bytesLeft > 0; ++i)
            store.game[i] = ReadEntry(in, kFirstGameText + i, bytesLeft);
    } catch (const Error&) {
    }
    return true;
}

std::vector<std::uint8_t> BuildTextStoreFile(const std::array<std::string, kTextCount>& texts,
                                             const std::vector<std::string>& more) {
    std::vector<std::uint8_t> file;
    const int count = kTextCount + static_cast<int>(more.size());
    for (int i = 0; i < count; ++i) {
        const std::string& text = i < kTextCount ? texts[i] : more[i - kTextCount];
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw std::length_error("text too long for the help data file");
        const auto length = static_cast<std::int32_t>(text.size());
        const auto field = static_cast<std::uint32_t>(EncodeLength(length, i));
        for (int b = 0; b < 4; ++b)
            file.push_back(static_cast<std::uint8_t>(field >> (8 * b)));

        const std::string scrambled = UnscrambleText(text);
        const std::uint64_t records = RecordCount(length);
        for (std::uint64_t r = 0; r < records; ++r) {
            const std::size_t start = static_cast<std::size_t>(r) * kRecordChars;
            const std::size_t count = std::min(kRecordChars, scrambled.size() - start);
            file.push_back(static_cast<std::uint8_t>(count));
            file.insert(file.end(), scrambled.begin() + start, scrambled.begin() + start + count);
            file.insert(file.end(), kRecordChars - count, 0);
        }
    }
    return file;
}

} // namespace orvik
