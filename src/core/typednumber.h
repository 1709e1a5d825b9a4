#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// How the program reads a number the user typed, in a box or a prompt.
namespace TypedNumber {

// A decimal as typed: blanks around it ignored, an optional sign, digits
// with at most one decimal separator, an optional exponent (E or e, optional
// sign, digits); at least one digit, on either side of the separator ("630,"
// and ",5" are numbers). Both "," and "." are the decimal separator in every
// locale, as is the locale's own: the numeric keypad gives one or the other.
// A second separator makes no number. Read exactly, to the nearest long
// double; nothing when the text is no such number or its value is not
// finite.
std::optional<long double> decimal(const QString& text, const QLocale& locale = QLocale());

// A number typed into a whole-number box: as `decimal`, except that the
// locale's group separator between groups of exactly three digits groups
// them, as bills print amounts: "46.500" is 46500 and "1.000.000" a million
// under Spanish, "46,500" is 46500 under English. The first group has one to
// three digits and does not start with 0; a decimal separator may follow the
// last group ("46.500,7"). Any other separator is a decimal separator
// ("46.5", "46500,7").
std::optional<long double> grouped(const QString& text, const QLocale& locale = QLocale());

// A text that is a number of `grouped`'s or `decimal`'s form, or that more
// typing may still turn into one: empty, a lone sign or separator, a number
// that ends in a separator or an exponent marker ("46.", "1.000.", "1e-").
bool mayBecomeNumber(const QString& text, const QLocale& locale = QLocale());

} // namespace TypedNumber
