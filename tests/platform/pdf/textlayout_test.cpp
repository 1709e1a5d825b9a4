#include "fontlocator.h"
#include "textlayout.h"
#include "winansi.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pdf;

namespace {

// Every character 5 pt wide: "uno dos" is 35 pt.
double fixedWidth(const QString& text)
{
    return 5.0 * static_cast<double>(text.size());
}

std::vector<QString> lines(std::initializer_list<const char*> texts)
{
    std::vector<QString> result;
    for (const char* text : texts)
        result.push_back(QString::fromUtf8(text));
    return result;
}

} // namespace

TEST(BreakLines, WrapsBetweenWordsAndKeepsLineBreaks)
{
    struct Case {
        const char* text;
        double width;
        std::vector<QString> expected;
    };
    const Case cases[] = {
        { "Precio", 100, lines({ "Precio" }) },
        { "uno dos tres", 35, lines({ "uno dos", "tres" }) }, // "uno dos" fits exactly
        { "uno dos tres", 34.9, lines({ "uno", "dos", "tres" }) },
        { "Transformador", 20, lines({ "Transformador" }) }, // never split inside a word
        { "de Transformador de", 20, lines({ "de", "Transformador", "de" }) },
        { "a\nb", 100, lines({ "a", "b" }) },
        { "a\n\nb", 100, lines({ "a", "", "b" }) },
        { "a\r\nb\rc", 100, lines({ "a", "b", "c" }) },
        { "a   b\tc", 100, lines({ "a b c" }) },
        { "", 100, lines({ "" }) },
        { "uno dos\ntres cuatro cinco", 50, lines({ "uno dos", "tres", "cuatro", "cinco" }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(breakLines(QString::fromUtf8(c.text), c.width, fixedWidth), c.expected);
    }
}

TEST(LayoutText, PlacesTheBlockAgainstTheEdgeItIsAlignedTo)
{
    // Lines 10 pt apart (ascent 8, descent 2) in a box from y 100 down to 60.
    const LineMetrics metrics { 8, -2 };
    const TextBox box { 10, 100, 50, 40 };
    struct Case {
        VerticalAlign align;
        double firstBaseline;
    };
    const Case cases[] = {
        { VerticalAlign::Top, 92 }, // first line's top at the box's top
        { VerticalAlign::Bottom, 72 }, // last line's bottom at the box's bottom
        { VerticalAlign::Center, 82 }, // 10 pt free above and below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.align));
        const auto placed = layoutText(QStringLiteral("uno\ndos"), box, TextAlign::Left, c.align, metrics, fixedWidth);
        ASSERT_EQ(placed.size(), 2u);
        EXPECT_DOUBLE_EQ(placed[0].baseline, c.firstBaseline);
        EXPECT_DOUBLE_EQ(placed[1].baseline, c.firstBaseline - 10);
        EXPECT_EQ(placed[1].text, QStringLiteral("dos"));
    }
}

TEST(LayoutText, PlacesEachLineAgainstItsHorizontalEdge)
{
    const LineMetrics metrics { 8, -2 };
    const TextBox box { 10, 100, 50, 40 };
    struct Case {
        TextAlign align;
        double firstX; // "uno dos", 35 pt
        double secondX; // "tres", 20 pt
    };
    const Case cases[] = {
        { TextAlign::Left, 10, 10 },
        { TextAlign::Right, 25, 40 },
        { TextAlign::Center, 17.5, 25 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.align));
        const auto placed
            = layoutText(QStringLiteral("uno dos tres"), box, c.align, VerticalAlign::Top, metrics, fixedWidth);
        ASSERT_EQ(placed.size(), 2u);
        EXPECT_DOUBLE_EQ(placed[0].x, c.firstX);
        EXPECT_DOUBLE_EQ(placed[1].x, c.secondX);
    }
}

TEST(LayoutText, ASingleLineTextBreaksOnlyAtItsLineBreaks)
{
    // "uno dos tres" is 60 pt, wider than the 50 pt box: it stays one line,
    // and right-aligned it starts left of the box.
    const LineMetrics metrics { 8, -2 };
    const TextBox box { 10, 100, 50, 40 };
    struct Case {
        TextAlign align;
        double firstX;
    };
    const Case cases[] = { { TextAlign::Left, 10 }, { TextAlign::Right, 0 }, { TextAlign::Center, 5 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.align));
        const auto placed = layoutText(QStringLiteral("uno dos tres\ncuatro"), box, c.align, VerticalAlign::Top,
            metrics, fixedWidth, TextWrap::SingleLine);
        ASSERT_EQ(placed.size(), 2u);
        EXPECT_EQ(placed[0].text, QStringLiteral("uno dos tres"));
        EXPECT_DOUBLE_EQ(placed[0].x, c.firstX);
        EXPECT_EQ(placed[1].text, QStringLiteral("cuatro"));
    }
}

TEST(LayoutText, ASingleLineTextTooWideIsSizedToFit)
{
    // Widths at size 10 from fixedWidth: "uno dos tres" is 60 pt.
    struct Case {
        const char* text;
        double width;
        double size;
    };
    const Case cases[] = {
        { "uno dos tres", 100, 10 }, // fits: unchanged
        { "uno dos tres", 60, 10 }, // fits exactly
        { "uno dos tres", 45, 7.5 }, // a quarter too wide: three quarters of the size
        { "uno dos tres", 36, 6 }, // just fits at the smallest size
        { "uno dos tres", 30, 6 }, // twice too wide: no smaller than 6 pt
        { "uno\nuno dos tres", 45, 7.5 }, // the widest line decides
        { "", 10, 10 }, { "uno", 0, 10 }, // no width to fit: left as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(fitSingleLine(QString::fromUtf8(c.text), c.width, 10, fixedWidth).size, c.size);
    }
}

TEST(LayoutText, ASingleLineTextStillTooWideAtSixPointsIsCutAtTheBoxEdge)
{
    // Widths at size 10 from fixedWidth (5 pt a character): at 6 pt a
    // character is 3 pt wide.
    struct Case {
        const char* text;
        double width;
        double size;
        const char* shown;
    };
    const Case cases[] = {
        { "uno dos tres", 100, 10, "uno dos tres" }, // fits
        { "uno dos tres", 45, 7.5, "uno dos tres" }, // shrinks, whole
        { "uno dos tres", 30, 6, "uno dos tr" }, // ten characters of 3 pt
        { "uno dos tres", 31, 6, "uno dos tr" }, // no part of a character
        { "uno dos tres\nmás", 30, 6, "uno dos tr\nmás" }, // each line on its own
        { "a\u0301bcdefghijklm", 6, 6, "a\u0301" }, // a letter with its accent stays whole
        { "uno", 2, 6, "" }, // not even one character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SingleLineFit fit = fitSingleLine(QString::fromUtf8(c.text), c.width, 10, fixedWidth);
        EXPECT_DOUBLE_EQ(fit.size, c.size);
        EXPECT_EQ(fit.text, QString::fromUtf8(c.shown));
    }
}

TEST(LayoutText, TextTallerThanTheBoxKeepsEveryLine)
{
    // Five lines (50 pt) in a 40 pt box, bottom-aligned: the block runs 10 pt
    // past the top, nothing is dropped.
    const auto placed = layoutText(QStringLiteral("a\nb\nc\nd\ne"), TextBox { 0, 100, 50, 40 }, TextAlign::Left,
        VerticalAlign::Bottom, LineMetrics { 8, -2 }, fixedWidth);
    ASSERT_EQ(placed.size(), 5u);
    EXPECT_DOUBLE_EQ(placed.front().baseline, 102);
    EXPECT_DOUBLE_EQ(placed.back().baseline, 62);
}

TEST(WinAnsi, SpanishTextAndCharactersOutsideTheCodePage)
{
    struct Case {
        const char* text;
        QByteArray expected;
        bool whole = true; // the code page holds every character
    };
    const Case cases[] = {
        { "Precio (€):", QByteArray("Precio (\x80):") },
        { "ñÑ¿¡áéíóúüÁÉÍÓÚÜºª",
            QByteArray("\xF1\xD1\xBF\xA1\xE1\xE9\xED\xF3\xFA\xFC\xC1\xC9\xCD\xD3\xDA\xDC\xBA\xAA") },
        { "“Cálculo” – 5 mts…",
            QByteArray("\x93"
                       "C\xE1lculo\x94 \x96 5 mts\x85") },
        { "ŸŽžŠšŒœ™", QByteArray("\x9F\x8E\x9E\x8A\x9A\x8C\x9C\x99") },
        { "Łódź",
            QByteArray("?\xF3"
                       "d?"),
            false },
        { "a😀b", QByteArray("a?b"), false }, // one character outside the BMP, one "?"
        { "\u0080\u0081", QByteArray("??"), false }, // C1 controls are not cp1252 characters
        { "", QByteArray() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(toWinAnsi(QString::fromUtf8(c.text)), c.expected);
        EXPECT_EQ(isWinAnsi(QString::fromUtf8(c.text)), c.whole);
    }
}

TEST(FontNames, FamilyAndStyleFromTheNamesTheReportUses)
{
    struct Case {
        const char* name;
        const char* family;
        bool bold;
        bool italic;
    };
    const Case cases[] = {
        { "Arial", "Arial", false, false }, { "Arial[Bold]", "Arial", true, false },
        { "Arial[Italic]", "Arial", false, true }, { "Arial [BoldItalic]", "Arial", true, true },
        { "Arial Narrow Cursiva", "Arial Narrow", false, true }, { "Arial Negrita Cursiva", "Arial", true, true },
        { "Arial Narrow Bold", "Arial Narrow", true, false }, { "Liberation Sans", "Liberation Sans", false, false },
        { "Cursiva", "Cursiva", false, false }, // a one-word name is a family
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FontRequest request = parseFontName(QString::fromUtf8(c.name));
        EXPECT_EQ(request.family, QString::fromUtf8(c.family));
        EXPECT_EQ(request.bold, c.bold);
        EXPECT_EQ(request.italic, c.italic);
    }
}
