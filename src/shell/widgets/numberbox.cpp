#include "numberbox.h"

#include "rounding.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

bool isDecimalSeparator(QChar c, const QLocale& locale)
{
    return c == QLatin1Char(',') || c == QLatin1Char('.') || QString(c) == locale.decimalPoint();
}

bool hasDecimalSeparator(const QString& text, const QLocale& locale)
{
    return std::any_of(text.cbegin(), text.cend(), [&](QChar c) { return isDecimalSeparator(c, locale); });
}

// A text that more typing can still turn into a number: nothing yet, a sign,
// a separator.
bool isNumberStart(const QString& text, const QLocale& locale)
{
    QString rest = text;
    if (rest.startsWith(locale.negativeSign()) || rest.startsWith(locale.positiveSign()))
        rest.remove(0, 1);
    return rest.isEmpty() || (rest.size() == 1 && isDecimalSeparator(rest.front(), locale));
}

// The number typed into a box. Either "," or "." is the decimal separator in
// every locale, as is the locale's own: the numeric keypad gives one or the
// other, and no box ever shows a thousands separator, so neither can stand
// for one. Digits may be missing on either side of the separator ("630,",
// ",5"); an exponent is accepted.
std::optional<double> typedNumber(const QString& input, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    QString text;
    for (QChar c : input.trimmed())
        text += isDecimalSeparator(c, locale) ? point : QString(c);
    if (text.endsWith(point))
        text += QLatin1Char('0');
    QLocale reading = locale;
    reading.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = reading.toDouble(text, &ok);
    if (!ok) // ",5": the digit before the separator left out
        value = reading.toDouble(text.replace(point, QLatin1Char('0') + point), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

NumberBox::NumberBox(const char* name, int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
{
    setObjectName(QLatin1String(name));
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(lineEdit(), &QLineEdit::textEdited, this, &NumberBox::userEdited);
}

QValidator::State NumberBox::validate(QString& input, int& pos) const
{
    // A decimal is rounded only when the box is committed (fixup), so that
    // typing on after the separator still counts.
    const QString text = input.trimmed();
    if (hasDecimalSeparator(text, locale())) {
        if (isNumberStart(text, locale()))
            return QValidator::Intermediate;
        return typedNumber(text, locale()) ? QValidator::Intermediate : QValidator::Invalid;
    }
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid)
        return state;
    const std::optional<double> typed = typedNumber(text, locale());
    return typed && *typed > maximum() ? QValidator::Intermediate : state;
}

void NumberBox::fixup(QString& input) const
{
    // The nearest whole number, a half to the even neighbour; beyond a limit,
    // the limit.
    const std::optional<double> typed = typedNumber(input, locale());
    if (!typed) {
        QSpinBox::fixup(input);
        return;
    }
    const double limited = std::clamp(*typed, static_cast<double>(minimum()), static_cast<double>(maximum()));
    input = textFromValue(roundToInt32(limited).value_or(minimum()));
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
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    return typedNumber(text, locale()).value_or(value());
}

QValidator::State DecimalBox::validate(QString& input, int& /*pos*/) const
{
    const QString text = input.trimmed();
    if (isNumberStart(text, locale()))
        return QValidator::Intermediate;
    const std::optional<double> typed = typedNumber(text, locale());
    if (!typed)
        return QValidator::Invalid;
    if (*typed < minimum() || *typed > maximum())
        return QValidator::Intermediate;
    return QValidator::Acceptable;
}

void DecimalBox::fixup(QString& input) const
{
    // Qt would otherwise take a number it cannot accept as 0, not as the
    // limit it went past.
    const std::optional<double> typed = typedNumber(input, locale());
    if (!typed)
        return;
    input = locale().toString(std::clamp(*typed, minimum(), maximum()), 'g', QLocale::FloatingPointShortest);
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
