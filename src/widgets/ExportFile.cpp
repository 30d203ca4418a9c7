#include "widgets/ExportFile.h"

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "widgets/Dialogs.h"
#include "widgets/UiContext.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace orvik {

QString SafeFileName(const QString& name, const QString& fallback) {
    QString safe;
    for (const QChar c : name.simplified())
        safe += (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QChar(u'_') : c;
    // A name of dots alone is no file name; one that long no file system keeps.
    safe = safe.left(120).trimmed();
    if (safe.isEmpty() || safe.count(u'.') == safe.size())
        return fallback;
    return safe;
}

QString ExportFolder(const UiContext& ctx) {
    const QString workbook = QString::fromStdString(ctx.state.WorkbookFileName);
    if (!workbook.isEmpty()) {
        const QFileInfo info(workbook);
        if (info.absoluteDir().exists())
            return info.absolutePath();
    }
    return QDir::homePath();
}

QString ChooseExportFile(UiContext& ctx, const ExportKind& kind, const QString& baseName) {
    FileDialogOptions options;
    options.title = kind.title;
    options.filter = kind.filter;
    options.defaultSuffix = kind.suffix;
    options.proposed = QDir(ExportFolder(ctx)).filePath(baseName + u'.' + kind.suffix);
    options.askOverwrite = false; // the program asks in its own words below
    QString path;
    for (;;) {
        path = ctx.dialogs.chooseSaveFile(options);
        if (path.isEmpty())
            return {};
        // The system's own dialog may hand back a name the program's would
        // refuse: it is refused here too, and the student chooses again.
        const QString problem = FileNameProblem(QFileInfo(path).fileName());
        if (problem.isEmpty())
            break;
        ctx.dialogs.inform(problem);
        options.proposed = QFileInfo(path).absolutePath() + u'/' +
                           SafeFileName(QFileInfo(path).fileName(), baseName);
    }
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + kind.suffix;
    if (QFileInfo::exists(path) &&
        !ctx.dialogs.askYesNo(QStringLiteral("Файл %1 уже существует. Заменить?").arg(path)))
        return {};
    return path;
}

QString FileNameProblem(const QString& typed) {
    static const QString kForbidden = QStringLiteral("\\:*?\"<>|");
    const QString name = typed.mid(typed.lastIndexOf(u'/') + 1);
    const bool bad = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 32 || kForbidden.contains(c);
    });
    if (!bad)
        return {};
    return QStringLiteral("Имя файла \"%1\" недопустимо: в имени не должно быть знаков "
                          "\\ : * ? \" < > |. Введите другое имя.")
        .arg(name);
}

namespace {

const Refusal kExportRefusal{"Не удается записать файл", ". Сохраните его под другим именем"};

// Writes through `write`, telling a failure of the system in the program's
// words with the name the student chose; nothing of the temporary file shows.
void WriteSaying(const QString& path, const std::function<void()>& write) {
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        throw Error(QStringLiteral("Не удается записать файл \"%1\": папка \"%2\" не найдена. "
                                   "Выберите другую папку.")
                        .arg(path, target.absolutePath())
                        .toStdString());
    try {
        write();
    } catch (const IoError& e) {
        throw Error("Не удается записать файл \"" + path.toStdString() + "\": " + Reason(e.code()) +
                    ". Сохраните его в другом месте.");
    }
}

} // namespace

void WriteExportFile(const QString& path,
                     const std::function<void(int fd, const std::string& temp)>& fill) {
    WriteSaying(path, [&] { WriteFileAtomically(path.toStdString(), kExportRefusal, fill); });
}

void WriteExportFile(const QString& path, const QByteArray& bytes) {
    WriteSaying(path, [&] {
        WriteFileAtomically(path.toStdString(),
                            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())),
                            kExportRefusal);
    });
}

} // namespace orvik
