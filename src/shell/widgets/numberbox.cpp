#include "numberbox.h"

#include "numberformat.h"
#include "rounding.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <optional>

namespace {

// The locale a box writes its value in: its own, never with a group
// separator.
QLocale writing(const QLocale& locale)
{
    QLocale result = locale;
    result.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return result;
}

} // namespace

const TypedNumber::Reader& BoxReader::of(const QLocale& locale)
{
    if (!m_reader || m_locale != locale) {
        m_reader.emplace(locale);
        m_locale = locale;
    }
    return *m_reader;
}

NumberBox::NumberBox(const char* name, int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
{
    setObjectName(QLatin1String(name));
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    // The value stays the one the box held until what is typed is committed,
    // so that a text that is no number can give it back.
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(lineEdit(), &QLineEdit::textEdited, this, &NumberBox::userEdited);
}

QValidator::State NumberBox::validate(QString& input, int& /*pos*/) const
{
    // A number that is not a plain whole number within the limits (a
    // decimal, a grouped one, one beyond a limit) is taken while typing and
    // made the box's value when the box is committed (fixup), so that typing
    // on still counts.
    const TypedNumber::Reader& reader = m_reader.of(locale());
    const std::optional<long double> typed = reader.grouped(input);
    if (!typed)
        return reader.mayBecomeNumber(input) ? QValidator::Intermediate : QValidator::Invalid;
    const bool plain
        = *typed >= minimum() && *typed <= maximum() && input.trimmed() == textFromValue(valueFromText(input));
    return plain ? QValidator::Acceptable : QValidator::Intermediate;
}

int NumberBox::valueFromText(const QString& text) const
{
    // The nearest whole number, a half to the even neighbour; beyond a limit,
    // the limit.
    const std::optional<long double> typed = m_reader.of(locale()).grouped(text);
    if (!typed)
        return value();
    const long double limited = std::clamp<long double>(*typed, minimum(), maximum());
    return roundToInt32(limited).value_or(minimum());
}

void NumberBox::fixup(QString& input) const
{
    // Qt would otherwise take a text that is no number as 0, then the limit.
    if (TypedNumber::isBlank(input))
        input = textFromValue(minimum());
    else
        input = textFromValue(valueFromText(input));
}

void NumberBox::stepBy(int steps)
{
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before)
        emit userEdited();
}

DecimalBox::DecimalBox(const char* name, double minimum, double maximum, QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setObjectName(QLatin1String(name));
    // Qt rounds the held value to decimals(); keep as many as a double holds.
    setDecimals(15);
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false); // as a NumberBox
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DecimalBox::userEdited);
}

QString DecimalBox::textFromValue(double value) const
{
    return NumberFormat::twoDecimals(value, locale());
}

double DecimalBox::valueFromText(const QString& text) const
{
    // The shown text of the held value stands for that value, not for its
    // two-decimal rounding: committing an untouched box keeps every decimal.
    if (text.trimmed() == textFromValue(value()))
        return value();
    const std::optional<long double> typed = m_reader.of(locale()).decimal(text);
    return typed ? static_cast<double>(*typed) : value();
}

QValidator::State DecimalBox::validate(QString& input, int& /*pos*/) const
{
    const TypedNumber::Reader& reader = m_reader.of(locale());
    const std::optional<long double> typed = reader.decimal(input);
    if (!typed)
        return reader.mayBecomeNumber(input) ? QValidator::Intermediate : QValidator::Invalid;
    if (*typed < minimum() || *typed > maximum())
        return QValidator::Intermediate;
    return QValidator::Acceptable;
}

void DecimalBox::fixup(QString& input) const
{
    // Qt would otherwise take a number it cannot accept as 0, not as the
    // limit it went past, and a text that is no number as 0 too.
    if (TypedNumber::isBlank(input)) {
        input = textFromValue(minimum());
        return;
    }
    const std::optional<long double> typed = m_reader.of(locale()).decimal(input);
    if (!typed) {
        input = textFromValue(value());
        return;
    }
    const double limited = std::clamp(static_cast<double>(*typed), minimum(), maximum());
    input = writing(locale()).toString(limited, 'g', QLocale::FloatingPointShortest);
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
    // The window's own focus stands in while the window is not active, as
    // the focus it gets back when it is.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !window->isAncestorOf(focus))
        focus = window->focusWidget();
    for (; focus && focus != window; focus = focus->parentWidget()) {
        if (auto* box = qobject_cast<QAbstractSpinBox*>(focus)) {
            box->interpretText();
            return;
        }
    }
}
