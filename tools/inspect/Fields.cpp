// What each record of a workbook holds, field by field, with Russian captions,
// and which stored values no working program could have written.

#include "Inspector.h"

#include "core/Cp1251.h"
#include "firm/FirmModel.h"
#include "lab2/MemoryModel.h"
#include "processor/Technology.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

namespace orvik::inspect {

Value Value::Int(std::int64_t v) {
    Value r;
    r.type = Type::Integer;
    r.integer = v;
    return r;
}

Value Value::Real(double v) {
    Value r;
    r.type = Type::Real;
    r.real = v;
    return r;
}

Value Value::Text(std::string v) {
    Value r;
    r.type = Type::Text;
    r.text = std::move(v);
    return r;
}

bool SameValue(const Value& a, const Value& b) {
    if (a.type != b.type)
        return false;
    switch (a.type) {
    case Value::Type::Integer:
        return a.integer == b.integer;
    case Value::Type::Real:
        return std::memcmp(&a.real, &b.real, sizeof a.real) == 0;
    case Value::Type::Text:
        return a.text == b.text;
    }
    return false;
}

std::string ExactText(const Value& v) {
    switch (v.type) {
    case Value::Type::Integer:
        return std::to_string(v.integer);
    case Value::Type::Real: {
        if (std::isnan(v.real))
            return "NaN";
        if (std::isinf(v.real))
            return v.real > 0 ? "Infinity" : "-Infinity";
        char buffer[40];
        // The same text as printf("%.17g") in the C locale.
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, v.real, std::chars_format::general, 17);
        return std::string(buffer, end.ptr);
    }
    case Value::Type::Text:
        return v.text;
    }
    return {};
}

std::string Field::FullName() const {
    std::string full(name);
    if (index >= 0)
        full += "[" + std::to_string(index) + "]";
    return full;
}

namespace {

Field Make(const char* name, const char* label, bool result, Value value, int index = -1) {
    Field f;
    f.name = name;
    f.index = index;
    f.label = label;
    f.result = result;
    f.value = std::move(value);
    if (f.value.type == Value::Type::Real && !std::isfinite(f.value.real))
        f.problem = "не конечное число: такое значение программа не записывает";
    return f;
}

Field Input(const char* name, const char* label, Value value, int index = -1) {
    return Make(name, label, false, std::move(value), index);
}

Field Result(const char* name, const char* label, Value value, int index = -1) {
    return Make(name, label, true, std::move(value), index);
}

// A Boolean byte: 0 or 1.
Field Flag(const char* name, const char* label, bool result, std::uint8_t byte) {
    Field f = Make(name, label, result, Value::Int(byte));
    if (byte == 0)
        f.note = "нет";
    else if (byte == 1)
        f.note = "да";
    else
        f.problem = "флажок должен быть 0 или 1, записано " + std::to_string(byte);
    return f;
}

std::string OutOfRange(const char* what, std::int64_t value, int low, int high) {
    return std::string(what) + " " + std::to_string(value) + " вне допустимых значений " +
           std::to_string(low) + ".." + std::to_string(high);
}

} // namespace

std::vector<Field> DescribeProcessor(const ProcessorRecord& r) {
    std::vector<Field> f;
    f.reserve(19);
    Field tech = Input("Technology", "Тип схемотехники", Value::Int(r.Technology));
    if (r.Technology >= 0 && r.Technology < static_cast<int>(TechnologyTable.size()))
        tech.note = TechnologyTable[static_cast<std::size_t>(r.Technology)].Name;
    else
        tech.problem = OutOfRange("недопустимый тип схемотехники", r.Technology, 0,
                                  static_cast<int>(TechnologyTable.size()) - 1);
    f.push_back(std::move(tech));
    f.push_back(Input("DefectFactor", "Коэф.дефектности, деф/мм2", Value::Real(r.DefectFactor)));
    f.push_back(Input("MinFeature", "МЛР, мкм", Value::Real(r.MinFeature)));
    f.push_back(Input("ChipArea", "Площадь кристалла, см2", Value::Real(r.ChipArea)));
    f.push_back(Input("DeviceIntegration", "Степень интеграции устройства",
                      Value::Int(r.DeviceIntegration)));
    f.push_back(Result("ChipIntegration", "Степень интеграции БИС", Value::Int(r.ChipIntegration)));
    f.push_back(Result("Power", "Рассеиваемая мощность, Вт", Value::Real(r.Power)));
    f.push_back(Result("GateDelay", "Задержка на ЛЭ, нс", Value::Real(r.GateDelay)));
    f.push_back(Result("Yield", "Выход годных", Value::Real(r.Yield)));
    f.push_back(Result("ChipCost", "Стоимость БИС, у.е", Value::Real(r.ChipCost)));
    f.push_back(Result("GateCost", "Стоимость ЛЭ, у.е", Value::Real(r.GateCost)));
    f.push_back(
        Result("ChipFailureRate", "Интенсивность отказов, 1/ч", Value::Real(r.ChipFailureRate)));
    f.push_back(Result("ChipCount", "Число БИС, шт", Value::Int(r.ChipCount)));
    f.push_back(Result("AluCount", "Число АЛУ, шт", Value::Int(r.AluCount)));
    f.push_back(Result("Frequency", "Рабочая частота, МГц", Value::Real(r.Frequency)));
    f.push_back(Result("Mtbf", "Наработка на отказ, ч", Value::Real(r.Mtbf)));
    f.push_back(Result("ProcessorCost", "Стоимость процессора, у.е", Value::Real(r.ProcessorCost)));
    f.push_back(Flag("HasGoodChips", "Есть годные БИС", true, r.HasGoodChips));
    return f;
}

std::vector<Field> DescribeTask(const TaskRecord& r) {
    static const char* const grades[] = {"низкая", "средняя", "высокая"};
    std::vector<Field> f;
    f.push_back(
        Input("Formula", "Формула сложности алгоритма", Value::Text(Cp1251ToUtf8(FormulaText(r)))));
    f.push_back(Input("InputCount", "Число независимых входов N", Value::Int(r.InputCount)));
    Field grade =
        Input("DataComplexity", "Сложность структуры данных", Value::Int(r.DataComplexity));
    if (r.DataComplexity >= 0 && r.DataComplexity < 3)
        grade.note = grades[r.DataComplexity];
    else
        grade.problem =
            OutOfRange("недопустимая сложность структуры данных", r.DataComplexity, 0, 2);
    f.push_back(std::move(grade));
    f.push_back(Result("Cycles", "Длительность программы, циклов", Value::Int(r.Cycles)));
    f.push_back(Result("DataFactor", "Коэффициент структуры данных", Value::Real(r.DataFactor)));
    return f;
}

std::vector<Field> DescribeMemory(const MemoryRecord& r) {
    std::vector<Field> f;
    f.push_back(Input("Capacity", "Объем ЗУ, Мслов", Value::Int(r.Capacity)));
    f.push_back(Input("WordBits", "Размер слова, бит", Value::Int(r.WordBits)));
    f.push_back(Input("AccessTime", "Время доступа, нс", Value::Int(r.AccessTime)));
    Field chip = Input("ChipType", "БИС ЗУ", Value::Int(r.ChipType));
    if (r.ChipType >= 0 && r.ChipType < static_cast<int>(ChipTable.size()))
        chip.note = ChipTable[static_cast<std::size_t>(r.ChipType)].Name;
    else
        chip.problem = OutOfRange("недопустимый тип БИС ЗУ", r.ChipType, 0,
                                  static_cast<int>(ChipTable.size()) - 1);
    f.push_back(std::move(chip));
    f.push_back(Result("CycleTime", "Время цикла ЗУ, нс", Value::Int(r.CycleTime)));
    f.push_back(Result("MemoryCost", "Стоимость ЗУ, у.е", Value::Int(r.MemoryCost)));
    f.push_back(Result("MemoryMtbf", "Наработка на отказ ЗУ, ч", Value::Int(r.MemoryMtbf)));
    return f;
}

std::vector<Field> DescribeComputer(const ComputerRecord& r) {
    std::vector<Field> f;
    f.push_back(Input("CacheSize", "Объем кэш-памяти, Кбайт", Value::Int(r.CacheSize)));
    f.push_back(Input("CacheTime", "Время доступа к кэш-памяти, нс", Value::Int(r.CacheTime)));
    f.push_back(Flag("UsesStorage", "Программа использует ВЗУ", false, r.UsesStorage));
    f.push_back(Input("StorageCycle", "Цикл обращения к ВЗУ, мс", Value::Int(r.StorageCycle)));
    f.push_back(Input("StorageSize", "Объем ВЗУ, Мбайт", Value::Int(r.StorageSize)));
    f.push_back(
        Flag("AccessCountKnown", "Число обращений к ВЗУ задано", false, r.AccessCountKnown));
    f.push_back(
        Input("GivenAccesses", "Заданное число обращений к ВЗУ", Value::Int(r.GivenAccesses)));
    f.push_back(Result("StorageAccesses", "Число обращений к ВЗУ", Value::Int(r.StorageAccesses)));
    f.push_back(Result("ComputerCost", "Стоимость компьютера, у.е", Value::Int(r.ComputerCost)));
    f.push_back(Result("CostPerMips", "Стоимость вычислений, у.е/MIPS", Value::Int(r.CostPerMips)));
    f.push_back(Result("TaskTime", "Время решения задачи, мс", Value::Real(r.TaskTime)));
    f.push_back(Result("Performance", "Производительность, MIPS", Value::Real(r.Performance)));
    return f;
}

std::vector<Field> DescribeFirm(const FirmRecord& r) {
    // Labels of array elements name the component; they live as long as the program.
    static const auto labels = [] {
        std::map<std::pair<std::string, int>, std::string> m;
        for (int i = 0; i < FirmComponentCount; ++i) {
            const std::string c = FirmComponents[static_cast<std::size_t>(i)].Caption;
            m[{"Grade", i}] = "Исполнение: " + c;
            m[{"Price", i}] = "Цена: " + c + ", у.е";
            m[{"FailureRate", i}] = "Интенсивность отказов: " + c + ", 1/ч";
            m[{"Repairs", i}] = "Гарантийных ремонтов: " + c;
        }
        return m;
    }();
    const auto label = [&](const char* name, int i) { return labels.at({name, i}).c_str(); };

    std::vector<Field> f;
    for (int i = 0; i < FirmComponentCount; ++i) {
        Field g = Input("Grade", label("Grade", i), Value::Int(r.Grade[i]), i);
        if (r.Grade[i] == 0 || r.Grade[i] == 1)
            g.note = FirmGradeCaptions[static_cast<std::size_t>(r.Grade[i])];
        else
            g.problem = "исполнение должно быть 0 или 1, записано " + std::to_string(r.Grade[i]) +
                        " (программа считает его стандартным)";
        f.push_back(std::move(g));
    }
    Field hours = Input("Hours", "Часов работы аппаратуры в день", Value::Int(r.Hours));
    if (r.Hours < 1 || r.Hours > 24)
        hours.problem = OutOfRange("недопустимое число часов работы в день", r.Hours, 1, 24);
    f.push_back(std::move(hours));
    for (int i = 0; i < FirmComponentCount; ++i)
        f.push_back(Result("Price", label("Price", i), Value::Int(r.Price[i]), i));
    for (int i = 0; i < FirmComponentCount; ++i)
        f.push_back(
            Result("FailureRate", label("FailureRate", i), Value::Real(r.FailureRate[i]), i));
    for (int i = 0; i < FirmComponentCount; ++i)
        f.push_back(Result("Repairs", label("Repairs", i), Value::Int(r.Repairs[i]), i));
    f.push_back(Result("KitPrice", "Цена комплекта, у.е", Value::Int(r.KitPrice)));
    f.push_back(Result("SalesVolume", "Объем продаж, шт", Value::Int(r.SalesVolume)));
    f.push_back(Result("SalesProfit", "Прибыль от продаж, у.е", Value::Int(r.SalesProfit)));
    f.push_back(
        Result("WarrantyCost", "Затраты на гарантийный ремонт, у.е", Value::Int(r.WarrantyCost)));
    f.push_back(
        Result("ActivityProfit", "Прибыль от деятельности, у.е", Value::Int(r.ActivityProfit)));
    return f;
}

const std::vector<RecordInfo>& Records() {
    static const std::vector<RecordInfo> records{
        {"Circuit1", "Процессор, схемотехника 1 (лабораторная работа N1)", PartProcessor1,
         RecordKind::Processor},
        {"Circuit2", "Процессор, схемотехника 2 (лабораторная работа N1)", PartProcessor1,
         RecordKind::Processor},
        {"Lab2Processor", "Процессор лабораторной работы N2", PartProcessor2,
         RecordKind::Processor},
        {"Task", "Оценка характеристик задачи", PartTask, RecordKind::Task},
        {"Memory", "Память", PartMemory, RecordKind::Memory},
        {"Computer", "Компьютер", PartComputer, RecordKind::Computer},
        {"Firm", "Компьютерная фирма", PartFirm, RecordKind::Firm},
    };
    return records;
}

std::vector<Field> DescribeRecord(const Workbook& wb, const RecordInfo& info) {
    const std::string key = info.key;
    if (key == "Circuit1")
        return DescribeProcessor(wb.Circuit1);
    if (key == "Circuit2")
        return DescribeProcessor(wb.Circuit2);
    if (key == "Lab2Processor")
        return DescribeProcessor(wb.Lab2Processor);
    switch (info.kind) {
    case RecordKind::Task:
        return DescribeTask(wb.Task);
    case RecordKind::Memory:
        return DescribeMemory(wb.Memory);
    case RecordKind::Computer:
        return DescribeComputer(wb.Computer);
    case RecordKind::Firm:
        return DescribeFirm(wb.Firm);
    case RecordKind::Processor:
        break;
    }
    return {};
}

std::string CurveRowKey(int set, int row) {
    return std::string(kCurveTableKey) + "[" + std::to_string(set) + "][" + std::to_string(row) +
           "]";
}

StudentData Student(const Workbook& wb) {
    return {Cp1251ToUtf8(wb.sStudent), Cp1251ToUtf8(wb.sGroup), Cp1251ToUtf8(wb.sPrepod),
            Cp1251ToUtf8(wb.sVar)};
}

std::vector<Problem> FindProblems(const Workbook& wb) {
    std::vector<Problem> problems;
    if (wb.GuideAutoStart > 1)
        problems.push_back(
            {"GuideAutoStart", "",
             "флажок должен быть 0 или 1, записано " + std::to_string(wb.GuideAutoStart)});
    for (int i = 0; i < kPartCount; ++i)
        if (wb.PartDone[static_cast<std::size_t>(i)] > 1)
            problems.push_back({"PartDone[" + std::to_string(i) + "]", "",
                                "флажок выполнения должен быть 0 или 1, записано " +
                                    std::to_string(wb.PartDone[static_cast<std::size_t>(i)]) +
                                    " (программа считает часть выполненной)"});
    // The program never leaves a part done while the part it needs is not.
    for (int part = 0; part < kPartCount; ++part) {
        const std::optional<int> needs = NeededPart(part);
        if (wb.done(part) && needs && !wb.done(*needs))
            problems.push_back(
                {"PartDone[" + std::to_string(part) + "]", "",
                 std::string("часть отмечена выполненной, а нужная для нее часть \"") +
                     PartName(*needs) + "\" лабораторной работы N" +
                     std::to_string(PartLabWork(*needs)) + " - нет"});
    }

    for (const RecordInfo& info : Records())
        for (const Field& f : DescribeRecord(wb, info))
            if (!f.problem.empty())
                problems.push_back({info.key, f.FullName(), f.problem});

    // The curve rows usually share their damage: one line per kind, with the count.
    struct Seen {
        std::string first;
        int count = 0;
    };
    std::map<std::pair<std::string, std::string>, Seen> curve;
    std::vector<std::pair<std::string, std::string>> order;
    for (int s = 0; s < 3; ++s)
        for (int r = 0; r < 50; ++r)
            for (const Field& f : DescribeProcessor(
                     wb.CurveTable[static_cast<std::size_t>(s)][static_cast<std::size_t>(r)]))
                if (!f.problem.empty()) {
                    const auto key = std::make_pair(f.FullName(), f.problem);
                    Seen& seen = curve[key];
                    if (seen.count++ == 0) {
                        seen.first = CurveRowKey(s, r);
                        order.push_back(key);
                    }
                }
    for (const auto& key : order) {
        const Seen& seen = curve[key];
        problems.push_back({seen.count == 1 ? seen.first : std::string(kCurveTableKey), key.first,
                            seen.count == 1
                                ? key.second
                                : key.second + " (строк: " + std::to_string(seen.count) +
                                      ", первая " + seen.first + ")"});
    }
    return problems;
}

} // namespace orvik::inspect
