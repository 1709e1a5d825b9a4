#include "winansi.h"

#include <QList>

#include <array>
#include <cstdint>

namespace pdf {

namespace {

// Code page 1252 puts typographic characters where ISO 8859-1 has its C1
// controls (0x80 to 0x9F); five of those bytes are unassigned (0).
constexpr std::array<char32_t, 32> HighControlRow = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char toWinAnsiByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControlRow.size(); ++i) {
        if (HighControlRow[i] != 0 && HighControlRow[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray toWinAnsi(const QString& text)
{
    QByteArray result;
    const QList<uint> codePoints = text.toUcs4();
    result.reserve(codePoints.size());
    for (uint c : codePoints)
        result.append(toWinAnsiByte(c));
    return result;
}

} // namespace pdf
