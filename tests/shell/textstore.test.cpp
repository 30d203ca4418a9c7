#include "shell/TextStore.h"
#include "core/Errors.h"
#include "support/BuildFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using orvik::kTextCount;
using orvik::TextStore;

namespace {

using Texts = std::array<std::string, kTextCount>;
using Bytes = std::vector<std::uint8_t>;

using TempDir = orvik::test::TempFolder;

void WriteFile(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}
void WriteFile(const fs::path& path, const Bytes& bytes) {
    WriteFile(path, bytes.data(), bytes.size());
}
void WriteFile(const fs::path& path, const std::string& text) {
    WriteFile(path, text.data(), text.size());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Texts of varied lengths and contents, every byte value included.
Texts SampleTexts(const std::string& tag = "") {
    Texts texts;
    for (int i = 0; i < kTextCount; ++i) {
        std::string text = tag + "entry " + std::to_string(i);
        for (int j = 0; j < (i * 37) % 300; ++j)
            text += static_cast<char>((i + j * 7) & 0xFF);
        texts[i] = text;
    }
    return texts;
}

TextStore PreloadedStore() {
    TextStore store;
    for (int i = 0; i < kTextCount; ++i)
        store.entries[i] = "old " + std::to_string(i);
    return store;
}

// Offset of entry `index` in a file built from `texts`.
std::size_t EntryOffset(const Texts& texts, int index) {
    std::size_t offset = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t length = texts[i].size();
        offset += 4 + 256 * (length == 0 ? 1 : (length - 1) / 255 + 1);
    }
    return offset;
}

// Stores the length field that decodes to `length` for entry `index`.
void SetLength(Bytes& file, std::size_t offset, int index, std::int32_t length) {
    const std::uint32_t field =
        (static_cast<std::uint32_t>(length) + static_cast<std::uint32_t>(index)) ^
        (9157u - static_cast<std::uint32_t>(index));
    for (int b = 0; b < 4; ++b)
        file[offset + b] = static_cast<std::uint8_t>(field >> (8 * b));
}

// Loading must fail with the short-file message, entries before `failing`
// new and the rest untouched.
void ExpectShortFile(const fs::path& path, const Texts& texts, int failing) {
    TextStore store = PreloadedStore();
    try {
        orvik::LoadTextStore(store, path.string());
        FAIL() << "no error for a short file";
    } catch (const orvik::Error& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    for (int i = 0; i < kTextCount; ++i) {
        if (i < failing)
            EXPECT_EQ(store.entries[i], texts[i]) << "entry " << i;
        else
            EXPECT_EQ(store.entries[i], "old " + std::to_string(i)) << "entry " << i;
    }
}

std::string BuildFile(const char* name) {
    return (orvik::test::BuildFolder() / name).string();
}

} // namespace

TEST(UnscrambleText, KeyStreamAtKnownPositions) {
    EXPECT_EQ(orvik::UnscrambleText(""), "");
    const std::string zeros(2800, '\0');
    const std::string keys = orvik::UnscrambleText(zeros);
    ASSERT_EQ(keys.size(), zeros.size());
    EXPECT_EQ(keys[0], 'X' ^ 'l');    // position 1: K1[1], K2[15]
    EXPECT_EQ(keys[28], 'Q' ^ '#');   // position 29: K1[0], K2[35]
    EXPECT_EQ(keys[255], 'G' ^ '#');  // position 256: K1[24], K2[0]
    EXPECT_EQ(keys[256], 'O' ^ ')');  // position 257: K1[25], K2[47]
    EXPECT_EQ(keys[304], 'W' ^ ')');  // position 305: K1[15], K2[47]
    EXPECT_EQ(keys[1391], 'Q' ^ '('); // position 1392: K1[0], K2[16]
    EXPECT_EQ(keys[1392], 'X' ^ 'l'); // position 1393: as position 1
    EXPECT_EQ(keys[2784], 'X' ^ 'l'); // position 2785: as position 1
    EXPECT_EQ(orvik::UnscrambleText("A")[0], 'A' ^ 'X' ^ 'l');
}

// Each character is combined with a key byte of its position alone: the
// first 256 key bytes are K1[k mod 29] ^ K2[(256 - k) mod 48], whatever the text.
TEST(UnscrambleText, EachPositionHasItsOwnKeyByte) {
    const std::string k1 = "QX TRV k7.2 mx Welt zam GORAN";
    const std::string k2 = "#kz = !mqwertyul(#rvxd, 47, #qpmn, #zxcvbn, 612)";
    std::string text;
    for (int j = 0; j < 1000; ++j)
        text += static_cast<char>(j * 31 & 0xFF);
    const std::string scrambled = orvik::UnscrambleText(text);
    const std::string keys = orvik::UnscrambleText(std::string(text.size(), '\0'));
    ASSERT_EQ(scrambled.size(), text.size());
    for (std::size_t k = 1; k <= 256; ++k)
        ASSERT_EQ(scrambled[k - 1], text[k - 1] ^ k1[k % 29] ^ k2[(256 - k) % 48]) << k;
    for (std::size_t i = 0; i < text.size(); ++i)
        ASSERT_EQ(scrambled[i], text[i] ^ keys[i]) << i + 1;
    EXPECT_EQ(orvik::UnscrambleText(scrambled), text);
}

TEST(TextStoreFile, RoundTripOfRecordBoundaries) {
    TempDir dir;
    Texts texts = SampleTexts();
    const std::size_t lengths[] = {0, 1, 255, 256, 300, 600};
    for (std::size_t n = 0; n < std::size(lengths); ++n) {
        texts[n].assign(lengths[n], 'x');
        for (std::size_t j = 0; j < lengths[n]; ++j)
            texts[n][j] = static_cast<char>(j & 0xFF);
    }
    const Bytes file = orvik::BuildTextStoreFile(texts);
    EXPECT_EQ(file.size(), EntryOffset(texts, kTextCount));

    // Entry 0, empty: length field 9157, one record holding nothing.
    EXPECT_EQ(file[0], 0xC5);
    EXPECT_EQ(file[1], 0x23);
    EXPECT_EQ(file[4], 0);
    // 255 characters fit one record; 256 take a full one and one of 1.
    EXPECT_EQ(file[EntryOffset(texts, 2) + 4], 255);
    EXPECT_EQ(file[EntryOffset(texts, 3) - 256], 255); // next entry follows its one record
    EXPECT_EQ(file[EntryOffset(texts, 3) + 4], 255);
    EXPECT_EQ(file[EntryOffset(texts, 3) + 4 + 256], 1);
    EXPECT_EQ(EntryOffset(texts, 4) - EntryOffset(texts, 3), 4u + 2 * 256);

    WriteFile(dir / "orviklab.db2", file);
    TextStore store = PreloadedStore();
    ASSERT_TRUE(orvik::LoadTextStore(store, (dir / "orviklab.db2").string()));
    for (int i = 0; i < kTextCount; ++i)
        EXPECT_EQ(store.entries[i], texts[i]) << "entry " << i;
}

TEST(TextStoreFile, ShortRecordsAreJoinedAndCutToTheLength) {
    TempDir dir;
    Texts texts = SampleTexts();
    texts[0] = std::string(300, 'a');
    Bytes file = orvik::BuildTextStoreFile(texts);
    // Entry 0 as two records of 200 characters each: 400 joined, 300 kept.
    const std::string scrambled = orvik::UnscrambleText(std::string(400, 'b'));
    file[4] = 200;
    std::copy(scrambled.begin(), scrambled.begin() + 200, file.begin() + 5);
    file[4 + 256] = 200;
    std::copy(scrambled.begin() + 200, scrambled.end(), file.begin() + 5 + 256);
    // Data after the last entry is ignored.
    file.insert(file.end(), 1000, 0xAB);
    WriteFile(dir / "orviklab.db2", file);

    TextStore store;
    ASSERT_TRUE(orvik::LoadTextStore(store, (dir / "orviklab.db2").string()));
    EXPECT_EQ(store.entries[0], std::string(300, 'b'));
    EXPECT_EQ(store.entries[66], texts[66]);
}

TEST(TextStoreFile, GameTextsAreReadWhenPresent) {
    TempDir dir;
    const fs::path path = dir / "orviklab.db2";
    const Texts texts = SampleTexts();
    std::vector<std::string> game;
    for (int i = 0; i < orvik::kGameTextCount; ++i)
        game.push_back("game " + std::to_string(i) + std::string(i * 100, 'g'));
    const Bytes full = orvik::BuildTextStoreFile(texts, game);
    const std::size_t plainSize = orvik::BuildTextStoreFile(texts).size();

    struct Row {
        const char* what;
        std::size_t size;
        int gameTextsRead;
    };
    const Row rows[] = {
        {"all game texts", full.size(), orvik::kGameTextCount},
        {"a file of the first 67 only", plainSize, 0},
        {"cut inside the third game text", plainSize + 2 * (4 + 256) + 4 + 100, 2},
        {"cut inside a length field", plainSize + 3, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        WriteFile(path, full.data(), r.size);
        TextStore store = PreloadedStore();
        store.game.fill("old");
        ASSERT_TRUE(orvik::LoadTextStore(store, path.string()));
        EXPECT_EQ(store.entries[66], texts[66]);
        for (int i = 0; i < orvik::kGameTextCount; ++i)
            EXPECT_EQ(store.game[i], i < r.gameTextsRead ? game[i] : "") << "game text " << i;
    }
}

TEST(TextStoreFile, MissingFileChangesNothing) {
    TempDir dir;
    TextStore store = PreloadedStore();
    EXPECT_FALSE(orvik::LoadTextStore(store, (dir / "orviklab.db2").string()));
    EXPECT_FALSE(orvik::LoadTextStore(store, dir.path())); // a folder
    EXPECT_EQ(store.entries[0], "old 0");
    EXPECT_EQ(store.entries[66], "old 66");
}

TEST(TextStoreFile, ShortFileKeepsTheEntriesBefore) {
    TempDir dir;
    const Texts texts = SampleTexts("new ");
    const Bytes file = orvik::BuildTextStoreFile(texts);
    const fs::path path = dir / "orviklab.db2";

    WriteFile(path, file.data(), EntryOffset(texts, 5) + 4 + 100); // inside a record
    ExpectShortFile(path, texts, 5);
    WriteFile(path, file.data(), EntryOffset(texts, 7) + 2); // inside a length field
    ExpectShortFile(path, texts, 7);
    WriteFile(path, file.data(), file.size() - 1); // last byte missing
    ExpectShortFile(path, texts, 66);
    WriteFile(path, file.data(), 0); // empty file
    ExpectShortFile(path, texts, 0);
}

TEST(TextStoreFile, DamagedLengthFieldsNeverOverreach) {
    TempDir dir;
    const Texts texts = SampleTexts("new ");
    const fs::path path = dir / "orviklab.db2";

    // A negative length still takes its records and gives an empty text.
    ASSERT_LE(texts[4].size(), 255u);
    Bytes file = orvik::BuildTextStoreFile(texts);
    SetLength(file, EntryOffset(texts, 4), 4, -1);
    WriteFile(path, file);
    TextStore store = PreloadedStore();
    ASSERT_TRUE(orvik::LoadTextStore(store, path.string()));
    EXPECT_EQ(store.entries[3], texts[3]);
    EXPECT_EQ(store.entries[4], "");
    EXPECT_EQ(store.entries[5], texts[5]);

    // Lengths claiming far more records than the file holds.
    for (const std::int32_t length : {INT32_MIN, INT32_MIN + 1, -100000, INT32_MAX, 100000}) {
        Bytes damaged = orvik::BuildTextStoreFile(texts);
        SetLength(damaged, EntryOffset(texts, 9), 9, length);
        WriteFile(path, damaged);
        SCOPED_TRACE(length);
        ExpectShortFile(path, texts, 9);
    }

    // A tiny file whose first length is 0x7fffffff.
    Bytes tiny(4 + 256, 0);
    SetLength(tiny, 0, 0, INT32_MAX);
    WriteFile(path, tiny);
    ExpectShortFile(path, texts, 0);
}

// A tampered file with one line of megabytes: the text is cut with a note, so
// that showing it stays quick; the entries around it load as ever.
TEST(TextStoreFile, OverlongTextsAreCutWithANote) {
    TempDir dir;
    const std::string note =
        "\r\n\r\n*** \xD2\xE5\xEA\xF1\xF2 \xEE\xE1\xF0\xE5\xE7\xE0\xED:"; // Текст обрезан:
    for (const std::size_t length :
         {std::size_t{32768}, std::size_t{32769}, std::size_t{2} << 20}) {
        SCOPED_TRACE(length);
        Texts texts = SampleTexts();
        texts[3].assign(length, 'W');
        WriteFile(dir / "orviklab.db2", orvik::BuildTextStoreFile(texts));
        TextStore store;
        ASSERT_TRUE(orvik::LoadTextStore(store, (dir / "orviklab.db2").string()));
        EXPECT_EQ(store.entries[2], texts[2]);
        EXPECT_EQ(store.entries[4], texts[4]);
        const std::string& text = store.entries[3];
        EXPECT_EQ(text.find_first_not_of('W'), length > 32768 ? 32768 : std::string::npos);
        if (length > 32768) {
            EXPECT_EQ(text.compare(32768, note.size(), note), 0);
            EXPECT_NE(text.find("32768"), std::string::npos);
        }
    }
}

// The data file the build puts beside the program.
TEST(TextStoreFile, BuiltDataFileHoldsAllTexts) {
    ASSERT_EQ(orvik::test::MissingBuildFile("orviklab.db2"), "");
    TextStore store;
    ASSERT_TRUE(orvik::LoadTextStore(store, BuildFile("orviklab.db2")));
    for (int i = 0; i < kTextCount + orvik::kGameTextCount; ++i) {
        const std::string& text = i < kTextCount ? store.entries[i] : store.game[i - kTextCount];
        EXPECT_FALSE(text.empty()) << "entry " << i;
        for (std::size_t j = 0; j < text.size(); ++j) {
            if (text[j] == '\n') {
                EXPECT_TRUE(j > 0 && text[j - 1] == '\r') << "bare LF in entry " << i;
                break;
            }
        }
    }
}

// The builder tool, run on texts of its own.
class DataFileBuilder : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(orvik::test::MissingBuildFile("orvik-dbgen"), "");
        fs::create_directories(dir_ / "texts");
        for (int i = 0; i < kTextCount; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "%02d.txt", i);
            WriteFile(dir_ / "texts" / name, "Текст " + std::to_string(i) + "\n");
        }
    }

    // Runs the builder; returns its exit status, its messages in `log`.
    int Run(std::string& log) {
        const std::string command = "\"" + BuildFile("orvik-dbgen") + "\" \"" + output().string() +
                                    "\" \"" + (dir_ / "texts").string() + "\" 2>\"" +
                                    (dir_ / "log").string() + "\"";
        const int status = std::system(command.c_str());
        log = ReadFile(dir_ / "log");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    fs::path output() const { return dir_ / "orviklab.db2"; }

    TempDir dir_;
};

TEST_F(DataFileBuilder, ConvertsTextsToWindows1251WithCrLf) {
    WriteFile(dir_ / "texts" / "00.txt", "\xEF\xBB\xBF"
                                         "Да\n\nНет  \n");
    WriteFile(dir_ / "texts" / "01.txt", "");
    WriteFile(dir_ / "texts" / "02.txt", "без конца\r\nстроки");
    std::string log;
    ASSERT_EQ(Run(log), 0) << log;

    TextStore store;
    ASSERT_TRUE(orvik::LoadTextStore(store, output().string()));
    EXPECT_EQ(store.entries[0], "\xC4\xE0\r\n\r\n\xCD\xE5\xF2  ");
    EXPECT_EQ(store.entries[1], "");
    EXPECT_EQ(store.entries[2], "\xE1\xE5\xE7 \xEA\xEE\xED\xF6\xE0\r\n\xF1\xF2\xF0\xEE\xEA\xE8");
    EXPECT_EQ(store.entries[66], "\xD2\xE5\xEA\xF1\xF2 66");
    EXPECT_FALSE(fs::exists(output().string() + ".tmp"));
}

TEST_F(DataFileBuilder, RefusesMissingOrUnconvertibleTexts) {
    std::string log;
    fs::remove(dir_ / "texts" / "12.txt");
    EXPECT_EQ(Run(log), 1);
    EXPECT_NE(log.find("12.txt"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(output()));

    WriteFile(dir_ / "texts" / "12.txt", "ok\n");
    WriteFile(dir_ / "texts" / "05.txt", "раз\nдва\nтри 日本\n");
    EXPECT_EQ(Run(log), 1);
    EXPECT_NE(log.find("05.txt:3"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(output()));

    WriteFile(dir_ / "texts" / "05.txt", "bad \xFF byte\n");
    EXPECT_EQ(Run(log), 1);
    EXPECT_NE(log.find("05.txt:1"), std::string::npos) << log;

    // A text the program would cut: 32769 bytes in Windows-1251.
    WriteFile(dir_ / "texts" / "05.txt", std::string(32767, 'x') + "ыы\n");
    EXPECT_EQ(Run(log), 1);
    EXPECT_NE(log.find("05.txt"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(output()));
    WriteFile(dir_ / "texts" / "05.txt", std::string(32767, 'x') + "ы\n");
    EXPECT_EQ(Run(log), 0) << log;

    // The same limit for the game's texts.
    fs::remove(output());
    WriteFile(dir_ / "texts" / "67.txt", std::string(40000, 'x') + "\n");
    EXPECT_EQ(Run(log), 1);
    EXPECT_NE(log.find("67.txt"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(output()));
}

// Only a regular file or a new name is written: a pipe or a folder in its
// place stays what it is, with exit status 2.
TEST_F(DataFileBuilder, RefusesAnOutputThatIsNoRegularFile) {
    std::string log;
    ASSERT_EQ(::mkfifo(output().c_str(), 0600), 0);
    EXPECT_EQ(Run(log), 2);
    EXPECT_NE(log.find("не обычный файл"), std::string::npos) << log;
    EXPECT_FALSE(fs::is_regular_file(output()));
    fs::remove(output());
    fs::create_directory(output());
    EXPECT_EQ(Run(log), 2);
    EXPECT_TRUE(fs::is_directory(output()));
}
