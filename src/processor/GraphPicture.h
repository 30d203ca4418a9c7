#pragma once

#include "processor/DrawGraph.h"

#include <QByteArray>
#include <QImage>

namespace orvik {

// The graph as a picture for a document, at the full size of GraphBitmap,
// its texts and lines scaled with it.
inline constexpr int kGraphPictureFullWidth = 1600;
inline constexpr int kGraphPictureFullHeight = 1200;

// The graph of curve kind `kind` drawn into a picture of its own.
QImage GraphPicture(int kind, const GraphData& data);
// The same as PNG file bytes.
QByteArray GraphPng(int kind, const GraphData& data);
// The same graph as an SVG file: vector lines and text by the same drawing.
QByteArray GraphSvg(int kind, const GraphData& data, const QString& title);

} // namespace orvik
