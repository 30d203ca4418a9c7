#pragma once

#include <QString>

#include <Qt>

class QTableWidget;
class QWidget;

namespace orvik {

// What tells the read-only grids of the results windows apart.
struct GridShape {
    int rows = 0;
    int columns = 0;
    QString objectName = {};
    int rowHeight = 0;                // 0: the grid's font height plus 8
    bool selectRows = false;          // whole rows selectable; otherwise no selection, no focus
    bool verticalScrollBar = false;   // always shown; never a horizontal one
    Qt::Alignment cellAlignment = {}; // when set, every cell gets an empty item so aligned
};

// A grid the student reads but cannot edit: no row header, fixed row
// heights, no word wrap.
QTableWidget* MakeReadOnlyGrid(const GridShape& shape, QWidget* owner);

} // namespace orvik
