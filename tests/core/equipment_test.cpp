// The equipment records read from real catalogue rows: banks with their
// series description, cables and current transformers.
#include "equipment.h"

#include "dbdatamodule.h"
#include "desktoplocale.h"
#include "project.h"
#include "selection.h"
#include "translation.h"

#include "testutils.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

QString bankRow(const QString& table, const QString& code, const QString& type, int volt, const char* power,
                const char* price, int automatic = 1, int harmonic = 0, int transform = 0)
{
    return QStringLiteral("INSERT INTO %1 (code, type, volt, power, price, automatic, harmonic, transform, steps, "
                          "dim) VALUES ('%2', '%3', %4, %5, %6, %7, %8, %9, 'steps of %2', 'dim of %2');\n")
        .arg(table, code, type)
        .arg(volt)
        .arg(QLatin1String(power), QLatin1String(price))
        .arg(automatic)
        .arg(harmonic)
        .arg(transform);
}

QString descriptionRow(const QString& type, const QString& image, const QString& name, const QString& es,
                       const QString& en)
{
    return QStringLiteral("INSERT INTO description VALUES ('%1', %2, '%3', '%4', '%5');\n")
        .arg(type, image, name, es, en);
}

// A project with its selection over a catalogue built for the test.
class EquipmentTest : public ::testing::Test {
protected:
    void build(const QString& rows)
    {
        m_catalogue = std::make_unique<testutils::TemporaryCatalogue>(testutils::catalogueSchemaSql() + rows);
        m_module = std::make_unique<TDbDataModule>(m_catalogue->path());
        m_project = std::make_unique<TCProyect>(m_module.get());
    }

    // The bank row set on its `index`-th row (from 0).
    CatalogueRowSet& bankAt(int index)
    {
        CatalogueRowSet& rows = m_module->GetBbTable();
        rows.first();
        for (int i = 0; i < index; ++i)
            rows.next();
        return rows;
    }
    CatalogueRowSet& description() { return m_module->GetDescriptionTable(); }
    std::unique_ptr<TBattery> newBattery() { return std::make_unique<TBattery>(&m_project->Selection()); }
    TCProyect& project() { return *m_project; }
    TDbDataModule& module() { return *m_module; }

private:
    std::unique_ptr<testutils::TemporaryCatalogue> m_catalogue;
    std::unique_ptr<TDbDataModule> m_module;
    std::unique_ptr<TCProyect> m_project;
};

class EnglishInForce {
public:
    explicit EnglishInForce(bool inForce) { Translation::setEnglishInForce(inForce); }
    ~EnglishInForce() { Translation::setEnglishInForce(false); }
};

} // namespace

// ------------------------------------------------------------- series ranks

struct RankCase {
    const char* code;
    std::int32_t rank;
};

class SeriesRank : public ::testing::TestWithParam<RankCase> {};

TEST_P(SeriesRank, ComparesTheCodeExactly)
{
    EXPECT_EQ(TBattery::SeriesRank(QString::fromUtf8(GetParam().code)), GetParam().rank);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SeriesRank,
    ::testing::Values(RankCase{"Quelva", 1}, RankCase{"Fenwa", 2}, RankCase{"Corsel", 10}, RankCase{"Dravia", 11},
                      RankCase{"Galvix", 100}, RankCase{"Hormea", 101}, RankCase{"Isquel", 102},
                      RankCase{"Brunia", 200}, RankCase{"Elmora", 201}, RankCase{"Tirsa", 1000},
                      RankCase{"Ostrel", 1000}, RankCase{"", 1000},
                      // Letter case and blanks count.
                      RankCase{"quelva", 1000}, RankCase{"ELMORA", 1000}, RankCase{"Fenwa ", 1000},
                      RankCase{" Fenwa", 1000}, RankCase{"Gal vix", 1000}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// ------------------------------------------------------------------- banks

TEST_F(EquipmentTest, BankReadsEveryCatalogueFieldAndItsRank)
{
    build(bankRow("bb", "GLX-440-250", "Galvix", 440, "250", "8765.5", 1, 1, 0)
          + bankRow("bb", "TRS-400-50", "Tirsa", 400, "12.5", "300", 0, 0, 1));
    auto battery = newBattery();
    battery->LoadFromDataSet(bankAt(0));
    EXPECT_EQ(battery->Code(), "GLX-440-250");
    EXPECT_EQ(battery->BType(), "Galvix");
    EXPECT_EQ(battery->Volt(), 440);
    EXPECT_EQ(battery->Power(), 250.0f);
    EXPECT_EQ(battery->Price(), Money::fromTicks(87655000));
    EXPECT_TRUE(battery->Automatic());
    EXPECT_TRUE(battery->Harmonic());
    EXPECT_FALSE(battery->Transform());
    EXPECT_EQ(battery->Steps(), "steps of GLX-440-250");
    EXPECT_EQ(battery->Dim(), "dim of GLX-440-250");
    EXPECT_EQ(battery->Order(), 100);
    EXPECT_EQ(battery->Count(), 0);
    EXPECT_EQ(battery->Conductor(), nullptr);

    battery->LoadFromDataSet(bankAt(1));
    EXPECT_EQ(battery->Code(), "TRS-400-50");
    EXPECT_EQ(battery->Power(), 12.5f);
    EXPECT_FALSE(battery->Automatic());
    EXPECT_FALSE(battery->Harmonic());
    EXPECT_TRUE(battery->Transform());
    EXPECT_EQ(battery->Order(), 1000);
}

TEST_F(EquipmentTest, ReadingDoesNotMoveTheBankRowSet)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "1") + bankRow("bb", "B", "Fenwa", 400, "20", "2")
          + descriptionRow("Fenwa", testutils::tinyPngSqlLiteral(), "", "es", "en"));
    CatalogueRowSet& rows = bankAt(1);
    newBattery()->LoadFromDataSet(rows, &description());
    EXPECT_EQ(rows.fieldAsString("code"), "B");
}

struct PriceCase {
    const char* stored;
    std::int64_t ticks;
};

class CataloguePrice : public EquipmentTest, public ::testing::WithParamInterface<PriceCase> {};

// The price passes through single precision on its way to money: the money
// is the single's value to four decimals, halves to even.
TEST_P(CataloguePrice, BecomesMoneyThroughSinglePrecision)
{
    const PriceCase& c = GetParam();
    build(bankRow("bb", "A", "Fenwa", 400, "10", c.stored)
          + QStringLiteral("INSERT INTO cond VALUES (16, 100, %1);\nINSERT INTO trans VALUES ('TI', 250, %1);\n")
                .arg(QLatin1String(c.stored)));
    auto battery = newBattery();
    battery->LoadFromDataSet(bankAt(0));
    EXPECT_EQ(battery->Price().ticks(), c.ticks);

    CatalogueRowSet& cond = module().GetCondTable();
    cond.first();
    TConductor conductor;
    conductor.LoadFromDataSet(cond);
    EXPECT_EQ(conductor.Price().ticks(), c.ticks);

    CatalogueRowSet& trans = module().GetTransTable();
    trans.first();
    TTransformer transformer;
    transformer.LoadFromDataSet(trans);
    EXPECT_EQ(transformer.Price().ticks(), c.ticks);
}

INSTANTIATE_TEST_SUITE_P(Prices, CataloguePrice,
                         ::testing::Values(PriceCase{"1234.56", 12345601}, PriceCase{"12345.67", 123456699},
                                           PriceCase{"99.99", 999900}, PriceCase{"0.03125", 312},
                                           PriceCase{"0.03135", 314}, PriceCase{"0", 0},
                                           PriceCase{"'2500'", 25000000}, PriceCase{"NULL", 0}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(EquipmentTest, APriceThatIsNoMoneyFailsTheRead)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "'consultar'") + bankRow("bb", "B", "Fenwa", 400, "10", "1e30")
          + bankRow("bb", "C", "Fenwa", 400, "10", "1e300"));
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_THROW(newBattery()->LoadFromDataSet(bankAt(row)), ECatalogueError);
    }
}

TEST(BankRecord, AMissingColumnFailsTheRead)
{
    testutils::TemporaryCatalogue broken(
        QStringLiteral("CREATE TABLE bb (code, type, volt, power, automatic, harmonic, transform, steps, dim);\n"
                       "CREATE TABLE bb6 (x); CREATE TABLE bbf (x); CREATE TABLE bbe (x); CREATE TABLE cond (x);\n"
                       "CREATE TABLE trans (x); CREATE TABLE description (type);\n"
                       "INSERT INTO bb VALUES ('A', 'Fenwa', 400, 10, 1, 0, 0, '', '');\n"));
    TDbDataModule module(broken.path());
    CatalogueRowSet& rows = module.GetBbTable();
    rows.first();
    TBattery battery(nullptr);
    try {
        battery.LoadFromDataSet(rows);
        FAIL() << "a bank without a price was read";
    } catch (const ECatalogueError& e) {
        EXPECT_TRUE(e.message().contains("price"));
    }
}

// ------------------------------------------------------ series description

struct NameCase {
    const char* stored;
    const char* name;
    const char* typeName;
};

class SeriesName : public EquipmentTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SeriesName, FollowsTheNameRules)
{
    const NameCase& c = GetParam();
    build(bankRow("bb", "A", "Corsel", 400, "10", "1")
          + descriptionRow("Corsel", testutils::tinyPngSqlLiteral(), QString::fromUtf8(c.stored), "", ""));
    auto battery = newBattery();
    battery->LoadFromDataSet(bankAt(0), &description());
    EXPECT_EQ(battery->Name(), QString::fromUtf8(c.name));
    EXPECT_EQ(battery->BTypeName(), QString::fromUtf8(c.typeName));
}

INSTANTIATE_TEST_SUITE_P(Names, SeriesName,
                         ::testing::Values(NameCase{"", "Serie", "Serie Corsel"}, NameCase{"none", "", "Corsel"},
                                           // Only "none" exactly means no name.
                                           NameCase{"None", "None", "None Corsel"},
                                           NameCase{"none ", "none ", "none  Corsel"},
                                           NameCase{"Gama", "Gama", "Gama Corsel"}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(EquipmentTest, DescriptionFollowsTheProjectLanguageWithoutFallback)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "1") + bankRow("bb", "B", "Dravia", 440, "10", "1")
          + descriptionRow("Fenwa", testutils::tinyPngSqlLiteral(), "", "Batería mural", "Wall bank")
          + descriptionRow("Dravia", testutils::tinyPngSqlLiteral(), "", "Solo en español", ""));
    struct Case {
        TAppLanguage language;
        int row;
        const char* expected;
    };
    // Any language value other than Spanish reads the English text.
    for (const Case& c : {Case{TAppLanguage::es, 0, "Batería mural"}, Case{TAppLanguage::en, 0, "Wall bank"},
                          Case{TAppLanguage::es, 1, "Solo en español"}, Case{TAppLanguage::en, 1, ""},
                          Case{static_cast<TAppLanguage>(7), 0, "Wall bank"}}) {
        SCOPED_TRACE(c.expected);
        project().setLanguage(c.language);
        auto battery = newBattery();
        battery->LoadFromDataSet(bankAt(c.row), &description());
        EXPECT_EQ(battery->Description(), QString::fromUtf8(c.expected));
    }
}

TEST_F(EquipmentTest, PictureIsDecodedFromTheCataloguePng)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "1")
          + descriptionRow("Fenwa", testutils::tinyPngSqlLiteral(), "", "", ""));
    auto battery = newBattery();
    EXPECT_TRUE(battery->Image().isNull());
    battery->LoadFromDataSet(bankAt(0), &description());
    EXPECT_EQ(battery->Image().size(), QSize(1, 1));
}

TEST_F(EquipmentTest, APictureThatCannotBeDecodedFailsTheRead)
{
    // A PNG cut short after its signature, and bytes of no picture format.
    build(bankRow("bb", "A", "Fenwa", 400, "10", "1") + bankRow("bb", "B", "Corsel", 400, "10", "1")
          + descriptionRow("Fenwa", "X'89504E470D0A1A0A0000000D4948'", "", "", "")
          + descriptionRow("Corsel", "X'0001020304050607'", "", "", ""));
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        EXPECT_THROW(newBattery()->LoadFromDataSet(bankAt(row), &description()), ECatalogueError);
    }
}

TEST_F(EquipmentTest, AnEmptyPictureIsNoError)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "1") + bankRow("bb", "B", "Corsel", 400, "10", "1")
          + descriptionRow("Fenwa", "X''", "", "es", "en") + descriptionRow("Corsel", "NULL", "", "es", "en"));
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        auto battery = newBattery();
        battery->LoadFromDataSet(bankAt(row), &description());
        EXPECT_TRUE(battery->Image().isNull());
        EXPECT_EQ(battery->Description(), "es");
    }
}

TEST_F(EquipmentTest, ASeriesWithoutDescriptionGetsEmptyTextsAndPicture)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "1") + bankRow("bb", "B", "Isquel", 450, "10", "1")
          + descriptionRow("Fenwa", testutils::tinyPngSqlLiteral(), "Gama", "es", "en"));
    auto battery = newBattery();
    battery->LoadFromDataSet(bankAt(0), &description());
    ASSERT_FALSE(battery->Image().isNull());
    battery->LoadFromDataSet(bankAt(1), &description());
    EXPECT_EQ(battery->Name(), "Serie");
    EXPECT_EQ(battery->BTypeName(), "Serie Isquel");
    EXPECT_EQ(battery->Description(), "");
    EXPECT_TRUE(battery->Image().isNull());
}

TEST_F(EquipmentTest, ReReadingOverwritesCatalogueFieldsOnly)
{
    build(bankRow("bb", "A", "Fenwa", 400, "10", "100", 1, 0, 0) + bankRow("bb", "B", "Corsel", 440, "20", "200", 0, 1, 1)
          + descriptionRow("Fenwa", testutils::tinyPngSqlLiteral(), "Gama", "mural", "wall")
          + descriptionRow("Corsel", "X''", "none", "armario", "cabinet"));
    auto battery = newBattery();
    battery->LoadFromDataSet(bankAt(0), &description());
    battery->setCount(3);
    auto cable = std::make_unique<TConductor>();
    TConductor* conductor = cable.get();
    battery->setConductor(std::move(cable));

    // Without the description: the catalogue fields change, the series
    // picture, name and description stay.
    battery->LoadFromDataSet(bankAt(1));
    EXPECT_EQ(battery->Code(), "B");
    EXPECT_EQ(battery->BType(), "Corsel");
    EXPECT_EQ(battery->Volt(), 440);
    EXPECT_EQ(battery->Power(), 20.0f);
    EXPECT_EQ(battery->Price(), Money::fromTicks(2000000));
    EXPECT_FALSE(battery->Automatic());
    EXPECT_TRUE(battery->Harmonic());
    EXPECT_TRUE(battery->Transform());
    EXPECT_EQ(battery->Order(), 10);
    EXPECT_EQ(battery->Name(), "Gama");
    EXPECT_EQ(battery->Description(), "mural");
    EXPECT_FALSE(battery->Image().isNull());

    // With it, they change as well. Count, cable and selection never do.
    battery->LoadFromDataSet(bankAt(1), &description());
    EXPECT_EQ(battery->Name(), "");
    EXPECT_EQ(battery->BTypeName(), "Corsel");
    EXPECT_EQ(battery->Description(), "armario");
    EXPECT_TRUE(battery->Image().isNull());
    EXPECT_EQ(battery->Count(), 3);
    EXPECT_EQ(battery->Conductor(), conductor);
    EXPECT_EQ(battery->Selection(), &project().Selection());
}

TEST_F(EquipmentTest, FrequencyShownFollowsTheProject)
{
    build(QString());
    auto battery = newBattery();
    project().setFrequency(TFrequency::f50Hz);
    EXPECT_EQ(battery->SFrequency(), 50);
    project().setFrequency(TFrequency::f60Hz);
    EXPECT_EQ(battery->SFrequency(), 60);
}

// ------------------------------------------------------------------ cables

TEST_F(EquipmentTest, CableReadsItsRowAndKeepsWhatTheSelectionSet)
{
    build(QStringLiteral("INSERT INTO cond (price, current, gauge) VALUES (13.2, 100, 16);\n"));
    TConductor conductor;
    EXPECT_FALSE(conductor.Found());
    TBattery owner(nullptr);
    conductor.setBattery(&owner);
    conductor.setCount(2);
    conductor.setLength(35.0f);
    conductor.setICalculate(216.5f);

    CatalogueRowSet& cond = module().GetCondTable();
    cond.first();
    conductor.LoadFromDataSet(cond);
    EXPECT_EQ(conductor.Gauge(), 16.0f);
    EXPECT_EQ(conductor.Current(), 100.0f);
    EXPECT_EQ(conductor.Price().ticks(), 132000);
    EXPECT_TRUE(conductor.Found());
    EXPECT_EQ(conductor.Battery(), &owner);
    EXPECT_EQ(conductor.Count(), 2);
    EXPECT_EQ(conductor.Length(), 35.0f);
    EXPECT_EQ(conductor.ICalculate(), 216.5f);
}

TEST(ConductorCount, IsTheCountFollowedByTheTranslatedPhaseText)
{
    struct Case {
        std::int32_t count;
        bool english;
        const char* expected;
    };
    for (const Case& c : {Case{0, false, "0x3 Fase"}, Case{2, false, "2x3 Fase"}, Case{0, true, "0x3 Phase"},
                          Case{2, true, "2x3 Phase"}, Case{12, true, "12x3 Phase"}}) {
        SCOPED_TRACE(c.expected);
        EnglishInForce table(c.english);
        TConductor conductor;
        conductor.setCount(c.count);
        EXPECT_EQ(conductor.SCount(), QString::fromUtf8(c.expected));
    }
}

// ----------------------------------------------------- current transformers

TEST_F(EquipmentTest, TransformerReadsItsRowAndKeepsItsVoltage)
{
    build(QStringLiteral("INSERT INTO trans (price, a, type) VALUES (38.75, 250, 'TI-V 250/5 A');\n"));
    TTransformer transformer;
    transformer.setVolt(480);
    CatalogueRowSet& trans = module().GetTransTable();
    trans.first();
    transformer.LoadFromDataSet(trans);
    EXPECT_EQ(transformer.TType(), "TI-V 250/5 A");
    EXPECT_EQ(transformer.A(), 250.0f);
    EXPECT_EQ(transformer.Price().ticks(), 387500);
    EXPECT_EQ(transformer.Volt(), 480);
}

TEST_F(EquipmentTest, TransformerRatioIsThePrimaryWithoutDecimalsOverFive)
{
    build(QStringLiteral("INSERT INTO trans VALUES ('a', 250, 1);\nINSERT INTO trans VALUES ('b', 2500, 1);\n"
                         "INSERT INTO trans VALUES ('c', 50, 1);\n"));
    const testutils::ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    std::vector<QString> ratios;
    CatalogueRowSet& trans = module().GetTransTable();
    for (trans.first(); !trans.eof(); trans.next()) {
        TTransformer transformer;
        transformer.LoadFromDataSet(trans);
        ratios.push_back(transformer.SA());
    }
    // No thousands separator, even under a locale that has one.
    EXPECT_EQ(ratios, (std::vector<QString>{"250/5", "2500/5", "50/5"}));
}

// -------------------------------------------------------------- the list

// The list hands out its candidates, never the pointers that own them.
static_assert(std::is_same_v<decltype(*std::declval<TBatteryList&>().begin()), TBattery&>);
static_assert(std::is_same_v<decltype(*std::declval<const TBatteryList&>().begin()), const TBattery&>);

TEST(BatteryList, RefusesANullCandidate)
{
    TBatteryList list;
    list.Add(std::make_unique<TBattery>(nullptr));
    EXPECT_THROW(list.Add(nullptr), std::invalid_argument);
    EXPECT_EQ(list.Count(), 1);
}

TEST(BatteryList, OwnsItsCandidatesAndSortsHighestRankFirst)
{
    TBatteryList list;
    const auto add = [&list](const QString& code, const QString& type) {
        testutils::TemporaryCatalogue catalogue(
            testutils::catalogueSchemaSql() + bankRow("bb", code, type, 400, "10", "1"));
        TDbDataModule module(catalogue.path());
        CatalogueRowSet& rows = module.GetBbTable();
        rows.first();
        auto battery = std::make_unique<TBattery>(nullptr);
        battery->LoadFromDataSet(rows);
        return &list.Add(std::move(battery));
    };
    add("q", "Quelva");
    add("x", "Ostrel");
    add("e", "Elmora");
    TBattery* galvix = add("g", "Galvix");
    EXPECT_EQ(list.IndexOf(galvix), 3);
    list.SortByRank();
    std::vector<QString> codes;
    for (const auto& battery : list)
        codes.push_back(battery.Code());
    EXPECT_EQ(codes, (std::vector<QString>{"x", "e", "g", "q"}));
    EXPECT_EQ(list.IndexOf(galvix), 2);
    list.Clear();
    EXPECT_TRUE(list.isEmpty());
}
