#include "widgets/ExportFile.h"

#include "core/AtomicFile.h"
#include "widgets/Dialogs.h"
#include "widgets/UiContext.h"

#include <QDir>
#include <QFileInfo>

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
    QString path = ctx.dialogs.chooseSaveFile(options);
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + kind.suffix;
    if (QFileInfo::exists(path) &&
        !ctx.dialogs.askYesNo(QStringLiteral("Файл %1 уже существует. Заменить?").arg(path)))
        return {};
    return path;
}

namespace {

const Refusal kExportRefusal{"Не удается записать файл", ". Сохраните его под другим именем"};

} // namespace

void WriteExportFile(const QString& path,
                     const std::function<void(int fd, const std::string& temp)>& fill) {
    WriteFileAtomically(path.toStdString(), kExportRefusal, fill);
}

void WriteExportFile(const QString& path, const QByteArray& bytes) {
    WriteFileAtomically(path.toStdString(),
                        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())),
                        kExportRefusal);
}

} // namespace orvik
