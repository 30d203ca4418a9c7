#pragma once

#include "widgets/LabFrame.h"

class QTableWidget;

namespace orvik {

// TForm8: "Результаты расчетов для графиков", a selection of the curve
// points of the last curve computation as numbers. Opens from the graph
// window, which it disables while shown.
class CurveTableWindow : public LabFrame {
    Q_OBJECT
public:
    explicit CurveTableWindow(UiContext& ctx);

    // The grid: its header is grid row 0 ("п1" .. "п13"), so grid row r is
    // table row r - 1.
    QTableWidget* grid() const { return grid_; }
    // The text of grid row `row` (1..44), column `column` (0..12).
    QString cellText(int row, int column) const;

protected:
    bool prepare() override;
    QWidget* beneath() const override;

private:
    void setCell(int row, int column, const QString& text);

    QTableWidget* grid_;
};

} // namespace orvik
