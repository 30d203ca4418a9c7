#include "widgets/SpinBox.h"

#include "widgets/RealText.h"

#include <QLineEdit>

#include <cmath>
#include <limits>

namespace orvik {

SpinBox::SpinBox(double minimum, double maximum, double step, int decimals, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum), step_(step),
      decimals_(decimals) {
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    lineEdit()->setText(formatValue(minimum));
    connect(lineEdit(), &QLineEdit::textChanged, this,
            [this](const QString& text) { emit valueChanged(readText(text)); });
    // Return in the box commits the value as leaving it does.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] { commit(); });
}

double SpinBox::readText(const QString& text) const {
    QString t = text.trimmed();
    bool ok = false;
    double v = 0;
    if (decimals_ == 0) {
        v = static_cast<double>(t.toLongLong(&ok));
    } else {
        t.replace(u',', u'.');
        // Only plain decimal notation: no exponents, no "inf" or "nan".
        for (const QChar c : t)
            if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+'))
                return minimum_;
        v = t.toDouble(&ok);
    }
    if (!ok || !std::isfinite(v))
        return minimum_;
    return v;
}

QString SpinBox::formatValue(double value) const {
    return TrimmedReal(value, decimals_);
}

double SpinBox::value() const {
    return readText(lineEdit()->text());
}

int SpinBox::intValue() const {
    const double v = std::nearbyint(value());
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

void SpinBox::setValue(double value) {
    const QString text = formatValue(value);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text); // emits valueChanged through textChanged
}

double SpinBox::clamp(double value) const {
    if (!hasLimits())
        return value;
    return value < minimum_ ? minimum_ : (value > maximum_ ? maximum_ : value);
}

void SpinBox::stepBy(int steps) {
    setValue(clamp(value() + steps * step_));
    selectAll();
}

QValidator::State SpinBox::validate(QString&, int&) const {
    return QValidator::Acceptable; // any text may be typed; it reads as a number or the minimum
}

QAbstractSpinBox::StepEnabled SpinBox::stepEnabled() const {
    if (!isEnabled() || isReadOnly())
        return StepNone;
    if (!hasLimits())
        return StepUpEnabled | StepDownEnabled;
    const double v = value();
    StepEnabled result = StepNone;
    if (v < maximum_)
        result |= StepUpEnabled;
    if (v > minimum_)
        result |= StepDownEnabled;
    return result;
}

void SpinBox::commit() {
    const double v = value();
    const double c = clamp(v);
    if (c != v || formatValue(c) != lineEdit()->text().trimmed())
        setValue(c);
}

void SpinBox::focusOutEvent(QFocusEvent* event) {
    commit();
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace orvik
