// The catalogue the program ships with: read through the program's own data
// module and records, it must let every calculation find sensible equipment.
#include "dbdatamodule.h"
#include "equipment.h"
#include "project.h"
#include "selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace {

// The voltage classes the selection accepts, and the catalogue voltages in
// each.
struct VoltageClass {
    const char* name;
    std::vector<std::int32_t> volts;
};

const std::vector<VoltageClass>& voltageClasses()
{
    static const std::vector<VoltageClass> classes{
        {"400", {400, 440, 450}}, {"480", {480}}, {"230", {220, 230, 240}}};
    return classes;
}

bool inClass(const VoltageClass& c, std::int32_t volt)
{
    return std::find(c.volts.begin(), c.volts.end(), volt) != c.volts.end();
}

struct Bank {
    QString code;
    QString type;
    std::int32_t volt;
    float power;
    bool harmonic;
    bool transform;
    Money price;
};

class ShippedCatalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_module = new TDbDataModule(QStringLiteral(TENVIK_SHIPPED_CATALOGUE)); }
    static void TearDownTestSuite()
    {
        delete s_module;
        s_module = nullptr;
    }

    static TDbDataModule& module() { return *s_module; }

    static CatalogueRowSet& table(const QString& name)
    {
        if (name == "bb")
            return module().GetBbTable();
        if (name == "bb6")
            return module().GetBb6Table();
        if (name == "bbf")
            return module().GetBbfTable();
        return module().GetBbeTable();
    }

    // Every row of a bank table, in table order, read as the selection reads it.
    static std::vector<Bank> banks(const QString& name)
    {
        std::vector<Bank> result;
        CatalogueRowSet& rows = table(name);
        for (rows.first(); !rows.eof(); rows.next()) {
            TBattery battery(nullptr);
            battery.LoadFromDataSet(rows);
            result.push_back({battery.Code(), battery.BType(), battery.Volt(), battery.Power(), battery.Harmonic(),
                              battery.Transform(), battery.Price()});
        }
        return result;
    }

    static std::vector<Bank> select(const std::vector<Bank>& all, const std::function<bool(const Bank&)>& keep)
    {
        std::vector<Bank> result;
        std::copy_if(all.begin(), all.end(), std::back_inserter(result), keep);
        return result;
    }

    static inline TDbDataModule* s_module = nullptr;
};

std::vector<float> distinctPowers(const std::vector<Bank>& banks)
{
    std::set<float> powers;
    for (const Bank& bank : banks)
        powers.insert(bank.power);
    return {powers.begin(), powers.end()};
}

// The largest step between neighbouring powers, as a ratio: how far above
// the required power the chosen bank can lie.
float largestStep(const std::vector<float>& powers)
{
    float largest = 1.0f;
    for (std::size_t i = 1; i < powers.size(); ++i)
        largest = std::max(largest, powers[i] / powers[i - 1]);
    return largest;
}

} // namespace

TEST_F(ShippedCatalogue, OpensWithEveryQuery)
{
    for (CatalogueRowSet* rows :
         {&module().GetBbTable(), &module().GetBb6Table(), &module().GetBbfTable(), &module().GetBbeTable(),
          &module().GetCondTable(), &module().GetTransTable(), &module().GetDescriptionTable()})
        EXPECT_TRUE(rows->isOpen());
}

TEST_F(ShippedCatalogue, EverySeriesHasOneDescriptionWithAPictureAndBothTexts)
{
    std::set<QString> codes;
    for (const char* name : {"bb", "bb6", "bbf", "bbe"}) {
        for (const Bank& bank : banks(name))
            codes.insert(bank.type);
    }
    // The nine ranked series and the transformer banks' series are all used.
    for (const char* ranked :
         {"Quelva", "Fenwa", "Corsel", "Dravia", "Galvix", "Hormea", "Isquel", "Brunia", "Elmora", "Tirsa"})
        EXPECT_TRUE(codes.count(QString::fromUtf8(ranked))) << ranked;

    CatalogueRowSet& description = module().GetDescriptionTable();
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        description.close();
        description.setParameter("type", code);
        description.open();
        description.first();
        ASSERT_FALSE(description.eof());
        // Byte for byte: the stored code is the one the banks use.
        EXPECT_EQ(description.fieldAsString("type").toUtf8(), code.toUtf8());
        EXPECT_FALSE(description.fieldAsString("text_es").isEmpty());
        EXPECT_FALSE(description.fieldAsString("text_en").isEmpty());
        QImage picture;
        EXPECT_TRUE(picture.loadFromData(description.fieldAsBlob("image"), "PNG"));
        // The report prints a picture 65 mm wide: at least 200 dots per
        // inch there, and no more than the catalogue needs to carry.
        EXPECT_GE(picture.width(), 512);
        EXPECT_LE(picture.width(), 1024);
        description.next();
        EXPECT_TRUE(description.eof()) << "more than one description";
    }
}

TEST_F(ShippedCatalogue, EveryCandidateReadsWithItsPictureAndDescription)
{
    TCProyect project(&module());
    for (TAppLanguage language : {TAppLanguage::es, TAppLanguage::en}) {
        project.setLanguage(language);
        for (const char* name : {"bb", "bb6", "bbf", "bbe"}) {
            SCOPED_TRACE(name);
            CatalogueRowSet& rows = table(name);
            for (rows.first(); !rows.eof(); rows.next()) {
                TBattery battery(&project.Selection());
                battery.LoadFromDataSet(rows, &module().GetDescriptionTable());
                ASSERT_FALSE(battery.Image().isNull()) << battery.Code().toStdString();
                ASSERT_FALSE(battery.Description().isEmpty()) << battery.Code().toStdString();
            }
        }
    }
}

TEST_F(ShippedCatalogue, BankRowsArePlausible)
{
    for (const char* name : {"bb", "bb6", "bbf", "bbe"}) {
        SCOPED_TRACE(name);
        std::set<QString> codes;
        for (const Bank& bank : banks(name)) {
            SCOPED_TRACE(bank.code.toStdString());
            EXPECT_TRUE(codes.insert(bank.code).second) << "article code used twice";
            EXPECT_GT(bank.volt, 0);
            EXPECT_GT(bank.power, 0.0f);
            // Powers are exact in single precision: multiples of 0.25.
            EXPECT_EQ(std::fmod(bank.power * 4.0f, 1.0f), 0.0f);
            // Euro list prices, from a small fixed bank to a large cabinet.
            EXPECT_GT(bank.price, Money::fromTicks(100 * 10000));
            EXPECT_LT(bank.price, Money::fromTicks(200000LL * 10000));
        }
    }
}

TEST_F(ShippedCatalogue, OrdinaryPlainBanksCoverEveryVoltageClassDensely)
{
    for (const char* name : {"bb", "bb6"}) {
        const std::vector<Bank> all = banks(name);
        for (const VoltageClass& c : voltageClasses()) {
            SCOPED_TRACE(std::string(name) + " " + c.name);
            const std::vector<Bank> ordinary = select(all, [&c](const Bank& b) {
                return inClass(c, b.volt) && !b.harmonic && !b.transform && b.type != "Tirsa";
            });
            const std::vector<float> powers = distinctPowers(ordinary);
            ASSERT_FALSE(powers.empty());
            EXPECT_LE(powers.front(), 7.5f);
            EXPECT_GE(powers.back(), QLatin1String(c.name) == QLatin1String("230") ? 400.0f : 1200.0f);
            EXPECT_LE(largestStep(powers), 1.5f);

            // Several ranked series, each with one row per power.
            std::map<QString, std::set<float>> series;
            for (const Bank& bank : ordinary) {
                EXPECT_TRUE(series[bank.type].insert(bank.power).second)
                    << bank.type.toStdString() << " " << bank.power << " twice";
            }
            int ranked = 0;
            for (const auto& [code, powersOfSeries] : series)
                ranked += TBattery::SeriesRank(code) < 1000 ? 1 : 0;
            EXPECT_GE(ranked, 3);
        }
    }
}

TEST_F(ShippedCatalogue, DetunedSeriesAt60HzDescendInPowerAndCoverEveryClass)
{
    const std::vector<Bank> all = banks("bb6");
    for (const VoltageClass& c : voltageClasses()) {
        SCOPED_TRACE(c.name);
        const std::vector<Bank> detuned =
            select(all, [&c](const Bank& b) { return inClass(c, b.volt) && b.harmonic && !b.transform; });
        const std::vector<float> powers = distinctPowers(detuned);
        ASSERT_FALSE(powers.empty());
        EXPECT_LE(powers.front(), 12.5f);
        EXPECT_GE(powers.back(), QLatin1String(c.name) == QLatin1String("230") ? 400.0f : 1200.0f);
        EXPECT_LE(largestStep(powers), 1.5f);

        // In table order each series goes from its largest power down, so
        // the last row at or above the chosen power is the smallest one.
        std::map<QString, float> previous;
        for (const Bank& bank : detuned) {
            const auto it = previous.find(bank.type);
            if (it != previous.end()) {
                EXPECT_LT(bank.power, it->second) << bank.code.toStdString();
            }
            previous[bank.type] = bank.power;
        }
        EXPECT_GE(previous.size(), 2u);
        // Every detuned series is offered when it reaches the chosen power,
        // so each starts at the class's smallest one: a small requirement
        // is never offered a series' large first bank.
        for (const auto& [code, smallest] : previous)
            EXPECT_EQ(smallest, powers.front()) << code.toStdString();
    }
}

TEST_F(ShippedCatalogue, OneTransformerBankPerPowerAndClass)
{
    for (const char* name : {"bb", "bb6"}) {
        const std::vector<Bank> all = banks(name);
        for (const VoltageClass& c : voltageClasses()) {
            SCOPED_TRACE(std::string(name) + " " + c.name);
            std::multiset<float> powers;
            for (const Bank& bank : select(all, [&c](const Bank& b) { return inClass(c, b.volt) && b.transform; }))
                powers.insert(bank.power);
            ASSERT_FALSE(powers.empty());
            for (float power : powers)
                EXPECT_EQ(powers.count(power), 1u) << power;
            // 5 % of supply transformers from 50 kVA to 2500 kVA.
            EXPECT_LE(*powers.begin(), 2.5f);
            EXPECT_GE(*powers.rbegin(), 125.0f);
        }
    }
}

TEST_F(ShippedCatalogue, ProductLinesAreOrdinaryUnitsFromTenKilowattsToTwoMegawatts)
{
    for (const char* name : {"bbf", "bbe"}) {
        SCOPED_TRACE(name);
        const std::vector<Bank> all = banks(name);
        for (const Bank& bank : all) {
            EXPECT_FALSE(bank.harmonic) << bank.code.toStdString();
            EXPECT_FALSE(bank.transform) << bank.code.toStdString();
        }
        const std::vector<float> powers = distinctPowers(all);
        ASSERT_FALSE(powers.empty());
        EXPECT_LE(powers.front(), 10.0f);
        EXPECT_GE(powers.back(), 2000.0f);
        EXPECT_LE(largestStep(powers), 1.5f);
    }
}

TEST_F(ShippedCatalogue, CableRatingsRiseStrictlyWithTheCrossSection)
{
    CatalogueRowSet& cond = module().GetCondTable();
    std::vector<TConductor> cables;
    for (cond.first(); !cond.eof(); cond.next()) {
        cables.emplace_back();
        cables.back().LoadFromDataSet(cond);
    }
    ASSERT_GE(cables.size(), 10u);
    EXPECT_EQ(cables.front().Gauge(), 1.5f);
    for (std::size_t i = 1; i < cables.size(); ++i) {
        SCOPED_TRACE(cables[i].Gauge());
        EXPECT_GT(cables[i].Gauge(), cables[i - 1].Gauge());
        EXPECT_GT(cables[i].Current(), cables[i - 1].Current());
        EXPECT_GT(cables[i].Price(), cables[i - 1].Price());
    }
}

TEST_F(ShippedCatalogue, CurrentTransformersHaveTheStandardPrimariesOnce)
{
    CatalogueRowSet& trans = module().GetTransTable();
    std::vector<float> primaries;
    for (trans.first(); !trans.eof(); trans.next()) {
        TTransformer transformer;
        transformer.LoadFromDataSet(trans);
        EXPECT_TRUE(transformer.SA().endsWith("/5"));
        EXPECT_TRUE(transformer.TType().contains(transformer.SA())) << transformer.TType().toStdString();
        EXPECT_GT(transformer.Price(), Money());
        primaries.push_back(transformer.A());
    }
    EXPECT_EQ(primaries, (std::vector<float>{50, 60, 75, 100, 125, 150, 200, 250, 300, 400, 500, 600, 750, 1000,
                                             1250, 1500, 2000, 2500, 3000, 4000, 5000}));
}
