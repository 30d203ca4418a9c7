#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace orvik {

class UiContext;

// A picture painted by `paint` onto a white w x h area.
using PaintPicture = std::function<void(QPainter&, int w, int h)>;

// The picture as a w x h image, and as PNG.
QImage PaintedPicture(QSize size, const PaintPicture& paint);
QByteArray PngBytes(const QImage& picture);
// The picture as SVG vector drawing of w x h pixels, titled `title`.
QByteArray PictureSvg(QSize size, const PaintPicture& paint, const QString& title);

// A picture's two file forms, made when asked for.
struct PictureFiles {
    std::function<QByteArray()> png;
    std::function<QByteArray()> svg;
};

// Asks for a PNG or SVG file (proposed as `baseName`) and writes the picture
// into it; the suffix chosen decides the form, in any case of its letters.
// The window of `owner` then tells where the file went.
void SavePicture(UiContext& ctx, QWidget* owner, const QString& baseName,
                 const PictureFiles& files);
// Puts the picture on the clipboard.
void CopyPicture(const QImage& picture);

} // namespace orvik
