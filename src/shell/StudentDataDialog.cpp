#include "shell/StudentDataDialog.h"

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "widgets/Buttons.h"
#include "widgets/HintButton.h"
#include "widgets/SpinBox.h"
#include "widgets/UiContext.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace orvik {

namespace {

constexpr int kTextLength = 40;
constexpr int kFirstVariant = 1;
constexpr int kLastVariant = 10;

// The workbook's texts of the three text boxes, in the boxes' order.
constexpr std::string Workbook::*kTexts[] = {&Workbook::sStudent, &Workbook::sGroup,
                                             &Workbook::sPrepod};

// The whole text selected, for typing over it, with the cursor at its
// beginning: a long name shows its start.
void ShowStart(QLineEdit* edit) {
    const int length = static_cast<int>(edit->text().size());
    edit->setSelection(length, -length);
}

} // namespace

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    for (const QChar c : input) {
        if (c.unicode() < 0x20 || c.isSurrogate()) // a surrogate: beyond 16 bits
            return Invalid;
        const auto code = Utf8ToCp1251(QString(c).toStdString());
        if (!code || code->size() != 1)
            return Invalid;
    }
    return Acceptable;
}

StudentDataDialog::StudentDataDialog(UiContext& context)
    : LabFrame(context, QStringLiteral("TForm9"), QStringLiteral("Новая лабораторная работа"),
               QStringLiteral("Данные студента")) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(2, 1);
    auto* validator = new Cp1251Validator(this);

    // Each row: the small picture, the caption and the field.
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* field) {
        auto* icon = new QLabel(this);
        icon->setPixmap(ctx.pictures.ImageBlue);
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(icon, row, 0);
        grid->addWidget(label, row, 1);
        grid->addWidget(field, row, 2);
        ++row;
    };
    const auto textBox = [&](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(kTextLength);
        edit->setValidator(validator);
        edit->setMinimumWidth(260);
        // A longer text from a file is shown whole and may be shortened;
        // typing never takes a text beyond the limit or its length so far.
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            edit->setMaxLength(std::max(kTextLength, static_cast<int>(text.size())));
        });
        return edit;
    };
    student_ = textBox("Student");
    group_ = textBox("Group");
    prepod_ = textBox("Prepod");
    texts_ = {{{student_, {}}, {group_, {}}, {prepod_, {}}}};
    variant_ = new SpinBox(kFirstVariant, kLastVariant, 1, 0, this);
    variant_->setObjectName(QStringLiteral("Variant"));
    variant_->setValue(kFirstVariant);
    variant_->setFixedWidth(80);
    addRow(QStringLiteral("Студент"), student_);
    addRow(QStringLiteral("Группа"), group_);
    addRow(QStringLiteral("Преподаватель"), prepod_);
    addRow(QStringLiteral("Вариант"), variant_);
    grid->itemAtPosition(3, 2)->setAlignment(Qt::AlignLeft);
    content()->addLayout(grid);

    content()->addSpacing(4);
    content()->addWidget(MakeDivider(this));
    auto* buttons = new QHBoxLayout;
    auto* hint = new HintButton(ctx, HintStudentData, this);
    SetHintOf(this, hint); // F1 in any box
    buttons->addWidget(hint);
    buttons->addStretch();
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setMinimumWidth(96);
    ok_->setDefault(true); // Return confirms from any box
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(ok_);
    content()->addLayout(buttons);

    // A box reached with Tab selects its text and would scroll to its end.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const TextBox& box : texts_)
            if (now == box.edit && box.edit->hasSelectedText())
                ShowStart(box.edit);
    });
}

void StudentDataDialog::fill() {
    const Workbook& wb = ctx.state.workbook;
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        // On one line, and a byte with no letter as '?', so that the text
        // can be edited; unless it is, the workbook keeps its own bytes.
        QString text = UiContext::OneLine(UiContext::FromWorkbookText(wb.*kTexts[i]));
        text.replace(QChar::ReplacementCharacter, u'?');
        texts_[i].edit->setMaxLength(std::max(kTextLength, static_cast<int>(text.size())));
        texts_[i].edit->setText(text);
        ShowStart(texts_[i].edit);
        texts_[i].shown = text;
    }
    // A variant text that is no whole number (only an opened file can hold
    // one) is reported; the box keeps the number it had.
    const int variant = TextToInt(Cp1251ToUtf8(wb.sVar));
    variant_->setValue(std::clamp(variant, kFirstVariant, kLastVariant));
}

void StudentDataDialog::showEvent(QShowEvent* event) {
    LabFrame::showEvent(event); // disables the main window
    if (event->spontaneous())
        return;
    CentreOn(this, nullptr); // on the screen, not on the main window
    guarded([this] { fill(); });
    student_->setFocus();
    ShowStart(student_);
}

void StudentDataDialog::closed() {
    Workbook& wb = ctx.state.workbook;
    for (std::size_t i = 0; i < texts_.size(); ++i)
        if (texts_[i].edit->text() != texts_[i].shown) // only what the student changed
            wb.*kTexts[i] = UiContext::ToWorkbookText(texts_[i].edit->text());
    // A number typed beyond the limits counts as the nearest limit.
    const int variant = std::clamp(variant_->intValue(), kFirstVariant, kLastVariant);
    wb.sVar = std::to_string(variant);
    ctx.state.WorkbookModified = true;
    ctx.StudentDataChanged();
}

QAbstractButton* StudentDataDialog::closeButton() const {
    return ok_;
}

} // namespace orvik
