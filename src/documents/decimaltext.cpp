#include "decimaltext.h"

#include "ctext.h"

#include <algorithm>
#include <limits>

namespace DecimalText {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// magnitude × 10 + digit, refusing anything above `limit`.
bool appendDigit(std::uint64_t& magnitude, int digit, std::uint64_t limit)
{
    if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / 10)
        return false;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(digit);
    return true;
}

} // namespace

std::optional<std::int64_t> toTicks(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }

    // value = digits × 10^exponent
    std::string digits;
    long long exponent = 0;
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        digits += text[i];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            digits += text[i];
            --exponent;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i >= text.size() || !isDigit(text[i]))
            return std::nullopt;
        // Saturates far beyond any exponent that could still matter.
        long long written = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            written = std::min<long long>(written * 10 + (text[i] - '0'), 1'000'000'000LL);
        exponent += negativeExponent ? -written : written;
    }
    if (i != text.size())
        return std::nullopt;

    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    digits.erase(0, first);
    const std::size_t last = digits.find_last_not_of('0');
    exponent += static_cast<long long>(digits.size() - 1 - last);
    digits.erase(last + 1);

    const std::uint64_t limit = negative ? std::uint64_t { 1 } << 63 : (std::uint64_t { 1 } << 63) - 1;
    const long long shift = exponent + 4; // ten-thousandths
    std::uint64_t magnitude = 0;
    if (shift >= 0) {
        if (shift > 19)
            return std::nullopt;
        for (char c : digits) {
            if (!appendDigit(magnitude, c - '0', limit))
                return std::nullopt;
        }
        for (long long n = 0; n < shift; ++n) {
            if (!appendDigit(magnitude, 0, limit))
                return std::nullopt;
        }
    } else {
        const auto dropped = static_cast<std::size_t>(-shift);
        const std::size_t kept = digits.size() > dropped ? digits.size() - dropped : 0;
        for (std::size_t n = 0; n < kept; ++n) {
            if (!appendDigit(magnitude, digits[n] - '0', limit))
                return std::nullopt;
        }
        // The dropped part is digits[kept...], preceded by zeros when the
        // number has fewer digits than are dropped; trailing zeros are gone,
        // so a dropped part longer than one digit is never all zeros.
        if (dropped <= digits.size()) {
            const char lead = digits[kept];
            const bool moreAfterLead = digits.size() - kept > 1;
            const bool up = lead > '5' || (lead == '5' && (moreAfterLead || magnitude % 2 == 1));
            if (up) {
                if (magnitude >= limit)
                    return std::nullopt;
                ++magnitude;
            }
        }
    }
    if (negative)
        return magnitude == (std::uint64_t { 1 } << 63) ? std::numeric_limits<std::int64_t>::min()
                                                        : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(magnitude);
}

float ticksToFloat(std::int64_t ticks)
{
    return static_cast<float>(static_cast<long double>(ticks) / 10000.0L);
}

std::string general15(float value)
{
    // The file holds no minus zero.
    if (value == 0.0f)
        return "0";
    return CText::general15(value, CText::ExponentSpelling::Shortest); // widened exactly
}

} // namespace DecimalText
