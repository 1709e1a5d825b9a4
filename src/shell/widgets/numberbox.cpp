#include "numberbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

NumberBox::NumberBox(QWidget* parent)
    : QSpinBox(parent)
{
    connect(lineEdit(), &QLineEdit::textEdited, this, &NumberBox::userEdited);
}

namespace {

// The typed whole number, when the text is one (of any size a 64-bit
// integer holds).
std::optional<qlonglong> typedWholeNumber(const QLocale& locale, const QString& input)
{
    bool ok = false;
    const qlonglong value = locale.toLongLong(input.trimmed(), &ok);
    return ok ? std::optional<qlonglong>(value) : std::nullopt;
}

} // namespace

QValidator::State NumberBox::validate(QString& input, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid)
        return state;
    const std::optional<qlonglong> typed = typedWholeNumber(locale(), input);
    return typed && *typed > maximum() ? QValidator::Intermediate : state;
}

void NumberBox::fixup(QString& input) const
{
    const std::optional<qlonglong> typed = typedWholeNumber(locale(), input);
    if (typed && (*typed > maximum() || *typed < minimum()))
        input = QString::number(std::clamp<qlonglong>(*typed, minimum(), maximum()));
    else
        QSpinBox::fixup(input);
}

void NumberBox::stepBy(int steps)
{
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before)
        emit userEdited();
}

DecimalBox::DecimalBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    // Qt rounds the held value to decimals(); keep as many as a double holds.
    setDecimals(15);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DecimalBox::userEdited);
}

QString DecimalBox::textFromValue(double value) const
{
    return locale().toString(value, 'f', 2);
}

double DecimalBox::valueFromText(const QString& text) const
{
    // The shown text of the held value stands for that value, not for its
    // two-decimal rounding: committing an untouched box keeps every decimal.
    if (text.trimmed() == textFromValue(value()))
        return value();
    bool ok = false;
    const double value = locale().toDouble(text.trimmed(), &ok);
    return ok ? value : this->value();
}

QValidator::State DecimalBox::validate(QString& input, int& /*pos*/) const
{
    const QString text = input.trimmed();
    if (text.isEmpty() || text == QString(locale().decimalPoint()) || text == QString(locale().negativeSign()))
        return QValidator::Intermediate;
    if (text.contains(locale().groupSeparator()))
        return QValidator::Invalid;
    bool ok = false;
    const double value = locale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return QValidator::Invalid;
    if (value < minimum() || value > maximum())
        return QValidator::Intermediate;
    return QValidator::Acceptable;
}

void DecimalBox::fixup(QString& input) const
{
    // Qt would otherwise take a number it cannot accept as 0, not as the
    // limit it went past.
    bool ok = false;
    const double value = locale().toDouble(input.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return;
    input = locale().toString(std::clamp(value, minimum(), maximum()), 'g', QLocale::FloatingPointShortest);
}

void DecimalBox::stepBy(int steps)
{
    const double before = value();
    QDoubleSpinBox::stepBy(steps);
    if (value() != before)
        emit userEdited();
}

void commitTypedNumber(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    while (focus && focus != window) {
        if (auto* box = qobject_cast<QAbstractSpinBox*>(focus)) {
            if (window->isAncestorOf(box))
                box->interpretText();
            return;
        }
        focus = focus->parentWidget();
    }
}
