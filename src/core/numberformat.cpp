#include "numberformat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
    // The C form turns to scientific notation below 0.0001; the program's
    // keeps fixed notation down to 0.00001. The exponent is that of the
    // value rounded to 15 significant digits.
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    const char* exponent = std::strchr(buffer, 'e');
    if (value != 0 && exponent && std::atoi(exponent + 1) == -5) {
        // 0.0000d…: the fifteenth significant digit is the nineteenth decimal.
        std::snprintf(buffer, sizeof buffer, "%.19Lf", value);
        std::size_t length = std::strlen(buffer);
        while (length > 0 && buffer[length - 1] == '0')
            buffer[--length] = '\0';
        if (length > 0 && buffer[length - 1] == '.')
            buffer[--length] = '\0';
        char padded[96];
        std::snprintf(padded, sizeof padded, "%*s", width, buffer);
        return localise(padded, locale);
    }
    std::snprintf(buffer, sizeof buffer, "%*.15Lg", width, value);
    return localise(buffer, locale);
}

QString fixed(long double value, int decimals, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QString();
    if (std::fabs(value) >= 1e15L)
        return general(value, 0, locale);
    // At most 15 significant digits: where the whole part leaves fewer than
    // `decimals` of them, round at the fifteenth and write zeros after it.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0Lf", std::fabs(value));
    const int wholeDigits = buffer[0] == '0' ? 0 : static_cast<int>(std::strlen(buffer));
    decimals = std::max(decimals, 0);
    const int kept = std::clamp(15 - wholeDigits, 0, decimals);
    std::snprintf(buffer, sizeof buffer, "%.*Lf", kept, value);
    std::string text = buffer;
    if (kept == 0 && decimals > 0)
        text += '.';
    text.append(static_cast<std::size_t>(decimals - kept), '0');
    return localise(text.c_str(), locale);
}

QString money(long double value, const QLocale& locale)
{
    return fixed(value, 2, locale);
}

} // namespace NumberFormat
