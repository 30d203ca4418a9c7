#include "widgets/ValueLabel.h"

#include <QEvent>
#include <QLabel>

namespace orvik {

namespace {

class SelectOnEnter : public QObject {
public:
    explicit SelectOnEnter(QLabel* label) : QObject(label), label_(label) {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Enter) {
            label_->removeEventFilter(this);
            label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
            deleteLater();
        }
        return false;
    }

private:
    QLabel* label_;
};

} // namespace

QLabel* MakeValueLabel(const QString& objectName, const QString& text, QWidget* owner) {
    auto* label = new QLabel(text, owner);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SelectableWhenPointedAt(label);
    return label;
}

void SelectableWhenPointedAt(QLabel* label) {
    if (label->textInteractionFlags() & Qt::TextSelectableByMouse)
        return;
    new SelectOnEnter(label);
}

} // namespace orvik
