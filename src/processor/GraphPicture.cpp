#include "processor/GraphPicture.h"

#include "widgets/PictureExport.h"

#include <QPainter>

namespace orvik {

namespace {

// A picture for a document is the graph as the window shows it at 800 x 600,
// drawn at twice that scale: its texts and lines keep their proportions to
// the picture, and stay readable once the picture is made smaller on a page.
constexpr int kGraphPictureScale = 2;

PaintPicture ScaledGraph(int kind, const GraphData& data) {
    return [kind, &data](QPainter& painter, int w, int h) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kGraphPictureScale, kGraphPictureScale);
        PaintGraph(painter, w / kGraphPictureScale, h / kGraphPictureScale, kind, data);
    };
}

} // namespace

QImage GraphPicture(int kind, const GraphData& data) {
    return PaintedPicture(QSize(kGraphPictureFullWidth, kGraphPictureFullHeight),
                          ScaledGraph(kind, data));
}

QByteArray GraphPng(int kind, const GraphData& data) {
    return PngBytes(GraphPicture(kind, data));
}

QByteArray GraphSvg(int kind, const GraphData& data, const QString& title) {
    return PictureSvg(QSize(kGraphPictureFullWidth, kGraphPictureFullHeight),
                      ScaledGraph(kind, data), title);
}

} // namespace orvik
