#pragma once

class QLabel;
class QString;
class QWidget;

namespace orvik {

// A label in the bold variant of its font: a heading over a panel or a table.
QLabel* MakeBoldLabel(const QString& text, QWidget* owner);

} // namespace orvik
