#pragma once

#include "widgets/LabFrame.h"

#include <QValidator>

#include <array>

class QLineEdit;
class QPushButton;

namespace orvik {

class SpinBox;

// Accepts only texts whose every character has a Windows-1251 code, so that
// a student text saved in the workbook reads back identical.
class Cp1251Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// TForm9: edits the four student texts of the workbook. Closing it, by
// "OK" or otherwise, stores them and marks the workbook modified.
class StudentDataDialog : public LabFrame {
    Q_OBJECT
public:
    explicit StudentDataDialog(UiContext& ctx);

protected:
    void showEvent(QShowEvent* event) override;
    void closed() override;
    // "OK": the dialog stores the data however it closes.
    QAbstractButton* closeButton() const override;

private:
    void fill();

    QLineEdit* student_ = nullptr;
    QLineEdit* group_ = nullptr;
    QLineEdit* prepod_ = nullptr;
    SpinBox* variant_ = nullptr;
    QPushButton* ok_ = nullptr;
    // The three text boxes with the texts they were filled with.
    struct TextBox {
        QLineEdit* edit;
        QString shown;
    };
    std::array<TextBox, 3> texts_{};
};

} // namespace orvik
