#include "widgets/PictureExport.h"

#include "widgets/ExportFile.h"
#include "widgets/SavedNotice.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace orvik {

QImage PaintedPicture(QSize size, const PaintPicture& paint) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(painter, size.width(), size.height());
    return picture;
}

QByteArray PngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray PictureSvg(QSize size, const PaintPicture& paint, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(title);
    QPainter painter(&svg);
    paint(painter, size.width(), size.height());
    painter.end();
    // The picture's size in pixels, as every reader takes it (the generator
    // gives millimetres, which readers turn into pixels at differing rates).
    const qsizetype svgAt = bytes.indexOf("<svg");
    const qsizetype headEnd = bytes.indexOf('>', svgAt);
    if (svgAt >= 0 && headEnd > svgAt) {
        static const QRegularExpression sizeAttribute(QStringLiteral(" (width|height)=\"[^\"]*\""));
        QString head = QString::fromUtf8(bytes.mid(svgAt, headEnd - svgAt));
        head.replace(sizeAttribute, QString());
        head += QStringLiteral(" width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height());
        bytes.replace(svgAt, headEnd - svgAt, head.toUtf8());
    }
    return bytes;
}

void SavePicture(UiContext& ctx, QWidget* owner, const QString& baseName,
                 const PictureFiles& files) {
    const QString path = ChooseExportFile(
        ctx,
        {QStringLiteral("Сохранить рисунок"),
         QStringLiteral("Рисунок PNG (*.png);;Рисунок SVG (*.svg)"), QStringLiteral("png")},
        baseName);
    if (path.isEmpty())
        return;
    const bool svg =
        QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
    WriteExportFile(path, svg ? files.svg() : files.png());
    ShowSavedNotice(owner, path);
}

void CopyPicture(const QImage& picture) {
    QApplication::clipboard()->setImage(picture);
}

} // namespace orvik
