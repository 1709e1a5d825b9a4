// The program's own two-page report, prepared by the report engine and
// exported through the filter with the real PDF document.
#include "consumption.h"
#include "consumptionchart.h"
#include "exporthelpers.h"
#include "poppler.h"
#include "renderer.h"
#include "reportlayout.h"
#include "testutils.h"
#include "ufrxPDFExport.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(PdfExportOfTheReport, BothPagesOfTheTemplate)
{
    TConsumptionList periods;
    const char* months[] = { "Enero", "Febrero", "Marzo", "Abril" };
    for (int i = 0; i < 4; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromLatin1(months[i]));
        period->setYear(2026);
        period->setKwht(41000 + 1250 * i);
        period->setKvarh(21000 + 300 * i);
        period->setPeakDemand(120 + i);
        period->setReactiveSurcharge(310 - 17 * i);
        period->setFmr2(0.82f + 0.01f * static_cast<float>(i));
        periods.Add(std::move(period));
    }
    ConsumptionChart chart;
    chart.Fill(periods);
    ReportLayout layout;
    layout.setConsumptionList(&periods);
    layout.setChart(&chart);
    layout.frxReport().find<report::Band>(QStringLiteral("MasterData4"))->setRowCount(1);
    layout.frxReport().setReportDate(QDate(2026, 12, 11));
    layout.frxReport().PrepareReport();
    ASSERT_EQ(layout.frxReport().prepared().pages.size(), 2u);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("informe.pdf"));
    testutils::ScriptedDialogs dialogs;
    dialogs.fileAnswers.push_back(file);
    TfrxPDFExport filter(dialogs);
    filter.Title = QStringLiteral("Informe TENVIK versión 7");
    filter.Version = QStringLiteral("7.1.0");
    filter.Author = QStringLiteral("Orvel Energía");
    filter.Creator = QStringLiteral("Orvel Energía");
    layout.frxReport().Export(filter);

    EXPECT_EQ(poppler::info(file).value(QStringLiteral("Pages")), QStringLiteral("2"));
    const QString first = poppler::pageText(file, 1);
    for (const char* text : { "TENVIK", "Empresa:", "Equipo seleccionado", "Precio (€):", "Conductor" })
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    const QString second = poppler::pageText(file, 2);
    for (const char* text : { "Mes/Bimestre", "Febrero", "Datos generales del servicio", "halógenos" })
        EXPECT_TRUE(second.contains(QString::fromUtf8(text))) << text;

    // The chart and the pictures are in the file: the emblem on both pages,
    // the logo in both footers and the chart on the second.
    const QStringList images = poppler::run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), file })
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                   .mid(2);
    EXPECT_GE(images.size(), 5) << images.join(QLatin1Char('\n')).toStdString();

    // Every word of every text object of the prepared sheets is in the
    // PDF, in order, and every font is embedded.
    const auto& sheets = layout.frxReport().prepared().pages;
    for (int page : { 1, 2 }) {
        const QStringList pdfWords
            = poppler::pageText(file, page).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (const report::PreparedObject& band : sheets[static_cast<std::size_t>(page - 1)].objects) {
            for (const report::PreparedObject& object : band.children) {
                if (object.kind != report::ObjectKind::Memo || !object.visible || !object.printable)
                    continue;
                const QStringList words
                    = object.text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
                for (const QString& word : words)
                    EXPECT_TRUE(pdfWords.contains(word)) << word.toStdString() << " of " << object.name.toStdString();
            }
        }
    }
    const auto fonts = poppler::fonts(file);
    EXPECT_EQ(fonts.size(), 3u);
    for (const poppler::Font& font : fonts)
        EXPECT_TRUE(font.embedded) << font.name.toStdString();

    for (int page : { 1, 2 }) {
        const QString png
            = QDir(testutils::testOutputFolder()).filePath(QStringLiteral("pdfexport-template-page%1.png").arg(page));
        poppler::renderPage(file, page, 80, png);
        EXPECT_FALSE(QImage(png).isNull());
    }
}

namespace {

// The report's geometry in PDF points from the page's top-left corner, as
// poppler gives it: the engine's millimetre of 3.7795 px at 0.75 pt a pixel,
// y counted from the report page's 1123 px, 0.36 pt above the A4 sheet's top.
constexpr double PointsPerMm = 3.7795 * 0.75;
constexpr double SheetTopOffset = 1123 * 0.75 - 841.89;

double pageX(double mmFromMargin)
{
    return (10 + mmFromMargin) * PointsPerMm;
}

double pageY(double mmFromPaperTop)
{
    return mmFromPaperTop * PointsPerMm - SheetTopOffset;
}

// A bimonthly project over two years: the six period names as the program
// writes them, then written with blanks, and a customer name of 120
// characters.
struct BimonthlyReport {
    TConsumptionList periods;
    ConsumptionChart chart;
    ReportLayout layout;
    QString businessName;

    BimonthlyReport()
    {
        const char* names[] = { "Enero-Febrero", "Marzo-Abril", "Mayo-Junio", "Julio-Agosto", "Septiembre-Octubre",
            "Noviembre-Diciembre" };
        for (int i = 0; i < 12; ++i) {
            auto period = std::make_unique<TConsumption>();
            QString name = QString::fromLatin1(names[i % 6]);
            if (i >= 6)
                name.replace(QLatin1Char('-'), QStringLiteral(" y "));
            period->setPeriod(name);
            period->setYear(2025 + i / 6);
            period->setKwht(82000 + 2500 * i);
            period->setKvarh(42000 + 600 * i);
            period->setPeakDemand(240 + i);
            period->setReactiveSurcharge(610 - 17 * i);
            period->setFmr2(0.8f + 0.01f * static_cast<float>(i));
            periods.Add(std::move(period));
        }
        periods.setPeriodType(TPeriodType::bimonthly);
        chart.Fill(periods);
        layout.setConsumptionList(&periods);
        layout.setChart(&chart);
        businessName = QStringLiteral("Cooperativa Agrícola y Ganadera del Valle Medio del Ebro y de las Comarcas "
                                      "del Somontano, Sociedad Cooperativa Limitada.");
        EXPECT_EQ(businessName.size(), 120);
        layout.frxReport().find<report::MemoView>(QStringLiteral("BusinessNameMemo"))->setText(businessName);
        layout.frxReport().find<report::Band>(QStringLiteral("MasterData4"))->setRowCount(1);
        layout.frxReport().setReportDate(QDate(2026, 12, 11));
        layout.frxReport().PrepareReport();
    }

    QString exportTo(const QString& file)
    {
        testutils::ScriptedDialogs dialogs;
        dialogs.fileAnswers.push_back(file);
        TfrxPDFExport filter(dialogs);
        layout.frxReport().Export(filter);
        return file;
    }
};

// Liberation Sans' ascent and descent, 0.905 and 0.212 em: poppler's word
// boxes are that high, so their height gives the size drawn.
double sizeOf(const poppler::Word& word)
{
    return (word.yMax - word.yMin) / (0.905 + 0.212);
}

double baselineOf(const poppler::Word& word)
{
    return word.yMax - 0.212 * sizeOf(word);
}

} // namespace

TEST(PdfExportOfTheReport, EveryBillingCellKeepsItsTextAndNoTextIsSmallerThanSixPoints)
{
    BimonthlyReport report;
    QTemporaryDir dir;
    const QString file = report.exportTo(dir.filePath(QStringLiteral("bimestral.pdf")));
    const auto words = poppler::words(file);

    // The table's columns; its rows start under the page header (25 mm) and
    // the title with the headings (25 mm), 5 mm each.
    const double columns[] = { 0, 31, 53, 85, 118, 152, 190 };
    const double tableTop = 10 + 25 + 25;
    int cellWords = 0;
    QStringList periodTexts;
    for (const poppler::Word& word : words) {
        if (word.page != 2 || word.yMin < pageY(tableTop) - 0.5 || word.yMax > pageY(tableTop + 12 * 5) + 0.5)
            continue;
        const double middle = (word.xMin + word.xMax) / 2;
        const double* right = std::upper_bound(std::begin(columns), std::end(columns), middle / PointsPerMm - 10);
        ASSERT_NE(right, std::begin(columns));
        ASSERT_NE(right, std::end(columns));
        const int row = static_cast<int>((word.yMin - pageY(tableTop)) / (5 * PointsPerMm));
        SCOPED_TRACE(word.text.toStdString());
        EXPECT_GE(word.xMin, pageX(*(right - 1)));
        EXPECT_LE(word.xMax, pageX(*right));
        EXPECT_GE(word.yMin, pageY(tableTop + 5 * row) - 0.01);
        EXPECT_LE(word.yMax, pageY(tableTop + 5 * (row + 1)));
        if (*right == 31)
            periodTexts << word.text;
        ++cellWords;
    }
    EXPECT_GE(cellWords, 12 * 6);
    // Every period's whole name, on one line in its own row.
    const QString periods = periodTexts.join(QLatin1Char(' '));
    for (const char* name : { "Septiembre-Octubre", "Noviembre-Diciembre", "Septiembre y Octubre",
             "Noviembre y Diciembre", "Enero y Febrero" })
        EXPECT_TRUE(periods.contains(QString::fromUtf8(name))) << name << " in " << periods.toStdString();

    for (const poppler::Word& word : words)
        EXPECT_GE(sizeOf(word), 6 - 0.02) << word.text.toStdString() << " on page " << word.page;

    // The business name: at 6 pt, cut at its box's edge (45 + 85 mm), on
    // the baseline of its label.
    const poppler::Word label = poppler::findWord(words, QStringLiteral("Empresa:"), 1);
    double nameRight = 0;
    QStringList shown;
    for (const poppler::Word& word : words) {
        if (word.page == 1 && std::abs(word.yMin - label.yMin) < 4 && word.xMin > pageX(45) - 1
            && word.xMax < pageX(134)) {
            EXPECT_NEAR(sizeOf(word), 6, 0.05) << word.text.toStdString();
            EXPECT_NEAR(baselineOf(word), baselineOf(label), 0.1) << word.text.toStdString();
            nameRight = std::max(nameRight, word.xMax);
            shown << word.text;
        }
    }
    EXPECT_LE(nameRight, pageX(45 + 85));
    EXPECT_GT(nameRight, pageX(45 + 85) - 6);
    EXPECT_TRUE(report.businessName.startsWith(shown.join(QLatin1Char(' '))));
    EXPECT_LT(shown.join(QLatin1Char(' ')).size(), report.businessName.size());

    for (int page : { 1, 2 }) {
        const QString png
            = QDir(testutils::testOutputFolder()).filePath(QStringLiteral("pdfexport-bimonthly-page%1.png").arg(page));
        poppler::renderPage(file, page, 110, png);
        EXPECT_FALSE(QImage(png).isNull());
    }
}

TEST(PdfExportOfTheReport, ThePrintedSheetShowsTheOneLineTextsAsThePdfDoes)
{
    BimonthlyReport report;
    QTemporaryDir dir;
    const auto words = poppler::words(report.exportTo(dir.filePath(QStringLiteral("bimestral.pdf"))));

    // The sheets drawn as printing draws them, 4 device pixels a report
    // pixel (384 dpi); ink measured in PDF points from the sheet's corner.
    constexpr double Scale = 4;
    const auto& pages = report.layout.frxReport().prepared().pages;
    const QImage first = report::renderSheetToImage(pages[0], Scale);
    const QImage second = report::renderSheetToImage(pages[1], Scale);
    for (int page : { 1, 2 }) {
        const QString png
            = QDir(testutils::testOutputFolder()).filePath(QStringLiteral("printed-bimonthly-page%1.png").arg(page));
        (page == 1 ? first : second).save(png);
    }
    const auto inkRight = [&](const QImage& sheet, double top, double bottom, double left, double right) {
        const double pixelsPerPoint = Scale / 0.75;
        const auto yFrom = static_cast<int>((top + SheetTopOffset) * pixelsPerPoint);
        const auto yTo = static_cast<int>((bottom + SheetTopOffset) * pixelsPerPoint);
        double found = 0;
        for (int y = yFrom; y < yTo; ++y)
            for (int x = static_cast<int>(left * pixelsPerPoint); x < static_cast<int>(right * pixelsPerPoint); ++x)
                if (qGray(sheet.pixel(x, y)) < 128)
                    found = std::max(found, (x + 1) / pixelsPerPoint);
        return found;
    };

    // The cut business name and the shrunk period names end where they end
    // in the PDF, within a little more than a pixel of ink.
    const poppler::Word label = poppler::findWord(words, QStringLiteral("Empresa:"), 1);
    double nameRight = 0;
    for (const poppler::Word& word : words)
        if (word.page == 1 && std::abs(word.yMin - label.yMin) < 4 && word.xMax < pageX(134))
            nameRight = std::max(nameRight, word.xMax);
    EXPECT_NEAR(inkRight(first, label.yMin, label.yMax, pageX(45), pageX(45 + 85) - 0.5), nameRight, 1.0);

    for (const char* name : { "Septiembre-Octubre", "Noviembre-Diciembre" }) {
        SCOPED_TRACE(name);
        const poppler::Word cell = poppler::findWord(words, QString::fromLatin1(name), 2);
        EXPECT_NEAR(inkRight(second, cell.yMin + 0.5, cell.yMax - 0.5, pageX(0) + 1, pageX(31) - 0.5), cell.xMax, 1.0);
    }
}
