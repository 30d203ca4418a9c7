#pragma once

#include <QString>

class QWidget;

namespace orvik {

// Tells, for a few seconds and without a click, that an export was written
// and where: a line "Сохранено в файл: ..." along the bottom of the window
// that `inWindow` belongs to. A later notice replaces an earlier one.
void ShowSavedNotice(QWidget* inWindow, const QString& path);

} // namespace orvik
