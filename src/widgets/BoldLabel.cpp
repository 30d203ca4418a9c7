#include "widgets/BoldLabel.h"

#include <QLabel>

namespace orvik {

QLabel* MakeBoldLabel(const QString& text, QWidget* owner, double larger) {
    auto* label = new QLabel(text, owner);
    QFont f = label->font();
    f.setBold(true);
    if (larger != 0)
        f.setPointSizeF(f.pointSizeF() + larger);
    label->setFont(f);
    return label;
}

} // namespace orvik
