#pragma once

#include <QLocale>
#include <QString>

// How the program shows numbers: with the given locale's decimal separator
// and never a group separator. A value that is not finite shows as empty.
namespace NumberFormat {

// Fixed-point with exactly `decimals` decimals, at most 15 significant digits
// (a value of 1e15 or more in magnitude falls back to the general form).
QString fixed(long double value, int decimals, const QLocale& locale = QLocale());

// Two decimals: the usual form of a figure.
inline QString twoDecimals(long double value, const QLocale& locale = QLocale())
{
    return fixed(value, 2, locale);
}

// The "%2.15g" form: general format, 15 significant digits, trailing zeros
// dropped, scientific only from 1e15 or below 0.00001 in magnitude, padded
// with blanks on the left to at least `width` characters.
QString general(long double value, int width = 2, const QLocale& locale = QLocale());

// A money amount with two decimals.
QString money(long double value, const QLocale& locale = QLocale());

} // namespace NumberFormat
