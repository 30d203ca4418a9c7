// The inspector's command line: options, help text, reading the files.

#include "Files.h"
#include "GroupSheet.h"
#include "Inspector.h"
#include "Similarity.h"
#include "TextHelpers.h"

#include "core/Errors.h"
#include "workbook/WorkbookFile.h"

#include <ostream>
#include <sstream>

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
    enum class Mode { Listing, Json, Summary, Similar } mode = Mode::Listing;
    bool recompute = false;
    bool help = false;
    bool similar = false;      // --similar: the report of copied work
    bool fingerprints = false; // --similar or --xlsx: copied work is looked for
    std::string xlsx;          // the group sheet to write, or empty
    std::vector<std::string> files;
};

// What the inspector learns of one file, made on any core.
struct Outcome {
    std::string failure;     // why the file is no readable workbook
    std::string gameMessage; // the workbook is read, only its game is lost
    bool differs = false;    // counted results differ from the recomputation
    bool gameLost = false;   // its game block is damaged or of an unknown format
    std::string text;        // the listing or JSON line
    SummaryRow summary;
    SheetRow sheet;
    Fingerprint print;
};

Outcome Inspect(const InputFile& input, const Options& o) {
    Outcome r;
    const std::string& file = input.path;
    Workbook wb;
    try {
        if (!input.error.empty())
            throw Error(input.error);
        wb = OpenWorkbookFile(file, &r.gameMessage);
    } catch (const std::exception& e) {
        r.failure = input.error.empty() ? ReadFailure(file, e.what()) : OneLine(input.error);
        if (o.mode == Options::Mode::Json)
            r.text = ErrorJson(file, r.failure) + "\n";
        if (!o.xlsx.empty())
            r.sheet = UnreadableRow(file, r.failure);
        return r;
    }
    r.gameLost = GameBlockLost(wb);
    const bool recompute = o.recompute || !o.xlsx.empty();
    CheckResult check;
    if (recompute) {
        check = Recompute(wb);
        r.differs = check.CountedDisagreements() > 0;
    }
    const CheckResult* checked = recompute ? &check : nullptr;
    switch (o.mode) {
    case Options::Mode::Listing: {
        std::ostringstream out;
        if (o.recompute)
            PrintCheck(out, file, wb, check);
        else
            PrintListing(out, file, wb);
        r.text = out.str();
        break;
    }
    case Options::Mode::Json:
        r.text = WorkbookJson(file, wb, checked) + "\n";
        break;
    case Options::Mode::Summary:
        r.summary = MakeSummaryRow(file, wb, checked);
        break;
    case Options::Mode::Similar:
        break;
    }
    if (!o.xlsx.empty())
        r.sheet = MakeSheetRow(file, wb, check, r.gameMessage);
    if (o.fingerprints)
        r.print = MakeFingerprint(file, wb);
    return r;
}

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
    R"(Использование: orvik-inspect [ПАРАМЕТРЫ] ФАЙЛ_ИЛИ_ПАПКА...

Просмотр рабочих тетрадей студентов (файлов *.orvik программы
"ОРВИК лабораторные работы") для преподавателя. Без параметров для каждого
файла выводятся: студент, группа, преподаватель и вариант; отметки о
выполнении семи частей лабораторных работ; исходные данные и сохраненные
результаты каждой записи, включая 150 строк таблицы точек кривых; деловая
игра: вариант, число повторов, решения по годам, результаты четырех фирм,
пересчитанные по этим решениям, и итог игры. Папка означает все файлы
*.orvik в ней и во вложенных папках.

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

  --xlsx ФАЙЛ.xlsx
               Таблица Excel на всю группу (или кафедру) для конца семестра.
               Лист "Работы": строка на каждую тетрадь - группа, студент,
               преподаватель, вариант, отметки семи частей, для каждой
               выполненной части сверка сохраненных результатов с пересчетом
               ("совпадает", "изменен вручную: запись.поле" - первое
               отличающееся поле, "ошибка модели: ..."), деловая игра (лет
               сыграно, повторов, деньги фирмы в конце, место, итог),
               номера совпадений, имя файла и время его изменения. Строки
               упорядочены по группе и студенту, заголовок закреплен,
               фильтры включены, числа записаны числами. Непрочитанный
               файл - тоже строка, с причиной. Лист "Совпадения" - то же,
               что выводит --similar. Пересчет выполняется всегда (код
               завершения как с --recompute).

  --similar    Найти тетради с общей свободно выбранной работой и вывести
               группы таких тетрадей с доказательствами, сначала самые
               сильные: тетради одинаковы во всем, кроме данных студента;
               одинаковые решения деловой игры два года подряд и дольше;
               одинаковые исходные данные в двух записях и больше, если
               они отличаются от новой тетради и хотя бы у одного из
               студентов не совпадают с заданием его варианта (заданием
               считаются данные, общие для большинства тетрадей этого
               варианта); одинаковая формула сложности задачи, которой
               нет в заданиях вариантов. Сила каждого совпадения названа
               словами: это повод поговорить со студентами, а не
               доказательство. Можно задать вместе с --xlsx.

  -h, --help   Эта справка.
  --           Все дальнейшие аргументы - имена файлов.

Код завершения:
  0  все файлы прочитаны; с --recompute - все учитываемые результаты
     совпадают с пересчетом;
  1  с --recompute и --xlsx: в каком-то файле учитываемое поле отличается от
     пересчитанного или модель не смогла пересчитать выполненную часть;
     с --similar: найдены тетради с общей свободно выбранной работой;
  2  какой-то файл не удалось прочитать как рабочую тетрадь (короче
     21092 байт, нет доступа, в папке нет тетрадей, ...), сохраненная в
     нем деловая игра повреждена или записана в неизвестном формате, неверные
     параметры или не удалось записать результат (диск заполнен).
     Остальные файлы все равно просматриваются; о каждой ошибке - одна
     строка в стандартный поток ошибок. Код 2 важнее кода 1.

Недопустимые значения в файле (тип схемотехники 9, тип БИС ЗУ 7, 0 часов
работы в день, отметка не 0 и не 1 и т.п.) отмечаются знаками "!!!".

Примеры:
  orvik-inspect ivanov.orvik
  orvik-inspect --summary --recompute работы/*.orvik
  orvik-inspect --json --recompute работы/*.orvik > работы.jsonl
  orvik-inspect --xlsx ВВ-3-98.xlsx работы/ВВ-3-98
  orvik-inspect --similar работы
)";

int RunInspector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    bool json = false, summary = false, onlyFiles = false, wantSheet = false;
    for (const std::string& a : args) {
        if (wantSheet) {
            options.xlsx = a;
            wantSheet = false;
        } else if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
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
        } else if (a == "--similar") {
            options.similar = true;
        } else if (a == "--xlsx") {
            wantSheet = true;
        } else if (a.rfind("--xlsx=", 0) == 0) {
            options.xlsx = a.substr(7);
            wantSheet = options.xlsx.empty();
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
    if (wantSheet) {
        err << "orvik-inspect: после --xlsx нужно имя файла таблицы (например, группа.xlsx)\n";
        return kExitTrouble;
    }
    if (json + summary + (options.similar || !options.xlsx.empty()) > 1) {
        err << "orvik-inspect: --json, --summary, --similar и --xlsx нельзя задать вместе "
               "(кроме --similar с --xlsx)\n";
        return kExitTrouble;
    }
    if (options.files.empty()) {
        err << "orvik-inspect: не заданы файлы; справка: orvik-inspect --help\n";
        return kExitTrouble;
    }
    options.mode = json                                       ? Options::Mode::Json
                   : summary                                  ? Options::Mode::Summary
                   : options.similar || !options.xlsx.empty() ? Options::Mode::Similar
                                                              : Options::Mode::Listing;
    // The sheet has a page of copied work.
    options.fingerprints = options.similar || !options.xlsx.empty();

    int status = kExitAgree;
    const std::vector<InputFile> files = ExpandFolders(options.files);
    std::vector<Outcome> outcomes(std::min(files.size(), BatchSize()));
    std::vector<SummaryRow> rows;
    std::vector<SheetRow> sheet;
    std::vector<Fingerprint> prints;
    ForEachInOrder(
        files.size(),
        [&](std::size_t i) {
            Outcome& r = outcomes[i % outcomes.size()];
            try {
                r = Inspect(files[i], options);
            } catch (const std::exception& e) { // out of memory: said, and the rest goes on
                r = Outcome{};
                r.failure = OneLine("файл \"" + files[i].path + "\": " + e.what());
            }
        },
        [&](std::size_t i) {
            Outcome& r = outcomes[i % outcomes.size()];
            if (!r.failure.empty()) {
                err << "orvik-inspect: " << r.failure << "\n";
                status = kExitTrouble;
            } else {
                if (!r.gameMessage.empty())
                    err << "orvik-inspect: " << OneLine(files[i].path) << ": " << r.gameMessage
                        << "\n";
                if (r.gameLost) // marked as a damaged record is
                    status = kExitTrouble;
                else if (r.differs && status == kExitAgree)
                    status = kExitDiffers;
                if (options.mode == Options::Mode::Summary)
                    rows.push_back(std::move(r.summary));
                if (options.fingerprints) {
                    r.sheet.print = static_cast<long>(prints.size());
                    prints.push_back(std::move(r.print));
                }
            }
            out << r.text;
            if (!options.xlsx.empty())
                sheet.push_back(std::move(r.sheet));
            r = Outcome{};
        });
    if (options.mode == Options::Mode::Summary)
        PrintSummary(out, std::move(rows), options.recompute);
    if (options.fingerprints) {
        const std::vector<SimilarGroup> groups = FindSimilar(prints);
        if (options.similar) {
            PrintSimilar(out, prints, groups);
            if (!groups.empty() && status == kExitAgree)
                status = kExitDiffers;
        }
        if (!options.xlsx.empty()) {
            try {
                WriteGroupSheet(options.xlsx, std::move(sheet), prints, groups);
            } catch (const std::exception& e) {
                err << "orvik-inspect: " << OneLine(e.what()) << "\n";
                return kExitTrouble;
            }
            out << "Таблица группы записана в \"" << OneLine(options.xlsx) << "\": тетрадей "
                << prints.size() << ", не прочитано " << files.size() - prints.size()
                << ", групп совпадений " << groups.size() << "\n";
        }
    }
    return Flushed(out, err) ? status : kExitTrouble;
}

} // namespace orvik::inspect
