#include "reportfilling.h"

#include "desktoplocale.h"
#include "documentfixtures.h"
#include "renderer.h"
#include "reportlayout.h"

#include "catalogue.h"
#include "equipment.h"
#include "selection.h"
#include "translation.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <cmath>

using docfixtures::SettingsStore;
using testutils::ScriptedDialogs;

namespace {

// One catalogue row, read by column name.
class Row : public CatalogueRowSet {
public:
    explicit Row(QVariantMap values)
        : m_values(std::move(values))
    {
    }
    bool isOpen() const override { return true; }
    void first() override { }
    void next() override { }
    bool eof() const override { return false; }
    CatalogueColumn column(const QString& name) const override { return CatalogueColumn(0, name); }
    bool fieldAsBoolean(const CatalogueColumn& c) const override { return m_values.value(c.name()).toBool(); }
    std::int32_t fieldAsInteger(const CatalogueColumn& c) const override { return m_values.value(c.name()).toInt(); }
    QString fieldAsString(const CatalogueColumn& c) const override { return m_values.value(c.name()).toString(); }
    float fieldAsSingle(const CatalogueColumn& c) const override { return m_values.value(c.name()).toFloat(); }
    QByteArray fieldAsBlob(const CatalogueColumn& c) const override { return m_values.value(c.name()).toByteArray(); }
    void close() override { }
    void setParameter(const QString&, const QString&) override { }
    void open() override { }

private:
    QVariantMap m_values;
};

// A PNG of a series picture, as the catalogue holds it.
QByteArray seriesPicture()
{
    QImage image(146, 130, QImage::Format_ARGB32);
    image.fill(QColor(90, 110, 140));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// The table in force and the default locale for one test.
class Language {
public:
    Language(bool english, const QLocale& locale)
        : m_locale(locale)
    {
        Translation::setEnglishInForce(english);
    }
    ~Language() { Translation::setEnglishInForce(false); }

private:
    testutils::ScopedDefaultLocale m_locale;
};

// A calculated project with one candidate, its cable and, when asked, a
// current transformer; and the report template.
struct Fixture {
    SettingsStore store;
    ScriptedDialogs dialogs;
    TDskProject project { nullptr, &dialogs, store.open() };
    ReportLayout layout;
    TBattery* battery = nullptr;

    explicit Fixture(bool withTransformer = true, TBatteryType type = TBatteryType::battery)
    {
        project.setBatteryType(type);
        project.setFrequency(TFrequency::f60Hz);
        project.setBusinessName(QStringLiteral("Talleres Ñandú, S.A."));
        project.setUserName(QStringLiteral("María Pérez"));
        project.setAddress(QStringLiteral("Calle Mayor 1"));
        project.setState(QStringLiteral("Zaragoza"));
        project.setDistribution(QStringLiteral("Eléctrica del Ebro"));
        project.setTelephone(QStringLiteral("976 000 111"));
        project.setPlace(QStringLiteral("Utebo"));

        auto candidate = std::make_unique<TBattery>(&project.Selection());
        Row description({ { "image", seriesPicture() }, { "name", "Batería automática" },
            { "text_es", "Batería de condensadores con regulador de 6 escalones." },
            { "text_en", "Capacitor bank with a 6-step controller." } });
        candidate->LoadFromDataSet(Row({ { "code", "BC-7" }, { "type", "Corsel" }, { "volt", 400 }, { "power", 7.5 },
                                       { "price", 0.0 }, { "steps", "1+2+4" }, { "dim", "500x400x250" } }),
            &description);
        candidate->setCount(2);
        candidate->setPrice(Money::fromTicks(12345000)); // 1234.5
        auto cable = std::make_unique<TConductor>();
        cable->LoadFromDataSet(Row({ { "gauge", 2.5 }, { "current", 24.0 }, { "price", 0.0 } }));
        cable->setPrice(Money::fromTicks(123456)); // 12.3456
        cable->setICalculate(10.83f);
        cable->setCount(1);
        cable->setLength(5.0f);
        candidate->setConductor(std::move(cable));
        battery = &project.Selection().BatteryList().Add(std::move(candidate));
        if (withTransformer)
            setTransformer();
    }

    void setTransformer()
    {
        auto transformer = std::make_unique<TTransformer>();
        transformer->LoadFromDataSet(Row({ { "type", "TI-60" }, { "a", 150.0 }, { "price", 30.0 } }));
        project.Selection().setTransformer(std::move(transformer));
    }

    report::Report& report() { return layout.frxReport(); }
    QString text(const char* name) { return report().find<report::MemoView>(QString::fromLatin1(name))->text(); }
    bool visible(const char* name) { return report().find<report::View>(QString::fromLatin1(name))->visible(); }
    int rows(const char* name) { return report().find<report::Band>(QString::fromLatin1(name))->rowCount(); }
};

struct FillCase {
    bool english;
    bool comma;
    bool transformer;
};

std::string caseName(const ::testing::TestParamInfo<FillCase>& info)
{
    const FillCase& c = info.param;
    return std::string(c.english ? "English" : "Spanish") + (c.comma ? "Comma" : "Point")
        + (c.transformer ? "WithTransformer" : "WithoutTransformer");
}

} // namespace

class ReportFilling : public ::testing::TestWithParam<FillCase> { };

TEST_P(ReportFilling, WritesEveryValueOfTheCandidate)
{
    const FillCase& tc = GetParam();
    const QLocale locale
        = tc.comma ? QLocale(QLocale::Spanish, QLocale::Spain) : QLocale(QLocale::English, QLocale::UnitedStates);
    Language language(tc.english, locale);
    Fixture f(tc.transformer);
    const TReportTexts kept = LangTextReport(f.project, f.report());
    MakeReport(f.project, f.report(), f.battery, kept);

    const auto number = [&](const char* text) { return QString::fromLatin1(text).replace('.', tc.comma ? ',' : '.'); };
    const auto lang = [&](const char* es, const char* en) { return QString::fromUtf8(tc.english ? en : es); };

    for (const char* name : { "MemoVersion1", "MemoVersion2" })
        EXPECT_EQ(f.text(name), lang("versión 7", "version 7")) << name;
    for (const char* name : { "MemoAppName1", "MemoAppName2" })
        EXPECT_EQ(f.text(name),
            lang("SOFTWARE PARA EL CÁLCULO DE CONDENSADORES, FERIMUNT Y LUMAREST",
                "CALCULATION SOFTWARE FOR CAPACITOR BANKS, FERIMUNT AND LUMAREST"))
            << name;
    EXPECT_EQ(f.text("BatteryNameMemo"), lang("Equipo seleccionado", "Selected equipment"));
    EXPECT_EQ(f.text("MemoTitle2"), lang("Datos de facturación", "Billing Information"));

    // Customer texts as stored, never translated.
    EXPECT_EQ(f.text("BusinessNameMemo"), QStringLiteral("Talleres Ñandú, S.A."));
    EXPECT_EQ(f.text("UserNameMemo"), QStringLiteral("María Pérez"));
    EXPECT_EQ(f.text("AddressMemo"), QStringLiteral("Calle Mayor 1"));
    EXPECT_EQ(f.text("StateMemo"), QStringLiteral("Zaragoza"));
    EXPECT_EQ(f.text("DistributionMemo"), QStringLiteral("Eléctrica del Ebro"));
    EXPECT_EQ(f.text("TelephoneMemo"), QStringLiteral("976 000 111"));
    EXPECT_EQ(f.text("PlaceMemo"), QStringLiteral("Utebo"));

    EXPECT_EQ(f.text("BatteryBType"), QStringLiteral("Batería automática Corsel"));
    EXPECT_EQ(f.report().find<report::PictureView>(QStringLiteral("BatteryImage"))->picture(), f.battery->Image());
    EXPECT_FALSE(f.battery->Image().isNull());
    EXPECT_EQ(f.text("BatteryDescription"), f.battery->Description());
    EXPECT_EQ(f.text("BatteryCodeMemo"), QStringLiteral("BC-7"));
    EXPECT_EQ(f.text("MemoLabelPowerBattery"), lang("Potencia (kVAr):", "Power (kVAr):"));
    EXPECT_EQ(f.text("BatteryPowerMemo"), number("7.50"));
    EXPECT_EQ(f.text("BatteryVoltMemo"), QStringLiteral("400"));
    EXPECT_EQ(f.text("BatteryFrecuencyMemo"), QStringLiteral("60"));
    EXPECT_EQ(f.text("BatteryDimMemo"), QStringLiteral("500x400x250"));
    EXPECT_EQ(f.text("BatteryStepsMemo"), QStringLiteral("1+2+4"));
    EXPECT_EQ(f.text("BatteryCountMemo"), QStringLiteral("2"));
    EXPECT_EQ(f.text("BatteryPriceMemo"), number("1234.50")); // never a group separator

    EXPECT_EQ(f.text("ConductorICalculateMemo"), number("10.83"));
    EXPECT_EQ(f.text("ConductorGaugeMemo"), number("2.50"));
    EXPECT_EQ(f.text("ConductorCurrentMemo"), number("24.00"));
    EXPECT_EQ(f.text("ConductorCountMemo"), lang("1x3 Fase", "1x3 Phase"));
    EXPECT_EQ(f.text("ConductorLengthMemo"), number("5.00"));
    EXPECT_EQ(f.text("ConductorPriceMemo"), number("12.35"));

    EXPECT_TRUE(f.visible("Memo54"));
    for (const char* name : { "Memo51", "Memo52", "Memo53", "TransformerTTypeMemo", "TransformerAMemo",
             "TransformerCountMemo", "TransformerPriceMemo" })
        EXPECT_EQ(f.visible(name), tc.transformer) << name;
    if (tc.transformer) {
        EXPECT_EQ(f.text("Memo54"), lang("Tipo:", "Type:"));
        EXPECT_EQ(f.text("TransformerTTypeMemo"), QStringLiteral("TI-60"));
        EXPECT_EQ(f.text("TransformerAMemo"), QStringLiteral("150/5"));
        EXPECT_EQ(f.text("TransformerCountMemo"), QStringLiteral("2"));
        EXPECT_EQ(f.text("TransformerPriceMemo"), number("30.00"));
    } else {
        EXPECT_EQ(f.text("Memo54"), lang("Incluido", "Included"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportFilling,
    ::testing::Values(FillCase { false, true, true }, FillCase { false, false, false }, FillCase { true, false, true },
        FillCase { true, true, false }),
    caseName);

TEST(ReportFillingSummary, ConsumptionShowsThePreliminaryFigures)
{
    Language language(false, QLocale(QLocale::Spanish, QLocale::Spain));
    Fixture f;
    f.project.setCalculationType(TCalculationType::consumption);
    TConsumptionList& list = f.project.ConsumptionList();
    list.setPowerfactor(0.95f);
    list.setWorkHours(300);
    for (int i = 0; i < 3; ++i) {
        auto period = std::make_unique<TConsumption>();
        period->setPeriod(QStringLiteral("Mes %1").arg(i + 1));
        period->setYear(2025);
        period->setKwht(12000 + 1000 * i);
        period->setKvarh(9000 + 500 * i);
        period->setPeakDemand(80 + 5 * i);
        period->setInputTransformer(400);
        period->setReactiveSurcharge(120 + 10 * i);
        period->setCostPowerTerm(900 + 10 * i);
        period->setCostActiveTerm(1500 + 20 * i);
        list.Add(std::move(period));
    }
    f.project.Selection().CalculatePreliminar();
    const TPreliminar p = f.project.Selection().PreliminarOut();
    MakeReport(f.project, f.report(), f.battery);

    EXPECT_EQ(f.rows("MasterData4"), 1);
    EXPECT_EQ(f.rows("MasterData5"), 0);
    const std::pair<const char*, float> figures[] = {
        { "average_active_powerMemo", p.average_active_power },
        { "average_reactive_powerMemo", p.average_reactive_power },
        { "Preliminar_mdrMemo", p.MDR },
        { "Preliminar_factorMemo", p.factor },
        { "Preliminar_factordeseadoMemo", p.factor_deseado },
        { "saving_term_active_powerMemo", p.saving_term_active_power },
        { "saving_term_powerMemo", p.saving_term_power },
    };
    for (const auto& [name, value] : figures) {
        const QString shown = f.text(name);
        // Two decimals with the comma, read back to the figure.
        ASSERT_TRUE(std::isfinite(value)) << name;
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?[0-9]+,[0-9]{2}$")).match(shown).hasMatch())
            << name << " " << shown.toStdString();
        EXPECT_NEAR(QLocale().toDouble(shown), value, 0.005 + std::fabs(value) * 1e-6) << name;
    }
}

TEST(ReportFillingSummary, ContractedPowerShowsItsOwnBlock)
{
    for (bool own : { true, false }) {
        SCOPED_TRACE(own);
        Fixture f;
        f.project.setCalculationType(TCalculationType::contracted_power);
        f.project.setMaximumPower(250);
        f.project.setHasInputTransformer(own);
        f.project.setInputTransformer(630);
        const QString consumptionBefore = f.text("average_active_powerMemo");
        MakeReport(f.project, f.report(), f.battery);

        EXPECT_EQ(f.rows("MasterData4"), 0);
        EXPECT_EQ(f.rows("MasterData5"), 1);
        EXPECT_EQ(f.text("MaximumPowerMemo"), QStringLiteral("250"));
        EXPECT_EQ(f.visible("InputTransformerMemo"), own);
        EXPECT_EQ(f.visible("InputTransformerMemoLabel"), own);
        EXPECT_EQ(f.visible("ExistInputTransformerMarkTrue"), own);
        EXPECT_EQ(f.visible("ExistInputTransformerMarkFalse"), !own);
        if (own) {
            EXPECT_EQ(f.text("InputTransformerMemo"), QStringLiteral("630"));
        }
        // The block that is not printed is left alone.
        EXPECT_EQ(f.text("average_active_powerMemo"), consumptionBefore);
    }
}

TEST(ReportFillingSummary, ProductLinesLabelThePowerInKilowatts)
{
    for (TBatteryType type : { TBatteryType::ferimont, TBatteryType::lumarest }) {
        Fixture f(true, type);
        MakeReport(f.project, f.report(), f.battery);
        EXPECT_EQ(f.text("MemoLabelPowerBattery"), QStringLiteral("Potencia (kW):"));
    }
}

TEST(ReportFillingSequence, APrintWithATransformerRestoresItsLabelAfterOneWithout)
{
    Language language(true, QLocale(QLocale::English, QLocale::UnitedStates));
    Fixture f(false);
    const TReportTexts kept = LangTextReport(f.project, f.report());
    EXPECT_EQ(kept.TransformerTypeLabel, QStringLiteral("Type:"));
    MakeReport(f.project, f.report(), f.battery, kept);
    ASSERT_EQ(f.text("Memo54"), QStringLiteral("Included"));
    ASSERT_FALSE(f.visible("TransformerPriceMemo"));

    f.setTransformer();
    MakeReport(f.project, f.report(), f.battery, kept);
    EXPECT_EQ(f.text("Memo54"), QStringLiteral("Type:"));
    for (const char* name : { "Memo51", "Memo52", "Memo53", "TransformerTTypeMemo", "TransformerAMemo",
             "TransformerCountMemo", "TransformerPriceMemo" })
        EXPECT_TRUE(f.visible(name)) << name;
}

TEST(ReportFillingValues, ACableNotFoundAndAFigureThatIsNotFinite)
{
    Language language(false, QLocale(QLocale::Spanish, QLocale::Spain));
    Fixture f;
    f.battery->setConductor(std::make_unique<TConductor>());
    MakeReport(f.project, f.report(), f.battery);
    for (const char* name : { "ConductorICalculateMemo", "ConductorGaugeMemo", "ConductorCurrentMemo",
             "ConductorLengthMemo", "ConductorPriceMemo" })
        EXPECT_EQ(f.text(name), QStringLiteral("0,00")) << name;
    EXPECT_EQ(f.text("ConductorCountMemo"), QStringLiteral("0x3 Fase"));

    f.battery->Conductor()->setICalculate(std::nanf(""));
    f.battery->Conductor()->setLength(INFINITY);
    MakeReport(f.project, f.report(), f.battery);
    EXPECT_EQ(f.text("ConductorICalculateMemo"), QString());
    EXPECT_EQ(f.text("ConductorLengthMemo"), QString());

    EXPECT_THROW(MakeReport(f.project, f.report(), nullptr), std::invalid_argument);
}

TEST(ReportFillingValues, HalfCentsRoundAwayFromZero)
{
    Language language(false, QLocale(QLocale::Spanish, QLocale::Spain));
    Fixture f;
    f.battery->setPrice(Money::fromTicks(26750)); // 2.675
    f.battery->Conductor()->setPrice(Money::fromTicks(-10150)); // -1.015
    f.project.Selection().Transformer()->setPrice(Money::fromTicks(1250)); // 0.125
    f.battery->Conductor()->setICalculate(0.125f);
    f.battery->Conductor()->setLength(136.125f);
    MakeReport(f.project, f.report(), f.battery);
    EXPECT_EQ(f.text("BatteryPriceMemo"), QStringLiteral("2,68"));
    EXPECT_EQ(f.text("ConductorPriceMemo"), QStringLiteral("-1,02"));
    EXPECT_EQ(f.text("TransformerPriceMemo"), QStringLiteral("0,13"));
    EXPECT_EQ(f.text("ConductorICalculateMemo"), QStringLiteral("0,13"));
    EXPECT_EQ(f.text("ConductorLengthMemo"), QStringLiteral("136,13"));
}

TEST(ReportFillingTranslation, TrimsAndTranslatesOnlyTheTaggedTexts)
{
    struct Case {
        const char* text;
        int tag;
        const char* spanish;
        const char* english;
    };
    const Case cases[] = {
        { "  Empresa:\r\n", 300, "Empresa:", "Company:" },
        { "Empresa :", 300, "Empresa :", "Empresa :" }, // the blank belongs to the key, which has no row
        { "\tMes/Bimestre ", 300, "Mes/Bimestre", "Month/Bimonthly" },
        { "Empresa:", 0, "Empresa:", "Empresa:" }, // not tagged: untouched
        { " Código ", 0, " Código ", " Código " },
        { "Sin fila:", 300, "Sin fila:", "Sin fila:" },
    };
    for (bool english : { false, true }) {
        Language language(english, QLocale(QLocale::English, QLocale::UnitedStates));
        Fixture f;
        report::Band& band = *f.report().find<report::Band>(QStringLiteral("Header1"));
        std::vector<report::MemoView*> memos;
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            auto& memo = band.add<report::MemoView>(QStringLiteral("Probe%1").arg(i));
            memo.setText(QString::fromUtf8(cases[i].text));
            memo.setTag(cases[i].tag);
            memos.push_back(&memo);
        }
        LangTextReport(f.project, f.report());
        for (std::size_t i = 0; i < std::size(cases); ++i)
            EXPECT_EQ(memos[i]->text(), QString::fromUtf8(english ? cases[i].english : cases[i].spanish))
                << english << " " << cases[i].text;
        // Pictures keep their pictures, bands their rows.
        EXPECT_FALSE(f.report().find<report::PictureView>(QStringLiteral("Picture1"))->picture().isNull());
        EXPECT_EQ(f.rows("MasterData1"), 1);
    }
}

TEST(ReportFillingPreparation, TheFilledReportPrintsItsTwoSheets)
{
    Fixture f;
    docfixtures::fillProject(f.project);
    f.project.setCalculationType(TCalculationType::contracted_power);
    f.layout.setConsumptionList(&f.project.ConsumptionList());
    LangTextReport(f.project, f.report());
    MakeReport(f.project, f.report(), f.battery);
    f.report().PrepareReport();
    const auto& sheets = f.report().prepared().pages;
    ASSERT_EQ(sheets.size(), 2u);
    // Page2 opens with the billing table; its title is the lower-case one.
    const report::PreparedObject& header = sheets[1].objects.at(2);
    ASSERT_EQ(header.name, QStringLiteral("Header3"));
    EXPECT_EQ(header.children.at(1).text, QStringLiteral("Datos de facturación"));
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        EXPECT_TRUE(report::renderSheetToImage(sheets[s], 1.5)
                        .save(testutils::testOutputFolder() + QStringLiteral("/filled-report-%1.png").arg(s + 1)));
    }
}
