#pragma once

#include "processor/Curves.h"
#include "processor/ProcessorRecord.h"

#include <QImage>
#include <QString>

namespace orvik {

// The curve data a graph is drawn from.
struct GraphData {
    const CurveTableData& table;
    const CurveResults& curves;
    QString technology; // the technology text of the title
};

// Draws curve kind `kind` (0..9) of `data` into the top-left w x h pixels of
// `bitmap` (the 1600 x 1200 GraphBitmap) and returns GraphYMax.
double DrawGraph(QImage& bitmap, int w, int h, int kind, const GraphData& data);

} // namespace orvik
