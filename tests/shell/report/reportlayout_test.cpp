#include "consumptionchart.h"
#include "reportlayout.h"
#include "reportpictures.h"
#include "reporttemplate.h"

#include "consumption.h"
#include "renderer.h"

#include "testutils.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace report;

namespace {

void addPeriods(TConsumptionList& list, int count)
{
    static const char* months[] = { "Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto",
        "Septiembre", "Octubre", "Noviembre", "Diciembre" };
    for (int i = 0; i < count; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QString::fromLatin1(months[i % 12]));
        period->setYear(2024 + i / 12);
        period->setKwht(1000 + 100 * i);
        period->setKvarh(400 + 30 * i);
        period->setPeakDemand(50 + i);
        period->setReactiveSurcharge(10 * i);
        period->setFmr2(0.8f + 0.01f * static_cast<float>(i % 10));
        list.Add(std::move(period));
    }
}

// The report of a project with `count` billing periods, its summary blocks
// switched the way filling switches them.
struct Fixture {
    ReportLayout layout;
    TConsumptionList periods;
    ConsumptionChart chart;

    Fixture(int count, int consumptionRows, int contractedRows)
    {
        addPeriods(periods, count);
        chart.Fill(periods);
        layout.setConsumptionList(&periods);
        layout.setChart(&chart);
        layout.frxReport().find<Band>(QStringLiteral("MasterData4"))->setRowCount(consumptionRows);
        layout.frxReport().find<Band>(QStringLiteral("MasterData5"))->setRowCount(contractedRows);
        layout.frxReport().setReportDate(QDate(2026, 12, 11));
    }
    const PreparedReport& prepare()
    {
        layout.frxReport().PrepareReport();
        return layout.frxReport().prepared();
    }
};

int bandsOn(const PreparedPage& sheet, const QString& name)
{
    int count = 0;
    for (const PreparedObject& object : sheet.objects)
        count += object.name == name;
    return count;
}

const PreparedObject* findObject(const PreparedPage& sheet, const QString& name)
{
    for (const PreparedObject& object : sheet.objects) {
        if (object.name == name)
            return &object;
        for (const PreparedObject& child : object.children) {
            if (child.name == name)
                return &child;
        }
    }
    return nullptr;
}

// The texts of the billing rows in print order, one list per row.
std::vector<QStringList> billingRows(const PreparedReport& prepared)
{
    std::vector<QStringList> rows;
    for (const PreparedPage& sheet : prepared.pages) {
        for (const PreparedObject& object : sheet.objects) {
            if (object.name != QLatin1String("MasterData3"))
                continue;
            QStringList cells;
            for (const PreparedObject& cell : object.children)
                cells << cell.text;
            rows.push_back(cells);
        }
    }
    return rows;
}

} // namespace

struct SheetCase {
    const char* what;
    int periods;
    bool consumption;
    std::vector<int> rowsPerSheet; // billing rows on each sheet, Page1's sheet first
    int summarySheet; // the sheet holding the summary block, from 0
};

class ReportSheets : public ::testing::TestWithParam<SheetCase> { };

TEST_P(ReportSheets, SplitTheBillingTableAndPlaceTheSummary)
{
    const SheetCase& tc = GetParam();
    Fixture f(tc.periods, tc.consumption ? 1 : 0, tc.consumption ? 0 : 1);
    const PreparedReport& prepared = f.prepare();
    ASSERT_EQ(prepared.pages.size(), tc.rowsPerSheet.size()) << tc.what;

    int headers = 0;
    for (std::size_t s = 0; s < prepared.pages.size(); ++s) {
        const PreparedPage& sheet = prepared.pages[s];
        EXPECT_EQ(bandsOn(sheet, QStringLiteral("MasterData3")), tc.rowsPerSheet[s]) << "sheet " << s;
        headers += bandsOn(sheet, QStringLiteral("Header3"));
        const bool summaryHere = static_cast<int>(s) == tc.summarySheet;
        EXPECT_EQ(bandsOn(sheet, QStringLiteral("Header4")), tc.consumption && summaryHere ? 1 : 0) << "sheet " << s;
        EXPECT_EQ(bandsOn(sheet, QStringLiteral("Header5")), !tc.consumption && summaryHere ? 1 : 0) << "sheet " << s;
    }
    // The table's title and headings print once, with the first row, and
    // not at all without periods.
    EXPECT_EQ(headers, tc.periods > 0 ? 1 : 0);

    // Page1 always fits its one sheet: its header and footer, both blocks.
    // Its bands add up to 3 mm more than the sheet holds; the empty band at
    // the end is dropped rather than given a sheet of its own.
    const PreparedPage& first = prepared.pages[0];
    EXPECT_EQ(bandsOn(first, QStringLiteral("Header2")), 1);
    EXPECT_EQ(bandsOn(first, QStringLiteral("Header1")), 1);
    EXPECT_EQ(bandsOn(first, QStringLiteral("MasterData2")), 0);
    EXPECT_EQ(bandsOn(first, QStringLiteral("PageFooter1")), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportSheets,
    ::testing::Values(SheetCase { "no periods", 0, true, { 0, 0 }, 1 }, SheetCase { "a year", 12, true, { 0, 12 }, 1 },
        SheetCase { "seventeen", 17, true, { 0, 17 }, 1 },
        SheetCase { "eighteen move the summary on", 18, true, { 0, 18, 0 }, 2 },
        SheetCase { "forty split 36 + 4", 40, true, { 0, 36, 4 }, 2 },
        SheetCase { "contracted power alone", 0, false, { 0, 0 }, 1 },
        SheetCase { "contracted power with periods", 12, false, { 0, 12 }, 1 },
        SheetCase { "contracted power after forty", 40, false, { 0, 36, 4 }, 2 }),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ReportLayout, PrintsNeitherSummaryInTheTemplatesOwnState)
{
    ReportLayout layout;
    layout.frxReport().PrepareReport();
    const PreparedReport& prepared = layout.frxReport().prepared();
    ASSERT_EQ(prepared.pages.size(), 2u);
    EXPECT_EQ(bandsOn(prepared.pages[1], QStringLiteral("Header3")), 0);
    EXPECT_EQ(bandsOn(prepared.pages[1], QStringLiteral("Header4")), 0);
    EXPECT_EQ(bandsOn(prepared.pages[1], QStringLiteral("Header5")), 0);
    EXPECT_EQ(bandsOn(prepared.pages[1], QStringLiteral("PageFooter2")), 1);
}

TEST(ReportLayout, StampsDateAndSheetNumbers)
{
    Fixture f(40, 1, 0);
    const PreparedReport& prepared = f.prepare();
    ASSERT_EQ(prepared.pages.size(), 3u);
    EXPECT_EQ(findObject(prepared.pages[0], QStringLiteral("Memo7"))->text, QStringLiteral("11/12/2026"));
    EXPECT_EQ(findObject(prepared.pages[0], QStringLiteral("Page"))->text, QStringLiteral("1"));
    for (int s : { 1, 2 }) {
        EXPECT_EQ(findObject(prepared.pages[s], QStringLiteral("Memo40"))->text, QStringLiteral("11/12/2026"));
        EXPECT_EQ(findObject(prepared.pages[s], QStringLiteral("Memo41"))->text, QString::number(s + 1));
        // The page header repeats on every sheet of its page.
        EXPECT_EQ(bandsOn(prepared.pages[s], QStringLiteral("PageHeader2")), 1);
    }
}

TEST(ReportLayout, ServesThePeriodsToTheBillingTable)
{
    TConsumptionList periods;
    addPeriods(periods, 2);
    periods[1].setFmr2(std::nanf(""));
    periods[1].setReactiveSurcharge(-3);
    ReportLayout layout;
    layout.setConsumptionList(&periods);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    layout.frxReport().PrepareReport();
    QLocale::setDefault(QLocale::c());

    // Period, year, kWh and peak demand plain; power factor and surcharge
    // with two decimals in the locale's form; an undefined power factor (no
    // energy at all) prints as nothing.
    const std::vector<QStringList> rows = billingRows(layout.frxReport().prepared());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (QStringList { "Enero", "2024", "1000", "50", "0,80", "0,00" }));
    EXPECT_EQ(rows[1], (QStringList { "Febrero", "2024", "1100", "51", "", "-3,00" }));
}

TEST(ReportLayout, DataSetCallbacksFollowTheCursor)
{
    TConsumptionList periods;
    addPeriods(periods, 3);
    ReportLayout layout;
    layout.setConsumptionList(&periods);
    UserDataSet& set = layout.frxComsumptionDataSet();
    EXPECT_EQ(set.name(), QStringLiteral("frxComsumptionDataSet"));
    EXPECT_EQ(set.fields().size(), 10);

    set.First();
    EXPECT_EQ(set.tag(), 0);
    EXPECT_FALSE(set.Eof());
    set.Next();
    set.Next();
    EXPECT_EQ(set.Value(QStringLiteral("Period")).toString(), QStringLiteral("Marzo"));
    EXPECT_FALSE(set.Eof());
    set.Prior();
    EXPECT_EQ(set.Value(QStringLiteral("kwht")).toInt(), 1100);
    set.Next();
    set.Next();
    EXPECT_TRUE(set.Eof());

    // Exact names only; declared columns without a value leave it as it came.
    set.First();
    for (const char* name : { "period", "kvarh", "InputTransformer", "AmountActiveTerm", "AmountPowerTerm", "x" }) {
        QVariant value = QStringLiteral("as passed");
        layout.frxComsumptionDataSetGetValue(QString::fromLatin1(name), value);
        EXPECT_EQ(value.toString(), QStringLiteral("as passed")) << name;
    }

    // A cursor outside the list is an error that ends the preparation.
    set.setTag(3);
    QVariant value;
    EXPECT_THROW(layout.frxComsumptionDataSetGetValue(QStringLiteral("Period"), value), std::out_of_range);
    set.setTag(-1);
    EXPECT_THROW(layout.frxComsumptionDataSetGetValue(QStringLiteral("Year"), value), std::out_of_range);

    TConsumptionList none;
    layout.setConsumptionList(&none);
    set.First();
    EXPECT_TRUE(set.Eof());
}

TEST(ReportLayout, DrawsTheChartAsItStandsAtEveryPreparation)
{
    Fixture f(3, 1, 0);
    const auto chartPicture = [&]() {
        const PreparedReport& prepared = f.prepare();
        const PreparedObject* picture = findObject(prepared.pages.at(1), QStringLiteral("ChartPicture"));
        return picture ? picture->picture : QImage();
    };
    const QImage first = chartPicture();
    ASSERT_EQ(first.size(), QSize(454, 321));
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(first.dotsPerMeterX(), 47244); // 1200 dots per inch
    EXPECT_EQ(first.dotsPerMeterY(), 47244);

    f.periods[0].setKwht(90000);
    f.chart.Fill(f.periods);
    const QImage second = chartPicture();
    ASSERT_EQ(second.size(), QSize(454, 321));
    EXPECT_NE(first, second);

    // Nothing else is touched by the hook.
    PictureView* emblem = f.layout.frxReport().find<PictureView>(QStringLiteral("Picture1"));
    const QImage before = emblem->picture();
    f.layout.frxReportBeforePrint(*emblem);
    EXPECT_EQ(emblem->picture(), before);
}

TEST(ReportLayout, MarksTheFixedTextsForTranslation)
{
    ReportLayout layout;
    QStringList translated;
    for (Component* component : layout.frxReport().components()) {
        if (component->tag() == ReportTranslatedTag)
            translated << component->name();
        else
            EXPECT_EQ(component->tag(), 0) << component->name().toStdString();
    }
    for (const char* name : { "MemoVersion1", "MemoAppName2", "Memo11", "Memo54", "MemoLabelPowerBattery", "Memo35",
             "MemoTitle2", "InputTransformerMemoLabel", "Memo66", "Memo43" })
        EXPECT_TRUE(translated.contains(QString::fromLatin1(name))) << name;
    for (const char* name : { "Memo1", "Memo4", "Memo7", "BusinessNameMemo", "TransformerTTypeMemo", "Memo24", "Page" })
        EXPECT_FALSE(translated.contains(QString::fromLatin1(name))) << name;
}

TEST(ReportPictures, HaveTheirSizesAndContent)
{
    const std::pair<QImage, QSize> pictures[]
        = { { ReportPictures::makerEmblem(), QSize(142, 142) }, { ReportPictures::makerLogo(), QSize(227, 84) },
              { ReportPictures::markYes(), QSize(48, 48) }, { ReportPictures::markNo(), QSize(48, 48) } };
    for (const auto& [image, size] : pictures) {
        EXPECT_EQ(image.size(), size);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        EXPECT_GT(opaque, image.width() * image.height() / 4) << size.width();
    }
    EXPECT_EQ(QColor(ReportPictures::markYes().pixel(24, 6)).green() > 120, true);
    EXPECT_GT(qRed(ReportPictures::markNo().pixel(4, 24)), 200);
}

TEST(ReportRendering, EachSheetRendersToAPicture)
{
    Fixture f(14, 1, 0);
    const PreparedReport& prepared = f.prepare();
    ASSERT_EQ(prepared.pages.size(), 2u);
    std::vector<QImage> images;
    for (std::size_t s = 0; s < prepared.pages.size(); ++s) {
        images.push_back(renderSheetToImage(prepared.pages[s], 1.5));
        EXPECT_TRUE(
            images.back().save(testutils::testOutputFolder() + QStringLiteral("/report-sheet-%1.png").arg(s + 1)));
    }
    const auto at = [](const QImage& image, double xMm, double yMm) {
        return image.pixelColor(
            static_cast<int>(std::lround(mm(xMm) * 1.5)), static_cast<int>(std::lround(mm(yMm) * 1.5)));
    };
    // Page1's heading: the silver shape under "Equipo seleccionado", left of
    // the centred text (margin 10 mm, header 25 mm, shape at 35 mm).
    EXPECT_EQ(at(images[0], 15, 10 + 25 + 35 + 5), QColor(192, 192, 192));
    // Page2's silver title bar of the billing table.
    EXPECT_EQ(at(images[1], 15, 10 + 25 + 5 + 2), QColor(192, 192, 192));

    // "TENVIK" in the page header: ink inside Memo1's box.
    const auto darkIn = [](const QImage& image, QRectF boxMm) {
        int dark = 0;
        const QRect box(QPoint(std::lround(mm(boxMm.left()) * 1.5), std::lround(mm(boxMm.top()) * 1.5)),
            QPoint(std::lround(mm(boxMm.right()) * 1.5), std::lround(mm(boxMm.bottom()) * 1.5)));
        for (int y = box.top(); y < box.bottom(); ++y)
            for (int x = box.left(); x < box.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_GT(darkIn(images[0], QRectF(35, 10, 25, 8)), 100);
    EXPECT_GT(darkIn(images[1], QRectF(35, 10, 25, 8)), 100);

    // The chart box (at 80, 10 + 25 + 25 + 70 rows × 5 + 5 mm): bars of both
    // colours inside it.
    const double chartTop = 10 + 25 + 25 + 14 * 5 + 5;
    int active = 0, reactive = 0;
    for (double y = chartTop; y < chartTop + 85; y += 0.5) {
        for (double x = 80; x < 200; x += 0.5) {
            const QColor c = at(images[1], x, y);
            active += c == QColor(0x44, 0x66, 0xA3);
            reactive += c == QColor(0xFF, 0x7F, 0x50);
        }
    }
    EXPECT_GT(active, 100);
    EXPECT_GT(reactive, 50);
}

TEST(ReportRendering, ALongTableContinuesOnAThirdSheet)
{
    Fixture f(40, 1, 0);
    const PreparedReport& prepared = f.prepare();
    ASSERT_EQ(prepared.pages.size(), 3u);
    const QImage third = renderSheetToImage(prepared.pages[2], 1.5);
    EXPECT_TRUE(third.save(testutils::testOutputFolder() + QStringLiteral("/report-40-periods-sheet-3.png")));
    // Four rows right under the page header, then the summary with its chart.
    const PreparedObject* firstRow = nullptr;
    for (const PreparedObject& object : prepared.pages[2].objects) {
        if (object.name == QLatin1String("MasterData3")) {
            firstRow = &object;
            break;
        }
    }
    ASSERT_NE(firstRow, nullptr);
    EXPECT_NEAR(firstRow->absTop, mm(10 + 25), 1e-9);
    EXPECT_EQ(firstRow->children.at(0).text, QStringLiteral("Enero")); // period 37
    EXPECT_EQ(firstRow->children.at(1).text, QStringLiteral("2027"));
    const PreparedObject* chart = findObject(prepared.pages[2], QStringLiteral("ChartPicture"));
    ASSERT_NE(chart, nullptr);
    EXPECT_NEAR(chart->absTop, mm(10 + 25 + 4 * 5 + 5), 1e-9);
}
