// Reading the current project file: what it takes, what it passes over and
// what it refuses.

#include "desktoplocale.h"
#include "documentfixtures.h"
#include "exceptions.h"
#include "fileparse.h"
#include "project.h"

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <limits>

namespace {

struct ReadResult {
    std::unique_ptr<TCProyect> project = std::make_unique<TCProyect>(nullptr);
    QString version = QStringLiteral("unset");
    bool refused = false;
};

ReadResult read(const QByteArray& text)
{
    ReadResult result;
    try {
        TFileParse(result.project.get(), &result.version).readContents(text);
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), "El archivo no tiene un formato válido.");
        result.refused = true;
    }
    return result;
}

// A root holding `members`, then a Consumption object holding `consumption`.
QByteArray file(const QByteArray& members, const QByteArray& consumption = {})
{
    QByteArray text = "{" + members;
    if (!consumption.isEmpty())
        text += QByteArray(members.isEmpty() ? "" : ",") + "\"Consumption\": {" + consumption + "}";
    return text + "}";
}

struct Case {
    const char* name;
    QByteArray text;
    std::function<void(const TCProyect&, const QString& version)> check; // empty: refused
};

void runCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult result = read(c.text);
        EXPECT_EQ(result.refused, !c.check);
        if (c.check && !result.refused)
            c.check(*result.project, result.version);
    }
}

} // namespace

TEST(ProjectFileReading, ShapesThatReadAsTheProgramWritesThem)
{
    runCases({
        { "members in another order, no byte-order mark",
            R"({"Consumption": {"ConsumptionItems": [{"Year": 2020, "Period": "Mayo"}], "PeriodType": "bimonthly",
             "WorkHours": 12, "Powerfactor": 0.9}, "Voltage": "v480", "BusinessName": "B", "Version": "7.1.0"})",
            [](const TCProyect& p, const QString& v) {
                EXPECT_EQ(v, "7.1.0");
                EXPECT_EQ(p.BusinessName(), "B");
                EXPECT_EQ(p.Voltage(), TVoltage::v480);
                EXPECT_EQ(p.ConsumptionList().WorkHours(), 12);
                EXPECT_EQ(p.ConsumptionList().Powerfactor(), 0.9f);
                EXPECT_EQ(p.ConsumptionList().PeriodType(), TPeriodType::bimonthly);
                ASSERT_EQ(p.ConsumptionList().Count(), 1);
                EXPECT_EQ(p.ConsumptionList()[0].Period(), "Mayo");
                EXPECT_EQ(p.ConsumptionList()[0].Year(), 2020);
            } },
        { "keys after ConsumptionItems and after Consumption are read",
            R"({"Consumption": {"ConsumptionItems": [], "WorkHours": 7}, "MaximumPower": 5})",
            [](const TCProyect& p, const QString&) {
                EXPECT_EQ(p.ConsumptionList().WorkHours(), 7);
                EXPECT_EQ(p.MaximumPower(), 5);
            } },
        { "an item without Period and Year keeps Enero and 2017; items in file order",
            file({}, R"("ConsumptionItems": [{"kwht": 1}, {"kwht": 2, "CostActiveTerm": -3}])"),
            [](const TCProyect& p, const QString&) {
                ASSERT_EQ(p.ConsumptionList().Count(), 2);
                EXPECT_EQ(p.ConsumptionList()[0].Period(), "Enero");
                EXPECT_EQ(p.ConsumptionList()[0].Year(), 2017);
                EXPECT_EQ(p.ConsumptionList()[0].kwht(), 1);
                EXPECT_EQ(p.ConsumptionList()[1].kwht(), 2);
                EXPECT_EQ(p.ConsumptionList()[1].CostActiveTerm(), -3);
            } },
        { "a repeated key's last value wins; a repeated item list appends",
            file(R"("Place": "a", "Place": "b")",
                R"("ConsumptionItems": [{"Year": 1}], "WorkHours": 1, "WorkHours": 2, "ConsumptionItems": [{"Year": 2}])"),
            [](const TCProyect& p, const QString&) {
                EXPECT_EQ(p.Place(), "b");
                EXPECT_EQ(p.ConsumptionList().WorkHours(), 2);
                ASSERT_EQ(p.ConsumptionList().Count(), 2);
                EXPECT_EQ(p.ConsumptionList()[1].Year(), 2);
            } },
        { "enumeration names ignore ASCII letter case",
            file(R"("Frequency": "F60HZ", "BatteryType": "Lumarest")", R"("PeriodType": "BIMONTHLY")"),
            [](const TCProyect& p, const QString&) {
                EXPECT_EQ(p.Frequency(), TFrequency::f60Hz);
                EXPECT_EQ(p.BatteryType(), TBatteryType::lumarest);
                EXPECT_EQ(p.ConsumptionList().PeriodType(), TPeriodType::bimonthly);
            } },
        { "any version text is taken", file(R"("Version": "6.0 beta")"),
            [](const TCProyect&, const QString& v) { EXPECT_EQ(v, "6.0 beta"); } },
        { "text after the root's closing brace is not read", "{\"Telephone\": \"1\"} garbage [",
            [](const TCProyect& p, const QString&) { EXPECT_EQ(p.Telephone(), "1"); } },
        { "escapes read back", R"({"State": "\u00f1\n\"\/\\\uD83D\uDE00"})",
            [](const TCProyect& p, const QString&) { EXPECT_EQ(p.State(), QStringLiteral("ñ\n\"/\\\U0001F600")); } },
    });
}

TEST(ProjectFileReading, WhatIsPassedOver)
{
    const auto untouched = [](const TCProyect& p, const QString& v) {
        EXPECT_EQ(v, "unset");
        EXPECT_TRUE(p.BusinessName().isEmpty());
        EXPECT_EQ(p.ConsumptionList().WorkHours(), 300);
        EXPECT_EQ(p.ConsumptionList().PeriodType(), TPeriodType::monthly);
        EXPECT_EQ(p.ConsumptionList().Count(), 0);
    };
    runCases({
        { "empty file", "", untouched },
        { "only a byte-order mark and blanks", "\xEF\xBB\xBF \r\n\t", untouched },
        { "first token opens an array", "[{\"BusinessName\": \"x\"}]", untouched },
        { "first token is a string, rest not JSON", "\"x\" {{{", untouched },
        { "first token is a number or a literal", "-12.5e3 {", untouched },
        { "first token is null", "null", untouched },
        { "an array first, malformed after its bracket", "[{\"BusinessName\": ", untouched },
        { "keys in another letter case",
            file(R"("version": "9", "businessname": "x")", R"("periodtype": "bimonthly", "workhours": 1)"), untouched },
        { "unknown members with nested values that name real keys",
            file(
                R"("Extra": {"BusinessName": "x", "Consumption": {"WorkHours": 1}}, "More": [1, {"Version": "9"}, [[]]])",
                R"("Other": {"ConsumptionItems": [{"Year": 1}]}, "List": [{"PeriodType": "bimonthly"}])"),
            untouched },
        { "a scalar Consumption and a scalar ConsumptionItems",
            R"({"Consumption": 5, "Consumption": {"ConsumptionItems": "none"}})", untouched },
        { "an object where an item list is expected", file({}, R"("ConsumptionItems": {"Year": 2020, "WorkHours": 3})"),
            untouched },
        { "a Consumption array", R"({"Consumption": [{"WorkHours": 3}]})", untouched },
        { "non-object array elements are passed over whole",
            file({}, R"("ConsumptionItems": [1, "x", null, [{"Year": 1}], {"Year": 2}, true])"),
            [](const TCProyect& p, const QString&) {
                ASSERT_EQ(p.ConsumptionList().Count(), 1);
                EXPECT_EQ(p.ConsumptionList()[0].Year(), 2);
            } },
        { "unknown item keys, nested values included",
            file({}, R"("ConsumptionItems": [{"Fmr2": 0.5, "Sub": {"Year": 1}, "Year": 3}])"),
            [](const TCProyect& p, const QString&) {
                ASSERT_EQ(p.ConsumptionList().Count(), 1);
                EXPECT_EQ(p.ConsumptionList()[0].Year(), 3);
                EXPECT_EQ(p.ConsumptionList()[0].Fmr2(), 0.0f);
            } },
    });
}

TEST(ProjectFileReading, NullStoresEachKindsEmptyValue)
{
    runCases({
        { "null for text, integer, Boolean, power factor and version",
            file(R"("BusinessName": "x", "BusinessName": null, "Harmonics": true, "Harmonics": null,
                 "MaximumPower": 4, "MaximumPower": null, "Version": null)",
                R"("Powerfactor": null, "WorkHours": null, "ConsumptionItems": [{"Period": null, "Year": null}])"),
            [](const TCProyect& p, const QString& v) {
                EXPECT_TRUE(v.isEmpty());
                EXPECT_TRUE(p.BusinessName().isEmpty());
                EXPECT_FALSE(p.Harmonics());
                EXPECT_EQ(p.MaximumPower(), 0);
                EXPECT_EQ(p.ConsumptionList().Powerfactor(), 0.0f);
                EXPECT_EQ(p.ConsumptionList().WorkHours(), 0);
                ASSERT_EQ(p.ConsumptionList().Count(), 1);
                EXPECT_TRUE(p.ConsumptionList()[0].Period().isEmpty());
                EXPECT_EQ(p.ConsumptionList()[0].Year(), 0);
            } },
        { "null for an enumeration", file(R"("Voltage": null)"), nullptr },
    });
}

TEST(ProjectFileReading, WrongKindsAndBadValuesAreRefused)
{
    runCases({
        { "number for a text", file(R"("BusinessName": 5)"), nullptr },
        { "Boolean for a version", file(R"("Version": true)"), nullptr },
        { "number for an enumeration", file(R"("Voltage": 0)"), nullptr },
        { "a name that names no value", file(R"("Voltage": "v999")"), nullptr },
        { "a name equal only under Unicode case folding", file(R"("Temperature": "le\u017f\u017f_than_35")"), nullptr },
        { "string for an integer", file(R"("MaximumPower": "5")"), nullptr },
        { "250.0 for an integer", file({}, R"("WorkHours": 250.0)"), nullptr },
        { "2e2 for an integer", file({}, R"("WorkHours": 2e2)"), nullptr },
        { "number for a Boolean", file(R"("Harmonics": 1)"), nullptr },
        { "string for a Boolean", file(R"("HasInputTransformer": "true")"), nullptr },
        { "Boolean for the power factor", file({}, R"("Powerfactor": true)"), nullptr },
        { "string for the power factor", file({}, R"("Powerfactor": "0.9")"), nullptr },
        { "wrong kind inside an item", file({}, R"("ConsumptionItems": [{"kwht": 1.5}])"), nullptr },
        { "malformed JSON", "{\"BusinessName\": \"x\",", nullptr },
        { "a missing comma", "{\"BusinessName\": \"x\" \"Place\": \"y\"}", nullptr },
        { "invalid UTF-8 in a string", "{\"BusinessName\": \"\xC3\x28\"}", nullptr },
        { "a lone surrogate escape", R"({"BusinessName": "\uD800"})", nullptr },
        { "an unescaped control character", "{\"BusinessName\": \"a\nb\"}", nullptr },
        // No JSON at all: a binary file, a word, a stray bracket. Such a file
        // must not open as an empty project that a save would then replace.
        { "binary bytes", QByteArray("\x89PNG\r\n\x1A\n\0\0", 10), nullptr },
        { "an old-format file's first bytes", QByteArray("\x64\0\x04" "Acme", 7), nullptr },
        { "a word that is no literal", "hello {\"BusinessName\": \"x\"}", nullptr },
        { "a cut literal", "tru", nullptr },
        { "a closing brace first", "}", nullptr },
        { "an unterminated string first", "\"abc", nullptr },
        // One mark is skipped; a second is no JSON token.
        { "an array after a second byte-order mark", "\xEF\xBB\xBF\xEF\xBB\xBF[\r{", nullptr },
        { "an object after a second byte-order mark", "\xEF\xBB\xBF\xEF\xBB\xBF{\"BusinessName\": \"x\"}", nullptr },
        { "a second byte-order mark after blanks", "\xEF\xBB\xBF \r\n\xEF\xBB\xBF{}", nullptr },
    });
}

TEST(ProjectFileReading, IntegersAtTheEdgesOf32Bits)
{
    const struct {
        const char* text;
        bool accepted;
        std::int32_t value;
    } cases[] = {
        { "2147483647", true, 2147483647 }, { "-2147483648", true, std::numeric_limits<std::int32_t>::min() },
        { "-0", true, 0 }, { "2147483648", false, 0 }, { "-2147483649", false, 0 },
        { "18446744073709551616", false, 0 }, // beyond 64 bits too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ReadResult result = read(file({}, QByteArray(R"("ConsumptionItems": [{"kvarh": )") + c.text + "}]"));
        ASSERT_EQ(result.refused, !c.accepted);
        if (c.accepted) {
            EXPECT_EQ(result.project->ConsumptionList()[0].kvarh(), c.value);
        }
    }
}

// The power factor is held to four decimals from its decimal text, halves
// to even, and then as the nearest float.
TEST(ProjectFileReading, PowerFactorRoundsToFourDecimalsHalvesToEven)
{
    const struct {
        const char* text;
        bool accepted;
        float value;
    } cases[] = {
        { "0.949999988079071", true, 0.95f },
        { "1", true, 1.0f },
        { "0.12345", true, 0.1234f },
        { "0.12346", true, 0.1235f },
        { "0.03125", true, 0.0312f },
        { "0.03135", true, 0.0314f },
        { "0.000050000000000000001", true, 0.0001f },
        { "0.00005", true, 0.0f },
        { "-0.00015", true, -0.0002f },
        { "12.5E-5", true, 0.0001f },
        { "1e-400", true, 0.0f },
        { "0.5e1", true, 5.0f },
        { "922337203685477.5807", true, 922337203685477.5807f },
        { "922337203685477.5808", false, 0.0f },
        { "-922337203685477.5808", true, -922337203685477.5808f },
        { "922337203685478", false, 0.0f },
        { "1e15", false, 0.0f },
        { "1e400", false, 0.0f },
    };
    // The same under a Spanish desktop's C locale, whose decimal point is a
    // comma.
    for (const char* locale : { "C.UTF-8", testutils::SpanishCLocale }) {
        const testutils::ScopedCLocale desktop(locale);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(locale) + " " + c.text);
            const ReadResult result = read(file({}, QByteArray("\"Powerfactor\": ") + c.text));
            ASSERT_EQ(result.refused, !c.accepted);
            if (c.accepted) {
                EXPECT_EQ(result.project->ConsumptionList().Powerfactor(), c.value);
            }
        }
    }
}

// Reading takes the C rules for numbers only while it reads: the desktop's
// own are back afterwards, also after a refused file.
TEST(ProjectFileReading, TheDesktopsNumberRulesAreBackAfterReading)
{
    const testutils::ScopedCLocale desktop(testutils::SpanishCLocale);
    EXPECT_FALSE(read(file({}, "\"Powerfactor\": 0.95")).refused);
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_TRUE(read(file({}, "\"Powerfactor\": \"0.95\"")).refused);
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST(ProjectFileReading, AFileLargerThanTheLimitIsRefusedUnread)
{
    const docfixtures::FileFolder folder;
    QByteArray text = "{\"BusinessName\": \"";
    text += QByteArray(TFileParse::MaximumFileSize, 'a');
    text += "\"}";
    const QString path = folder.write(QStringLiteral("large.tvk"), text);
    TCProyect project(nullptr);
    EXPECT_THROW(TFileParse(&project).open(path), EInOutError);
    EXPECT_TRUE(project.BusinessName().isEmpty());
}
