#include "cp1252.h"

#include <array>

namespace {

// 0x80 to 0x9F; every other byte is the Latin-1 character of the same number.
// clang-format off
constexpr std::array<char16_t, 32> upperControls{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};
// clang-format on

} // namespace

char16_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return upperControls[byte - 0x80];
    return static_cast<char16_t>(byte);
}

QString cp1252ToString(const unsigned char* bytes, std::size_t length)
{
    QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
    for (std::size_t i = 0; i < length; ++i)
        text[static_cast<qsizetype>(i)] = QChar(cp1252ToUnicode(bytes[i]));
    return text;
}
