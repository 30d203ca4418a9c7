#include "game/GameMarket.h"

#include "processor/ProcessorModel.h"

#include <cmath>

namespace orvik {

GameProduct MakeGameProduct(int year, int technology, double minFeature, double chipArea,
                            int integration, const FloatCheck& flags) {
    GameProduct p;
    p.Record.Technology = technology;
    p.Record.DefectFactor = static_cast<double>(GameDefectFactor(year));
    p.Record.MinFeature = minFeature;
    p.Record.ChipArea = chipArea;
    p.Record.DeviceIntegration = integration;
    p.Made = ComputeProcessor(p.Record, flags);
    const ProcessorRecord& r = p.Record;
    p.Performance = r.Frequency * std::sqrt(static_cast<long double>(integration) / 250);
    p.UnitCost = r.ProcessorCost;
    p.Mtbf = r.Mtbf;
    const long double edge = 5 / std::sqrt(static_cast<long double>(chipArea)) - 1;
    p.GoodChips = 3.14L * (edge * edge) * r.Yield;
    return p;
}

long double Attraction(const GameOffer& offer, int year, int segment) {
    const MarketSegment& s = kMarketSegments[segment];
    const GameProduct& p = offer.Product;
    if (!p.Made || p.Mtbf < s.MinMtbf)
        return 0;
    const long double pref = ReferencePerformance(year, segment);
    const long double performance = p.Performance < pref ? p.Performance : pref;
    const long double mtbf = p.Mtbf < 100000 ? p.Mtbf : 100000;
    const long double ad = offer.Advertising;
    return std::pow(performance / pref, s.Alpha) * std::pow(mtbf / 20000, s.Beta) *
           std::exp(-s.Epsilon * (offer.Price / ReferencePrice(year, segment) - 1)) *
           (1 + 0.5L * ad / (ad + 1000));
}

FirmValues MarketAttractions(const GameFirms& firms, int year) {
    FirmValues attraction{};
    for (int f = 0; f < kGameFirmCount; ++f)
        if (firms[f] != nullptr)
            for (int s = 0; s < kSegmentCount; ++s)
                attraction[f][s] = Attraction(*firms[f], year, s);
    return attraction;
}

FirmValues SharesOf(const FirmValues& attraction) {
    FirmValues share{};
    for (int s = 0; s < kSegmentCount; ++s) {
        long double total = 1; // the buyers who go elsewhere
        for (int f = 0; f < kGameFirmCount; ++f)
            total += attraction[f][s];
        for (int f = 0; f < kGameFirmCount; ++f)
            share[f][s] = attraction[f][s] / total;
    }
    return share;
}

FirmValues MarketShares(const GameFirms& firms, int year) {
    return SharesOf(MarketAttractions(firms, year));
}

FirmValues ServedDemand(const FirmValues& demand, const FirmValues& attraction,
                        const std::array<std::int64_t, kGameFirmCount>& volume) {
    FirmValues served = demand;
    for (int f = 0; f < kGameFirmCount; ++f) {
        long double total = 0;
        for (long double d : demand[f])
            total += d;
        const long double v = static_cast<long double>(volume[f] > 0 ? volume[f] : 0);
        if (total <= v)
            continue;
        const long double leaving = 1 - v / total;
        for (int s = 0; s < kSegmentCount; ++s) {
            const long double unserved = demand[f][s] * leaving;
            served[f][s] -= unserved;
            long double others = 1;
            for (int h = 0; h < kGameFirmCount; ++h)
                if (h != f)
                    others += attraction[h][s];
            for (int h = 0; h < kGameFirmCount; ++h)
                if (h != f)
                    served[h][s] += unserved * attraction[h][s] / others;
        }
    }
    return served;
}

std::array<std::int64_t, kSegmentCount> SplitSales(const SegmentValues& demand,
                                                   std::int64_t volume) {
    std::array<std::int64_t, kSegmentCount> sales{};
    long double sum = 0;
    for (long double d : demand)
        sum += d;
    std::int64_t total = static_cast<std::int64_t>(std::floor(sum));
    if (total > volume)
        total = volume;
    if (total <= 0 || sum <= 0)
        return sales;

    SegmentValues remainder{};
    std::int64_t given = 0;
    for (int s = 0; s < kSegmentCount; ++s) {
        const long double quota = total * demand[s] / sum;
        sales[s] = static_cast<std::int64_t>(std::floor(quota));
        remainder[s] = quota - sales[s];
        given += sales[s];
    }
    for (; given < total; ++given) {
        int best = 0;
        for (int s = 1; s < kSegmentCount; ++s)
            if (remainder[s] > remainder[best])
                best = s;
        ++sales[best];
        remainder[best] = -1;
    }
    return sales;
}

FirmMoney SettleYear(const GameOffer& offer, std::int64_t sales, long double lastCash) {
    const GameProduct& p = offer.Product;
    const long double c = p.UnitCost;
    // A processor failing within the three years of warranty is repaired
    // 8760 / T times a year at half its cost; a zero MTBF counts as three repairs.
    const long double repairs = p.Mtbf > 0 && 8760 / p.Mtbf < 3 ? 8760 / p.Mtbf : 3;
    const long double revenue = sales * offer.Price;
    const long double production = p.Made ? offer.Volume * c : 0;
    const long double warranty = sales * repairs * 0.5L * c;
    const long double advertising = offer.Advertising * 1000;
    const long double profit = revenue - production - warranty - advertising - kFixedCosts;
    const long double interest = lastCash < 0 ? -lastCash * kInterestRate : 0;
    FirmMoney m;
    m.Revenue = static_cast<double>(revenue);
    m.Production = static_cast<double>(production);
    m.Warranty = static_cast<double>(warranty);
    m.Advertising = static_cast<double>(advertising);
    m.FixedCosts = static_cast<double>(kFixedCosts);
    m.Profit = static_cast<double>(profit);
    m.Unsold = p.Made && offer.Volume > sales ? offer.Volume - sales : 0;
    m.WrittenOff = static_cast<double>(m.Unsold * c);
    m.Interest = static_cast<double>(interest);
    m.Cash = static_cast<double>(lastCash + m.Profit - m.Interest);
    return m;
}

std::int64_t RoundHalfUp(long double x) {
    return static_cast<std::int64_t>(std::floor(x + 0.5L));
}

namespace {

constexpr int kTechnologies = 5;
constexpr std::array<int, 4> kSizeNumerator{1, 5, 8, 2}; // × 1, 1.25, 1.6, 2
constexpr std::array<int, 4> kSizeDenominator{1, 4, 5, 1};
constexpr std::array<double, 7> kGridAreas{0.05, 0.1, 0.2, 0.3, 0.5, 0.8, 1.0};
constexpr std::array<int, 4> kGridIntegrations{100, 250, 500, 1000};

// The year's smallest size times p/q, rounded half-up to hundredths on the
// decimal value (0.38 × 1.25 = 0.475 → 0.48), by integer arithmetic.
double GridSize(int year, int i) {
    const long long hundredths = std::llround(SmallestFeature(year) * 100);
    const long long p = kSizeNumerator[i];
    const long long q = kSizeDenominator[i];
    return static_cast<double>((2 * hundredths * p + q) / (2 * q)) / 100;
}

} // namespace

std::vector<GameProduct> SearchGrid(int year, const FloatCheck& flags) {
    std::vector<GameProduct> grid;
    grid.reserve(kGridSize);
    for (int t = 0; t < kTechnologies; ++t)
        for (std::size_t l = 0; l < kSizeNumerator.size(); ++l)
            for (double s : kGridAreas)
                for (int g : kGridIntegrations)
                    grid.push_back(
                        MakeGameProduct(year, t, GridSize(year, static_cast<int>(l)), s, g, flags));
    return grid;
}

int RivalChoice(const std::vector<GameProduct>& grid, int rival, int year) {
    const long double stationNeed = ReferencePerformance(year, 1);
    int best = -1;
    for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
        const GameProduct& p = grid[i];
        if (!p.Made)
            continue;
        if (best < 0) {
            if ((rival == 2 && (p.Mtbf < 5000 || p.Performance < stationNeed)) ||
                (rival == 3 && p.Mtbf < 20000))
                continue;
            best = i;
            continue;
        }
        const GameProduct& b = grid[best];
        bool better = false;
        switch (rival) {
        case 1: // "Альфа": the cheapest; equal cost: the faster
            better = p.UnitCost < b.UnitCost ||
                     (p.UnitCost == b.UnitCost && p.Performance > b.Performance);
            break;
        case 2: // "Бета": the cheapest lasting 5000 h that meets the workstations'
                // need of the year; equal cost: the faster
            better = p.Mtbf >= 5000 && p.Performance >= stationNeed &&
                     (p.UnitCost < b.UnitCost ||
                      (p.UnitCost == b.UnitCost && p.Performance > b.Performance));
            break;
        default: { // "Гамма": the most speed per rouble lasting 20000 h; then the cheaper
            const long double value = p.Performance / p.UnitCost;
            const long double bestValue = b.Performance / b.UnitCost;
            better = p.Mtbf >= 20000 &&
                     (value > bestValue || (value == bestValue && p.UnitCost < b.UnitCost));
            break;
        }
        }
        if (better)
            best = i;
    }
    return best;
}

long double RivalBaseMarkup(int rival) {
    return rival == 1 ? 2.0L : (rival == 2 ? 2.5L : 2.0L);
}

} // namespace orvik
