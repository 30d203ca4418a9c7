#include "widgets/ReadOnlyGrid.h"

#include <QHeaderView>
#include <QTableWidget>

namespace orvik {

QTableWidget* MakeReadOnlyGrid(const GridShape& shape, QWidget* owner) {
    auto* grid = new QTableWidget(shape.rows, shape.columns, owner);
    if (!shape.objectName.isEmpty())
        grid->setObjectName(shape.objectName);
    const int rowHeight = shape.rowHeight > 0 ? shape.rowHeight : grid->fontMetrics().height() + 8;
    QHeaderView* rowHeader = grid->verticalHeader();
    rowHeader->hide();
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setMinimumSectionSize(rowHeight);
    rowHeader->setDefaultSectionSize(rowHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (shape.selectRows) {
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
    } else {
        grid->setSelectionMode(QAbstractItemView::NoSelection);
        grid->setFocusPolicy(Qt::NoFocus);
    }
    grid->setWordWrap(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(shape.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
    if (shape.cellAlignment)
        for (int row = 0; row < shape.rows; ++row)
            for (int col = 0; col < shape.columns; ++col) {
                auto* cell = new QTableWidgetItem;
                cell->setTextAlignment(shape.cellAlignment);
                grid->setItem(row, col, cell);
            }
    return grid;
}

} // namespace orvik
