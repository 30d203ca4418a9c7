#include "widgets/FormRows.h"

#include "widgets/BoldLabel.h"
#include "widgets/Buttons.h"
#include "widgets/Fonts.h"
#include "widgets/HintButton.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"
#include "widgets/ValueLabel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace orvik {

std::function<void(SpinBox&)> StoreInt(std::int32_t& field) {
    return [&field](SpinBox& box) { field = box.intValue(); };
}

std::function<void(SpinBox&)> StoreReal(double& field) {
    return [&field](SpinBox& box) { field = box.value(); };
}

FormRows::FormRows(UiContext& ctx, QWidget* owner)
    : ctx_(ctx), owner_(owner), grid_(new QGridLayout) {
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(6);
    grid_->setColumnStretch(0, 1);
}

int FormRows::nextRow() {
    return grid_->rowCount();
}

void FormRows::addHint(int row, HelpText hint, QWidget* control) {
    if (hint == NoHint)
        return;
    auto* button = new HintButton(ctx_, hint, owner_);
    SetHintOf(control, button);
    grid_->addWidget(button, row, 2, Qt::AlignCenter);
}

SpinBox* FormRows::addSpin(const SpinRow& row) {
    auto* box = new SpinBox(row.minimum, row.maximum, row.step, row.decimals, owner_);
    if (!row.objectName.isEmpty())
        box->setObjectName(row.objectName);
    box->setMinimumWidth(90);
    box->setAlignment(Qt::AlignRight);
    if (row.store)
        QObject::connect(box, &SpinBox::valueChanged, owner_,
                         [box, store = row.store](double) { store(*box); });
    addControl(row.caption, box, row.hint);
    return box;
}

void FormRows::addControl(const QString& caption, QWidget* control, HelpText hint) {
    const int row = nextRow();
    if (!caption.isEmpty()) {
        auto* label = new QLabel(caption, owner_);
        label->setBuddy(control);
        grid_->addWidget(label, row, 0);
        grid_->addWidget(control, row, 1);
    } else {
        grid_->addWidget(control, row, 0, 1, 2);
    }
    addHint(row, hint, control);
}

RadioChoice FormRows::addRadioChoice(const QString& title, const QString& objectName,
                                     const QStringList& captions, HelpText hint,
                                     const std::function<void(int)>& chosen) {
    const RadioChoice choice = MakeRadioChoice(title, objectName, captions, owner_, chosen);
    addControl(QString(), choice.box, hint);
    return choice;
}

QPushButton* FormRows::addButton(const QString& caption, HelpText hint,
                                 const std::function<void()>& work) {
    // Windows build their rows with a FormRows that lives only in their
    // constructor: the click must not reach back into it.
    QPushButton* button = MakeButton(ctx_, caption, owner_, work);
    const int row = nextRow();
    grid_->addWidget(button, row, 0, 1, 2);
    addHint(row, hint, button);
    return button;
}

QPushButton* FormRows::addClose(const std::function<void()>& close) {
    return addButton(QStringLiteral("Закрыть"), NoHint, close);
}

QLabel* FormRows::addValue(const QString& caption, const QString& objectName) {
    QLabel* value = MakeValueLabel(objectName, QStringLiteral("0"), owner_);
    value->setMinimumWidth(110);
    value->setFont(QFont(FixedFamily(), 10));
    const int row = nextRow();
    grid_->addWidget(new QLabel(caption, owner_), row, 0);
    grid_->addWidget(value, row, 1);
    return value;
}

void FormRows::addSection(const QString& title) {
    grid_->addWidget(MakeBoldLabel(title, owner_), nextRow(), 0, 1, 3);
}

void FormRows::addDivider() {
    grid_->addWidget(MakeDivider(owner_), nextRow(), 0, 1, 3);
}

} // namespace orvik
