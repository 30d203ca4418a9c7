#include "report/GameReportPage.h"

#include "core/RealToText.h"
#include "game/GameChart.h"
#include "game/GameSession.h"
#include "game/GroupedNumber.h"
#include "processor/TechnologyName.h"
#include "widgets/RealText.h"
#include "workbook/Workbook.h"

namespace orvik {

namespace {

// The chart is drawn in screen pixels, as on the window, and fills the
// printable width: 700 pixels over 183 mm keep its 8 pt texts 8 pt.
constexpr int kChartWidth = 700, kChartHeight = 360;
constexpr double kChartHeightMm = 183.0 * kChartHeight / kChartWidth;

QString Grouped(double value, int decimals = 0) {
    return QString::fromStdString(GroupedNumber(value, decimals));
}

PageBlock Heading(const QString& text) {
    return PageBlock{text, {}};
}

PageTable YearTable(const std::vector<YearResult>& years) {
    const Qt::Alignment R = Qt::AlignRight;
    PageTable t{{8, 15, 11, 10, 10, 17, 17, 14, 16, 15, 24.5, 25.5},
                {R, Qt::AlignLeft, R, R, R, R, R, R, R, R, R, R},
                {}};
    t.headerLines = 2;
    t.rows.push_back({{QStringLiteral("Год"), QStringLiteral("Схема"), QStringLiteral("МЛР, мкм"),
                       QStringLiteral("S, см2"), QStringLiteral("G"), QStringLiteral("Цена, руб."),
                       QStringLiteral("Объем, шт"), QStringLiteral("Реклама, тыс. руб."),
                       QStringLiteral("Продано, шт"), QStringLiteral("Не продано, шт"),
                       QStringLiteral("Прибыль, руб."), QStringLiteral("Деньги на счете, руб.")},
                      true});
    for (const YearResult& y : years) {
        const FirmYear& f = y.Firms[0];
        if (!f.InMarket)
            continue;
        const GameDecision& d = f.Decision;
        t.rows.push_back(
            {{QString::number(y.Year), TechnologyName(d.Technology), TrimmedReal(d.MinFeature, 2),
              TrimmedReal(d.ChipArea, 2), QString::number(d.DeviceIntegration), Grouped(d.Price, 2),
              Grouped(d.Volume), Grouped(d.Advertising), Grouped(static_cast<double>(f.TotalSales)),
              Grouped(static_cast<double>(f.Money.Unsold)), Grouped(f.Money.Profit),
              Grouped(f.Money.Cash)}});
    }
    return t;
}

PageTable StandingTable(const FinalStanding& standing) {
    PageTable t{
        {16, 50, 45, 30}, {Qt::AlignRight, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft}, {}};
    t.rows.push_back({{QStringLiteral("Место"), QStringLiteral("Фирма"),
                       QStringLiteral("Деньги на счете, руб."), QString()},
                      true});
    for (int i = 0; i < kGameFirmCount; ++i) {
        const StandingRow& row = standing.Rows[static_cast<std::size_t>(i)];
        t.rows.push_back(
            {{QString::number(i + 1),
              QString::fromUtf8(kGameFirmNames[static_cast<std::size_t>(row.Firm)]),
              Grouped(row.Cash), row.Bankrupt ? QStringLiteral("банкрот") : QString()}});
    }
    return t;
}

} // namespace

TablePage BusinessGamePage(const Workbook& workbook) {
    const QString title = QStringLiteral("Лабораторная работа N1 - деловая игра");
    if (workbook.Game.Variant == 0)
        return TablePage(title, {Heading(QStringLiteral("Игра еще не начата."))});
    const GameSession session(workbook.Game);
    std::vector<PageBlock> blocks;
    blocks.push_back(Heading(QStringLiteral("Вариант %1; игра начата заново, раз: %2")
                                 .arg(session.variant())
                                 .arg(workbook.Game.Restarts)));
    blocks.push_back(Heading(QStringLiteral("Годы вашей фирмы")));
    blocks.push_back(PageBlock{QString(), YearTable(session.years())});
    const FinalStanding standing = session.standing();
    blocks.push_back(Heading(session.over() ? QStringLiteral("Итог игры")
                                            : QStringLiteral("Деньги фирм после сыгранных лет")));
    blocks.push_back(PageBlock{QString(), StandingTable(standing)});
    blocks.push_back(Heading(QString::fromStdString(standing.Verdict)));

    QImage chart(kChartWidth, kChartHeight, QImage::Format_RGB32);
    DrawGameChart(chart, kChartWidth, kChartHeight, session.years());
    blocks.push_back(PageBlock{QString(), {}, chart, kChartHeightMm});
    return TablePage(title, std::move(blocks));
}

} // namespace orvik
