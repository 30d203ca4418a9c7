#include "processor/GraphPicture.h"

#include "widgets/PictureExport.h"

#include <QPainter>

namespace orvik {

QImage GraphPicture(int kind, const GraphData& data) {
    QImage picture(kGraphPictureFullWidth, kGraphPictureFullHeight, QImage::Format_RGB32);
    DrawGraph(picture, picture.width(), picture.height(), kind, data);
    return picture;
}

QByteArray GraphPng(int kind, const GraphData& data) {
    return PngBytes(GraphPicture(kind, data));
}

QByteArray GraphSvg(int kind, const GraphData& data, const QString& title) {
    return PictureSvg(
        QSize(kGraphPictureFullWidth, kGraphPictureFullHeight),
        [&](QPainter& painter, int w, int h) { PaintGraph(painter, w, h, kind, data); }, title);
}

} // namespace orvik
