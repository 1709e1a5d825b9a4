// The catalogue the program ships with: read through the program's own data
// module and records, it must let every calculation find sensible equipment.
#include "dbdatamodule.h"
#include "equipment.h"
#include "project.h"
#include "selection.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <tuple>
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
    QString steps;
    QString dim;
};

// A series' texts, as the description table holds them.
struct SeriesTexts {
    QString es;
    QString en;
};

// The numbers that the pattern's first group captures in a text, e.g. the
// 227 of every "227 Hz".
std::multiset<int> quoted(const QString& text, const QString& pattern)
{
    std::multiset<int> numbers;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        numbers.insert(it.next().captured(1).toInt());
    return numbers;
}

// The frequencies a text quotes, split into network frequencies (50, 60 Hz)
// and the tuning frequencies of detuning reactors.
struct QuotedFrequencies {
    std::set<int> network;
    std::set<int> tuning;
};

QuotedFrequencies quotedFrequencies(const QString& text)
{
    QuotedFrequencies result;
    for (int hz : quoted(text, QStringLiteral("(\\d+) Hz")))
        (hz == 50 || hz == 60 ? result.network : result.tuning).insert(hz);
    return result;
}

// How many steps a composition such as "3x2.5" or "50+6x100" has, and the
// power they add up to.
struct StepComposition {
    int count = 0;
    double power = 0.0;
    bool valid = true;
};

StepComposition composition(const QString& steps)
{
    StepComposition result;
    static const QRegularExpression part(QStringLiteral("^(?:(\\d+)x)?(\\d+(?:\\.\\d+)?)$"));
    for (const QString& text : steps.split(QLatin1Char('+'))) {
        const QRegularExpressionMatch match = part.match(text);
        if (!match.hasMatch()) {
            result.valid = false;
            continue;
        }
        const int count = match.captured(1).isEmpty() ? 1 : match.captured(1).toInt();
        result.count += count;
        result.power += count * match.captured(2).toDouble();
    }
    return result;
}

// The enclosure's volume in cubic millimetres from "WxHxD", or 0.
double volume(const QString& dim)
{
    const QStringList sides = dim.split(QLatin1Char('x'));
    if (sides.size() != 3)
        return 0.0;
    return sides[0].toDouble() * sides[1].toDouble() * sides[2].toDouble();
}

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
                              battery.Transform(), battery.Price(), battery.Steps(), battery.Dim()});
        }
        return result;
    }

    static std::vector<Bank> select(const std::vector<Bank>& all, const std::function<bool(const Bank&)>& keep)
    {
        std::vector<Bank> result;
        std::copy_if(all.begin(), all.end(), std::back_inserter(result), keep);
        return result;
    }

    static SeriesTexts texts(const QString& series)
    {
        CatalogueRowSet& description = module().GetDescriptionTable();
        description.close();
        description.setParameter("type", series);
        description.open();
        description.first();
        if (description.eof())
            return {};
        return {description.fieldAsString("text_es"), description.fieldAsString("text_en")};
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
            // Width, height and depth in millimetres, the unit the report's
            // label already names.
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9]\\d*x[1-9]\\d*x[1-9]\\d*$")).match(bank.dim).hasMatch())
                << bank.dim.toStdString();
            const StepComposition steps = composition(bank.steps);
            EXPECT_TRUE(steps.valid) << bank.steps.toStdString();
            // The plain banks' steps are in kvar and make up the bank.
            if (QLatin1String(name) == QLatin1String("bb") || QLatin1String(name) == QLatin1String("bb6")) {
                EXPECT_DOUBLE_EQ(steps.power, bank.power) << bank.steps.toStdString();
            }
        }
    }
}

// What a description says of its detuning reactors holds for its rows: the
// detuned rows lie in the table of the network frequency it names, and each
// tunes to that frequency divided by the square root of the detuning
// factor p (p = 7 %: 189 Hz at 50 Hz, 227 Hz at 60 Hz; p = 14 %: 134 Hz and
// 160 Hz). A series without detuned rows quotes no tuning.
TEST_F(ShippedCatalogue, DescriptionsQuoteTheTuningOfTheirDetunedRows)
{
    const std::map<int, std::vector<Bank>> tables{{50, banks("bb")}, {60, banks("bb6")}};
    std::set<QString> series;
    for (const auto& [network, rows] : tables)
        for (const Bank& bank : rows)
            series.insert(bank.type);

    int detunedSeries = 0;
    for (const QString& code : series) {
        SCOPED_TRACE(code.toStdString());
        const SeriesTexts text = texts(code);
        const QuotedFrequencies es = quotedFrequencies(text.es);
        const QuotedFrequencies en = quotedFrequencies(text.en);
        EXPECT_EQ(es.network, en.network);
        EXPECT_EQ(es.tuning, en.tuning);
        const std::multiset<int> factors = quoted(text.es, QStringLiteral("p = (\\d+) %"));
        EXPECT_EQ(factors, quoted(text.en, QStringLiteral("p = (\\d+) %")));

        std::set<int> networksWithDetunedRows;
        for (const auto& [network, rows] : tables)
            for (const Bank& bank : rows)
                if (bank.type == code && bank.harmonic)
                    networksWithDetunedRows.insert(network);
        if (networksWithDetunedRows.empty()) {
            EXPECT_TRUE(es.tuning.empty()) << text.es.toStdString();
            EXPECT_TRUE(factors.empty()) << text.es.toStdString();
            continue;
        }
        ++detunedSeries;
        ASSERT_EQ(factors.size(), 1u) << text.es.toStdString();
        const int p = *factors.begin();
        std::set<int> tunings;
        for (int network : networksWithDetunedRows)
            tunings.insert(static_cast<int>(std::lround(network / std::sqrt(p / 100.0))));
        EXPECT_EQ(es.tuning, tunings) << text.es.toStdString();
        EXPECT_EQ(es.network, networksWithDetunedRows) << text.es.toStdString();

        // The detuned rows' codes name the same factor after the series'
        // letters: "HRM7-...", "ISQ14-...".
        for (const auto& [network, rows] : tables)
            for (const Bank& bank : rows) {
                if (bank.type != code || !bank.harmonic)
                    continue;
                static const QRegularExpression letters(QStringLiteral("^[A-Z]+(\\d+)-"));
                EXPECT_EQ(letters.match(bank.code).captured(1), QString::number(p)) << bank.code.toStdString();
            }
    }
    EXPECT_GE(detunedSeries, 2);
}

// A description that names its controller's steps holds for every row of
// the series, in every table.
TEST_F(ShippedCatalogue, DescriptionsQuoteTheStepsOfTheirRows)
{
    std::map<QString, std::vector<Bank>> bySeries;
    for (const char* name : {"bb", "bb6", "bbf", "bbe"})
        for (const Bank& bank : banks(name))
            bySeries[bank.type].push_back(bank);

    int quoting = 0;
    for (const auto& [code, rows] : bySeries) {
        SCOPED_TRACE(code.toStdString());
        const SeriesTexts text = texts(code);
        const std::multiset<int> es = quoted(text.es, QStringLiteral("(\\d+) escalones"));
        EXPECT_EQ(es, quoted(text.en, QStringLiteral("(\\d+)-step")));
        if (es.empty())
            continue;
        ++quoting;
        ASSERT_EQ(es.size(), 1u);
        const int controller = *es.begin();
        int most = 0;
        for (const Bank& bank : rows) {
            const int count = composition(bank.steps).count;
            EXPECT_LE(count, controller) << bank.code.toStdString() << " " << bank.steps.toStdString();
            most = std::max(most, count);
        }
        // The controller is the one the series needs, not a larger one.
        EXPECT_EQ(most, controller);
    }
    EXPECT_GE(quoting, 1);
}

// A bank for 230 V carries 400/230 times the current of the 400 V bank of
// the same power and needs three times the capacitance: no row of one
// voltage class copies the other's code or its price, steps and enclosure;
// a low-voltage bank costs more and is never smaller.
TEST_F(ShippedCatalogue, VoltageClassesAreBuiltForTheirVoltage)
{
    for (const char* name : {"bb", "bb6"}) {
        SCOPED_TRACE(name);
        const VoltageClass& standard = voltageClasses()[0];
        std::map<std::tuple<QString, float, bool, bool>, Bank> atStandard;
        const std::vector<Bank> all = banks(name);
        for (const Bank& bank : all)
            if (inClass(standard, bank.volt))
                atStandard.emplace(std::make_tuple(bank.type, bank.power, bank.harmonic, bank.transform), bank);

        int compared = 0;
        int larger = 0;
        for (const Bank& bank : all) {
            if (inClass(standard, bank.volt))
                continue;
            const auto it = atStandard.find(std::make_tuple(bank.type, bank.power, bank.harmonic, bank.transform));
            if (it == atStandard.end())
                continue;
            SCOPED_TRACE(bank.code.toStdString() + " against " + it->second.code.toStdString());
            const Bank& other = it->second;
            ++compared;
            EXPECT_NE(bank.code, other.code);
            // Small banks may share their steps and enclosure, never all
            // three with the price.
            EXPECT_FALSE(bank.price == other.price && bank.steps == other.steps && bank.dim == other.dim)
                << "a copy of the other class";
            if (bank.volt < 400) {
                EXPECT_GT(bank.price, other.price);
                EXPECT_GE(volume(bank.dim), volume(other.dim));
                larger += volume(bank.dim) > volume(other.dim) ? 1 : 0;
            }
        }
        EXPECT_GE(compared, 50);
        // Above the smallest boxes the 230 V enclosure is a size up.
        EXPECT_GE(larger, 10);
    }
}

// A 60 Hz bank is its own article: no code is shared between the tables
// of the two frequencies, and the same series, voltage and power is priced
// apart.
TEST_F(ShippedCatalogue, EachFrequencyHasItsOwnCodesAndPrices)
{
    const std::vector<Bank> at50 = banks("bb");
    const std::vector<Bank> at60 = banks("bb6");
    std::set<QString> codes50;
    std::map<std::tuple<QString, std::int32_t, float, bool, bool>, Money> prices50;
    for (const Bank& bank : at50) {
        codes50.insert(bank.code);
        prices50.emplace(std::make_tuple(bank.type, bank.volt, bank.power, bank.harmonic, bank.transform), bank.price);
    }
    int compared = 0;
    int transformerBanks = 0;
    for (const Bank& bank : at60) {
        SCOPED_TRACE(bank.code.toStdString());
        EXPECT_EQ(codes50.count(bank.code), 0u) << "code also used at 50 Hz";
        const auto it = prices50.find(std::make_tuple(bank.type, bank.volt, bank.power, bank.harmonic, bank.transform));
        if (it == prices50.end())
            continue;
        ++compared;
        transformerBanks += bank.transform ? 1 : 0;
        EXPECT_NE(bank.price, it->second);
    }
    EXPECT_GE(compared, 100);
    EXPECT_GT(transformerBanks, 0);
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

// The supply transformer's own bank is sized at 5 % of its rating: every
// class of either frequency holds one fixed bank per standard transformer
// rating, from 25 kVA to 3150 kVA, made for exactly that share.
TEST_F(ShippedCatalogue, OneTransformerBankPerStandardRatingAndClass)
{
    const std::int32_t ratings[] = {25, 50, 100, 160, 250, 315, 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150};
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
            for (std::int32_t rating : ratings) {
                // The target as the selection computes it.
                const float target = static_cast<float>(0.05L * rating);
                const auto chosen = powers.lower_bound(target);
                ASSERT_NE(chosen, powers.end()) << rating << " kVA gets no bank";
                EXPECT_EQ(*chosen, target) << rating << " kVA";
            }
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
