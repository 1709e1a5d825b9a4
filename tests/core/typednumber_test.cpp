// Reading what the user types: one rule for every box and prompt, in any
// locale, and whatever the C library's locale.

#include "desktoplocale.h"
#include "typednumber.h"

#include <gtest/gtest.h>

#include <optional>

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
        { "1234.567", 1234.567L, 1234.567L }, // four digits make no first group
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
