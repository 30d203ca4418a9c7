#pragma once

class QLabel;
class QString;
class QWidget;

namespace orvik {

// A computed value: right-aligned, its text selectable with the mouse. A
// selectable label keeps a text document of its own, tens of kilobytes, and
// the windows hold about a hundred values; so the label becomes selectable
// when the pointer first comes over it, before any click can reach it.
QLabel* MakeValueLabel(const QString& objectName, const QString& text, QWidget* owner);

} // namespace orvik
