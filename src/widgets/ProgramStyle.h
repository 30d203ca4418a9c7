#pragma once

#include <QProxyStyle>

namespace orvik {

// The desktop's own style with one change: the arrows of a tool bar's or a
// menu bar's extension button (shown only when its items do not fit) are
// loaded when first drawn. Every menu bar makes that button when it is made,
// and the arrows are picture files whose loading brings in every image-format
// plug-in, which the main window otherwise never needs at start.
class ProgramStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace orvik
