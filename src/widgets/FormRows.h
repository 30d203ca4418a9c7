#pragma once

#include "widgets/HelpText.h"
#include "widgets/RadioChoice.h"

#include <QString>

#include <cstdint>
#include <functional>

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace orvik {

class UiContext;
class SpinBox;

// One spin-box row of an input window, written with designated initialisers:
//     {.caption = "Время выборки, нс", .minimum = 5, .maximum = 500, .step = 10,
//      .hint = HintAccessTime, .store = StoreInt(memory.AccessTime)}
struct SpinRow {
    QString caption; // may hold "\n" for a two-line caption
    double minimum = 0;
    double maximum = 0; // equal limits: no limits
    double step = 1;
    int decimals = 0;
    HelpText hint = NoHint;              // its "?" button
    std::function<void(SpinBox&)> store; // writes the box's value into the record
    QString objectName = {};
};

// Writers for SpinRow::store: the box's value, rounded for a whole-number field.
std::function<void(SpinBox&)> StoreInt(std::int32_t& field);
std::function<void(SpinBox&)> StoreReal(double& field);

// Builds the rows of an input or results window into a grid of three
// columns (caption, control, "?"), so that each window reads like the table
// that defines it.
class FormRows {
public:
    FormRows(UiContext& ctx, QWidget* owner);

    QGridLayout* grid() const { return grid_; }

    SpinBox* addSpin(const SpinRow& row);
    // A control with its caption (empty: none) and "?" button.
    void addControl(const QString& caption, QWidget* control, HelpText hint = NoHint);
    // A radio group across the caption and control columns (see RadioChoice.h).
    RadioChoice addRadioChoice(const QString& title, const QString& objectName,
                               const QStringList& captions, HelpText hint,
                               const std::function<void(int)>& chosen);
    // A button spanning the caption and control columns.
    QPushButton* addButton(const QString& caption, HelpText hint,
                           const std::function<void()>& work);
    // The "Закрыть" button as the last row.
    QPushButton* addClose(const std::function<void()>& close);
    // A results line: caption and value label named `objectName`.
    QLabel* addValue(const QString& caption, const QString& objectName);
    // A bold section title across the grid.
    void addSection(const QString& title);
    void addDivider();

private:
    int nextRow();
    // The row's "?", explaining `control`.
    void addHint(int row, HelpText hint, QWidget* control);

    UiContext& ctx_;
    QWidget* owner_;
    QGridLayout* grid_;
};

} // namespace orvik
