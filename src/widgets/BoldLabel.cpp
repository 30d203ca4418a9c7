#include "widgets/BoldLabel.h"

#include <QLabel>

namespace orvik {

QLabel* MakeBoldLabel(const QString& text, QWidget* owner) {
    auto* label = new QLabel(text, owner);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace orvik
