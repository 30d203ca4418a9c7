#include "widgets/ValueLabel.h"

#include <QEvent>
#include <QLabel>

namespace orvik {

namespace {

// Makes its label selectable at the label's first Enter event, then goes.
class SelectOnEnter : public QObject {
public:
    explicit SelectOnEnter(QLabel* label) : QObject(label), label_(label) {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Enter) {
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
    new SelectOnEnter(label);
    return label;
}

} // namespace orvik
