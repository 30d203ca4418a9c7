// The business game's block after the plain workbook bytes.

#include "game/GameBlock.h"
#include "game/GameSession.h"
#include "support/TempFolder.h"
#include "workbook/LabState.h"
#include "workbook/WorkbookFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>

namespace orvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

GameState PlayedGame() {
    GameState state;
    StartGame(state, 6);
    state.Restarts = 3;
    GameDecision d = DefaultDecision();
    state.Decisions = {d, d};
    state.Decisions[1].MinFeature = 0.85;
    state.Decisions[1].Advertising = 250;
    return state;
}

Workbook NewWorkbook() {
    LabState lab;
    ResetWorkbook(lab);
    return lab.workbook;
}

void WriteAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void ExpectSameGame(const GameState& a, const GameState& b) {
    EXPECT_EQ(a.Variant, b.Variant);
    EXPECT_EQ(a.Restarts, b.Restarts);
    EXPECT_TRUE(a.Decisions == b.Decisions);
}

TEST(GameBlock, Crc32OfTheStandardCheckString) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32({reinterpret_cast<const std::uint8_t*>(check.data()), check.size()}),
              0xCBF43926u);
}

TEST(GameBlock, WorkbookWithAGameRoundTrips) {
    test::TempFolder dir;
    Workbook wb = NewWorkbook();
    wb.sStudent = "Студент";
    wb.Game = PlayedGame();
    const Bytes bytes = EncodeWorkbook(wb);
    ASSERT_EQ(bytes.size(), 21092u + 10 + 7 + 2 * 41 + 4);
    EXPECT_EQ(std::memcmp(bytes.data() + 21092, "ORVG\x02\x00", 6), 0);
    EXPECT_EQ(bytes[21092 + 6], 7 + 2 * 41); // payload length
    EXPECT_EQ(bytes[21092 + 10], 2);         // the rules
    // The plain part is what the plain format holds.
    Workbook plain = wb;
    plain.Game = {};
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 21092, EncodeWorkbook(plain).begin()));

    SaveWorkbookFile(wb, dir.file("g.orvik"));
    EXPECT_EQ(test::ReadAll(dir.file("g.orvik")), bytes);
    std::string message = "old";
    const Workbook back = OpenWorkbookFile(dir.file("g.orvik"), &message);
    EXPECT_EQ(message, "");
    EXPECT_EQ(back.sStudent, "Студент");
    EXPECT_EQ(back.Game.Origin, GameOrigin::Current);
    ExpectSameGame(back.Game, wb.Game);
    ExpectSameGame(GameSession(back.Game).state(), wb.Game);

    // A started game with nothing played still keeps its restarts.
    wb.Game.Decisions.clear();
    ExpectSameGame(DecodeWorkbook(EncodeWorkbook(wb)).Game, wb.Game);
}

TEST(GameBlock, WorkbookWithoutAGameStays21092Bytes) {
    test::TempFolder dir;
    Workbook wb = NewWorkbook();
    EXPECT_EQ(EncodeWorkbook(wb).size(), 21092u);
    SaveWorkbookFile(wb, dir.file("plain.orvik"));
    std::string message = "old";
    const Workbook back = OpenWorkbookFile(dir.file("plain.orvik"), &message);
    EXPECT_EQ(message, "");
    EXPECT_TRUE(back.Game.empty());
    SaveWorkbookFile(back, dir.file("again.orvik"));
    EXPECT_EQ(test::ReadAll(dir.file("again.orvik")).size(), 21092u);

    // "Новая работа" forgets the game.
    LabState lab;
    lab.workbook.Game = PlayedGame();
    ResetWorkbook(lab);
    EXPECT_TRUE(lab.workbook.Game.empty());
    EXPECT_EQ(EncodeWorkbook(lab.workbook).size(), 21092u);
}

// Writes `value` at `offset` and a CRC that fits again, so that only the
// damage under test remains.
template <typename T> std::function<void(Bytes&)> Sealed(std::size_t offset, T value) {
    return [=](Bytes& file) {
        std::memcpy(file.data() + offset, &value, sizeof value);
        const std::uint32_t crc = Crc32(std::span(file).subspan(21092, file.size() - 21092 - 4));
        std::memcpy(file.data() + file.size() - 4, &crc, 4);
    };
}

TEST(GameBlock, EveryKindOfDamageOpensTheWorkbookWithoutTheGame) {
    Workbook wb = NewWorkbook();
    wb.sGroup = "ВВ-1";
    wb.Game = PlayedGame();
    const Bytes good = EncodeWorkbook(wb);
    const std::size_t block = 21092;
    const std::size_t payload = block + 10;
    const std::size_t firstYear = payload + 7;
    struct Row {
        const char* what;
        std::function<void(Bytes&)> damage;
        const char* message;
    };
    const Row rows[] = {
        {"cut inside the CRC", [](Bytes& f) { f.pop_back(); }, kGameBlockDamaged},
        {"cut inside the header", [&](Bytes& f) { f.resize(block + 5); }, kGameBlockDamaged},
        {"one stray byte", [&](Bytes& f) { f.resize(block + 1); }, kGameBlockDamaged},
        {"a byte more at the end", [](Bytes& f) { f.push_back(0); }, kGameBlockDamaged},
        {"a megabyte more", [](Bytes& f) { f.resize(f.size() + (1 << 20), 0xEE); },
         kGameBlockDamaged},
        {"wrong magic, byte 1", Sealed<std::uint8_t>(block, 'X'), kGameBlockDamaged},
        {"wrong magic, byte 2", Sealed<std::uint8_t>(block + 1, 'X'), kGameBlockDamaged},
        {"wrong magic, byte 3", Sealed<std::uint8_t>(block + 2, 'X'), kGameBlockDamaged},
        {"wrong magic, byte 4", Sealed<std::uint8_t>(block + 3, 'X'), kGameBlockDamaged},
        {"a payload bit flipped", [&](Bytes& f) { f[payload + 20] ^= 0x10; }, kGameBlockDamaged},
        {"the CRC changed", [](Bytes& f) { f.back() ^= 1; }, kGameBlockDamaged},
        {"length beyond the file", Sealed<std::uint8_t>(block + 9, 0x7F), kGameBlockDamaged},
        {"version 0", Sealed<std::uint16_t>(block + 4, 0), kGameBlockUnknown},
        {"a later version", Sealed<std::uint16_t>(block + 4, 3), kGameBlockUnknown},
        {"later rules", Sealed<std::uint8_t>(payload, 3), kGameBlockUnknown},
        {"variant 0", Sealed<std::uint8_t>(payload + 1, 0), kGameBlockDamaged},
        {"variant 11", Sealed<std::uint8_t>(payload + 1, 11), kGameBlockDamaged},
        {"nine years", Sealed<std::uint8_t>(payload + 6, 9), kGameBlockDamaged},
        {"technology 7", Sealed<std::uint8_t>(firstYear, 7), kGameBlockDamaged},
        {"МЛР not a number", Sealed(firstYear + 1, std::numeric_limits<double>::quiet_NaN()),
         kGameBlockDamaged},
        {"МЛР below the year's smallest", Sealed(firstYear + 1, 0.99), kGameBlockDamaged},
        {"negative volume", Sealed<std::int32_t>(firstYear + 29, -5), kGameBlockDamaged},
    };
    test::TempFolder dir;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Bytes file = good;
        r.damage(file);
        std::string message;
        const Workbook fromBytes = DecodeWorkbook(file, &message);
        EXPECT_EQ(message, r.message);
        EXPECT_TRUE(fromBytes.Game.empty());
        EXPECT_EQ(fromBytes.Game.Origin,
                  r.message == kGameBlockDamaged ? GameOrigin::Damaged : GameOrigin::Unknown);
        EXPECT_EQ(fromBytes.sGroup, "ВВ-1");

        WriteAll(dir.file("d.orvik"), file);
        message.clear();
        const Workbook opened = OpenWorkbookFile(dir.file("d.orvik"), &message);
        EXPECT_EQ(message, r.message);
        EXPECT_TRUE(opened.Game.empty());
        EXPECT_EQ(EncodeWorkbook(opened), EncodeWorkbook(fromBytes));
        EXPECT_EQ(EncodeWorkbook(opened).size(), 21092u);
    }
}

// A whole game's block; with stray bytes after it, it is damaged.
TEST(GameBlock, FullGameAndStrayBytesAfterIt) {
    Workbook wb = NewWorkbook();
    GameState start = PlayedGame();
    start.Decisions.clear();
    GameSession game(start);
    while (!game.over())
        game.commit(game.rivalOffers()[2].Decision);
    ASSERT_EQ(game.state().Decisions.size(), 8u);
    wb.Game = game.state();
    Bytes file = EncodeWorkbook(wb);
    EXPECT_EQ(file.size(), 21092u + 10 + 7 + 8 * 41 + 4);
    std::string message;
    ExpectSameGame(DecodeWorkbook(file, &message).Game, wb.Game);
    EXPECT_EQ(message, "");
    test::TempFolder dir;
    for (std::size_t stray : {1, 7, 4096}) {
        file.resize(21092 + 10 + 7 + 8 * 41 + 4 + stray, 0x5A);
        WriteAll(dir.file("s.orvik"), file);
        const Workbook opened = OpenWorkbookFile(dir.file("s.orvik"), &message);
        EXPECT_EQ(message, kGameBlockDamaged) << stray;
        EXPECT_TRUE(opened.Game.empty());
    }
}

// A game saved under the first rules (block version 1, no rules byte) keeps
// its decisions, is replayed under the current rules and says so once.
TEST(GameBlock, FirstRulesBlockIsReplayedUnderTheCurrentRules) {
    Workbook wb = NewWorkbook();
    wb.Game = PlayedGame();
    Bytes file = EncodeWorkbook(wb);
    Bytes old(file.begin(), file.begin() + 21092);
    const Bytes block(file.begin() + 21092, file.end() - 4);
    old.insert(old.end(), {'O', 'R', 'V', 'G', 1, 0, 6 + 2 * 41, 0, 0, 0});
    old.insert(old.end(), block.begin() + 11, block.end()); // without the rules byte
    const std::uint32_t crc = Crc32(std::span(old).subspan(21092));
    old.insert(old.end(),
               {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)});
    std::string message;
    const Workbook back = DecodeWorkbook(old, &message);
    EXPECT_EQ(message, kRulesRecomputedMessage);
    EXPECT_EQ(back.Game.Origin, GameOrigin::OldRules);
    ExpectSameGame(back.Game, wb.Game);
    EXPECT_EQ(GameSession(back.Game).years().size(), 2u);
    // Saved again, it is a block of the current rules.
    EXPECT_EQ(EncodeWorkbook(back), file);
}

} // namespace
} // namespace orvik
