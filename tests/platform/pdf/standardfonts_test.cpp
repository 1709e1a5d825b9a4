// Runs with fontconfig pointed at an empty font folder: no TrueType font
// can be found, and text falls back to the standard PDF fonts.
#include "harudocument.h"
#include "poppler.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pdf;

TEST(StandardFonts, NoTrueTypeFontIsFound)
{
    HaruDocument document;
    for (const char* name : { "Arial", "Arial[Bold]", "Arial Narrow Cursiva", "DejaVu Sans" }) {
        SCOPED_TRACE(name);
        EXPECT_EQ(document.addTrueTypeFont(QString::fromLatin1(name), true), 0);
    }
}

TEST(StandardFonts, WriteSpanishTextInWinAnsi)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("standard.pdf"));
    HaruDocument document;
    document.setTextSize(10);
    document.addStandardFont(StandardFont::Helvetica);
    document.drawTextBox(50, 800, 300, 20, QStringLiteral("Precio (€): ñ ¿¡"), VerticalAlign::Top);
    document.addStandardFont(StandardFont::HelveticaBold);
    document.drawTextBox(50, 780, 300, 20, QStringLiteral("Datos de facturación"), VerticalAlign::Top);
    document.addStandardFont(StandardFont::TimesItalic);
    document.drawTextBox(50, 760, 300, 20, QStringLiteral("Łódź"), VerticalAlign::Top);
    // Right-aligned with Helvetica's own widths.
    document.addStandardFont(StandardFont::Helvetica);
    document.setTextAlign(TextAlign::Right);
    document.drawTextBox(50, 700, 300, 20, QStringLiteral("Derecha"), VerticalAlign::Top);
    ASSERT_TRUE(document.saveToFile(file));

    const auto fonts = poppler::fonts(file);
    QStringList names;
    for (const poppler::Font& font : fonts) {
        EXPECT_EQ(font.type, QStringLiteral("Type 1"));
        EXPECT_FALSE(font.embedded);
        names << font.name;
    }
    names.sort();
    EXPECT_EQ(names,
        QStringList({ QStringLiteral("Helvetica"), QStringLiteral("Helvetica-Bold"), QStringLiteral("Times-Italic") }));

    const QStringList text = poppler::text(file).split(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("Precio (€): ñ ¿¡")));
    EXPECT_TRUE(text.contains(QStringLiteral("Datos de facturación")));
    EXPECT_TRUE(text.contains(QStringLiteral("?ód?")));
    EXPECT_NEAR(poppler::findWord(poppler::words(file), QStringLiteral("Derecha")).xMax, 350, 1.5);
}
