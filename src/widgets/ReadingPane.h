#pragma once

#include <QString>

#include <string>

class QPlainTextEdit;
class QWidget;

namespace orvik {

// The read-only pane the program's longer texts are read in (the hints and
// the task texts): fixed-pitch letters, since the texts line up tables in
// columns; lines wrapped at the pane's width; the scroll bar always there.
QPlainTextEdit* MakeReadingPane(QWidget* parent);

// `text` in the pane, scrolled to its first line.
void ShowFromTop(QPlainTextEdit* pane, const QString& text);

// A text of the data file (Windows-1251, lines broken with CR LF or CR) with
// its lines broken as Qt breaks them.
QString ReadingText(const std::string& cp1251);

} // namespace orvik
