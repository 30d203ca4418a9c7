#pragma once

class QLabel;
class QString;
class QWidget;

namespace orvik {

// A label in the bold variant of its font, `larger` points larger: a heading
// over a panel, a table or a page.
QLabel* MakeBoldLabel(const QString& text, QWidget* owner, double larger = 0);

} // namespace orvik
