// Reading what the user types: one rule for every box and prompt, in any
// locale, and whatever the C library's locale.

#include "desktoplocale.h"
#include "typednumber.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace {

const QLocale spanish(QLocale::Spanish, QLocale::Spain);
const QLocale english(QLocale::English, QLocale::UnitedStates);

struct TypedCase {
    const char* text;
    std::optional<long double> spanish;
    std::optional<long double> english;
};

void expectRead(std::optional<long double> (*reader)(const QString&, const QLocale&), const TypedCase& c)
{
    for (const char* desktop : testutils::DesktopCLocales) {
        const testutils::ScopedCLocale running(desktop);
        for (const auto& [locale, expected] : { std::pair { spanish, c.spanish }, std::pair { english, c.english } }) {
            SCOPED_TRACE(std::string(desktop) + " " + locale.name().toStdString() + " \"" + c.text + "\"");
            const std::optional<long double> value = reader(QString::fromUtf8(c.text), locale);
            ASSERT_EQ(value.has_value(), expected.has_value());
            if (expected) {
                EXPECT_EQ(*value, *expected);
            }
        }
    }
}

constexpr std::nullopt_t none = std::nullopt;

} // namespace

// A decimal: "," or "." is the decimal separator in every locale; a second
// separator, a group separator among them, makes no number.
TEST(TypedNumber, DecimalTakesEitherSeparatorAndOnlyOne)
{
    const TypedCase cases[] = {
        { "12,5", 12.5L, 12.5L },
        { "12.5", 12.5L, 12.5L },
        { "0,95", 0.95L, 0.95L },
        { "0.955", 0.955L, 0.955L },
        { "  7 \t", 7.0L, 7.0L },
        { "-3,25", -3.25L, -3.25L },
        { "+3", 3.0L, 3.0L },
        { "1e3", 1000.0L, 1000.0L },
        { "1,5E-2", 0.015L, 0.015L },
        { ",5", 0.5L, 0.5L },
        { "5.", 5.0L, 5.0L },
        { "46.500", 46.5L, 46.5L },
        { "1.234,5", none, none },
        { "1,234.5", none, none },
        { "0,9.5", none, none },
        { "1 000", none, none },
        { "", none, none },
        { "   ", none, none },
        { "abc", none, none },
        { "e5", none, none },
        { "1e", none, none },
        { "1e+", none, none },
        { "--1", none, none },
        { ".", none, none },
        { "12.5€", none, none },
        { "0x10", none, none },
        { "inf", none, none },
        { "nan", none, none },
        { "1e99999", none, none },
    };
    for (const TypedCase& c : cases)
        expectRead(&TypedNumber::decimal, c);
}

// A whole-number box: the locale's group separator between groups of three
// digits groups, as bills print amounts; any other separator is a decimal one.
TEST(TypedNumber, GroupedTakesTheLocalesGroupsOfThree)
{
    const TypedCase cases[] = {
        { "46.500", 46500.0L, 46.5L },
        { "46,500", 46.5L, 46500.0L },
        { "1.000.000", 1000000.0L, none },
        { "1,000,000", none, 1000000.0L },
        { "46.500,7", 46500.7L, none },
        { "46,500.7", none, 46500.7L },
        { "-1.500", -1500.0L, -1.5L },
        { "46500,7", 46500.7L, 46500.7L },
        { "46.5", 46.5L, 46.5L },
        { "46.50", 46.5L, 46.5L },
        { "46.5000", 46.5L, 46.5L },
        { "0.500", 0.5L, 0.5L }, // no group starts with 0
        // Four digits make no first group, except where the desktop's own
        // writing has one: Spanish writes 1234567 as "1234.567".
        { "1234.567", 1234567.0L, 1234.567L },
        { "12345.678", 12345.678L, 12345.678L },
        { "1.000.5", none, none },
        { "1.00.000", none, none },
        { "46", 46.0L, 46.0L },
        { "-5", -5.0L, -5.0L },
    };
    for (const TypedCase& c : cases)
        expectRead(&TypedNumber::grouped, c);
}

TEST(TypedNumber, WhatMoreTypingMayStillMakeANumber)
{
    const struct {
        const char* text;
        bool spanish;
        bool english;
    } cases[] = {
        { "", true, true },
        { "-", true, true },
        { "- ", true, true },
        { ",", true, true },
        { "46.", true, true },
        { "1.000.", true, false },
        { "1.000.0", true, false },
        { "1.000.00", true, false },
        { "1,000,", false, true },
        { "1e", true, true },
        { "1e-", true, true },
        { "0,9.", false, false },
        { "abc", false, false },
        { "12€", false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedNumber::mayBecomeNumber(QString::fromUtf8(c.text), spanish), c.spanish);
        EXPECT_EQ(TypedNumber::mayBecomeNumber(QString::fromUtf8(c.text), english), c.english);
    }
}

// Every format's own symbols, compared as whole strings: its digits (some
// beyond the Basic Multilingual Plane), separators, signs and grouping; the
// direction marks around a sign are passed over wherever they stand.
TEST(TypedNumber, ReadsEachDesktopsOwnDigitsSignsAndGrouping)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    const QLocale persian(QLocale::Persian, QLocale::Iran);
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
    const QLocale india(QLocale::English, QLocale::India);
    const QLocale french(QLocale::French, QLocale::France);
    const QLocale swiss(QLocale::German, QLocale::Switzerland);
    const QLocale adlam(QLocale::Fulah, QLocale::AdlamScript, QLocale::Guinea);
    const QLocale chakma(QLocale::Chakma, QLocale::ChakmaScript, QLocale::Bangladesh);
    // ASCII digits written in a format's own.
    const auto digits = [](const QLocale& locale, const char* ascii) {
        const char32_t zero = locale.zeroDigit().toUcs4().front();
        std::u32string text;
        for (const char* c = ascii; *c; ++c)
            text += *c >= '0' && *c <= '9' ? zero + static_cast<char32_t>(*c - '0') : static_cast<char32_t>(*c);
        return QString::fromStdU32String(text);
    };
    const struct {
        const QLocale& locale;
        QString text;
        std::optional<long double> grouped;
        std::optional<long double> decimal;
    } cases[] = {
        { arabic, QStringLiteral("٤٦٥٠٠"), 46500.0L, 46500.0L },
        { arabic, QStringLiteral("٤٦٬٥٠٠"), 46500.0L, none },
        { arabic, QStringLiteral("١٢٫٥"), 12.5L, 12.5L },
        { arabic, QStringLiteral("\u061C-٥"), -5.0L, -5.0L },
        { arabic, QStringLiteral("٤٦\u200E٥٠٠\u200F"), 46500.0L, 46500.0L },
        { arabic, arabic.toString(-46500), -46500.0L, none },
        { arabic, QStringLiteral("12.5"), 12.5L, 12.5L },
        { persian, persian.toString(-12), -12.0L, -12.0L },
        { persian, QStringLiteral("\u200E\u2212۱۲٫۵"), -12.5L, -12.5L },
        { swedish, QStringLiteral("\u221212,5"), -12.5L, -12.5L },
        { swedish, swedish.toString(-0.0015, 'e', 1), -0.0015L, -0.0015L }, // "−1,5×10^−03"
        { persian, persian.toString(0.0015, 'e', 1), 0.0015L, 0.0015L },
        { swedish, QStringLiteral("46\u00A0500"), 46500.0L, none },
        { swedish, QStringLiteral("46 500"), 46500.0L, none },
        { swedish, QStringLiteral("46\u2009500"), 46500.0L, none },
        { swedish, QStringLiteral("46 50"), none, none },
        { india, QStringLiteral("1,25,00,000"), 12500000.0L, none },
        { india, QStringLiteral("12,34,567.5"), 1234567.5L, none },
        { india, QStringLiteral("1,000,000"), 1000000.0L, none },
        { india, QStringLiteral("1,2,3"), none, none },
        { india, QStringLiteral("46,5"), 46.5L, 46.5L },
        { french, QStringLiteral("1\u202F000 000,5"), 1000000.5L, none },
        { french, QStringLiteral("1 000"), 1000.0L, none },
        { swiss, QStringLiteral("46'500"), 46500.0L, none },
        { swiss, QStringLiteral("46\u2019500.5"), 46500.5L, none },
        { spanish, QStringLiteral("46 500"), none, none },
        { spanish, QStringLiteral("46'500"), none, none },
        { english, QStringLiteral("46\u2019500"), none, none },
        { adlam, digits(adlam, "46500"), 46500.0L, 46500.0L },
        { adlam, adlam.toString(1234567), 1234567.0L, none },
        { chakma, digits(chakma, "0.95"), 0.95L, 0.95L },
        { chakma, chakma.toString(12500000), 12500000.0L, none },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString() + " \"" + c.text.toStdString() + "\"");
        const std::optional<long double> grouped = TypedNumber::grouped(c.text, c.locale);
        const std::optional<long double> decimal = TypedNumber::decimal(c.text, c.locale);
        EXPECT_EQ(grouped, c.grouped);
        EXPECT_EQ(decimal, c.decimal);
        EXPECT_TRUE(TypedNumber::mayBecomeNumber(c.text, c.locale) || !c.grouped);
    }

    // What a keyboard gives on the way to one of them.
    for (const auto& [locale, start] : { std::pair { arabic, QStringLiteral("\u061C") },
             std::pair { arabic, QStringLiteral("\u061C-") }, std::pair { persian, QStringLiteral("\u200E\u2212") },
             std::pair { swedish, QStringLiteral("46 5") }, std::pair { india, QStringLiteral("1,25,0") },
             std::pair { swiss, QStringLiteral("46'") } }) {
        SCOPED_TRACE(locale.name().toStdString() + " \"" + start.toStdString() + "\"");
        EXPECT_TRUE(TypedNumber::mayBecomeNumber(start, locale));
    }
}
