#include "firm/FirmModel.h"

#include "core/Errors.h"

#include <cmath>
#include <string>

namespace orvik {

namespace {

constexpr std::int32_t MinHours = 1;
constexpr std::int32_t MaxHours = 24;

// Demand line: (2150000 − 660 · price) / 83 kits, rounded down; 10000 kits of
// the all-standard kit (2000), 100 of the all-high-reliability kit (3245).
constexpr std::int64_t DemandBase = 2150000;
constexpr std::int64_t DemandSlope = 660;
constexpr std::int64_t DemandDivisor = 83;

// Profit from sales: 11.8 % (118/1000) of the revenue, rounded down.
constexpr std::int64_t ProfitPerMille = 118;

// Hours of operation in the warranty period: 375 · hours − 10. The motherboard
// always counts 24 hours a day.
constexpr std::int32_t MotherboardHours = 24;
std::int32_t WarrantyHours(std::int32_t hoursPerDay) {
    return 375 * hoursPerDay - 10;
}

// Division rounding towards minus infinity (the divisor is positive).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

std::int32_t ToInt32(std::int64_t v) {
    return RoundToInt32(static_cast<long double>(v));
}

// Expected failures of one component over all kits sold, turned into repairs:
// a count between 0.5 and 1 still costs one repair, otherwise the whole part.
std::int32_t ExpectedRepairs(std::int32_t volume, double failureRate, std::int32_t hours) {
    const long double t = hours;
    const long double exposure = t + std::log(t / 10.0L);
    const double x =
        static_cast<double>(static_cast<long double>(volume) *
                            (1.0L - std::exp(-static_cast<long double>(failureRate) * exposure)));
    if (x > 0.5 && x < 1.0)
        return 1;
    return RoundToInt32(std::floor(static_cast<long double>(x)));
}

} // namespace

std::int32_t HighReliabilityPrice(int component) {
    if (component < 0 || component >= FirmComponentCount)
        throw Error("Недопустимый номер компонента комплекта: " + std::to_string(component) +
                    " (допустимо от 0 до 3)");
    const FirmComponent& c = FirmComponents[component];
    return RoundToInt32(static_cast<long double>(c.StandardPrice) *
                        static_cast<long double>(c.HighReliabilityFactor));
}

int FirmKitNumber(const FirmRecord& firm) {
    int kit = 0;
    for (int i = 0; i < FirmComponentCount; ++i)
        kit = 2 * kit + (IsHighReliability(firm.Grade[i]) ? 1 : 0);
    return kit + 1;
}

void SetFirmKitGrades(FirmRecord& firm, int kit) {
    if (kit < 1 || kit > FirmKitCount)
        throw Error("Недопустимый номер комплектации: " + std::to_string(kit) +
                    " (допустимо от 1 до 16)");
    const int bits = kit - 1;
    for (int i = 0; i < FirmComponentCount; ++i)
        firm.Grade[i] = (bits >> (FirmComponentCount - 1 - i)) & 1;
}

void ComputeFirm(FirmRecord& firm) {
    if (firm.Hours < MinHours || firm.Hours > MaxHours)
        throw Error("Недопустимое число часов работы аппаратуры в день: " +
                    std::to_string(firm.Hours) + " (допустимо от 1 до 24)");

    // Work on a copy so that an error leaves the record as it was.
    FirmRecord r = firm;

    std::int32_t kitPrice = 0;
    for (int i = 0; i < FirmComponentCount; ++i) {
        const FirmComponent& c = FirmComponents[i];
        const bool high = IsHighReliability(r.Grade[i]);
        r.Price[i] = high ? HighReliabilityPrice(i) : c.StandardPrice;
        r.FailureRate[i] = high ? c.HighReliabilityFailureRate : c.StandardFailureRate;
        kitPrice += r.Price[i];
    }
    r.KitPrice = kitPrice;
    r.SalesVolume = ToInt32(FloorDiv(DemandBase - DemandSlope * kitPrice, DemandDivisor));

    {
        FloatCheck check;
        for (int i = 0; i < FirmComponentCount; ++i) {
            const std::int32_t hours = WarrantyHours(i == 0 ? MotherboardHours : r.Hours);
            r.Repairs[i] = ExpectedRepairs(r.SalesVolume, r.FailureRate[i], hours);
        }
        check.check();
    }

    const std::int64_t revenue = static_cast<std::int64_t>(r.KitPrice) * r.SalesVolume;
    r.SalesProfit = ToInt32(FloorDiv(revenue * ProfitPerMille, 1000));

    std::int64_t warrantyTenths = 0;
    for (int i = 0; i < FirmComponentCount; ++i)
        warrantyTenths += static_cast<std::int64_t>(FirmComponents[i].RepairCostTenths) *
                          r.Price[i] * r.Repairs[i];
    r.WarrantyCost = ToInt32(FloorDiv(warrantyTenths, 10));
    r.ActivityProfit = ToInt32(static_cast<std::int64_t>(r.SalesProfit) - r.WarrantyCost);

    firm = r;
}

} // namespace orvik
