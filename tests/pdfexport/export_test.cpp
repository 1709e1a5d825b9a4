#include "exporthelpers.h"
#include "harudocument.h"
#include "poppler.h"
#include "samplereport.h"
#include "testutils.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double A4Height = 841.89;
constexpr double PointsPerPixel = 0.75;

class PdfExportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_file = s_dir->filePath(QStringLiteral("informe.pdf"));
        exporthelpers::exportTo(sample::twoPageReport(), s_file);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    static QTemporaryDir* s_dir;
    static QString s_file;
};

QTemporaryDir* PdfExportTest::s_dir = nullptr;
QString PdfExportTest::s_file;

// Where poppler puts the top of a text drawn from report y `top` (its top
// gap of 1 px included) on an A4 sheet: y measured from the PDF page's top.
double popplerTop(double reportTop)
{
    return A4Height - (sample::SheetHeight - (reportTop + report::DefaultGapY)) * PointsPerPixel;
}

} // namespace

TEST_F(PdfExportTest, TwoA4PagesWithTheDocumentInformation)
{
    const auto info = poppler::info(s_file);
    EXPECT_EQ(info.value(QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_EQ(info.value(QStringLiteral("Page size")), QStringLiteral("595.276 x 841.89 pts (A4)"));
    EXPECT_EQ(info.value(QStringLiteral("Title")), QStringLiteral("Informe TENVIK versión 7"));
    EXPECT_EQ(info.value(QStringLiteral("Author")), QStringLiteral("Orvel Energía"));
    EXPECT_EQ(info.value(QStringLiteral("Creator")), QStringLiteral("Orvel Energía"));
    EXPECT_EQ(info.value(QStringLiteral("Producer")), QStringLiteral("Orvel Energía"));
    EXPECT_TRUE(info.contains(QStringLiteral("Subject")) && info.value(QStringLiteral("Subject")).isEmpty());
    EXPECT_TRUE(info.contains(QStringLiteral("Keywords")) && info.value(QStringLiteral("Keywords")).isEmpty());
    const QString sizes = poppler::run(QStringLiteral("pdfinfo"),
        { QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"), QStringLiteral("2"), s_file });
    EXPECT_TRUE(sizes.contains(QRegularExpression(QStringLiteral("Page +2 size: +595.276 x 841.89 pts"))));
}

TEST_F(PdfExportTest, VersionEntry)
{
    // "7.1.0", as printing sets it, leaves the library's own version.
    const QString plain = s_dir->filePath(QStringLiteral("plain.pdf"));
    pdf::HaruDocument document;
    ASSERT_TRUE(document.saveToFile(plain));
    EXPECT_EQ(testutils::readFile(s_file).left(8), testutils::readFile(plain).left(8));

    const QString versioned = s_dir->filePath(QStringLiteral("v15.pdf"));
    exporthelpers::exportTo(sample::twoPageReport(), versioned, QStringLiteral("1.5"));
    EXPECT_EQ(testutils::readFile(versioned).left(8), QByteArray("%PDF-1.5"));
    EXPECT_EQ(poppler::info(versioned).value(QStringLiteral("PDF version")), QStringLiteral("1.5"));
}

TEST_F(PdfExportTest, EmbedsTheThreeTrueTypeFonts)
{
    const auto fonts = poppler::fonts(s_file);
    ASSERT_EQ(fonts.size(), 3u);
    for (const poppler::Font& font : fonts) {
        // The report's texts all lie in code page 1252.
        EXPECT_EQ(font.type, QStringLiteral("TrueType")) << font.name.toStdString();
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
    }
}

TEST_F(PdfExportTest, TextsComeOutExactly)
{
    const QString first = poppler::pageText(s_file, 1);
    for (const char* text : { "Precio (€):", "Empresa:", "Talleres Muñoz e Hijos, S.A.", "José Ángel Peña",
             "Equipo seleccionado", "Tensión (Voltios):", "Transformador de intensidad",
             "SOFTWARE PARA EL CÁLCULO DE BATERIAS DE CONDENSADORES, FERIMUNT Y LUMAREST" }) {
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    }
    const QString second = poppler::pageText(s_file, 2);
    for (const char* text : { "Datos de facturación", "Mes/Bimestre", "Año", "Febrero",
             "Se recomienda a los instaladores realizar un análisis de red antes de instalar el" }) {
        EXPECT_TRUE(second.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_FALSE(first.contains(QStringLiteral("Datos de facturación")));
}

TEST_F(PdfExportTest, ObjectsLandWhereTheSheetPutsThem)
{
    const auto words = poppler::words(s_file);
    const poppler::Word label = poppler::findWord(words, QStringLiteral("Empresa:"), 1);
    EXPECT_NEAR(label.xMin, (sample::CompanyLabelLeft + report::DefaultGapX) * PointsPerPixel, 1.5);
    EXPECT_NEAR(label.yMin, popplerTop(sample::CompanyLabelTop), 1.5);
    // Right-aligned: ends GapX in from the object's right edge.
    const poppler::Word price = poppler::findWord(words, QStringLiteral("1234,56"), 1);
    EXPECT_NEAR(price.xMax, (sample::PriceValueRight - report::DefaultGapX) * PointsPerPixel, 1.5);
    EXPECT_NEAR(price.yMin, popplerTop(sample::PriceValueTop), 1.5);
}

TEST_F(PdfExportTest, RendersForAPersonToLookAt)
{
    const QString folder = testutils::testOutputFolder();
    for (int page : { 1, 2 }) {
        const QString png = QDir(folder).filePath(QStringLiteral("pdfexport-page%1.png").arg(page));
        poppler::renderPage(s_file, page, 80, png);
        const QImage image(png);
        ASSERT_FALSE(image.isNull());
        // The silver heading of each page is drawn (80 dpi: 10/9 px per point).
        const int y = page == 1 ? int((10 + 25 + 35 + 1) / 25.4 * 80) : int((10 + 25 + 5 + 1) / 25.4 * 80);
        EXPECT_EQ(image.pixelColor(image.width() - int(12 / 25.4 * 80), y), QColor(192, 192, 192)) << page;
    }
}
