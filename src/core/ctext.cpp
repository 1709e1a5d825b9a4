#include "ctext.h"

#include <cmath>

namespace CText {

std::string write(long double value, std::chars_format format, int precision)
{
    // 192 characters hold 120 significant digits with their exponent; the
    // fixed form of a large value may need its 4933 whole digits.
    std::string text(192, '\0');
    for (;;) {
        const auto written = std::to_chars(text.data(), text.data() + text.size(), value, format, precision);
        if (written.ec == std::errc()) {
            text.resize(static_cast<std::size_t>(written.ptr - text.data()));
            return text;
        }
        text.resize(text.size() * 4);
    }
}

int exponentOf(std::string_view scientific)
{
    std::string_view digits = scientific.substr(scientific.find('e') + 1);
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    int exponent = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    return exponent;
}

namespace {

std::string withoutTrailingZeros(std::string text)
{
    if (text.find('.') == std::string::npos)
        return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace

std::string general15(long double value, ExponentSpelling spelling)
{
    if (value == 0)
        return std::signbit(value) ? "-0" : "0";
    const std::string scientific = write(value, std::chars_format::scientific, 14);
    const std::size_t e = scientific.find('e');
    const int exponent = exponentOf(scientific);
    if (exponent < -5 || exponent >= 15) {
        // `write` spells the exponent as printf does.
        return withoutTrailingZeros(scientific.substr(0, e)) + 'E'
            + (spelling == ExponentSpelling::Printf ? scientific.substr(e + 1) : std::to_string(exponent));
    }
    return withoutTrailingZeros(write(value, std::chars_format::fixed, 14 - exponent));
}

} // namespace CText
