// The program's own two-page report, prepared by the report engine and
// exported through the filter with the real PDF document.
#include "consumption.h"
#include "consumptionchart.h"
#include "exporthelpers.h"
#include "poppler.h"
#include "reportlayout.h"
#include "testutils.h"
#include "ufrxPDFExport.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    for (int page : { 1, 2 }) {
        const QString png
            = QDir(testutils::testOutputFolder()).filePath(QStringLiteral("pdfexport-template-page%1.png").arg(page));
        poppler::renderPage(file, page, 80, png);
        EXPECT_FALSE(QImage(png).isNull());
    }
}
