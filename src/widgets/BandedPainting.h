#pragma once

#include <QRectF>

#include <functional>

class QPainter;

namespace orvik {

// Qt's raster engine hands any fill of more than 95 spans (about as many
// lines of a shape) to a pool of helper threads. For the program's small
// pictures, starting and waking those threads costs more than the filling,
// at start-up above all. Drawing a large shape band by band keeps each fill
// below that size and sets exactly the same pixels.

// Runs `draw` once for each band of `area`'s lines, clipped to that band.
void InBands(QPainter& painter, const QRectF& area, const std::function<void()>& draw);

// Runs `draw`, which draws a shape within `bounds` with the painter's pen,
// in bands over the area that shape may touch.
void InBandsAround(QPainter& painter, const QRectF& bounds, const std::function<void()>& draw);

// The area a shape drawn with a pen of `penWidth` may touch: its outline,
// the pen around it and the edge pixels that antialiasing shades.
QRectF StrokedArea(const QRectF& shape, double penWidth);

} // namespace orvik
