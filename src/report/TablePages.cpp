#include "report/TablePages.h"

#include "core/Errors.h"
#include "core/RealToText.h"
#include "firm/AllKits.h"
#include "lab2/CacheTable.h"
#include "lab2/MemoryByChip.h"
#include "lab2/TaskModel.h"
#include "processor/Technology.h"
#include "widgets/RealText.h"
#include "widgets/UiContext.h"
#include "workbook/Workbook.h"

#include <array>
#include <utility>

namespace orvik {

namespace {

constexpr double kStripHeight = 10.6;
constexpr double kTitleIndent = 6.4, kTitleDrop = 4.2, kTitleHeight = 4.5;
constexpr double kFirstBlockTop = kMarginTopMm + kStripHeight + 3.0;
// A row of 8 pt text is 3.9 mm high; rows of larger text grow in proportion.
constexpr double kRowHeightPerPoint = 3.9 / 8.0;
constexpr double kCellPadX = 1.0, kCellPadY = 0.35;
constexpr double kHeadingHeight = 7.0, kHeadingDrop = 2.0;
constexpr double kBlockGap = 2.0;
constexpr double kRuleWidth = 0.15;

const Qt::Alignment L = Qt::AlignLeft;
const Qt::Alignment R = Qt::AlignRight;
const Qt::Alignment C = Qt::AlignHCenter;

QString Num(std::int64_t value) {
    return QString::number(value);
}

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

using Item = std::pair<QString, QString>;

// The inputs and results of a processor, captioned and formatted as the
// processor results window shows them.
std::vector<Item> ProcessorItems(const ProcessorRecord& r) {
    return {
        {QStringLiteral("Тип схемотехники"), Utf8(TechnologyAt(r.Technology).Name)},
        {QStringLiteral("Коифецент дефектности"), TrimmedReal(r.DefectFactor, 2)},
        {QStringLiteral("Минимальный литографический размер"), TrimmedReal(r.MinFeature, 2)},
        {QStringLiteral("Площадь кристалла"), TrimmedReal(r.ChipArea, 2)},
        {QStringLiteral("Степень интеграции устройства"), Num(r.DeviceIntegration)},
        {QStringLiteral("Степень интеграции БИС"), Num(r.ChipIntegration)},
        {QStringLiteral("Рассеиваемая мощность, Вт"), TrimmedReal(r.Power, 2)},
        {QStringLiteral("Задержка на ЛЭ, нс"), TrimmedReal(r.GateDelay, 2)},
        {QStringLiteral("Выход годных"),
         r.HasGoodChips ? TrimmedReal(r.Yield, 6) : QStringLiteral("НЕТ")},
        {QStringLiteral("Стоимость БИС, у.е"), TrimmedReal(r.ChipCost, 2)},
        {QStringLiteral("Стоимость ЛЭ, у.е"), TrimmedReal(r.GateCost, 4)},
        {QStringLiteral("Интенсивность отказов, 1/ч"), TrimmedReal(r.ChipFailureRate, 7)},
        {QStringLiteral("Число БИС, шт"), Num(r.ChipCount)},
        {QStringLiteral("Число АЛУ, шт"), Num(r.AluCount)},
        {QStringLiteral("Рабочая частота, МГц"), TrimmedReal(r.Frequency, 6)},
        {QStringLiteral("Наработка на отказ, ч"), TrimmedReal(r.Mtbf, 6)},
        {QStringLiteral("Стоимость процессора, у.е"), TrimmedReal(r.ProcessorCost, 2)},
    };
}
constexpr std::size_t kProcessorInputCount = 5;

// Two captioned lists side by side: caption | value | caption | value.
PageTable PairedTable(const std::vector<Item>& left, const std::vector<Item>& right,
                      double captionWidth, double valueWidth) {
    PageTable t{{captionWidth, valueWidth, captionWidth, valueWidth}, {L, R, L, R}, {}};
    const std::size_t n = std::max(left.size(), right.size());
    for (std::size_t i = 0; i < n; ++i) {
        QStringList cells;
        for (const auto* side : {&left, &right}) {
            if (i < side->size())
                cells << (*side)[i].first << (*side)[i].second;
            else
                cells << QString() << QString();
        }
        t.rows.push_back({cells});
    }
    return t;
}

PageBlock Heading(const QString& text) {
    return PageBlock{text, {}};
}

PageBlock Table(PageTable table) {
    return PageBlock{QString(), std::move(table)};
}

// The task estimate, as last computed.
PageTable TaskTable(const TaskRecord& task) {
    static const std::array<const char*, 3> kGrades{
        "Низкая сложность - используются обычные переменные",
        "Средняя сложность - структура подобная реляционной базе данных",
        "Высокая сложность - иерархическая структура базы данных"};
    const QString grade = task.DataComplexity >= 0 && task.DataComplexity < 3
                              ? Utf8(kGrades[static_cast<std::size_t>(task.DataComplexity)])
                              : Num(task.DataComplexity);
    PageTable t{{85.0, 98.0}, {L, L}, {}};
    t.rows = {
        {{QStringLiteral("Число независимых входных N"), Num(task.InputCount)}},
        {{QStringLiteral("Сложность алгоритма обработки данных объема N"),
          UiContext::FromWorkbookText(FormulaText(task))}},
        {{QStringLiteral("Сложность структуры данных"), grade}},
        {{QStringLiteral("Длительность выполнения программы, циклов"), Num(task.Cycles)}},
    };
    return t;
}

// The processor of lab work 2, as stored: its first nine lines on the left.
PageTable Lab2ProcessorTable(const ProcessorRecord& processor) {
    const std::vector<Item> cpu = ProcessorItems(processor);
    const std::vector<Item> left(cpu.begin(), cpu.begin() + 9);
    const std::vector<Item> right(cpu.begin() + 9, cpu.end());
    return PairedTable(left, right, 62.0, 29.5);
}

// The memory's inputs beside its results.
PageTable MemoryTable(const MemoryRecord& memory) {
    const QString chipName = Utf8(ChipTable[static_cast<std::size_t>(memory.ChipType)].Name);
    return PairedTable(
        {{QStringLiteral("Объем ЗУ в словах, Мслов"), Num(memory.Capacity)},
         {QStringLiteral("Размер слова ЗУ в битах"), Num(memory.WordBits)},
         {QStringLiteral("Время выборки, нс"), Num(memory.AccessTime)}},
        {{QStringLiteral("БИС ЗУ для построения накопителя"), chipName},
         {QStringLiteral("Длительность цикла обращения к ЗУ, нс"), Num(memory.CycleTime)},
         {QStringLiteral("Стоимость ЗУ, усл.ед."), Num(memory.MemoryCost)},
         {QStringLiteral("Время наработки на отказ для ЗУ,ч"), Num(memory.MemoryMtbf)}},
        56.0, 35.5);
}

// The memory built of each chip, a column a chip.
PageTable ChipsTable(const std::array<MemoryRecord, ChipTable.size()>& byChip) {
    PageTable t{{51.0, 33.0, 33.0, 33.0, 33.0}, {L, R, R, R, R}, {}};
    QStringList names{QStringLiteral("БИС ЗУ для постр. накопителя")};
    QStringList cycles{QStringLiteral("Длит. цикла обращ. к ЗУ, нс")};
    QStringList costs{QStringLiteral("Стоимость ЗУ, у.е")};
    QStringList mtbfs{QStringLiteral("Время нар. на отказ для ЗУ, ч")};
    for (std::size_t k = 0; k < ChipTable.size(); ++k) {
        const MemoryRecord& chip = byChip[k];
        names << Utf8(ChipTable[k].Name);
        cycles << Num(chip.CycleTime);
        costs << Num(chip.MemoryCost);
        mtbfs << Num(chip.MemoryMtbf);
    }
    t.rows = {{names}, {cycles}, {costs}, {mtbfs}};
    return t;
}

// The seven results of a computer, in the order of the cache table's columns.
QStringList ComputerValues(const ComputerRecord& c) {
    return QStringList{Num(c.CacheSize),
                       Num(c.CacheTime),
                       Num(c.StorageAccesses),
                       TrimmedReal(c.TaskTime, 2),
                       TrimmedReal(c.Performance, 2),
                       Num(c.ComputerCost),
                       Num(c.CostPerMips)};
}

// The computer's inputs beside its results.
PageTable ComputerTable(const ComputerRecord& computer) {
    const QStringList chosen = ComputerValues(computer);
    const QString yes = QStringLiteral("да"), no = QStringLiteral("нет");
    return PairedTable(
        {{QStringLiteral("Объем кэш памяти процессора, кбайт"), Num(computer.CacheSize)},
         {QStringLiteral("Время выборки из кэш-памяти, нс"), Num(computer.CacheTime)},
         {QStringLiteral("Использует ли программа ВЗУ?"), computer.UsesStorage ? yes : no},
         {QStringLiteral("Длительность цикла обращения к ВЗУ, мс"), Num(computer.StorageCycle)},
         {QStringLiteral("Объем ВЗУ, Мбайт"), Num(computer.StorageSize)},
         {QStringLiteral("Число обращений к ВЗУ указано?"), computer.AccessCountKnown ? yes : no},
         {QStringLiteral("Указанное число обращений к ВЗУ"), Num(computer.GivenAccesses)}},
        {{QStringLiteral("Объем кэш-памяти процессора, кбайт"), chosen[0]},
         {QStringLiteral("Время выборки из кэш-памяти, нс"), chosen[1]},
         {QStringLiteral("Число обращений в ВЗУ при вып.задания"), chosen[2]},
         {QStringLiteral("Длительность выполнения задания, мс"), chosen[3]},
         {QStringLiteral("Производительность компьютера, MIPS"), chosen[4]},
         {QStringLiteral("Стоимость компьютера, усл.ед."), chosen[5]},
         {QStringLiteral("Стоимость вычислений, усл.ед. / MIPS"), chosen[6]}},
        60.0, 31.5);
}

// The computer with each of the twelve caches, a row a cache, across the page.
PageTable CachesTable(const std::array<ComputerRecord, CacheTableRows>& byCache) {
    const double w7 = PrintableAreaMm().width() / 7;
    PageTable t{{w7, w7, w7, w7, w7, w7, w7}, {R, R, R, R, R, R, R}, {}};
    t.rows.resize(1 + CacheTableRows);
    t.rows[0] = {{QStringLiteral("Кэш-память"), QStringLiteral("Вр.выборки"),
                  QStringLiteral("Обр. к ВЗУ"), QStringLiteral("Длит.задан."),
                  QStringLiteral("Произв.комп."), QStringLiteral("Ст.комп."),
                  QStringLiteral("Ст.вычисл.")},
                 true};
    for (std::size_t row = 0; row < byCache.size(); ++row)
        t.rows[row + 1] = {ComputerValues(byCache[row])};
    return t;
}

} // namespace

TablePage::TablePage(QString title, std::vector<PageBlock> blocks)
    : title_(std::move(title)), blocks_(std::move(blocks)) {}

QStringList TablePage::texts() const {
    QStringList all;
    for (const PageBlock& block : blocks_) {
        if (!block.heading.isEmpty())
            all << block.heading;
        for (const PageTableRow& row : block.table.rows)
            all << row.cells;
    }
    return all;
}

void TablePage::paintPage(PageCanvas& canvas) const {
    const QRectF area = PrintableAreaMm();
    const QFont titleFont = PageFont(QStringLiteral("Arial"), 10, true);
    canvas.textBox(QRectF(area.left() + kTitleIndent, area.top() + kTitleDrop,
                          area.width() - kTitleIndent, kTitleHeight),
                   titleFont, Qt::AlignLeft, title_);

    double y = kFirstBlockTop;
    for (const PageBlock& block : blocks_) {
        if (!block.picture.isNull()) {
            canvas.image(QRectF(area.left(), y, area.width(), block.pictureHeight), block.picture);
            y += block.pictureHeight + kBlockGap;
            continue;
        }
        if (block.table.widths.empty()) {
            canvas.textBox(
                QRectF(area.left(), y + kHeadingDrop, area.width(), kHeadingHeight - kHeadingDrop),
                titleFont, Qt::AlignLeft, block.heading);
            y += kHeadingHeight;
            continue;
        }
        const PageTable& t = block.table;
        const QFont cellFont = PageFont(QStringLiteral("Arial"), t.points);
        const QFont boldFont = PageFont(QStringLiteral("Arial"), t.points, true);
        const double rowHeight = kRowHeightPerPoint * t.points;
        double tableWidth = 0;
        for (double w : t.widths)
            tableWidth += w;
        const double left = area.left();
        const double top = y;
        for (const PageTableRow& row : t.rows) {
            const double h = rowHeight * (row.header ? t.headerLines : 1);
            canvas.line(left, y, left + tableWidth, y, kRuleWidth);
            if (row.section) {
                canvas.textBox(QRectF(left + kCellPadX, y + kCellPadY, tableWidth - 2 * kCellPadX,
                                      h - kCellPadY),
                               boldFont, Qt::AlignLeft, row.cells.value(0));
            } else {
                double x = left;
                for (std::size_t c = 0; c < t.widths.size(); ++c) {
                    const double w = t.widths[c];
                    if (c > 0)
                        canvas.line(x, y, x, y + h, kRuleWidth);
                    const Qt::Alignment align =
                        row.header ? C : (c < t.aligns.size() ? t.aligns[c] : L);
                    canvas.textBox(
                        QRectF(x + kCellPadX, y + kCellPadY, w - 2 * kCellPadX, h - kCellPadY),
                        row.header ? boldFont : cellFont, align,
                        row.cells.value(static_cast<qsizetype>(c)));
                    x += w;
                }
            }
            y += h;
        }
        canvas.line(left, y, left + tableWidth, y, kRuleWidth);
        canvas.line(left, top, left, y, kRuleWidth);
        canvas.line(left + tableWidth, top, left + tableWidth, y, kRuleWidth);
        y += kBlockGap;
    }
}

TablePage ProcessorTablesPage(const Workbook& workbook) {
    const std::vector<Item> first = ProcessorItems(workbook.Circuit1);
    const std::vector<Item> second = ProcessorItems(workbook.Circuit2);
    // The page holds this one table: it takes the size of the title line.
    PageTable t{{85.0, 49.0, 49.0}, {L, R, R}, {}};
    t.points = 10.0;
    t.rows.push_back(
        {{QString(), QStringLiteral("Схемотехника 1"), QStringLiteral("Схемотехника 2")}, true});
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (i == 0)
            t.rows.push_back({{QStringLiteral("Исходные данные")}, false, true});
        if (i == kProcessorInputCount)
            t.rows.push_back({{QStringLiteral("Результаты расчета")}, false, true});
        t.rows.push_back({{first[i].first, first[i].second, second[i].second}});
    }
    return TablePage(QStringLiteral("Лабораторная работа N1 - расчет характеристик процессора"),
                     {Table(std::move(t))});
}

TablePage Lab2TablesPage(const Workbook& workbook) {
    std::vector<PageBlock> blocks;
    const auto add = [&blocks](const QString& heading, PageTable table) {
        blocks.push_back(Heading(heading));
        blocks.push_back(Table(std::move(table)));
    };
    add(QStringLiteral("Оценка характеристик задачи"), TaskTable(workbook.Task));
    add(QStringLiteral("Расчет характеристик процессора"),
        Lab2ProcessorTable(workbook.Lab2Processor));

    // The memory, recomputed on copies as the memory results window does.
    MemoryRecord memory = workbook.Memory;
    const auto byChip = ComputeMemoryByChip(memory, workbook.Lab2Processor.DefectFactor);
    add(QStringLiteral("Расчет характеристик памяти"), MemoryTable(memory));
    add(QStringLiteral("Расчет для разных видов БИС ЗУ"), ChipsTable(byChip));

    // The computer, recomputed on copies as the computer results window does.
    ComputerRecord computer = workbook.Computer;
    const auto byCache =
        ComputeCacheTable(computer, workbook.Task, workbook.Lab2Processor, workbook.Memory);
    add(QStringLiteral("Расчет характеристик компьютера"), ComputerTable(computer));
    add(QStringLiteral("Расчет для разных видов кэш-памяти"), CachesTable(byCache));

    return TablePage(QStringLiteral("Лабораторная работа N2 - таблицы расчетов"),
                     std::move(blocks));
}

TablePage FirmTablesPage(const Workbook& workbook) {
    std::vector<PageBlock> blocks;
    FirmRecord firm = workbook.Firm;
    ComputeFirm(firm);

    blocks.push_back(Heading(QStringLiteral("Среднее время работы аппаратуры в день ") +
                             Num(firm.Hours) + QStringLiteral(" часов.")));
    PageTable kit{{50.0, 35.0, 33.0, 35.0, 30.0}, {L, L, R, R, R}, {}};
    kit.rows.push_back({{QString(), QStringLiteral("Тип"), QStringLiteral("Стоимость"),
                         QStringLiteral("Наработка на отказ"), QStringLiteral("Ремонт")},
                        true});
    for (int i = 0; i < FirmComponentCount; ++i) {
        kit.rows.push_back(
            {{Utf8(FirmComponents[static_cast<std::size_t>(i)].Caption),
              Utf8(FirmGradeCaptions[IsHighReliability(firm.Grade[i]) ? 1 : 0]), Num(firm.Price[i]),
              TrimmedReal(firm.FailureRate[i], 6), Num(firm.Repairs[i])}});
    }
    blocks.push_back(Table(std::move(kit)));
    PageTable totals{{120.0, 63.0}, {L, R}, {}};
    totals.rows = {
        {{QStringLiteral("Стоимость выбранного комплекта ПЭВМ, у.е."), Num(firm.KitPrice)}},
        {{QStringLiteral("Объем продаж данных ПЭВМ, штук"), Num(firm.SalesVolume)}},
        {{QStringLiteral("Прибыль по результатам продаж, у.е."), Num(firm.SalesProfit)}},
        {{QStringLiteral("Затраты на гарантийное обслуживание ПЭВМ, у.е."),
          Num(firm.WarrantyCost)}},
        {{QStringLiteral("Прибыль по результатам деятельности, у.е."), Num(firm.ActivityProfit)}},
    };
    blocks.push_back(Table(std::move(totals)));

    PageTable all{{25.0, 16.0, 20.0, 18.0, 36.0, 22.0, 23.0, 23.0}, {L, C, R, R, R, R, R, R}, {}};
    all.headerLines = 2;
    all.rows.push_back({{QStringLiteral("Комплектация"), QStringLiteral("Типы"),
                         QStringLiteral("Стоимсть комплекта"), QStringLiteral("Объем продаж"),
                         QStringLiteral("Ремонт"), QStringLiteral("Прибыль с продаж"),
                         QStringLiteral("Гарантийные затраты"), QStringLiteral("Выручка")},
                        true});
    const auto kits = ComputeAllKits(firm);
    for (int number = 1; number <= FirmKitCount; ++number) {
        const FirmRecord& k = kits[static_cast<std::size_t>(number - 1)];
        QStringList grades, repairs;
        for (int i = 0; i < FirmComponentCount; ++i) {
            grades << Num(IsHighReliability(k.Grade[i]) ? 1 : 0);
            repairs << Num(k.Repairs[i]);
        }
        all.rows.push_back({{QStringLiteral("N") + Num(number), grades.join(u' '), Num(k.KitPrice),
                             Num(k.SalesVolume), repairs.join(QStringLiteral(", ")),
                             Num(k.SalesProfit), Num(k.WarrantyCost), Num(k.ActivityProfit)}});
    }
    blocks.push_back(Heading(QStringLiteral("Расчет для всех видов комплектации")));
    blocks.push_back(Table(std::move(all)));

    return TablePage(QStringLiteral("Лабораторная работа N3 - деятельность компьютерной фирмы"),
                     std::move(blocks));
}

} // namespace orvik
