#include "typednumber.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNegativeSign(QChar c, const QLocale& locale)
{
    return c == QLatin1Char('-') || QString(c) == locale.negativeSign();
}

bool isSign(QChar c, const QLocale& locale)
{
    return isNegativeSign(c, locale) || c == QLatin1Char('+') || QString(c) == locale.positiveSign();
}

bool isDecimalSeparator(QChar c, const QLocale& locale)
{
    return c == QLatin1Char(',') || c == QLatin1Char('.') || QString(c) == locale.decimalPoint();
}

bool isExponentMarker(QChar c)
{
    return c == QLatin1Char('e') || c == QLatin1Char('E');
}

// The locale's one-character group separator; none for a longer one.
std::optional<QChar> groupSeparator(const QLocale& locale)
{
    const QString group = locale.groupSeparator();
    if (group.size() != 1)
        return std::nullopt;
    return group.front();
}

// The digits and separators of `text` (trimmed, without its sign) with the
// group separators taken out, when they group the whole part in threes;
// nothing when the text is not grouped that way.
std::optional<QString> ungrouped(const QString& text, QChar group)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && isAsciiDigit(text.at(i)))
        ++i;
    if (i == 0 || i > 3 || text.at(0) == QLatin1Char('0') || i == n || text.at(i) != group)
        return std::nullopt;
    QString digits = text.left(i);
    while (i < n && text.at(i) == group) {
        qsizetype end = i + 1;
        while (end < n && isAsciiDigit(text.at(end)))
            ++end;
        if (end - i - 1 != 3)
            return std::nullopt;
        digits += text.mid(i + 1, 3);
        i = end;
    }
    return digits + text.mid(i);
}

// The C form of a typed decimal ("-12.5e3") from its sign and the rest,
// nothing when the rest is not digits, one separator and an exponent.
std::optional<std::string> cForm(bool negative, const QString& rest, const QLocale& locale)
{
    std::string plain = negative ? "-" : "";
    const qsizetype n = rest.size();
    qsizetype i = 0;
    int mantissaDigits = 0;
    bool separator = false;
    for (; i < n && !isExponentMarker(rest.at(i)); ++i) {
        const QChar c = rest.at(i);
        if (isAsciiDigit(c)) {
            plain += c.toLatin1();
            ++mantissaDigits;
        } else if (isDecimalSeparator(c, locale) && !separator) {
            plain += '.';
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n) {
        plain += 'e';
        ++i;
        if (i < n && isSign(rest.at(i), locale)) {
            plain += isNegativeSign(rest.at(i), locale) ? '-' : '+';
            ++i;
        }
        if (i == n)
            return std::nullopt;
        for (; i < n; ++i) {
            if (!isAsciiDigit(rest.at(i)))
                return std::nullopt;
            plain += rest.at(i).toLatin1();
        }
    }
    return plain;
}

struct Signed {
    bool negative = false;
    QString rest;
};

Signed splitSign(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && isSign(trimmed.front(), locale))
        return { isNegativeSign(trimmed.front(), locale), trimmed.mid(1) };
    return { false, trimmed };
}

std::optional<long double> read(const Signed& number, const QLocale& locale)
{
    const std::optional<std::string> plain = cForm(number.negative, number.rest, locale);
    if (!plain)
        return std::nullopt;
    // from_chars reads the C form whatever the process's C locale is.
    long double value = 0;
    const char* end = plain->data() + plain->size();
    const auto [stop, error] = std::from_chars(plain->data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

namespace TypedNumber {

std::optional<long double> decimal(const QString& text, const QLocale& locale)
{
    return read(splitSign(text, locale), locale);
}

std::optional<long double> grouped(const QString& text, const QLocale& locale)
{
    Signed number = splitSign(text, locale);
    if (const std::optional<QChar> group = groupSeparator(locale)) {
        if (std::optional<QString> digits = ungrouped(number.rest, *group))
            number.rest = *digits;
    }
    return read(number, locale);
}

bool mayBecomeNumber(const QString& text, const QLocale& locale)
{
    for (const char* more : { "", "0", "00", "000" }) {
        const QString longer = text.trimmed() + QLatin1String(more);
        if (grouped(longer, locale) || decimal(longer, locale))
            return true;
    }
    return false;
}

} // namespace TypedNumber
