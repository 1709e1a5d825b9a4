#include "fontlocator.h"
#include "harudocument.h"
#include "poppler.h"
#include "testutils.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace pdf;

namespace {

constexpr double A4Height = 841.89;

class HaruDocumentTest : public ::testing::Test {
protected:
    QString save(HaruDocument& document, const QString& name = QStringLiteral("out.pdf"))
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(document.saveToFile(path));
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST(FontLocator, FindsTheLiberationFacesThatStandInForArial)
{
    struct Case {
        const char* name;
        const char* file; // empty: no font
    };
    const Case cases[] = {
        { "Arial", "LiberationSans-Regular.ttf" },
        { "Arial[Bold]", "LiberationSans-Bold.ttf" },
        { "Arial Narrow Cursiva", "LiberationSansNarrow-Italic.ttf" },
        { "Liberation Sans[BoldItalic]", "LiberationSans-BoldItalic.ttf" },
        // fontconfig answers with some other family for these: refused.
        { "Comic Sans MS", "" },
        { "Arial Black", "" },
        { "", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = findTrueTypeFile(parseFontName(QString::fromUtf8(c.name)));
        EXPECT_EQ(QFileInfo(file).fileName(), QString::fromUtf8(c.file));
    }
}

TEST_F(HaruDocumentTest, PagesLayoutAndInformation)
{
    HaruDocument document;
    document.setPageLayout(PageLayout::SinglePage);
    document.setPageSize(PageSize::A4);
    document.setMeasurementUnits(MeasurementUnits::Points);
    document.setInformation(InfoEntry::Title, QStringLiteral("Informe TENVIK versión 7"));
    document.setInformation(InfoEntry::Author, QStringLiteral("Orvel Energía"));
    document.setInformation(InfoEntry::Subject, QString());
    document.setInformation(InfoEntry::Keywords, QString());
    document.setInformation(InfoEntry::Creator, QStringLiteral("Orvel Energía"));
    document.setInformation(InfoEntry::Producer, QStringLiteral("Orvel Energía ¿¡€"));
    document.newPage();
    const QString file = save(document);

    const auto info = poppler::info(file);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(info.value(QStringLiteral("Page size")), QStringLiteral("595.276 x 841.89 pts (A4)"));
    EXPECT_EQ(info.value(QStringLiteral("Title")), QStringLiteral("Informe TENVIK versión 7"));
    EXPECT_EQ(info.value(QStringLiteral("Author")), QStringLiteral("Orvel Energía"));
    EXPECT_EQ(info.value(QStringLiteral("Creator")), QStringLiteral("Orvel Energía"));
    EXPECT_EQ(info.value(QStringLiteral("Producer")), QStringLiteral("Orvel Energía ¿¡€"));
    EXPECT_TRUE(info.contains(QStringLiteral("Subject")));
    EXPECT_EQ(info.value(QStringLiteral("Subject")), QString());
    EXPECT_TRUE(info.contains(QStringLiteral("Keywords")));
    EXPECT_EQ(info.value(QStringLiteral("Keywords")), QString());

    // The appended page takes the first page's size.
    const QString sizes = poppler::run(QStringLiteral("pdfinfo"),
        { QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("2"), file });
    EXPECT_TRUE(sizes.contains(QRegularExpression(QStringLiteral("Page +2 size: +595.276 x 841.89 pts \\(A4\\)"))))
        << sizes.toStdString();
    const QByteArray bytes = testutils::readFile(file);
    EXPECT_TRUE(bytes.contains("/PageLayout /SinglePage"));
}

TEST_F(HaruDocumentTest, VersionEntryTakesOnlyOnePointZeroToOnePointSeven)
{
    HaruDocument plain;
    const QByteArray libraryHeader = testutils::readFile(save(plain, QStringLiteral("plain.pdf"))).left(8);
    ASSERT_TRUE(libraryHeader.startsWith("%PDF-1."));

    struct Case {
        const char* version;
        QByteArray header; // empty: libharu's own
    };
    const Case cases[] = {
        { "1.0", "%PDF-1.0" },
        { "1.1", "%PDF-1.1" },
        { "1.5", "%PDF-1.5" },
        { "1.7", "%PDF-1.7" },
        { "7.1.0", {} },
        { "1.8", {} },
        { "2.0", {} },
        { "", {} },
        { "1.", {} },
        { "1.55", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        HaruDocument document;
        document.setInformation(InfoEntry::Version, QStringLiteral("1.5"));
        document.setInformation(InfoEntry::Version, QString::fromUtf8(c.version));
        const QString file = save(document);
        const QByteArray expected = c.header.isEmpty() ? QByteArray("%PDF-1.5") : c.header;
        EXPECT_EQ(testutils::readFile(file).left(8), expected);
        EXPECT_EQ(poppler::info(file).value(QStringLiteral("PDF version")), QString::fromLatin1(expected.mid(5)));
    }

    HaruDocument untouched;
    untouched.setInformation(InfoEntry::Version, QStringLiteral("7.1.0"));
    EXPECT_EQ(testutils::readFile(save(untouched)).left(8), libraryHeader);
}

TEST_F(HaruDocumentTest, EmbedsTrueTypeFontsAndWritesEveryCharacter)
{
    HaruDocument document;
    const int regular = document.addTrueTypeFont(QStringLiteral("Arial"), true);
    const int bold = document.addTrueTypeFont(QStringLiteral("Arial[Bold]"), true);
    const int italic = document.addTrueTypeFont(QStringLiteral("Arial Narrow Cursiva"), true);
    ASSERT_NE(regular, 0);
    ASSERT_NE(bold, 0);
    ASSERT_NE(italic, 0);
    EXPECT_EQ(std::set<int>({ regular, bold, italic }).size(), 3u);
    EXPECT_EQ(document.addTrueTypeFont(QStringLiteral("Comic Sans MS"), true), 0);

    document.setTextSize(10);
    document.selectFont(regular);
    document.drawTextBox(50, 800, 300, 20, QStringLiteral("Precio (€): ñ ¿¡"), VerticalAlign::Top);
    document.selectFont(bold);
    document.drawTextBox(50, 780, 300, 20, QStringLiteral("Datos de facturación"), VerticalAlign::Top);
    document.selectFont(italic);
    document.drawTextBox(50, 760, 300, 20, QStringLiteral("Cálculo de sección"), VerticalAlign::Top);
    // Characters outside code page 1252 take the same face in Unicode.
    document.selectFont(regular);
    document.drawTextBox(50, 740, 300, 20, QStringLiteral("Łódź – Ørsted Ćwik"), VerticalAlign::Top);
    const QString file = save(document);

    const auto fonts = poppler::fonts(file);
    ASSERT_EQ(fonts.size(), 4u);
    QStringList faces;
    for (const poppler::Font& font : fonts) {
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
        // libharu names a face "LiberationSans-Bold,Bold".
        faces << font.type + QLatin1Char(' ') + font.name.section(QLatin1Char('+'), 1).section(QLatin1Char(','), 0, 0);
    }
    faces.sort();
    EXPECT_EQ(faces,
        QStringList({ QStringLiteral("CID TrueType LiberationSans"), QStringLiteral("TrueType LiberationSans"),
            QStringLiteral("TrueType LiberationSans-Bold"), QStringLiteral("TrueType LiberationSansNarrow-Italic") }));

    const QStringList text = poppler::text(file).split(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("Precio (€): ñ ¿¡")));
    EXPECT_TRUE(text.contains(QStringLiteral("Datos de facturación")));
    EXPECT_TRUE(text.contains(QStringLiteral("Cálculo de sección")));
    EXPECT_TRUE(text.contains(QStringLiteral("Łódź – Ørsted Ćwik")));
}

TEST_F(HaruDocumentTest, TextBoxAlignsAndWrapsInsideItsBox)
{
    HaruDocument document;
    ASSERT_NE(document.addTrueTypeFont(QStringLiteral("Arial"), true), 0);
    document.setTextSize(10);

    // One box, 200 × 100 pt from (100, 700); one word in each corner/centre.
    const double left = 100, top = 700, width = 200, height = 100;
    document.setTextAlign(TextAlign::Left);
    document.drawTextBox(left, top, width, height, QStringLiteral("Izquierda"), VerticalAlign::Top);
    document.setTextAlign(TextAlign::Right);
    document.drawTextBox(left, top, width, height, QStringLiteral("Derecha"), VerticalAlign::Bottom);
    document.setTextAlign(TextAlign::Center);
    document.drawTextBox(left, top, width, height, QStringLiteral("Centro"), VerticalAlign::Center);

    // Long text in a narrow box, with one word wider than the box.
    document.setTextAlign(TextAlign::Left);
    document.drawTextBox(100, 500, 60, 200,
        QStringLiteral("Se recomienda a los instaladores realizar un análisis de red "
                       "Anticonstitucionalmente"),
        VerticalAlign::Top);
    const auto words = poppler::words(save(document));

    const double boxTop = A4Height - top; // poppler measures y from the top
    const auto leftWord = poppler::findWord(words, QStringLiteral("Izquierda"));
    EXPECT_NEAR(leftWord.xMin, left, 1.5);
    EXPECT_NEAR(leftWord.yMin, boxTop, 1.5);
    const auto rightWord = poppler::findWord(words, QStringLiteral("Derecha"));
    EXPECT_NEAR(rightWord.xMax, left + width, 1.5);
    EXPECT_NEAR(rightWord.yMax, boxTop + height, 1.5);
    const auto centreWord = poppler::findWord(words, QStringLiteral("Centro"));
    EXPECT_NEAR((centreWord.xMin + centreWord.xMax) / 2, left + width / 2, 1.5);
    EXPECT_NEAR((centreWord.yMin + centreWord.yMax) / 2, boxTop + height / 2, 1.5);

    std::set<double> lineTops;
    for (const poppler::Word& word : words) {
        if (word.yMin < A4Height - 500 - 1)
            continue;
        lineTops.insert(word.yMin);
        if (word.text != QStringLiteral("Anticonstitucionalmente")) {
            EXPECT_LE(word.xMax, 160 + 0.5) << word.text.toStdString();
        }
    }
    EXPECT_NO_THROW(poppler::findWord(words, QStringLiteral("Anticonstitucionalmente")));
    ASSERT_GE(lineTops.size(), 4u);
    // Lines one line height apart: Liberation Sans' ascent and descent,
    // 0.905 + 0.212 em.
    const std::vector<double> tops(lineTops.begin(), lineTops.end());
    EXPECT_NEAR(tops[1] - tops[0], 11.17, 0.1);
}

TEST_F(HaruDocumentTest, ASingleLineTextTooWideForItsBoxShrinksToSixPointsAndIsThenCut)
{
    HaruDocument document;
    ASSERT_NE(document.addTrueTypeFont(QStringLiteral("Arial"), true), 0);
    document.setTextSize(10);
    // In 120 × 14 pt fields, as in the report's customer block: a name a
    // little too wide, one far too wide with a second field right under it,
    // a name that fits, and a figure too wide for its right-aligned field.
    document.setTextAlign(TextAlign::Left);
    document.drawTextBox(100, 700, 120, 14, QStringLiteral("Talleres Metalúrgicos Hermanos Fernández"),
        VerticalAlign::Top, TextWrap::SingleLine);
    document.drawTextBox(100, 650, 120, 14,
        QStringLiteral("Cooperativa Agrícola y Ganadera del Valle Medio del Ebro, Sociedad Cooperativa Limitada"),
        VerticalAlign::Top, TextWrap::SingleLine);
    document.drawTextBox(100, 636, 120, 14, QStringLiteral("Ana"), VerticalAlign::Top, TextWrap::SingleLine);
    document.setTextAlign(TextAlign::Right);
    document.drawTextBox(100, 600, 40, 14, QStringLiteral("12345678,90"), VerticalAlign::Top, TextWrap::SingleLine);
    const QString file = save(document);

    const auto words = poppler::words(file);
    const poppler::Word ana = poppler::findWord(words, QStringLiteral("Ana"));
    const double tenPoints = ana.yMax - ana.yMin;
    // Smaller, whole, on the baseline of 10 pt: its words' bottoms (the
    // descent) lie a little above the 10 pt text's, their baselines level.
    const poppler::Word first = poppler::findWord(words, QStringLiteral("Talleres"));
    const poppler::Word last = poppler::findWord(words, QStringLiteral("Fernández"));
    EXPECT_NEAR(first.xMin, 100, 0.5);
    EXPECT_LE(last.xMax, 220 + 0.01);
    EXPECT_GT(last.xMax, 220 - 1);
    const double scale = (first.yMax - first.yMin) / tenPoints;
    EXPECT_LT(scale, 0.95);
    EXPECT_GT(scale, 0.6);
    // Liberation Sans' descent is 0.212 em; the box lies 64 pt above Ana's.
    const double anaBaseline = ana.yMax - 0.212 * 10;
    EXPECT_NEAR(first.yMax - 0.212 * 10 * scale, anaBaseline - 64, 0.3);

    // Far too wide: 6 pt, cut at the box's edge, nothing past it.
    double widest = 0;
    for (const poppler::Word& word : words) {
        if (word.yMin < A4Height - 650 - 1 || word.yMax > A4Height - 636 + 1)
            continue;
        EXPECT_NEAR((word.yMax - word.yMin) / tenPoints, 0.6, 0.01) << word.text.toStdString();
        widest = std::max(widest, word.xMax);
    }
    EXPECT_LE(widest, 220 + 0.01);
    EXPECT_GT(widest, 220 - 8);
    EXPECT_NO_THROW(poppler::findWord(words, QStringLiteral("Cooperativa")));
    EXPECT_THROW(poppler::findWord(words, QStringLiteral("Limitada")), std::runtime_error);

    // A figure shrinks to show whole, ending at its box's right edge.
    const poppler::Word amount = poppler::findWord(words, QStringLiteral("12345678,90"));
    EXPECT_NEAR(amount.xMax, 140, 0.5);
    EXPECT_LT(amount.yMax - amount.yMin, tenPoints * 0.8);

    // Nothing runs past the box or into the field below.
    const QString png = path(QStringLiteral("single.png"));
    poppler::renderPage(file, 1, 72, png);
    const QImage page(png);
    ASSERT_FALSE(page.isNull());
    int inkRight = 0, inkBelow = 0;
    for (int y = int(A4Height - 650); y < int(A4Height - 622); ++y) {
        for (int x = 100; x < 400; ++x) {
            if (qGray(page.pixel(x, y)) > 160)
                continue;
            if (x >= 221)
                ++inkRight;
            else if (y >= int(A4Height - 636) && x > 125)
                ++inkBelow; // "Ana" ends well before x 125
        }
    }
    EXPECT_EQ(inkRight, 0);
    EXPECT_EQ(inkBelow, 0);
}

TEST_F(HaruDocumentTest, PicturesBoxesAndLinesLandWhereAsked)
{
    HaruDocument document;
    // A 100 × 50 red picture fitted into a 200 × 200 box: 200 × 100, at the
    // box's top; the same picture stretched into a box beside it.
    QImage red(100, 50, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_NE(document.addImage(red), 0);
    document.fitImage(50, 800, 200, 200);
    QImage blue(100, 50, QImage::Format_ARGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_NE(document.addImage(blue), 0);
    document.drawImage(300, 800, 200, 200);

    document.setFillColor(192 / 255.0, 192 / 255.0, 192 / 255.0);
    document.drawBox(50, 500, 100, 50);
    document.drawLine(300, 500, 500, 500);
    const QString file = save(document);

    // 72 dpi: one pixel per point, y from the top.
    const QString png = path(QStringLiteral("page.png"));
    poppler::renderPage(file, 1, 72, png);
    const QImage page(png);
    ASSERT_FALSE(page.isNull());
    const auto at = [&](double x, double y) { return page.pixelColor(int(x), int(A4Height - y)); };
    EXPECT_EQ(at(60, 790), QColor(Qt::red));
    EXPECT_EQ(at(240, 710), QColor(Qt::red));
    EXPECT_EQ(at(60, 690), QColor(Qt::white)); // fitted: no taller than 100 pt
    EXPECT_EQ(at(310, 790), QColor(Qt::blue));
    EXPECT_EQ(at(490, 610), QColor(Qt::blue)); // stretched to the whole box
    EXPECT_EQ(at(100, 475), QColor(192, 192, 192)); // the box reaches down from its top
    EXPECT_EQ(at(100, 505), QColor(Qt::white));
    EXPECT_LT(at(400, 500.2).lightness(), 128);
    EXPECT_EQ(at(400, 505), QColor(Qt::white));
}

TEST_F(HaruDocumentTest, PicturesKeepTheirTransparencyAndAreStoredOnce)
{
    HaruDocument document;
    // A red box under a picture whose left half is transparent, whose right
    // half is blue; the same picture again elsewhere, and a null picture.
    document.setFillColor(1, 0, 0);
    document.drawBox(50, 800, 200, 100);
    QImage halves(100, 50, QImage::Format_ARGB32);
    halves.fill(Qt::transparent);
    for (int y = 0; y < 50; ++y)
        for (int x = 50; x < 100; ++x)
            halves.setPixelColor(x, y, QColor(0, 0, 255));
    ASSERT_NE(document.addImage(halves), 0);
    document.drawImage(50, 800, 200, 100);
    ASSERT_NE(document.addImage(halves), 0);
    document.drawImage(50, 600, 200, 100);
    EXPECT_EQ(document.addImage(QImage()), 0);
    // With no current picture, drawing one draws nothing.
    document.drawImage(300, 600, 100, 100);
    const QString file = save(document);

    const QString png = path(QStringLiteral("transparent.png"));
    poppler::renderPage(file, 1, 72, png);
    const QImage page(png);
    ASSERT_FALSE(page.isNull());
    const auto at = [&](double x, double y) { return page.pixelColor(int(x), int(A4Height - y)); };
    EXPECT_EQ(at(100, 750), QColor(Qt::red)); // through the transparent half
    EXPECT_EQ(at(200, 750), QColor(Qt::blue));
    EXPECT_EQ(at(100, 550), QColor(Qt::white));
    EXPECT_EQ(at(200, 550), QColor(Qt::blue));
    EXPECT_EQ(at(350, 550), QColor(Qt::white));

    // One picture with its soft mask, however often it is drawn.
    const QStringList list = poppler::run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), file })
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                 .mid(2);
    std::set<QString> images, masks;
    for (const QString& line : list) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        ASSERT_GT(columns.size(), 10) << line.toStdString();
        (columns[2] == QLatin1String("smask") ? masks : images).insert(columns[10]);
    }
    EXPECT_EQ(list.size(), 4) << list.join(QLatin1Char('\n')).toStdString(); // each drawing with its mask
    EXPECT_EQ(images.size(), 1u);
    EXPECT_EQ(masks.size(), 1u);
}

TEST_F(HaruDocumentTest, LibraryErrorsBecomeExceptionsAndTheDocumentGoesOn)
{
    HaruDocument document;
    const int font = document.addTrueTypeFont(QStringLiteral("Arial"), true);
    ASSERT_NE(font, 0);
    for (double size : { 0.0, -1.0, 601.0 }) {
        SCOPED_TRACE(size);
        document.setTextSize(size);
        EXPECT_THROW(document.drawTextBox(50, 800, 200, 20, QStringLiteral("x"), VerticalAlign::Top), PdfError);
    }
    EXPECT_THROW(document.selectFont(99), PdfError);

    document.setTextSize(10);
    document.drawTextBox(50, 800, 200, 20, QStringLiteral("Sigue"), VerticalAlign::Top);
    document.drawLine(0, 0, 100, 100);
    EXPECT_TRUE(poppler::text(save(document)).contains(QStringLiteral("Sigue")));
}

TEST_F(HaruDocumentTest, DrawingTextWithoutAFontIsRefused)
{
    HaruDocument document;
    EXPECT_THROW(document.drawTextBox(0, 800, 100, 20, QStringLiteral("x"), VerticalAlign::Top), PdfError);
}

TEST_F(HaruDocumentTest, SavingReplacesAFileWholeOrFailsCleanly)
{
    const QString target = path(QStringLiteral("report.pdf"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(200000, 'x'));
    }
    HaruDocument document;
    ASSERT_TRUE(document.saveToFile(target));
    const QByteArray bytes = testutils::readFile(target);
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_FALSE(bytes.contains("xxxx"));

    // The parent is a regular file: the write fails even as root.
    EXPECT_FALSE(document.saveToFile(target + QStringLiteral("/inside.pdf")));
}
