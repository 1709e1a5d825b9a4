#include "numberformat.h"

#include <cmath>
#include <cstdio>

namespace {

// Replaces the C decimal point by the locale's and the exponent marker by
// the upper-case form the program shows.
QString localise(const char* text, const QLocale& locale)
{
    QString result = QString::fromLatin1(text);
    result.replace(QLatin1Char('.'), locale.decimalPoint());
    result.replace(QLatin1Char('e'), QLatin1Char('E'));
    result.replace(QLatin1Char('-'), locale.negativeSign());
    return result;
}

} // namespace

namespace NumberFormat {

QString general(long double value, int width, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QString();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*.15Lg", width, value);
    return localise(buffer, locale);
}

QString fixed(long double value, int decimals, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QString();
    if (std::fabs(value) >= 1e15L)
        return general(value, 0, locale);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    // At most 15 significant digits: digits past the fifteenth become zeros,
    // as the general form would round them.
    int significant = 0;
    bool leading = true;
    for (char* p = buffer; *p; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        if (leading && *p == '0')
            continue;
        leading = false;
        if (++significant > 15)
            *p = '0';
    }
    return localise(buffer, locale);
}

QString money(long double value, const QLocale& locale)
{
    return fixed(value, 2, locale);
}

} // namespace NumberFormat
