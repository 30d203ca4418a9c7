#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace orvik {

// The desktop's own style, drawing exactly as it does, with two changes in
// how it gets its pictures. Loading a picture file the usual way brings in
// every image-format plug-in (GIF, ICO, JPEG, SVG and their libraries),
// which the program's own windows never need:
// - the arrows of a tool bar's or a menu bar's extension button (shown only
//   when its items do not fit) are loaded when first drawn; every menu bar
//   makes that button when it is made;
// - a group box's frame, which the Fusion style draws from a PNG picture,
//   is read by the PNG reader alone.
// And a flat tool button with the focus gets a frame, so that the focus is
// seen on the main window's tool bar; Alt alone takes the keyboard to the
// menu bar, as on the desktops the students know.
class ProgramStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    bool drawGroupBoxFrame(const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const;

    mutable QPixmap groupBoxFrame_;
    mutable bool groupBoxFrameRead_ = false;
};

} // namespace orvik
