#include "numberformat.h"

#include "ctext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

QString localised(const std::string& text, const QLocale& locale)
{
    return NumberFormat::localise(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())), locale);
}

std::string padLeft(std::string text, int width)
{
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

constexpr int SignificantDigits = 15;

// A finite number written out in decimal: its significant digits, without
// leading or trailing zeros, and the power of ten of the last one.
struct DecimalDigits {
    bool negative = false;
    std::string digits; // empty for zero
    int lastPower = 0;

    int firstPower() const { return lastPower + static_cast<int>(digits.size()) - 1; }

    void dropTrailingZeros()
    {
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
            ++lastPower;
        }
        if (digits.empty())
            lastPower = 0;
    }

    // Keeps the significant digits a figure shows, rounded at the last.
    void roundToSignificant() { roundAt(firstPower() - (SignificantDigits - 1)); }

    // Drops every digit below 10^power, an exact half and more going away
    // from zero: with the digits exact, the first digit dropped decides.
    void roundAt(int power)
    {
        if (digits.empty() || power <= lastPower)
            return;
        const int kept = static_cast<int>(digits.size()) - (power - lastPower);
        const bool up = kept >= 0 && digits[static_cast<std::size_t>(kept)] >= '5';
        digits.resize(static_cast<std::size_t>(std::max(kept, 0)));
        lastPower = power;
        if (up) {
            int i = kept - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
                digits[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0)
                ++digits[static_cast<std::size_t>(i)];
            else
                digits.insert(digits.begin(), '1');
        }
        dropTrailingZeros();
    }
};

// The binary value's own decimal expansion. It is written exactly to any
// length; 120 significant digits hold all of it down to magnitudes near
// 1e-20, and below that the digits past the 120th cannot reach the
// sixteenth, which is all that rounding looks at.
DecimalDigits exactDigits(long double value)
{
    DecimalDigits result;
    result.negative = std::signbit(value);
    if (value == 0)
        return result;
    constexpr int Precision = 119;
    const std::string text = CText::write(std::fabs(value), std::chars_format::scientific, Precision);
    const std::size_t exponent = text.find('e');
    for (std::size_t i = 0; i < exponent; ++i)
        if (text[i] != '.')
            result.digits += text[i];
    result.lastPower = CText::exponentOf(text) - Precision;
    result.dropTrailingZeros();
    return result;
}

DecimalDigits tickDigits(std::int64_t ticks)
{
    DecimalDigits result;
    result.negative = ticks < 0;
    // The magnitude as unsigned, which holds that of the most negative count.
    const std::uint64_t magnitude
        = ticks < 0 ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
    if (magnitude == 0)
        return result;
    result.digits = std::to_string(magnitude);
    result.lastPower = -4; // ten-thousandths
    result.dropTrailingZeros();
    return result;
}

QString writeFixed(DecimalDigits digits, int decimals, const QLocale& locale)
{
    decimals = std::max(decimals, 0);
    digits.roundAt(-decimals);
    std::string text;
    if (digits.negative && !digits.digits.empty())
        text += '-';
    const auto digitAt = [&digits](int power) {
        const int index = digits.firstPower() - power;
        return index >= 0 && index < static_cast<int>(digits.digits.size())
            ? digits.digits[static_cast<std::size_t>(index)]
            : '0';
    };
    for (int power = std::max(digits.firstPower(), 0); power >= 0; --power)
        text += digitAt(power);
    if (decimals > 0)
        text += '.';
    for (int power = -1; power >= -decimals; --power)
        text += digitAt(power);
    return localised(text, locale);
}

} // namespace

namespace NumberFormat {

QString general(long double value, int width, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QString();
    return localised(padLeft(CText::general15(value, CText::ExponentSpelling::Printf), width), locale);
}

QString localise(QString text, const QLocale& locale)
{
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

QString fixed(long double value, int decimals, const QLocale& locale)
{
    if (!std::isfinite(value))
        return QString();
    DecimalDigits digits = exactDigits(value);
    digits.roundToSignificant();
    if (digits.firstPower() >= SignificantDigits)
        return general(value, 0, locale);
    return writeFixed(digits, decimals, locale);
}

QString money(Money amount, const QLocale& locale)
{
    // A 64-bit count of ten-thousandths stays below 10^15 units, so an
    // amount never needs the general form.
    DecimalDigits digits = tickDigits(amount.ticks());
    digits.roundToSignificant();
    return writeFixed(digits, 2, locale);
}

} // namespace NumberFormat
