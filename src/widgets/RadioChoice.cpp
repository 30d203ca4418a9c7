#include "widgets/RadioChoice.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvik {

RadioChoice MakeRadioChoice(const QString& title, const QString& objectName,
                            const QStringList& captions, QWidget* owner,
                            const std::function<void(int)>& chosen) {
    RadioChoice choice;
    choice.box = new QGroupBox(title, owner);
    choice.box->setObjectName(objectName);
    auto* items = new QVBoxLayout(choice.box);
    choice.buttons = new QButtonGroup(choice.box);
    for (int id = 0; id < captions.size(); ++id) {
        auto* item = new QRadioButton(captions[id], choice.box);
        choice.buttons->addButton(item, id);
        items->addWidget(item);
    }
    QObject::connect(choice.buttons, &QButtonGroup::idClicked, owner, chosen);
    return choice;
}

void SelectOrClear(QButtonGroup* buttons, int id) {
    if (QAbstractButton* chosen = buttons->button(id)) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked.
    buttons->setExclusive(false);
    for (QAbstractButton* item : buttons->buttons())
        item->setChecked(false);
    buttons->setExclusive(true);
}

} // namespace orvik
