#include "consumptionchart.h"
#include "reportlayout.h"
#include "reportpictures.h"
#include "reporttemplate.h"

#include "consumption.h"
#include "renderer.h"

#include "desktoplocale.h"
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
    addPeriods(periods, 4);
    periods[1].setFmr2(std::nanf(""));
    periods[1].setReactiveSurcharge(-3);
    // Exact halves, which printf would round to the even neighbour.
    periods[2].setFmr2(0.125f);
    periods[3].setFmr2(0.625f);
    ReportLayout layout;
    layout.setConsumptionList(&periods);
    {
        const testutils::ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
        layout.frxReport().PrepareReport();
    }

    // Period, year, kWh and peak demand plain; power factor and surcharge
    // with two decimals in the locale's form; an undefined power factor (no
    // energy at all) prints as nothing; a half cent rounds away from zero.
    const std::vector<QStringList> rows = billingRows(layout.frxReport().prepared());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (QStringList { "Enero", "2024", "1000", "50", "0,80", "0,00" }));
    EXPECT_EQ(rows[1], (QStringList { "Febrero", "2024", "1100", "51", "", "-3,00" }));
    EXPECT_EQ(rows[2], (QStringList { "Marzo", "2024", "1200", "52", "0,13", "20,00" }));
    EXPECT_EQ(rows[3], (QStringList { "Abril", "2024", "1300", "53", "0,63", "30,00" }));
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

namespace {

// One object of the template as the printed page must show it. Geometry in
// millimetres from its band's top-left corner; `style` lists what differs
// from plain text (Arial 10, left, top, wrapping, no frame, tag 0): a font
// size, b bold, i italic, r right, c centred, m vertically centred, s one
// line, t translated at start (tag 300), F framed all round, _ a line under.
struct TemplateObject {
    const char* name;
    const char* band;
    double x, y, width, height;
    const char* style;
    const char* text; // null: a placeholder that filling replaces
};

// clang-format off
const TemplateObject TemplateTexts[] = {
    { "Memo1", "PageHeader1", 25, 0, 25, 8, "16 b s", "TENVIK" },
    { "MemoVersion1", "PageHeader1", 50, 2.74, 25, 5, "8 t", "versión 7" },
    { "MemoAppName1", "PageHeader1", 25, 8, 150, 5, "8 b s t",
        "SOFTWARE PARA EL CÁLCULO DE BATERIAS DE CONDENSADORES, FERIMUNT Y LUMAREST" },
    { "Memo4", "PageHeader1", 25, 13, 150, 5, "8 s", nullptr },
    { "Memo5", "PageHeader1", 25, 18, 32, 5, "8 s", nullptr },
    { "Memo6", "PageHeader1", 58, 18, 32, 5, "8", nullptr },
    { "Memo7", "PageHeader1", 165, 18, 25, 5, "8 r", "[Date]" },
    { "Memo8", "PageHeader2", 25, 0, 25, 8, "16 b s", "TENVIK" },
    { "MemoVersion2", "PageHeader2", 50, 2.74, 25, 5, "8 t", "versión 7" },
    { "MemoAppName2", "PageHeader2", 25, 8, 150, 5, "8 b s t",
        "SOFTWARE PARA EL CÁLCULO DE BATERIAS DE CONDENSADORES, FERIMUNT Y LUMAREST" },
    { "Memo12", "PageHeader2", 25, 13, 150, 5, "8 s", nullptr },
    { "Memo13", "PageHeader2", 25, 18, 32, 5, "8 s", nullptr },
    { "Memo14", "PageHeader2", 58, 18, 32, 5, "8", nullptr },
    { "Memo40", "PageHeader2", 165, 18, 25, 5, "8 r", "[Date]" },

    { "Memo11", "Header2", 0, 5, 45, 5, "s t", "Empresa:" },
    { "BusinessNameMemo", "Header2", 45, 5, 85, 5, "s", nullptr },
    { "Memo19", "Header2", 134, 5, 25, 5, "s t", "Distribuidor:" },
    { "DistributionMemo", "Header2", 159, 5, 31, 5, "s", nullptr },
    { "Memo15", "Header2", 0, 10, 45, 5, "s t", "Nombre del cliente:" },
    { "UserNameMemo", "Header2", 45, 10, 85, 5, "s", nullptr },
    { "Memo21", "Header2", 134, 10, 25, 5, "s t", "Teléfono:" },
    { "TelephoneMemo", "Header2", 159, 10, 31, 5, "s", nullptr },
    { "Memo16", "Header2", 0, 15, 45, 5, "s t", "Dirección de la empresa:" },
    { "AddressMemo", "Header2", 45, 15, 85, 5, "s", nullptr },
    { "Memo22", "Header2", 0, 20, 43, 5, "s t", "Localidad/Población:" },
    { "PlaceMemo", "Header2", 45, 20, 85, 5, "s", nullptr },
    { "Memo17", "Header2", 0, 25, 45, 5, "s t", "Provincia:" },
    { "StateMemo", "Header2", 45, 25, 85, 5, "s", nullptr },
    { "BatteryNameMemo", "Header2", 0, 35, 190, 10, "b c m t", "Equipo seleccionado" },
    { "BatteryBType", "Header2", 0, 50, 71, 10, "16 s", nullptr },
    { "BatteryDescription", "Header2", 75, 50, 115, 127, "", nullptr },
    { "Memo18", "Header2", 0, 130, 30, 5, "s t", "Código:" },
    { "BatteryCodeMemo", "Header2", 31, 130, 40, 5, "s", nullptr },
    { "MemoLabelPowerBattery", "Header2", 0, 136, 30, 5, "s t", "Potencia (kVAr):" },
    { "BatteryPowerMemo", "Header2", 31, 136, 40, 5, "s", nullptr },
    { "Memo25", "Header2", 0, 142, 30, 5, "s t", "Tensión (Voltios):" },
    { "BatteryVoltMemo", "Header2", 31, 142, 40, 5, "s", nullptr },
    { "Memo27", "Header2", 0, 148, 30, 5, "s t", "Frecuencia (Hz):" },
    { "BatteryFrecuencyMemo", "Header2", 31, 148, 40, 5, "s", nullptr },
    { "Memo65", "Header2", 0, 154, 30, 5, "s t", "Escalones:" },
    { "BatteryStepsMemo", "Header2", 31, 154, 40, 5, "s", nullptr },
    { "Memo68", "Header2", 0, 160, 30, 5, "s t", "Medidas (mm):" },
    { "BatteryDimMemo", "Header2", 31, 160, 40, 5, "s", nullptr },
    { "Memo29", "Header2", 0, 166, 30, 5, "s t", "Cantidad:" },
    { "BatteryCountMemo", "Header2", 31, 166, 40, 5, "s", nullptr },
    { "Memo31", "Header2", 0, 172, 30, 5, "s t", "Precio (€):" },
    { "BatteryPriceMemo", "Header2", 31, 172, 40, 5, "s", nullptr },

    { "Memo43", "Header1", 0, 6, 90, 5, "b t _", "Conductor" },
    { "Memo44", "Header1", 100, 6, 90, 5, "b t _", "Transformador de intensidad" },
    { "Memo45", "Header1", 0, 14, 35, 5, "s t", "I Nominal (A):" },
    { "ConductorICalculateMemo", "Header1", 35, 14, 55, 5, "s", nullptr },
    { "Memo46", "Header1", 0, 20, 35, 5, "s t", "Sección (mm2):" },
    { "ConductorGaugeMemo", "Header1", 35, 20, 55, 5, "s", nullptr },
    { "Memo47", "Header1", 0, 26, 35, 5, "s t", "I Conductor (A):" },
    { "ConductorCurrentMemo", "Header1", 35, 26, 55, 5, "s", nullptr },
    { "Memo48", "Header1", 0, 32, 35, 5, "s t", "Longitud (m):" },
    { "ConductorLengthMemo", "Header1", 35, 32, 55, 5, "s", nullptr },
    { "Memo49", "Header1", 0, 38, 35, 5, "s t", "Cantidad x Fases" },
    { "ConductorCountMemo", "Header1", 35, 38, 55, 5, "s", nullptr },
    { "Memo50", "Header1", 0, 44, 35, 5, "s t", "Precio (€):" },
    { "ConductorPriceMemo", "Header1", 35, 44, 55, 5, "s", nullptr },
    { "Memo54", "Header1", 100, 14, 35, 5, "s t", "Tipo:" },
    { "TransformerTTypeMemo", "Header1", 135, 14, 55, 5, "s", nullptr },
    { "Memo51", "Header1", 100, 20, 35, 5, "s t", "I1/I2:" },
    { "TransformerAMemo", "Header1", 135, 20, 55, 5, "s", nullptr },
    { "Memo52", "Header1", 100, 26, 35, 5, "s t", "Cantidad:" },
    { "TransformerCountMemo", "Header1", 135, 26, 55, 5, "s", nullptr },
    { "Memo53", "Header1", 100, 32, 35, 5, "s t", "Precio (€):" },
    { "TransformerPriceMemo", "Header1", 135, 32, 55, 5, "s", nullptr },
    { "Page", "PageFooter1", 169, 9, 21, 5, "r s", "[Page#]" },

    { "MemoTitle2", "Header3", 0, 5, 190, 10, "b c m t", "Datos de Facturación" },
    { "Memo35", "Header3", 0, 15, 31, 10, "c m t F", "Mes/Bimestre" },
    { "Memo34", "Header3", 31, 15, 22, 10, "c m t F", "Año" },
    { "Memo36", "Header3", 53, 15, 32, 10, "c m t F", "kWh totales" },
    { "Memo37", "Header3", 85, 15, 33, 10, "c m t F", "Máxima demanda (kW)" },
    { "Memo38", "Header3", 118, 15, 34, 10, "c m t F", "Factor de potencia" },
    { "Memo39", "Header3", 152, 15, 38, 10, "c m t F", "Recargo por reactiva (€)" },
    // The billing rows are one line high: their cells keep one line.
    { "Memo24", "MasterData3", 0, 0, 31, 5, "s F", nullptr },
    { "Memo26", "MasterData3", 31, 0, 22, 5, "s F", nullptr },
    { "Memo28", "MasterData3", 53, 0, 32, 5, "s r F", nullptr },
    { "Memo30", "MasterData3", 85, 0, 33, 5, "s r F", nullptr },
    { "Memo32", "MasterData3", 118, 0, 34, 5, "s r F", nullptr },
    { "Memo33", "MasterData3", 152, 0, 38, 5, "s r F", nullptr },

    { "Memo55", "Header4", 0, 10, 65, 5, "b t _", "Datos generales del servicio" },
    { "Memo57", "Header4", 0, 20, 50, 10, "t", "Potencia media activa (kW):" },
    { "average_active_powerMemo", "Header4", 50, 20, 15, 5, "r s", nullptr },
    { "Memo58", "Header4", 0, 30, 50, 10, "t", "Potencia media reactiva (kVAr):" },
    { "average_reactive_powerMemo", "Header4", 50, 30, 15, 5, "r s", nullptr },
    { "Memo59", "Header4", 0, 40, 50, 10, "t", "Máxima demanda (kW):" },
    { "Preliminar_mdrMemo", "Header4", 50, 40, 15, 5, "r s", nullptr },
    { "Memo60", "Header4", 0, 50, 50, 10, "t", "Factor de potencia medio actual:" },
    { "Preliminar_factorMemo", "Header4", 50, 50, 15, 5, "r s", nullptr },
    { "Memo61", "Header4", 0, 60, 50, 10, "t", "Factor de potencia medio deseado:" },
    { "Preliminar_factordeseadoMemo", "Header4", 50, 60, 15, 5, "r s", nullptr },
    { "Memo23", "Header4", 0, 70, 50, 10, "t", "Ahorro anual de activa estimado (€):" },
    { "saving_term_active_powerMemo", "Header4", 50, 70, 15, 5, "r s", nullptr },
    { "Memo67", "Header4", 0, 80, 50, 10, "t", "Ahorro anual del término de potencia estimado (€):" },
    { "saving_term_powerMemo", "Header4", 50, 80, 15, 5, "r s", nullptr },

    { "Memo62", "Header5", 0, 9, 95, 5, "b t _", "Datos generales del servicio" },
    { "Memo63", "Header5", 0, 19, 80, 10, "t", "Potencia contratada o máximetro (kW):" },
    { "MaximumPowerMemo", "Header5", 80, 19, 15, 5, "r s", nullptr },
    { "Memo64", "Header5", 0, 29, 80, 10, "t", "Dispone de transformador de entrada propio:" },
    { "InputTransformerMemoLabel", "Header5", 0, 39, 80, 10, "t", "Transformador de entrada (KVA):" },
    { "InputTransformerMemo", "Header5", 80, 39, 15, 5, "r s", nullptr },

    { "Memo56", "PageFooter2", 0, 0, 190, 5, "i t",
        "Se recomienda a los instaladores realizar un análisis de red antes de instalar el equipo." },
    { "Memo20", "PageFooter2", 0, 6, 190, 10, "i t",
        "Siempre deberá utilizarse conductores con aislamiento 0.6 / 1 Kv no propagador de incendio y con emisión de "
        "humos y opacidad reducida (libre de halógenos)." },
    { "Memo66", "PageFooter2", 0, 17, 190, 7, "i t",
        "Cálculo de sección para una longitud de acometida inferior a 5 mts." },
    { "Memo41", "PageFooter2", 169, 39, 21, 5, "r", "[Page#]" },
};
// clang-format on

// The pictures, lines and shapes: kind, band and geometry; lines are along
// their top edge, so only their y counts.
struct TemplateFigure {
    const char* name;
    ObjectKind kind;
    const char* band;
    double x, y, width, height;
};

// clang-format off
const TemplateFigure TemplateFigures[] = {
    { "Picture1", ObjectKind::Picture, "PageHeader1", 0, 0, 22, 25 },
    { "Line1", ObjectKind::Line, "PageHeader1", 0, 25, 190, 0 },
    { "Picture2", ObjectKind::Picture, "PageHeader2", 0, 0, 22, 25 },
    { "Line4", ObjectKind::Line, "PageHeader2", 0, 25, 190, 0 },
    { "Shape1", ObjectKind::Shape, "Header2", 0, 35, 190, 10 },
    { "Line3", ObjectKind::Line, "Header2", 0, 35, 190, 0 },
    { "BatteryImage", ObjectKind::Picture, "Header2", 0, 60, 71, 65 },
    { "Picture3", ObjectKind::Picture, "PageFooter1", 0, 2, 35, 12 },
    { "Shape2", ObjectKind::Shape, "Header3", 0, 5, 190, 10 },
    { "ChartPicture", ObjectKind::Picture, "Header4", 70, 5, 120, 85 },
    { "ExistInputTransformerMarkTrue", ObjectKind::Picture, "Header5", 87, 29, 9, 8 },
    { "ExistInputTransformerMarkFalse", ObjectKind::Picture, "Header5", 87, 29, 9, 8 },
    { "Picture4", ObjectKind::Picture, "PageFooter2", 0, 32, 35, 12 },
};
// clang-format on

void expectGeometry(const View& view, double x, double y, double width, double height)
{
    EXPECT_NEAR(view.left(), mm(x), 1e-9);
    EXPECT_NEAR(view.top(), mm(y), 1e-9);
    EXPECT_NEAR(view.width(), mm(width), 1e-9);
    EXPECT_NEAR(view.height(), mm(height), 1e-9);
}

} // namespace

TEST(ReportTemplate, EveryTextObjectHasItsPlaceStyleAndText)
{
    ReportLayout layout;
    for (const TemplateObject& expected : TemplateTexts) {
        SCOPED_TRACE(expected.name);
        const auto* memo = layout.frxReport().find<MemoView>(QString::fromLatin1(expected.name));
        ASSERT_NE(memo, nullptr);
        ASSERT_NE(memo->band(), nullptr);
        EXPECT_EQ(memo->band()->name(), QString::fromLatin1(expected.band));
        expectGeometry(*memo, expected.x, expected.y, expected.width, expected.height);

        const QStringList style = QString::fromLatin1(expected.style).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        float size = 10;
        for (const QString& token : style) {
            if (token.at(0).isDigit())
                size = token.toFloat();
        }
        EXPECT_EQ(memo->fontName(), QStringLiteral("Arial"));
        EXPECT_EQ(memo->fontSize(), size);
        EXPECT_EQ(memo->bold(), style.contains(QStringLiteral("b")));
        EXPECT_EQ(memo->italic(), style.contains(QStringLiteral("i")));
        const HAlign hAlign = style.contains(QStringLiteral("r")) ? HAlign::Right
            : style.contains(QStringLiteral("c"))                 ? HAlign::Center
                                                                  : HAlign::Left;
        EXPECT_EQ(memo->hAlign(), hAlign);
        EXPECT_EQ(memo->vAlign(), style.contains(QStringLiteral("m")) ? VAlign::Center : VAlign::Top);
        EXPECT_EQ(memo->wordWrap(), !style.contains(QStringLiteral("s")));
        EXPECT_EQ(memo->tag(), style.contains(QStringLiteral("t")) ? ReportTranslatedTag : 0);
        const bool all = style.contains(QStringLiteral("F"));
        const bool under = all || style.contains(QStringLiteral("_"));
        EXPECT_EQ(memo->frame().top, all);
        EXPECT_EQ(memo->frame().bottom, under);
        EXPECT_EQ(memo->frame().left, all);
        EXPECT_EQ(memo->frame().right, all);
        if (expected.text) {
            EXPECT_EQ(memo->text(), QString::fromUtf8(expected.text));
        }
    }

    // The billing cells show the data set's columns, the last two with two
    // decimals.
    const std::pair<const char*, const char*> cells[] = { { "Memo24", "Period" }, { "Memo26", "Year" },
        { "Memo28", "kwht" }, { "Memo30", "PeakDemand" }, { "Memo32", "FFmr2" }, { "Memo33", "ReactiveSurcharge" } };
    for (const auto& [name, field] : cells) {
        const auto* cell = layout.frxReport().find<MemoView>(QString::fromLatin1(name));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->dataSet(), &layout.frxComsumptionDataSet()) << name;
        EXPECT_EQ(cell->dataField(), QString::fromLatin1(field)) << name;
        const bool decimals
            = cell->dataField() == QLatin1String("FFmr2") || cell->dataField() == QLatin1String("ReactiveSurcharge");
        const auto& writer = cell->displayFormat().writer;
        EXPECT_EQ(static_cast<bool>(writer), decimals) << name;
        if (decimals && writer) {
            // The program's rounding of the decimal, not printf's of the
            // binary value (2.67, 0,12).
            EXPECT_EQ(writer(2.675, QLocale::c()), QStringLiteral("2.68")) << name;
            EXPECT_EQ(writer(0.125, QLocale(QLocale::Spanish, QLocale::Spain)), QStringLiteral("0,13")) << name;
            EXPECT_EQ(writer(221, QLocale::c()), QStringLiteral("221.00")) << name;
        }
    }
}

TEST(ReportTemplate, PicturesLinesAndShapesInTheirPlaces)
{
    ReportLayout layout;
    for (const TemplateFigure& expected : TemplateFigures) {
        SCOPED_TRACE(expected.name);
        const auto* view = layout.frxReport().find<View>(QString::fromLatin1(expected.name));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->kind(), expected.kind);
        EXPECT_EQ(view->band()->name(), QString::fromLatin1(expected.band));
        expectGeometry(*view, expected.x, expected.y, expected.width, expected.height);
        EXPECT_EQ(view->tag(), 0);
    }
    for (const char* name : { "Shape1", "Shape2" }) {
        const auto* shape = layout.frxReport().find<ShapeView>(QString::fromLatin1(name));
        EXPECT_EQ(shape->color(), ColorSilver) << name;
        EXPECT_EQ(shape->frameColor(), ColorSilver) << name;
    }
    EXPECT_FALSE(layout.frxReport().find<PictureView>(QStringLiteral("ChartPicture"))->keepAspectRatio());
    for (const char* name : { "ExistInputTransformerMarkTrue", "ExistInputTransformerMarkFalse" })
        EXPECT_TRUE(layout.frxReport().find<PictureView>(QString::fromLatin1(name))->center()) << name;
}

TEST(ReportTemplate, PagesAndBandsInPrintOrder)
{
    ReportLayout layout;
    const auto& pages = layout.frxReport().pages();
    ASSERT_EQ(pages.size(), 2u);
    struct BandRow {
        const char* name;
        BandKind kind;
        double height;
        int rows; // master data only
        const char* header; // the header printed with it, or null
    };
    const std::vector<std::vector<BandRow>> expected = {
        { { "PageHeader1", BandKind::PageHeader, 25, 1, nullptr }, { "Header2", BandKind::Header, 185, 1, nullptr },
            { "MasterData1", BandKind::MasterData, 1, 1, "Header2" }, { "Header1", BandKind::Header, 49, 1, nullptr },
            { "MasterData2", BandKind::MasterData, 6, 1, "Header1" },
            { "PageFooter1", BandKind::PageFooter, 14, 1, nullptr } },
        { { "PageHeader2", BandKind::PageHeader, 25, 1, nullptr }, { "Header3", BandKind::Header, 25, 1, nullptr },
            { "MasterData3", BandKind::MasterData, 5, 1, "Header3" }, { "Header4", BandKind::Header, 95, 1, nullptr },
            { "MasterData4", BandKind::MasterData, 6, 0, "Header4" }, { "Header5", BandKind::Header, 89, 1, nullptr },
            { "MasterData5", BandKind::MasterData, 6, 0, "Header5" },
            { "PageFooter2", BandKind::PageFooter, 44, 1, nullptr } },
    };
    const char* pageNames[] = { "Page1", "Page2" };
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const ReportPage& page = *pages[p];
        EXPECT_EQ(page.name(), QString::fromLatin1(pageNames[p]));
        EXPECT_EQ(page.paperWidthMm(), 210);
        EXPECT_EQ(page.paperHeightMm(), 297);
        for (double margin : { page.leftMarginMm(), page.topMarginMm(), page.rightMarginMm(), page.bottomMarginMm() })
            EXPECT_EQ(margin, 10);
        ASSERT_EQ(page.bands().size(), expected[p].size());
        for (std::size_t b = 0; b < expected[p].size(); ++b) {
            const Band& band = *page.bands()[b];
            const BandRow& row = expected[p][b];
            SCOPED_TRACE(row.name);
            EXPECT_EQ(band.name(), QString::fromLatin1(row.name));
            EXPECT_EQ(band.kind(), row.kind);
            EXPECT_NEAR(band.height(), mm(row.height), 1e-9);
            if (row.kind == BandKind::MasterData) {
                EXPECT_EQ(band.rowCount(), row.rows);
                ASSERT_NE(band.header(), nullptr);
                EXPECT_EQ(band.header()->name(), QString::fromLatin1(row.header));
                EXPECT_EQ(band.dataSet() != nullptr, band.name() == QLatin1String("MasterData3"));
            }
        }
    }
    EXPECT_EQ(layout.frxReport().dataSets(), std::vector<UserDataSet*> { &layout.frxComsumptionDataSet() });
    EXPECT_EQ(layout.frxComsumptionDataSet().fields(),
        (QStringList { "Year", "InputTransformer", "PeakDemand", "ReactiveSurcharge", "Period", "AmountActiveTerm",
            "AmountPowerTerm", "kwht", "kvarh", "FFmr2" }));
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
