#include "winansi.h"

#include <QList>

namespace pdf {

namespace {

// Code page 1252 puts typographic characters where ISO 8859-1 has its C1
// controls (0x80 to 0x9F); 0x81, 0x8D, 0x8F, 0x90 and 0x9D are unassigned.
struct HighByte {
    char32_t unicode;
    unsigned char byte;
};
// clang-format off
constexpr HighByte HighBytes[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};
// clang-format on

// The code page's byte for a character, or 0 when it has none.
unsigned char winAnsiByte(char32_t c)
{
    if ((c > 0 && c < 0x80) || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (const HighByte& high : HighBytes) {
        if (high.unicode == c)
            return high.byte;
    }
    return 0;
}

char toWinAnsiByte(char32_t c)
{
    if (c == 0)
        return '\0';
    const unsigned char byte = winAnsiByte(c);
    return byte ? static_cast<char>(byte) : '?';
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

bool isWinAnsi(const QString& text)
{
    for (const QChar c : text) {
        // A surrogate is half of a character outside the code page.
        if (c.unicode() >= 0x80 && (c.isSurrogate() || winAnsiByte(c.unicode()) == 0))
            return false;
    }
    return true;
}

} // namespace pdf
