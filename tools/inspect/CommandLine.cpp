// The inspector's command line: options, help text, reading the files.

#include "Inspector.h"
#include "TextHelpers.h"

#include "core/Errors.h"
#include "workbook/WorkbookFile.h"

#include <ostream>

namespace orvik::inspect {

namespace {

// The teacher's one-line explanation of why a file is no workbook.
std::string ReadFailure(const std::string& file, const std::string& message) {
    std::string text;
    if (message.rfind("Не удается открыть файл", 0) == 0)
        text = message; // names the file already
    else if (message == "Read beyond end of file")
        text = "файл \"" + file + "\": короче " + std::to_string(layout::Size) +
               " байт, это не рабочая тетрадь ORVIK (Read beyond end of file)";
    else
        text = "файл \"" + file + "\": ошибка чтения: " + message;
    return OneLine(text);
}

struct Options {
    enum class Mode { Listing, Json, Summary } mode = Mode::Listing;
    bool recompute = false;
    bool help = false;
    std::vector<std::string> files;
};

// A full disk or a closed output must not pass for a complete report.
bool Flushed(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out)
        return true;
    err << "orvik-inspect: не удается записать результат (диск заполнен или вывод закрыт); "
           "вывод неполон\n";
    return false;
}

} // namespace

const char* const kHelpText =
    R"(Использование: orvik-inspect [ПАРАМЕТРЫ] ФАЙЛ...

Просмотр рабочих тетрадей студентов (файлов *.orvik программы
"ОРВИК лабораторные работы") для преподавателя. Без параметров для каждого
файла выводятся: студент, группа, преподаватель и вариант; отметки о
выполнении семи частей лабораторных работ; исходные данные и сохраненные
результаты каждой записи, включая 150 строк таблицы точек кривых; деловая
игра: вариант, число повторов, решения по годам, результаты четырех фирм,
пересчитанные по этим решениям, и итог игры.

Параметры:
  --summary    Одна строка на файл: группа, студент, вариант, отметки
               выполнения частей, деловая игра (деньги фирмы студента в
               конце и ее место среди четырех фирм; пометка (лет N) - игра
               не окончена, "-" - не начата, "повреждена" или "неизвестный
               формат" - сохраненную игру прочитать нельзя) и имя файла. Отметки идут в порядке частей:
                 1 ЛР1 Расчет характеристик процессора  2 ЛР1 Деловая игра
                 3 ЛР2 Оценка характеристик задачи      4 ЛР2 Расчет
                 характеристик процессора  5 ЛР2 Расчет характеристик памяти
                 6 ЛР2 Расчет характеристик компьютера  7 ЛР3 Моделирование
                 деятельности компьютерной фирмы;
               "+" выполнено, "-" не выполнено, "?" испорченная отметка
               (например, "+-+++--"). Строки упорядочены по группе, затем
               по фамилии студента: удобно для всей папки (*.orvik).

  --recompute  Пересчитать результаты всех записей по сохраненным исходным
               данным теми же моделями, что и программа, и показать каждое
               поле, записанное значение которого отличается от
               пересчитанного (запись, поле, записано, пересчитано; числа
               точно, 17 значащих цифр). Ошибка модели на сохраненных
               данных тоже показывается.
               Сравниваются все записи, но записи частей, не отмеченных
               как выполненные, помечаются "не выполнено", и их расхождения
               не влияют на код завершения: в новой тетради результаты еще
               не рассчитывались. Так же не учитываются процессоры
               схемотехники 1 и 2 и таблица точек кривых, если все их
               результаты нулевые (ни разу не рассчитывались).
               Результаты, рассчитанные до последнего изменения исходных
               данных, программа сохраняет как есть; пересчет покажет их
               как расхождения.
               Без --json и --summary выводится отчет о пересчете вместо
               перечня полей; с --summary добавляется столбец "Пересчет",
               с --json - раздел "recompute".

  --json       То же в формате JSON (UTF-8) для программ и электронных
               таблиц: один объект JSON на каждый файл, каждый на своей
               строке (формат JSON Lines). Все поля всех записей, включая
               150 строк таблицы кривых; числа с плавающей точкой - с 17
               значащими цифрами (читаются обратно без потерь),
               бесконечности и нечисла - строками "Infinity", "-Infinity",
               "NaN". Раздел "Game" - деловая игра (null, если она не
               начата): "Block" - как прочитана ("current"; "first-rules" -
               сохранена по прежним правилам и пересчитана по новым;
               "damaged" - повреждена, "unknown-version" - неизвестный
               формат, тогда есть только "error"), решения по годам,
               результаты повтора и итог.
               Для непрочитанного файла выводится
               {"file": ..., "error": "причина"}.

  -h, --help   Эта справка.
  --           Все дальнейшие аргументы - имена файлов.

Код завершения:
  0  все файлы прочитаны; с --recompute - все учитываемые результаты
     совпадают с пересчетом;
  1  с --recompute: в каком-то файле учитываемое поле отличается от
     пересчитанного или модель не смогла пересчитать выполненную часть;
  2  какой-то файл не удалось прочитать как рабочую тетрадь (короче
     21092 байт, нет доступа, это папка, ...), сохраненная в нем деловая
     игра повреждена или записана в неизвестном формате, неверные
     параметры или не удалось записать результат (диск заполнен).
     Остальные файлы все равно просматриваются; о каждой ошибке - одна
     строка в стандартный поток ошибок. Код 2 важнее кода 1.

Недопустимые значения в файле (тип схемотехники 9, тип БИС ЗУ 7, 0 часов
работы в день, отметка не 0 и не 1 и т.п.) отмечаются знаками "!!!".

Примеры:
  orvik-inspect ivanov.orvik
  orvik-inspect --summary --recompute работы/*.orvik
  orvik-inspect --json --recompute работы/*.orvik > работы.jsonl
)";

int RunInspector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    bool json = false, summary = false, onlyFiles = false;
    for (const std::string& a : args) {
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            options.files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--summary") {
            summary = true;
        } else if (a == "--recompute") {
            options.recompute = true;
        } else {
            err << "orvik-inspect: неизвестный параметр \"" << OneLine(a)
                << "\"; справка: orvik-inspect --help\n";
            return kExitTrouble;
        }
    }
    if (options.help) {
        out << kHelpText;
        return Flushed(out, err) ? kExitAgree : kExitTrouble;
    }
    if (json && summary) {
        err << "orvik-inspect: --json и --summary нельзя задать вместе\n";
        return kExitTrouble;
    }
    if (options.files.empty()) {
        err << "orvik-inspect: не заданы файлы; справка: orvik-inspect --help\n";
        return kExitTrouble;
    }
    options.mode = json      ? Options::Mode::Json
                   : summary ? Options::Mode::Summary
                             : Options::Mode::Listing;

    int status = kExitAgree;
    std::vector<SummaryRow> rows;
    for (const std::string& file : options.files) {
        Workbook wb;
        std::string gameMessage;
        try {
            wb = OpenWorkbookFile(file, &gameMessage);
        } catch (const std::exception& e) {
            const std::string message = ReadFailure(file, e.what());
            err << "orvik-inspect: " << message << "\n";
            if (options.mode == Options::Mode::Json)
                out << ErrorJson(file, message) << "\n";
            status = kExitTrouble;
            continue;
        }
        if (!gameMessage.empty()) // the workbook is read; its game may be lost
            err << "orvik-inspect: " << OneLine(file) << ": " << gameMessage << "\n";
        if (GameBlockLost(wb))
            status = kExitTrouble;
        CheckResult check;
        if (options.recompute) {
            check = Recompute(wb);
            if (check.CountedDisagreements() > 0 && status == kExitAgree)
                status = kExitDiffers;
        }
        const CheckResult* checked = options.recompute ? &check : nullptr;
        switch (options.mode) {
        case Options::Mode::Listing:
            if (options.recompute)
                PrintCheck(out, file, wb, check);
            else
                PrintListing(out, file, wb);
            break;
        case Options::Mode::Json:
            out << WorkbookJson(file, wb, checked) << "\n";
            break;
        case Options::Mode::Summary:
            rows.push_back(MakeSummaryRow(file, wb, checked));
            break;
        }
    }
    if (options.mode == Options::Mode::Summary)
        PrintSummary(out, std::move(rows), options.recompute);
    return Flushed(out, err) ? status : kExitTrouble;
}

} // namespace orvik::inspect
