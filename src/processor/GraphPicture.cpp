#include "processor/GraphPicture.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace orvik {

QImage GraphPicture(int kind, const GraphData& data) {
    QImage picture(kGraphPictureFullWidth, kGraphPictureFullHeight, QImage::Format_RGB32);
    DrawGraph(picture, picture.width(), picture.height(), kind, data);
    return picture;
}

QByteArray GraphPng(int kind, const GraphData& data) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    GraphPicture(kind, data).save(&buffer, "PNG");
    return bytes;
}

QByteArray GraphSvg(int kind, const GraphData& data, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kGraphPictureFullWidth, kGraphPictureFullHeight));
    svg.setViewBox(QRect(0, 0, kGraphPictureFullWidth, kGraphPictureFullHeight));
    svg.setResolution(96);
    svg.setTitle(title);
    QPainter painter(&svg);
    PaintGraph(painter, kGraphPictureFullWidth, kGraphPictureFullHeight, kind, data);
    painter.end();
    // The picture's size in pixels, as every reader takes it (the generator
    // gives millimetres, which readers turn into pixels at differing rates).
    const qsizetype svgAt = bytes.indexOf("<svg");
    const qsizetype headEnd = bytes.indexOf('>', svgAt);
    if (svgAt >= 0 && headEnd > svgAt) {
        QByteArray head = bytes.mid(svgAt, headEnd - svgAt);
        static const QRegularExpression size(QStringLiteral(" (width|height)=\"[^\"]*\""));
        QString text = QString::fromUtf8(head);
        text.replace(size, QString());
        text += QStringLiteral(" width=\"%1\" height=\"%2\"")
                    .arg(kGraphPictureFullWidth)
                    .arg(kGraphPictureFullHeight);
        bytes.replace(svgAt, headEnd - svgAt, text.toUtf8());
    }
    return bytes;
}

} // namespace orvik
