#include "game/GameBlock.h"

#include "game/Game.h"

#include <array>
#include <cstring>

namespace orvik {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'O', 'R', 'V', 'G'};
constexpr std::size_t kHeaderBytes = 10;
constexpr std::size_t kFixedPayload = 7; // version 1: 6, without the rules byte
constexpr std::size_t kDecisionBytes = 41;

std::array<std::uint32_t, 256> CrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

template <typename T> void Put(std::vector<std::uint8_t>& out, T value) {
    std::uint8_t bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value); // records are little-endian
    out.insert(out.end(), bytes, bytes + sizeof value);
}

// Reads values in order from a span that is known to be long enough.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    template <typename T> T get() {
        T value;
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = CrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void AppendGameBlock(std::vector<std::uint8_t>& file, const GameState& game) {
    if (game.empty())
        return;
    const std::size_t start = file.size();
    const std::size_t years = game.Decisions.size() < 8 ? game.Decisions.size() : 8;
    file.insert(file.end(), kMagic.begin(), kMagic.end());
    Put<std::uint16_t>(file, kGameBlockVersion);
    Put<std::uint32_t>(file, static_cast<std::uint32_t>(kFixedPayload + years * kDecisionBytes));
    Put<std::uint8_t>(file, kGameRules);
    Put<std::uint8_t>(file, static_cast<std::uint8_t>(game.Variant));
    Put<std::uint32_t>(file, game.Restarts);
    Put<std::uint8_t>(file, static_cast<std::uint8_t>(years));
    for (std::size_t i = 0; i < years; ++i) {
        const GameDecision& d = game.Decisions[i];
        Put<std::uint8_t>(file, static_cast<std::uint8_t>(d.Technology));
        Put<double>(file, d.MinFeature);
        Put<double>(file, d.ChipArea);
        Put<std::int32_t>(file, d.DeviceIntegration);
        Put<double>(file, d.Price);
        Put<std::int32_t>(file, d.Volume);
        Put<double>(file, d.Advertising);
    }
    Put<std::uint32_t>(file, Crc32(std::span(file).subspan(start)));
}

GameState ReadGameBlock(std::span<const std::uint8_t> tail, std::string& message) {
    message.clear();
    if (tail.empty())
        return {};
    const auto refused = [&](const char* why, GameOrigin origin) {
        message = why;
        GameState none;
        none.Origin = origin;
        return none;
    };
    const auto damaged = [&] { return refused(kGameBlockDamaged, GameOrigin::Damaged); };
    if (tail.size() < kHeaderBytes + 4 || !std::equal(kMagic.begin(), kMagic.end(), tail.begin()))
        return damaged();
    Reader header(tail.subspan(4));
    const auto version = header.get<std::uint16_t>();
    const auto length = header.get<std::uint32_t>();
    if (length > tail.size() - kHeaderBytes - 4 ||
        tail.size() != kHeaderBytes + std::size_t{length} + 4)
        return damaged();
    Reader crc(tail.subspan(kHeaderBytes + length));
    if (crc.get<std::uint32_t>() != Crc32(tail.first(kHeaderBytes + length)))
        return damaged();
    if (version < 1 || version > kGameBlockVersion)
        return refused(kGameBlockUnknown, GameOrigin::Unknown);

    const std::size_t fixed = version == 1 ? kFixedPayload - 1 : kFixedPayload;
    if (length < fixed)
        return damaged();
    Reader in(tail.subspan(kHeaderBytes, length));
    if (version > 1 && in.get<std::uint8_t>() != kGameRules)
        return refused(kGameBlockUnknown, GameOrigin::Unknown);
    GameState game;
    game.Variant = in.get<std::uint8_t>();
    game.Restarts = in.get<std::uint32_t>();
    const std::size_t years = in.get<std::uint8_t>();
    if (game.Variant < kMinGameVariant || game.Variant > kMaxGameVariant ||
        years > static_cast<std::size_t>(kGameYears) || length != fixed + years * kDecisionBytes)
        return damaged();
    for (std::size_t i = 0; i < years; ++i) {
        GameDecision d;
        d.Technology = in.get<std::uint8_t>();
        d.MinFeature = in.get<double>();
        d.ChipArea = in.get<double>();
        d.DeviceIntegration = in.get<std::int32_t>();
        d.Price = in.get<double>();
        d.Volume = in.get<std::int32_t>();
        d.Advertising = in.get<double>();
        if (!CheckDecision(static_cast<int>(i) + 1, d).empty())
            return damaged();
        game.Decisions.push_back(d);
    }
    game.Origin = version == 1 ? GameOrigin::OldRules : GameOrigin::Current;
    if (game.Origin == GameOrigin::OldRules)
        message = kRulesRecomputedMessage;
    return game;
}

} // namespace orvik
