#pragma once

#include "processor/Curves.h"
#include "processor/ProcessorRecord.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <optional>

namespace orvik {

// The curve data a graph is drawn from.
struct GraphData {
    const CurveTableData& table;
    const CurveResults& curves;
    QString technology; // the technology text of the title
};

// One curve kind (GraphKind 0..9): what the menu, the drawing and the mouse
// readout show for it.
struct GraphKindInfo {
    const char* menuItem;      // item of the menu "Графики"
    const char* verticalTitle; // title of the vertical axis
    const char* readoutLabel;  // name of the value in the mouse readout
    int decimals;              // decimals of the vertical scale
    bool allSets;              // draws (and scales to) sets 0, 1 and 2, else set 1 alone
    bool area;                 // plotted against the chip area, else against МЛР
};

inline constexpr int kGraphKindCount = 10;
extern const std::array<GraphKindInfo, kGraphKindCount> GraphKinds;

// The kind's description; nullptr for a kind outside 0..9.
const GraphKindInfo* GraphKindAt(int kind);

// The plotted value of a point: kinds 0..7 the kind's field of CurveTable row
// `row` of set `set`; kinds 8 and 9 that of AreaCurveTable row `set` (the
// point is ignored). 0 for any other kind or an index out of range.
double CurveValue(int kind, const GraphData& data, int set, int row);

// The largest value of a set over its rows with good chips (kinds 0..7), or
// over all ten area rows (kinds 8 and 9, whatever the set); 0 when none.
double CurveMax(int kind, const GraphData& data, int set);

// The graphs' font: Arial at a size in pixels, as the window system draws.
QFont GraphFont(int pixels, bool bold, bool underline = false);

// Draws curve kind `kind` (0..9) of `data` into the top-left w x h pixels of
// `bitmap` (the 1600 x 1200 GraphBitmap) and returns GraphYMax.
double DrawGraph(QImage& bitmap, int w, int h, int kind, const GraphData& data);

// The same drawing as vector lines and text on any painter (a report page,
// an SVG file), in its coordinates from (0, 0) to (w, h); returns GraphYMax.
double PaintGraph(QPainter& painter, int w, int h, int kind, const GraphData& data);

// How far right of its place the plot of `kind` is drawn when its scale
// tops at graphYMax: 0, unless a label of the vertical scale is so wide that
// it would reach the ticks; then the plot moves right by the difference and
// narrows by as much (a readout then takes x and the width less the shift).
int PlotShift(int kind, double graphYMax);

// The mouse readout over a w x h graph at pointer (x, y): the horizontal text
// ("МЛР =" or "Пл.Кр. =" with the value) and the vertical text (the kind's
// label with the value), each only when the pointer is within its scale.
std::optional<QString> HorizontalReadout(int kind, double mlrSweepStart, int w, int x);
std::optional<QString> VerticalReadout(int kind, double graphYMax, int h, int y);

} // namespace orvik
