#pragma once

#include <QString>

#include <functional>

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace orvik {

class AppContext;
class SpinBox;

// A spin box row as the windows' tables describe it.
struct SpinRow {
    QString caption; // may hold "\n" for a two-line caption
    double minimum;
    double maximum;
    double step;
    int decimals;
    int hint;                            // TextStore index of its "?" button; -1 for none
    std::function<void(SpinBox&)> store; // writes the box's value into the record
    QString objectName = {};
};

// Builds the rows of an input or results window into a grid of three
// columns (caption, control, "?"), so that each window reads like the table
// that defines it.
class FormRows {
public:
    FormRows(AppContext& ctx, QWidget* owner);

    QGridLayout* grid() const { return grid_; }

    SpinBox* addSpin(const SpinRow& row);
    // A control with its caption (empty: none) and "?" button (-1: none).
    void addControl(const QString& caption, QWidget* control, int hint);
    // A button spanning the caption and control columns.
    QPushButton* addButton(const QString& caption, int hint, const std::function<void()>& work);
    // A results line: caption and value label named `objectName`.
    QLabel* addValue(const QString& caption, const QString& objectName);
    // A bold section title across the grid.
    void addSection(const QString& title);
    void addDivider();

private:
    int nextRow();
    void addHint(int row, int hint);

    AppContext& ctx_;
    QWidget* owner_;
    QGridLayout* grid_;
};

} // namespace orvik
