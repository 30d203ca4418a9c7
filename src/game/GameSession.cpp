#include "game/GameSession.h"

#include "game/GroupedNumber.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace orvik {

namespace {

ProductFacts FactsOf(const GameProduct& p) {
    ProductFacts f;
    f.Made = p.Made;
    f.Frequency = p.Record.Frequency;
    f.Mtbf = p.Record.Mtbf;
    f.UnitCost = p.Record.ProcessorCost;
    f.GoodChips = static_cast<double>(p.GoodChips);
    f.Performance = static_cast<double>(p.Performance);
    return f;
}

GameOffer OfferOf(const GameDecision& d, int year, const FloatCheck& flags) {
    GameOffer o;
    o.Product =
        MakeGameProduct(year, d.Technology, d.MinFeature, d.ChipArea, d.DeviceIntegration, flags);
    o.Price = d.Price;
    o.Volume = d.Volume;
    o.Advertising = d.Advertising;
    return o;
}

GameDecision DecisionOf(const GameOffer& o) {
    const ProcessorRecord& r = o.Product.Record;
    return GameDecision{r.Technology,
                        r.MinFeature,
                        r.ChipArea,
                        r.DeviceIntegration,
                        static_cast<double>(o.Price),
                        static_cast<std::int32_t>(o.Volume),
                        static_cast<double>(o.Advertising)};
}

// Fixed-point text with a full stop, whatever the locale.
std::string Number(double x, int decimals) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, decimals);
    return end.ec == std::errc() ? std::string(text, end.ptr) : std::string("?");
}

std::string RangeMessage(const char* name, const DecisionLimit& limit) {
    return std::string("Значение \"") + name + "\" должно быть от " +
           Number(limit.Min, limit.Decimals) + " до " + Number(limit.Max, limit.Decimals) + ".";
}

bool Within(double x, const DecisionLimit& limit) {
    return x >= limit.Min && x <= limit.Max; // false for a NaN
}

int ClampVariant(int variant) {
    return std::clamp(variant, kMinGameVariant, kMaxGameVariant);
}

} // namespace

std::string CheckDecision(int year, const GameDecision& d) {
    const GameDecisionLimits limits = DecisionLimitsOfYear(year);
    if (!Within(d.Technology, limits.Technology))
        return "Неизвестный тип схемотехники.";
    if (!Within(d.MinFeature, limits.MinFeature))
        return RangeMessage("МЛР", limits.MinFeature);
    if (!Within(d.ChipArea, limits.ChipArea))
        return RangeMessage("Площадь кристалла", limits.ChipArea);
    if (!Within(d.DeviceIntegration, limits.DeviceIntegration))
        return RangeMessage("Степень интеграции устройства", limits.DeviceIntegration);
    if (!Within(d.Price, limits.Price))
        return RangeMessage("Цена процессора", limits.Price);
    if (!Within(d.Volume, limits.Volume))
        return RangeMessage("Объем выпуска", limits.Volume);
    if (!Within(d.Advertising, limits.Advertising))
        return RangeMessage("Реклама", limits.Advertising);
    return {};
}

GameDecision DefaultDecision() {
    const FloatCheck flags;
    const GameProduct p = MakeGameProduct(1, 0, 1.0, 1.0, 250, flags);
    flags.check();
    return GameDecision{0, 1.0, 1.0, 250, static_cast<double>(2 * p.UnitCost), 5000, 0};
}

std::vector<GameDecision> GridDesigns(int year) {
    const FloatCheck flags;
    std::vector<GameDecision> designs;
    for (const GameProduct& p : SearchGrid(year, flags)) {
        const ProcessorRecord& r = p.Record;
        designs.push_back(
            GameDecision{r.Technology, r.MinFeature, r.ChipArea, r.DeviceIntegration, 0, 0, 0});
    }
    flags.check();
    return designs;
}

void StartGame(GameState& state, int variant) {
    state.Variant = ClampVariant(variant);
    state.Decisions.clear();
}

void RestartGame(GameState& state, int variant) {
    StartGame(state, variant);
    ++state.Restarts;
}

GameSession::GameSession(const GameState& state, bool rivalsPlayOn, long double rivalStartCash)
    : rivalsPlayOn_(rivalsPlayOn) {
    state_.Variant = ClampVariant(state.Variant);
    state_.Restarts = state.Restarts;
    cash_.fill(rivalStartCash);
    cash_[0] = kStartCash;
    prepareYear();
    for (const GameDecision& d : state.Decisions) {
        if (over_ || !CheckDecision(year_, d).empty())
            break;
        commit(d);
    }
}

// The rivals publish their offers: each picks its grid design, prices it by
// its markup and forecasts its volume against the other firms' offers of
// last year (their processors and prices as they were, judged by this year's
// reference price and performance, in a market of the expected size). A
// rival that finds no design to its rule sits the year out (it still pays
// its fixed costs).
void GameSession::prepareYear() {
    const FloatCheck flags;
    const int y = year_;
    const bool anyRival = inMarket_[1] || inMarket_[2] || inMarket_[3];
    const std::vector<GameProduct> grid =
        anyRival ? SearchGrid(y, flags) : std::vector<GameProduct>{};
    std::array<bool, kGameFirmCount> offers{};
    for (int r = 1; r < kGameFirmCount; ++r) {
        offer_[r] = GameOffer{};
        const int choice = inMarket_[r] ? RivalChoice(grid, r, y) : -1;
        if (choice < 0)
            continue;
        offers[r] = true;
        GameOffer& o = offer_[r];
        o.Product = grid[choice];
        o.Price = static_cast<double>(RivalBaseMarkup(r) * RivalMarkupFactor(state_.Variant) *
                                      o.Product.UnitCost);
        o.Advertising = 500;
    }
    if (y == 1) {
        // Before the first year the rivals know each other's first offers and
        // expect the student's firm to sell the lab's default processor.
        for (int r = 1; r < kGameFirmCount; ++r)
            lastOffer_[r] = offer_[r];
        lastOffer_[0] = OfferOf(DefaultDecision(), 1, flags);
    }
    for (int r = 1; r < kGameFirmCount; ++r) {
        FirmYear& published = rivalOffers_[r - 1];
        published = FirmYear{};
        published.InMarket = inMarket_[r];
        if (!offers[r])
            continue;
        GameFirms firms{};
        for (int f = 0; f < kGameFirmCount; ++f)
            if (inMarket_[f])
                firms[f] = f == r ? &offer_[r] : &lastOffer_[f];
        const auto shares = MarketShares(firms, y);
        long double demand = 0;
        for (int s = 0; s < kSegmentCount; ++s)
            demand += shares[r][s] * ExpectedMarketSize(y, s);
        offer_[r].Volume = RoundHalfUp(demand);
        published.Decision = DecisionOf(offer_[r]);
        published.Product = FactsOf(offer_[r].Product);
    }
    flags.check();
}

YearHeader GameSession::header() const {
    YearHeader h;
    h.Year = std::min(year_, kGameYears);
    h.DefectFactor = static_cast<double>(GameDefectFactor(h.Year));
    h.SmallestFeature = SmallestFeature(h.Year);
    for (int s = 0; s < kSegmentCount; ++s)
        h.LastYearMarket[s] =
            h.Year == 1 ? static_cast<double>(ExpectedMarketSize(1, s) / kMarketSegments[s].Growth)
                        : years_[h.Year - 2].MarketSize[s];
    return h;
}

GameForecast GameSession::forecast(const GameDecision& d) const {
    const FloatCheck flags;
    GameForecast f;
    // A box may hold a number beyond its limits until it loses the focus.
    f.Message = over_ ? kGameOverMessage : CheckDecision(year_, d);
    if (!f.Message.empty())
        return f;
    const GameOffer own = OfferOf(d, std::min(year_, kGameYears), flags);
    f.Product = FactsOf(own.Product);
    if (!own.Product.Made)
        f.Message = kNoGoodChipsMessage;
    GameFirms firms{&own};
    for (int r = 1; r < kGameFirmCount; ++r)
        if (inMarket_[r])
            firms[r] = &offer_[r];
    const auto shares = MarketShares(firms, year_);
    SegmentValues demand{};
    long double total = 0;
    for (int s = 0; s < kSegmentCount; ++s) {
        demand[s] = shares[0][s] * ExpectedMarketSize(year_, s);
        total += demand[s];
        f.Share[s] = static_cast<double>(shares[0][s]);
        f.Demand[s] = static_cast<double>(demand[s]);
    }
    f.ExpectedDemand = RoundHalfUp(total);
    f.Sales = SplitSales(demand, own.Product.Made ? own.Volume : 0);
    for (std::int64_t n : f.Sales)
        f.TotalSales += n;
    f.Money = SettleYear(own, f.TotalSales, cash_[0]);
    const std::string cash = GroupedNumber(f.Money.Cash);
    if (f.Money.Cash < kBankruptcyCash)
        f.Warning = "С этим решением деньги на счете упадут до " + cash +
                    " руб., ниже -20 000 000 руб.: фирма обанкротится, и игра будет проиграна.";
    else if (f.Money.Cash < 0)
        f.Warning = "С этим решением деньги на счете станут отрицательными (" + cash +
                    " руб.): банк даст кредит, и в следующем году придется заплатить 15 % "
                    "долга. Ниже -20 000 000 руб. фирма обанкротится.";
    flags.check();
    return f;
}

const YearResult& GameSession::commit(const GameDecision& d) {
    if (over_)
        throw Error(kGameOverMessage);
    const std::string problem = CheckDecision(year_, d);
    if (!problem.empty())
        throw Error(problem);
    const GameOffer own = OfferOf(d, year_, FloatCheck());
    playYear(&own, d);
    state_.Decisions.push_back(d);
    const std::size_t studentYear = years_.size() - 1;
    if (studentBankrupt_ && rivalsPlayOn_)
        while (year_ <= kGameYears) {
            prepareYear();
            playYear(nullptr, GameDecision{});
        }
    over_ = studentBankrupt_ || year_ > kGameYears;
    if (!over_)
        prepareYear();
    return years_[studentYear];
}

void GameSession::playYear(const GameOffer* student, const GameDecision& decision) {
    const FloatCheck flags;
    const int y = year_;
    GameFirms firms{};
    for (int f = 0; f < kGameFirmCount; ++f)
        if (inMarket_[f])
            firms[f] = f == 0 ? student : &offer_[f];
    const FirmValues attraction = MarketAttractions(firms, y);
    const FirmValues shares = SharesOf(attraction);

    YearResult result;
    result.Year = y;
    for (int s = 0; s < kSegmentCount; ++s)
        result.MarketSize[s] = static_cast<double>(MarketSize(state_.Variant, y, s));
    FirmValues demand{};
    std::array<std::int64_t, kGameFirmCount> volume{};
    for (int f = 0; f < kGameFirmCount; ++f) {
        if (firms[f] == nullptr)
            continue;
        volume[f] = firms[f]->Product.Made ? firms[f]->Volume : 0;
        for (int s = 0; s < kSegmentCount; ++s)
            demand[f][s] = shares[f][s] * result.MarketSize[s];
    }
    demand = ServedDemand(demand, attraction, volume);
    for (int f = 0; f < kGameFirmCount; ++f) {
        FirmYear& fy = result.Firms[f];
        fy.InMarket = firms[f] != nullptr;
        if (!fy.InMarket) {
            fy.Money.Cash = static_cast<double>(cash_[f]);
            continue;
        }
        const GameOffer& o = *firms[f];
        fy.Decision = f == 0 ? decision : rivalOffers_[f - 1].Decision;
        fy.Product = FactsOf(o.Product);
        for (int s = 0; s < kSegmentCount; ++s)
            fy.Share[s] = static_cast<double>(shares[f][s]);
        fy.Sales = SplitSales(demand[f], volume[f]);
        for (std::int64_t n : fy.Sales)
            fy.TotalSales += n;
        fy.Money = SettleYear(o, fy.TotalSales, cash_[f]);
        cash_[f] = fy.Money.Cash;
        fy.Bankrupt = cash_[f] < kBankruptcyCash;
        lastOffer_[f] = o;
    }
    // A bankrupt firm leaves the market from the next year; its cash stays
    // as it was and is charged no more interest.
    for (int f = 0; f < kGameFirmCount; ++f)
        if (result.Firms[f].Bankrupt) {
            inMarket_[f] = false;
            bankruptYear_[f] = y;
        }
    studentBankrupt_ = studentBankrupt_ || result.Firms[0].Bankrupt;
    years_.push_back(result);
    ++year_;
    flags.check();
}

std::vector<FirmYear> GameSession::studentHistory() const {
    std::vector<FirmYear> rows;
    for (const YearResult& y : years_)
        if (y.Firms[0].InMarket)
            rows.push_back(y.Firms[0]);
    return rows;
}

FinalStanding GameSession::standing() const {
    FinalStanding s;
    for (int f = 0; f < kGameFirmCount; ++f)
        s.Rows[f] = StandingRow{f, static_cast<double>(cash_[f]), bankruptYear_[f] != 0};
    std::stable_sort(s.Rows.begin(), s.Rows.end(),
                     [](const StandingRow& a, const StandingRow& b) { return a.Cash > b.Cash; });
    for (int i = 0; i < kGameFirmCount; ++i)
        if (s.Rows[i].Firm == 0)
            s.StudentPlace = i + 1;
    const int played = static_cast<int>(state_.Decisions.size());
    const std::string cash = GroupedNumber(static_cast<double>(cash_[0])) + " руб.";
    const std::string place =
        std::to_string(s.StudentPlace) + "-е место из " + std::to_string(kGameFirmCount);
    if (studentBankrupt_)
        s.Verdict = "Ваша фирма обанкротилась в " + std::to_string(bankruptYear_[0]) +
                    "-м году (деньги на счете " + cash + "): игра проиграна.";
    else if (!over_)
        s.Verdict = "Игра еще идет: сыграно лет - " + std::to_string(played) + " из " +
                    std::to_string(kGameYears) + ".";
    else if (s.StudentPlace == 1 && cash_[0] > kStartCash)
        s.Verdict = "Победа: у вашей фирмы больше всего денег - " + cash;
    else if (s.StudentPlace == 1)
        s.Verdict = place + ", но денег на счете " + cash +
                    " - не больше, чем было в начале (10 000 000 руб.): это не победа.";
    else
        s.Verdict = place + ": у вашей фирмы " + cash + ", у лидера (" +
                    kGameFirmNames[static_cast<std::size_t>(s.Rows[0].Firm)] + ") " +
                    GroupedNumber(s.Rows[0].Cash) + " руб.";
    return s;
}

} // namespace orvik
