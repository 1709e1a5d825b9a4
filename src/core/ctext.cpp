#include "ctext.h"

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

} // namespace CText
