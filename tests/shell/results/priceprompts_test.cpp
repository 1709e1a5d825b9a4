#include "priceprompts.h"

#include "equipment.h"
#include "resultsfixture.h"
#include "selection.h"
#include "translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

const QLocale commaLocale(QLocale::Spanish, QLocale::Spain);
const QLocale pointLocale = QLocale::c();

class PricePromptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Translation::setEnglishInForce(false);
        // Two plain banks with cables, and the current transformer.
        fixture.fill({{0, 3, 0}, {1, 1, 1}}, true);
    }
    void TearDown() override { Translation::setEnglishInForce(false); }

    TBattery& first() { return fixture.selection().BatteryList()[0]; }
    TBattery& second() { return fixture.selection().BatteryList()[1]; }

    bool ask(PriceField field, std::optional<QString> answer, const QLocale& locale = pointLocale)
    {
        dialogs.inputAnswers.push_back(std::move(answer));
        return PricePrompts::ask(field, first(), fixture.selection(), dialogs, locale);
    }

    resultsfixture::Fixture fixture;
    testutils::ScriptedDialogs dialogs;
};

TEST_F(PricePromptTest, OpensWithCaptionLineAndTwoDecimalValue)
{
    struct Row {
        PriceField field;
        const char* line;
        const char* value;
    };
    first().Conductor()->setLength(7.0f);
    const Row rows[] = {
        {PriceField::BatteryPrice, "Actualizar precio del equipo a instalar (€)", "1234,56"},
        {PriceField::TransformerPrice, "Actualizar precio del transformador a instalar (€)", "45,30"},
        {PriceField::ConductorPrice, "Actualizar precio del conductor (€/m)", "12,50"},
        {PriceField::ConductorLength, "Actualizar la longitud del conductor (m)", "7,00"},
    };
    for (const Row& row : rows) {
        ask(row.field, std::nullopt, commaLocale);
        ASSERT_FALSE(dialogs.prompts.empty());
        EXPECT_EQ(dialogs.prompts.back().caption, QStringLiteral("Cambiar valor"));
        EXPECT_EQ(dialogs.prompts.back().prompt, QString::fromUtf8(row.line));
        EXPECT_EQ(dialogs.prompts.back().value, QString::fromUtf8(row.value));
    }
}

TEST_F(PricePromptTest, HalfCentDefaultsRoundAwayFromZero)
{
    first().setPrice(Money::fromTicks(26750));
    fixture.selection().Transformer()->setPrice(Money::fromTicks(10150));
    first().Conductor()->setPrice(Money::fromTicks(1250));
    first().Conductor()->setLength(136.125f);
    const std::pair<PriceField, const char*> rows[] = {
        {PriceField::BatteryPrice, "2,68"},
        {PriceField::TransformerPrice, "1,02"},
        {PriceField::ConductorPrice, "0,13"},
        {PriceField::ConductorLength, "136,13"},
    };
    for (const auto& [field, value] : rows) {
        ask(field, std::nullopt, commaLocale);
        ASSERT_FALSE(dialogs.prompts.empty());
        EXPECT_EQ(dialogs.prompts.back().value, QString::fromUtf8(value));
    }
}

TEST_F(PricePromptTest, CancelChangesNothing)
{
    const Money before = first().Price();
    for (PriceField field : {PriceField::BatteryPrice, PriceField::TransformerPrice, PriceField::ConductorPrice,
                             PriceField::ConductorLength})
        EXPECT_FALSE(ask(field, std::nullopt));
    EXPECT_EQ(first().Price(), before);
    EXPECT_EQ(fixture.selection().Transformer()->Price(), Money::fromCatalogueFloat(45.3f));
    EXPECT_EQ(first().Conductor()->Price(), Money::fromCatalogueFloat(12.5f));
    EXPECT_EQ(first().Conductor()->Length(), 0.0f);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PricePromptTest, OkOnTheDefaultBringsThePriceToTwoDecimals)
{
    // The catalogue's 1234.56 is held as 1234.5601.
    ASSERT_EQ(first().Price().ticks(), 12345601);
    EXPECT_TRUE(ask(PriceField::BatteryPrice, QStringLiteral("1234.56")));
    EXPECT_EQ(first().Price().ticks(), 12345600);
}

TEST_F(PricePromptTest, StoresEachFieldInItsRecord)
{
    struct Row {
        PriceField field;
        const char* answer;
        const QLocale* locale;
    };
    const Row rows[] = {
        {PriceField::BatteryPrice, " 1500,123456 ", &commaLocale},
        {PriceField::TransformerPrice, "-20", &pointLocale},
        {PriceField::ConductorPrice, "0", &pointLocale},
        {PriceField::ConductorLength, "12,5", &commaLocale},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(ask(row.field, QString::fromUtf8(row.answer), *row.locale)) << row.answer;

    // More than four decimals: rounded to four, shown with two.
    EXPECT_EQ(first().Price().ticks(), 15001235);
    EXPECT_EQ(PricePrompts::valueText(PriceField::BatteryPrice, first(), fixture.selection(), commaLocale),
              QStringLiteral("1500,12"));
    // No range check: negative and zero answers are kept.
    EXPECT_EQ(fixture.selection().Transformer()->Price().ticks(), -200000);
    EXPECT_EQ(first().Conductor()->Price().ticks(), 0);
    EXPECT_EQ(first().Conductor()->Length(), 12.5f);
    EXPECT_TRUE(dialogs.messages.empty());

    // The other candidate keeps its own price and cable; the transformer is
    // the selection's, so its new price holds for both.
    EXPECT_EQ(second().Price(), Money::fromCatalogueFloat(1500.0f));
    EXPECT_EQ(second().Conductor()->Price(), Money::fromCatalogueFloat(0.85f));
    EXPECT_EQ(second().Conductor()->Length(), 0.0f);
    EXPECT_EQ(PricePrompts::valueText(PriceField::TransformerPrice, second(), fixture.selection(), pointLocale),
              QStringLiteral("-20.00"));
}

TEST_F(PricePromptTest, MoneyAnswerExactlyHalfwayGoesToTheEvenTenThousandth)
{
    struct Row {
        PriceField field;
        const char* answer;
        std::int64_t ticks;
    };
    const Row rows[] = {
        {PriceField::BatteryPrice, "2.00005", 20000},     {PriceField::BatteryPrice, "2.00015", 20002},
        {PriceField::ConductorPrice, "-2.00005", -20000}, {PriceField::ConductorPrice, "0.00015", 2},
        {PriceField::TransformerPrice, "1234.56785", 12345678},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(ask(row.field, QString::fromUtf8(row.answer))) << row.answer;
        const Money stored = row.field == PriceField::BatteryPrice       ? first().Price()
                             : row.field == PriceField::ConductorPrice   ? first().Conductor()->Price()
                                                                         : fixture.selection().Transformer()->Price();
        EXPECT_EQ(stored.ticks(), row.ticks) << row.answer;
    }
}

// The prompts read a typed decimal as the decimal box does: "," or "." in
// any locale, so the keypad's decimal key works on every desktop.
TEST_F(PricePromptTest, EitherDecimalSeparatorIsTakenInEveryLocale)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale* locale : { &commaLocale, &pointLocale, &english }) {
        for (const char* answer : { "12.5", "12,5" }) {
            SCOPED_TRACE(locale->name().toStdString() + " " + answer);
            dialogs.messages.clear();
            EXPECT_TRUE(ask(PriceField::ConductorLength, QString::fromUtf8(answer), *locale));
            EXPECT_EQ(first().Conductor()->Length(), 12.5f);
            EXPECT_TRUE(ask(PriceField::BatteryPrice, QString::fromUtf8(answer), *locale));
            EXPECT_EQ(first().Price().ticks(), 125000);
            EXPECT_TRUE(dialogs.messages.empty());
        }
    }
}

TEST_F(PricePromptTest, LengthIsTheNearestFloat)
{
    EXPECT_TRUE(ask(PriceField::ConductorLength, QStringLiteral("0.1")));
    EXPECT_EQ(first().Conductor()->Length(), 0.1f);
    EXPECT_EQ(PricePrompts::valueText(PriceField::ConductorLength, first(), fixture.selection(), pointLocale),
              QStringLiteral("0.10"));
}

TEST_F(PricePromptTest, RefusedAnswerShowsTheMessageAndStoresNothing)
{
    struct Row {
        PriceField field;
        const char* answer;
    };
    const Row rows[] = {
        {PriceField::BatteryPrice, "1,2.5"},           // two separators
        {PriceField::BatteryPrice, "1.234,50"},        // a group and a decimal separator
        {PriceField::BatteryPrice, ""},
        {PriceField::ConductorPrice, "1,000.00"},      // group separator
        {PriceField::TransformerPrice, "1e16"},        // beyond the money range
        {PriceField::ConductorLength, "1e39"},         // beyond single precision
    };
    for (const Row& row : rows) {
        dialogs.messages.clear();
        EXPECT_FALSE(ask(row.field, QString::fromUtf8(row.answer))) << row.answer;
        ASSERT_EQ(dialogs.messages.size(), 1u) << row.answer;
        EXPECT_EQ(dialogs.messages[0].kind, IDialogService::MessageKind::Plain);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("El valor entrado no es válido."));
    }
    EXPECT_EQ(first().Price(), Money::fromCatalogueFloat(1234.56f));
    EXPECT_EQ(first().Conductor()->Price(), Money::fromCatalogueFloat(12.5f));
    EXPECT_EQ(fixture.selection().Transformer()->Price(), Money::fromCatalogueFloat(45.3f));
    EXPECT_EQ(first().Conductor()->Length(), 0.0f);
    // One prompt per click: a refused answer does not open it again.
    EXPECT_EQ(dialogs.prompts.size(), std::size(rows));
}

TEST_F(PricePromptTest, EnglishCaptionLineAndMessage)
{
    Translation::setEnglishInForce(true);
    EXPECT_FALSE(ask(PriceField::BatteryPrice, QStringLiteral("x")));
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(dialogs.prompts[0].caption, QStringLiteral("Change value"));
    EXPECT_EQ(dialogs.prompts[0].prompt, TranslateText(QStringLiteral("Actualizar precio del equipo a instalar (€)")));
    EXPECT_NE(dialogs.prompts[0].prompt, QStringLiteral("Actualizar precio del equipo a instalar (€)"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("The value entered is not valid."));
}

// A price or length typed with the desktop's group separator where it
// groups thousands means a thousands figure to some users and a decimal to
// others: refused. The desktop's own digits, separators and signs read.
TEST_F(PricePromptTest, DesktopGroupedThousandsAreRefusedAndItsOwnSymbolsRead)
{
    struct Row {
        const char* answer;
        std::optional<double> read; // none: refused
    };
    struct Desktop {
        QLocale locale;
        std::vector<Row> rows;
    };
    const Desktop desktops[] = {
        {QLocale(QLocale::Spanish, QLocale::Spain),
         {{"1.250", std::nullopt}, {"2.125", std::nullopt}, {"1.250,50", std::nullopt}, {"-1.250", std::nullopt},
          {"12.5", 12.5}, {"12,5", 12.5}, {"1250,50", 1250.5}, {"1250.50", 1250.5}, {"0.125", 0.125},
          {"0,125", 0.125}, {"1,250", 1.25}, {"12.50", 12.5}, {"1234.567", 1234.567}}},
        {QLocale(QLocale::English, QLocale::UnitedStates),
         {{"1,250", std::nullopt}, {"1,250.50", std::nullopt}, {"1.250", 1.25}, {"0,125", 0.125},
          {"1250.50", 1250.5}}},
        {QLocale(QLocale::English, QLocale::India), {{"1,250", std::nullopt}, {"1,25,000", std::nullopt}, {"1.250", 1.25}}},
        {QLocale(QLocale::French, QLocale::France),
         {{"1\u202F250", std::nullopt}, {"1 250", std::nullopt}, {"1.250", 1.25}, {"1,250", 1.25}}},
        {QLocale(QLocale::German, QLocale::Switzerland),
         {{"1\u2019250", std::nullopt}, {"1'250", std::nullopt}, {"1.250", 1.25}, {"-3.5", -3.5}, {"\u2212" "3.5", std::nullopt}}},
        {QLocale(QLocale::Arabic, QLocale::Egypt),
         {{"١٢٥٠٫٥٠", 1250.5}, {"١٢٥٠", 1250}, {"\u061C-١٢٫٥", -12.5}, {"١٬٢٥٠", std::nullopt}, {"1٫5", 1.5}}},
    };
    for (const Desktop& desktop : desktops) {
        for (const Row& row : desktop.rows) {
            for (const PriceField field : {PriceField::BatteryPrice, PriceField::ConductorLength}) {
                SCOPED_TRACE(desktop.locale.name().toStdString() + " \"" + row.answer + "\"");
                dialogs.messages.clear();
                first().setPrice(Money::fromTicks(70000));
                first().Conductor()->setLength(7.0f);
                const bool stored = ask(field, QString::fromUtf8(row.answer), desktop.locale);
                EXPECT_EQ(stored, row.read.has_value());
                EXPECT_EQ(dialogs.messages.size(), row.read ? 0u : 1u);
                if (field == PriceField::BatteryPrice)
                    EXPECT_EQ(first().Price().ticks(), row.read ? std::llround(*row.read * 10000) : 70000);
                else
                    EXPECT_EQ(first().Conductor()->Length(), row.read ? static_cast<float>(*row.read) : 7.0f);
            }
        }
    }
}

// The same over every format Qt knows.
TEST_F(PricePromptTest, EveryDesktopFormatReadsItsDigitsAndRefusesItsGroupedThousands)
{
    std::vector<std::string> faults;
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        // ASCII digits written in the desktop's own.
        const auto digits = [&locale](const char* ascii) {
            const char32_t zero = locale.zeroDigit().toUcs4().front();
            std::u32string text;
            for (const char* c = ascii; *c; ++c)
                text += static_cast<char32_t>(zero + static_cast<char32_t>(*c - '0'));
            return QString::fromStdU32String(text);
        };
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        const struct {
            QString answer;
            std::optional<std::int64_t> ticks;
        } rows[] = {
            {digits("1250") + locale.decimalPoint() + digits("50"), 12505000},
            {plain.toString(1250.5, 'f', 2), 12505000},
            {plain.toString(-12.25, 'f', 2), -122500},
            {digits("7"), 70000},
            {digits("1") + locale.groupSeparator() + digits("250"), std::nullopt},
            {digits("2") + locale.groupSeparator() + digits("125"), std::nullopt},
            {digits("1") + locale.groupSeparator() + digits("250") + locale.decimalPoint() + digits("50"), std::nullopt},
        };
        for (const auto& row : rows) {
            first().setPrice(Money::fromTicks(1));
            const bool stored = PricePrompts::storeAnswer(PriceField::BatteryPrice, first(), fixture.selection(),
                                                          row.answer, locale);
            if (stored != row.ticks.has_value() || (row.ticks && first().Price().ticks() != *row.ticks))
                faults.push_back(locale.name().toStdString() + " \"" + row.answer.toStdString() + "\" "
                                 + (stored ? "stored " + std::to_string(first().Price().ticks()) : "refused"));
        }
    }
    std::string listed;
    for (std::size_t i = 0; i < std::min<std::size_t>(faults.size(), 30); ++i)
        listed += "\n  " + faults[i];
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first:" << listed;
}

TEST_F(PricePromptTest, NoTransformerMeansNothingToCorrect)
{
    fixture.fill({{0, 1, 0}}, false);
    EXPECT_EQ(PricePrompts::valueText(PriceField::TransformerPrice, first(), fixture.selection()), QString());
    EXPECT_FALSE(PricePrompts::storeAnswer(PriceField::TransformerPrice, first(), fixture.selection(),
                                           QStringLiteral("10")));
}

} // namespace
