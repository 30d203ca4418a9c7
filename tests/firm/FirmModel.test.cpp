#include "firm/FirmModel.h"
#include "core/Errors.h"
#include "firm/AllKits.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

namespace orvik {
namespace {

FirmRecord MakeFirm(int kit, std::int32_t hours) {
    FirmRecord firm{};
    SetFirmKitGrades(firm, kit);
    firm.Hours = hours;
    return firm;
}

struct KitRow {
    int Kit;
    std::array<std::int32_t, 4> Price;
    std::int32_t KitPrice, SalesVolume;
    std::array<std::int32_t, 4> Repairs;
    std::int32_t SalesProfit, WarrantyCost, ActivityProfit;
};

// All sixteen kits at 8 hours a day.
const KitRow Kits8[] = {
    {1, {600, 450, 550, 400}, 2000, 10000, {3622, 1818, 2363, 4507}, 2360000, 2195815, 164185},
    {2, {600, 450, 550, 600}, 2200, 8409, {3046, 1529, 1987, 2176}, 2182976, 1804465, 378511},
    {3, {600, 450, 935, 400}, 2385, 6938, {2513, 1261, 783, 3127}, 1952561, 1404663, 547898},
    {4, {600, 450, 935, 600}, 2585, 5348, {1937, 972, 603, 1384}, 1631300, 1055623, 575677},
    {5, {600, 810, 550, 400}, 2360, 7137, {2585, 415, 1686, 3216}, 1987511, 1418280, 569231},
    {6, {600, 810, 550, 600}, 2560, 5546, {2009, 322, 1310, 1435}, 1675335, 1074122, 601213},
    {7, {600, 810, 935, 400}, 2745, 4075, {1476, 236, 460, 1836}, 1319933, 739766, 580167},
    {8, {600, 810, 935, 600}, 2945, 2485, {900, 144, 280, 643}, 863562, 438404, 425158},
    {9, {900, 450, 550, 400}, 2300, 7614, {1253, 1384, 1799, 3431}, 2066439, 1566315, 500124},
    {10, {900, 450, 550, 600}, 2500, 6024, {992, 1095, 1423, 1559}, 1777080, 1209145, 567935},
    {11, {900, 450, 935, 400}, 2685, 4553, {749, 827, 514, 2052}, 1442526, 858683, 583843},
    {12, {900, 450, 935, 600}, 2885, 2962, {487, 538, 334, 766}, 1008353, 543443, 464910},
    {13, {900, 810, 550, 400}, 2660, 4751, {782, 276, 1122, 2141}, 1491243, 878146, 613097},
    {14, {900, 810, 550, 600}, 2860, 3161, {520, 183, 747, 818}, 1066774, 568293, 498481},
    {15, {900, 810, 935, 400}, 3045, 1690, {278, 98, 190, 761}, 607233, 282903, 324330},
    {16, {900, 810, 935, 600}, 3245, 100, {16, 5, 11, 25}, 38291, 15509, 22782},
};

// Failure rates per hour of each component, standard and high-reliability.
const double Rates[2][4] = {{0.00005, 0.000067, 0.00009, 0.0002},
                            {0.00002, 0.00002, 0.00004, 0.0001}};

TEST(FirmModel, AllSixteenKitsAtEightHours) {
    for (const KitRow& row : Kits8) {
        SCOPED_TRACE("kit " + std::to_string(row.Kit));
        FirmRecord firm = MakeFirm(row.Kit, 8);
        ComputeFirm(firm);
        EXPECT_EQ(FirmKitNumber(firm), row.Kit);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(firm.Price[i], row.Price[i]) << "component " << i;
            EXPECT_EQ(firm.FailureRate[i], Rates[firm.Grade[i]][i]) << "component " << i;
            EXPECT_EQ(firm.Repairs[i], row.Repairs[i]) << "component " << i;
        }
        EXPECT_EQ(firm.KitPrice, row.KitPrice);
        EXPECT_EQ(firm.SalesVolume, row.SalesVolume);
        EXPECT_EQ(firm.SalesProfit, row.SalesProfit);
        EXPECT_EQ(firm.WarrantyCost, row.WarrantyCost);
        EXPECT_EQ(firm.ActivityProfit, row.ActivityProfit);
    }
}

struct HoursRow {
    int Kit;
    std::int32_t Hours;
    std::array<std::int32_t, 4> Repairs;
    std::int32_t WarrantyCost, ActivityProfit;
};

const HoursRow OtherHours[] = {
    {1, 1, {3622, 243, 326, 710}, 682560, 1677440},
    {1, 12, {3622, 2600, 3327, 5931}, 2892015, -532015},
    {1, 24, {3622, 4527, 5550, 8345}, 4461280, -2101280},
    {16, 1, {16, 1, 1, 3}, 4380, 33911},
    {16, 24, {16, 16, 30, 59}, 37371, 920},
};

TEST(FirmModel, KitsAtOtherHours) {
    for (const HoursRow& row : OtherHours) {
        SCOPED_TRACE("kit " + std::to_string(row.Kit) + ", hours " + std::to_string(row.Hours));
        FirmRecord firm = MakeFirm(row.Kit, row.Hours);
        ComputeFirm(firm);
        const KitRow& at8 = Kits8[row.Kit - 1];
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(firm.Price[i], at8.Price[i]) << "component " << i;
            EXPECT_EQ(firm.Repairs[i], row.Repairs[i]) << "component " << i;
        }
        EXPECT_EQ(firm.KitPrice, at8.KitPrice);
        EXPECT_EQ(firm.SalesVolume, at8.SalesVolume);
        EXPECT_EQ(firm.SalesProfit, at8.SalesProfit);
        EXPECT_EQ(firm.WarrantyCost, row.WarrantyCost);
        EXPECT_EQ(firm.ActivityProfit, row.ActivityProfit);
    }
}

TEST(FirmModel, MotherboardRepairsDoNotDependOnHours) {
    for (int kit = 1; kit <= FirmKitCount; ++kit) {
        for (std::int32_t hours = 1; hours <= 24; ++hours) {
            FirmRecord firm = MakeFirm(kit, hours);
            ComputeFirm(firm);
            ASSERT_EQ(firm.Repairs[0], Kits8[kit - 1].Repairs[0])
                << "kit " << kit << ", hours " << hours;
        }
    }
}

TEST(FirmModel, ActivityProfitTurnsNegativeFromNineHours) {
    FirmRecord at9 = MakeFirm(1, 9);
    ComputeFirm(at9);
    EXPECT_EQ(at9.ActivityProfit, -19790);
    for (std::int32_t hours = 1; hours <= 24; ++hours) {
        FirmRecord firm = MakeFirm(1, hours);
        ComputeFirm(firm);
        if (hours <= 8)
            EXPECT_GT(firm.ActivityProfit, 0) << "hours " << hours;
        else
            EXPECT_LT(firm.ActivityProfit, 0) << "hours " << hours;
    }
}

TEST(FirmModel, FailureCountBetweenHalfAndOneMeansOneRepair) {
    // Kit 16 at 1 hour: the magnetic storage expects about 0.7345 failures.
    FirmRecord firm = MakeFirm(16, 1);
    ComputeFirm(firm);
    EXPECT_EQ(firm.Repairs[1], 1);
    EXPECT_EQ(firm.Repairs[2], 1); // about 1.47: its whole part
}

TEST(FirmModel, GradeOtherThanOneCountsAsStandard) {
    FirmRecord standard = MakeFirm(1, 8);
    FirmRecord odd = standard;
    odd.Grade[0] = 2;
    odd.Grade[1] = -1;
    odd.Grade[3] = 7;
    ComputeFirm(standard);
    ComputeFirm(odd);
    EXPECT_EQ(FirmKitNumber(odd), 1);
    EXPECT_EQ(odd.Grade[0], 2); // inputs untouched
    EXPECT_EQ(std::memcmp(&standard.Price, &odd.Price,
                          offsetof(FirmRecord, Padding1) - offsetof(FirmRecord, Price)),
              0);
}

TEST(FirmModel, HoursOutsideTheDayAreAnErrorAndLeaveTheRecord) {
    for (std::int32_t hours : {0, 25, -5}) {
        FirmRecord firm = MakeFirm(1, 8);
        ComputeFirm(firm);
        firm.Hours = hours;
        const FirmRecord before = firm;
        try {
            ComputeFirm(firm);
            ADD_FAILURE() << "no error at " << hours << " hours";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Недопустимое число часов работы аппаратуры в день: " +
                                                 std::to_string(hours) + " (допустимо от 1 до 24)");
        }
        EXPECT_EQ(std::memcmp(&firm, &before, sizeof firm), 0);
    }
}

TEST(FirmModel, PaddingIsNeverWritten) {
    FirmRecord firm;
    std::memset(&firm, 0xA5, sizeof firm);
    SetFirmKitGrades(firm, 11);
    firm.Hours = 17;
    ComputeFirm(firm);
    for (std::uint8_t b : firm.Padding0)
        EXPECT_EQ(b, 0xA5);
    for (std::uint8_t b : firm.Padding1)
        EXPECT_EQ(b, 0xA5);
}

TEST(FirmModel, KitNumbersAndGrades) {
    FirmRecord firm{};
    for (int kit = 1; kit <= FirmKitCount; ++kit) {
        SetFirmKitGrades(firm, kit);
        EXPECT_EQ(FirmKitNumber(firm), kit);
        EXPECT_EQ(kit,
                  8 * firm.Grade[0] + 4 * firm.Grade[1] + 2 * firm.Grade[2] + firm.Grade[3] + 1);
    }
    SetFirmKitGrades(firm, 9);
    EXPECT_EQ(firm.Grade[0], 1);
    EXPECT_EQ(firm.Grade[3], 0);
    EXPECT_THROW(SetFirmKitGrades(firm, 0), Error);
    EXPECT_THROW(SetFirmKitGrades(firm, 17), Error);
    EXPECT_THROW(HighReliabilityPrice(4), Error);
}

// Over every kit and every hour of the day: sales do not depend on the hours;
// longer hours never mean fewer repairs of the components that run only
// while the equipment is on; the motherboard's repairs never change; the
// profit is what the sales leave after the warranty; and making one component
// high-reliability makes the kit dearer, sell less and need fewer repairs of it.
TEST(FirmModel, PropertiesOverEveryKitAndHour) {
    for (int kit = 1; kit <= FirmKitCount; ++kit) {
        SCOPED_TRACE("kit " + std::to_string(kit));
        FirmRecord previous = MakeFirm(kit, 1);
        ComputeFirm(previous);
        for (std::int32_t hours = 1; hours <= 24; ++hours) {
            FirmRecord firm = MakeFirm(kit, hours);
            ComputeFirm(firm);
            SCOPED_TRACE("hours " + std::to_string(hours));
            EXPECT_EQ(firm.KitPrice, previous.KitPrice);
            EXPECT_EQ(firm.SalesVolume, previous.SalesVolume);
            EXPECT_EQ(firm.SalesProfit, previous.SalesProfit);
            EXPECT_EQ(firm.Repairs[0], previous.Repairs[0]);
            for (int i = 1; i < 4; ++i) {
                EXPECT_GE(firm.Repairs[i], previous.Repairs[i]) << "component " << i;
                EXPECT_LE(firm.Repairs[i], firm.SalesVolume) << "component " << i;
            }
            EXPECT_GE(firm.WarrantyCost, previous.WarrantyCost);
            EXPECT_EQ(firm.ActivityProfit, firm.SalesProfit - firm.WarrantyCost);
            // 11.8 % of the revenue, rounded down.
            const std::int64_t revenue = std::int64_t{firm.KitPrice} * firm.SalesVolume;
            EXPECT_LE(firm.SalesProfit, revenue * 0.118);
            EXPECT_GT(firm.SalesProfit + 1, revenue * 0.118);
            // The warranty pays a share of the price for each repair, rounded down.
            double warranty = 0;
            const double share[] = {0.2, 0.6, 0.7, 0.2};
            for (int i = 0; i < 4; ++i)
                warranty += share[i] * firm.Price[i] * firm.Repairs[i];
            EXPECT_LE(firm.WarrantyCost, warranty);
            EXPECT_GT(firm.WarrantyCost + 1, warranty);
            previous = firm;
        }
        // The same kit with one component made high-reliability never needs
        // more repairs of that component.
        for (int i = 0; i < 4; ++i) {
            FirmRecord standard = MakeFirm(kit, 8);
            if (standard.Grade[i] == 1)
                continue;
            FirmRecord reliable = standard;
            reliable.Grade[i] = 1;
            ComputeFirm(standard);
            ComputeFirm(reliable);
            EXPECT_LT(reliable.FailureRate[i], standard.FailureRate[i]) << "component " << i;
            EXPECT_LE(reliable.Repairs[i], standard.Repairs[i]) << "component " << i;
            EXPECT_GT(reliable.KitPrice, standard.KitPrice) << "component " << i;
            EXPECT_LT(reliable.SalesVolume, standard.SalesVolume) << "component " << i;
        }
    }
}

TEST(ComputeAllKits, SixteenKitsInOrderAndTheStudentsKitBack) {
    FirmRecord firm = MakeFirm(11, 8);
    const auto kits = ComputeAllKits(firm);
    for (const KitRow& row : Kits8) {
        const FirmRecord& kit = kits[static_cast<std::size_t>(row.Kit - 1)];
        SCOPED_TRACE("kit " + std::to_string(row.Kit));
        EXPECT_EQ(FirmKitNumber(kit), row.Kit);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(kit.Repairs[i], row.Repairs[i]) << "component " << i;
        EXPECT_EQ(kit.KitPrice, row.KitPrice);
        EXPECT_EQ(kit.SalesVolume, row.SalesVolume);
        EXPECT_EQ(kit.ActivityProfit, row.ActivityProfit);
    }
    // The record holds kit 11 and its results, not those of kit 16.
    EXPECT_EQ(FirmKitNumber(firm), 11);
    EXPECT_EQ(firm.KitPrice, 2685);
    EXPECT_EQ(firm.ActivityProfit, 583843);

    FirmRecord damaged = MakeFirm(6, 0);
    const FirmRecord before = damaged;
    EXPECT_THROW(ComputeAllKits(damaged), Error);
    EXPECT_EQ(std::memcmp(&damaged, &before, sizeof damaged), 0);
}

} // namespace
} // namespace orvik
