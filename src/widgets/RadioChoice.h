#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QGroupBox;
class QWidget;

namespace orvik {

// A titled group of radio buttons, one below the other, with ids 0, 1, ...
// in the order of their captions.
struct RadioChoice {
    QGroupBox* box = nullptr;
    QButtonGroup* buttons = nullptr;
};

// A click on a button calls `chosen` with its id (the record field's value).
RadioChoice MakeRadioChoice(const QString& title, const QString& objectName,
                            const QStringList& captions, QWidget* owner,
                            const std::function<void(int)>& chosen);

// Checks the button of `id`; an id no button has (a damaged file's value)
// leaves every button unchecked.
void SelectOrClear(QButtonGroup* buttons, int id);

} // namespace orvik
