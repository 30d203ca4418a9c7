#pragma once

#include <QAbstractSpinBox>

namespace orvik {

// The lab windows' spin box, for integers (0 decimals) and reals:
// - every change of the text, typed or set, emits valueChanged with the
//   number read, even outside the limits;
// - a text that is not a number reads as the lower limit;
// - leaving the box clamps its number to the limits and rewrites the text
//   with the box's decimals (which emits valueChanged again);
// - equal limits mean no limits.
class SpinBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinBox(double minimum, double maximum, double step, int decimals, QWidget* parent = nullptr);

    double value() const;
    // The value rounded to the nearest integer, ties to even, within 32 bits.
    int intValue() const;
    void setValue(double value);

    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    double singleStep() const { return step_; }
    int decimals() const { return decimals_; }
    bool hasLimits() const { return minimum_ != maximum_; }
    // A new lower limit; the text stays until the box is left or stepped.
    void setMinimum(double minimum) { minimum_ = minimum; }

    // The number a text reads as in this box (the lower limit for a non-number).
    double readText(const QString& text) const;
    QString formatValue(double value) const;

signals:
    void valueChanged(double value);

public:
    // The text field, for tests and for windows that select its text.
    using QAbstractSpinBox::lineEdit;
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    double clamp(double value) const;
    void commit();

    double minimum_;
    double maximum_;
    double step_;
    int decimals_;
};

} // namespace orvik
