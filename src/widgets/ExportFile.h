#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace orvik {

class UiContext;

// What an export offers in its save dialog.
struct ExportKind {
    QString title;  // of the dialog
    QString filter; // "Книга Excel (*.xlsx)"
    QString suffix; // "xlsx", without the dot
};

// A file name from the student's texts: characters a file name cannot hold
// become "_", and an empty name becomes `fallback`.
QString SafeFileName(const QString& name, const QString& fallback);

// Why a file name typed in a save dialog is refused ("" when it is not): the
// characters that Windows forbids, which a workbook or report taken to
// another computer could not keep, and the quote by which the file dialog
// would read the name as a list of names.
QString FileNameProblem(const QString& typed);

// The folder exports are proposed in: the workbook's, else the home folder.
QString ExportFolder(const UiContext& ctx);

// Asks where to save (proposing `baseName` in the export folder) and, for a
// file that exists, "Файл ... уже существует. Заменить?". Empty when the
// student cancels or declines.
QString ChooseExportFile(UiContext& ctx, const ExportKind& kind, const QString& baseName);

// Writes the export atomically with `fill` (see WriteFileAtomically): the
// file is complete or not there at all. Throws Error with the student's
// message, naming the file and why (no room, no permission, no folder, a name
// not allowed). The workbook is not touched.
void WriteExportFile(const QString& path,
                     const std::function<void(int fd, const std::string& temp)>& fill);
void WriteExportFile(const QString& path, const QByteArray& bytes);

} // namespace orvik
