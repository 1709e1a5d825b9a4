#pragma once

#include "money.h"

#include <QLocale>
#include <QString>

// How the program shows numbers: with the given locale's decimal separator
// and never a group separator. A value that is not finite shows as empty.
namespace NumberFormat {

// Fixed-point with exactly `decimals` decimals. The value is first taken to
// its 15 significant decimal digits, then rounded to `decimals`, each step
// with an exact half going away from zero: so 2.675, whose binary neighbour
// lies just below the half, reads 2.68 like the decimal it stands for. Where
// the whole part leaves fewer than `decimals` of the 15 digits, zeros follow
// them; a value that reaches 1e15 in magnitude falls back to the general
// form. A figure that rounds to zero shows no minus sign.
QString fixed(long double value, int decimals, const QLocale& locale = QLocale());

// Two decimals: the usual form of a figure.
inline QString twoDecimals(long double value, const QLocale& locale = QLocale())
{
    return fixed(value, 2, locale);
}

// A money amount with two decimals, by the same rule as `fixed`, taken from
// its exact count of ten-thousandths rather than from a binary value.
QString money(Money amount, const QLocale& locale = QLocale());

// The "%2.15g" form: general format, 15 significant digits, trailing zeros
// dropped, scientific only from 1e15 or below 0.00001 in magnitude ("1E+15",
// "9E-06"), padded with blanks on the left to at least `width` characters.
QString general(long double value, int width = 2, const QLocale& locale = QLocale());

// A number's C text in the locale's form: its decimal point and minus signs
// (the exponent's too) replaced by the locale's, nothing else changed (no
// group separator added, the digits and the exponent marker as they are).
QString localise(QString text, const QLocale& locale);

} // namespace NumberFormat
