#include "catalogue.h"
#include "ctext.h"
#include "desktoplocale.h"
#include "money.h"
#include "numberformat.h"
#include "rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

struct CatalogueMoneyCase {
    float price;
    std::int64_t ticks;
};

class CatalogueMoney : public ::testing::TestWithParam<CatalogueMoneyCase> {};

TEST_P(CatalogueMoney, FloatWidenedTimesTenThousandHalvesToEven)
{
    EXPECT_EQ(Money::fromCatalogueFloat(GetParam().price).ticks(), GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(Prices, CatalogueMoney,
    ::testing::Values(CatalogueMoneyCase { 1234.56f, 12345601 }, CatalogueMoneyCase { 12345.67f, 123456699 },
        CatalogueMoneyCase { 99.99f, 999900 }, CatalogueMoneyCase { 0.03125f, 312 }, CatalogueMoneyCase { 0.0f, 0 },
        CatalogueMoneyCase { -2.5f, -25000 },
        // The floats of largest size that still fit the 64-bit count.
        CatalogueMoneyCase { 922337180385280.0f, 9223371803852800000 },
        CatalogueMoneyCase { -922337180385280.0f, -9223371803852800000 }));

// A catalogue price that is no number or does not fit the count fails the
// read, as every other catalogue failure does; it never becomes 0.
TEST(CatalogueMoneyRefusal, NoNumberOrBeyondTheCountRaises)
{
    for (const float price : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
             -std::numeric_limits<float>::infinity(), 922337247494144.0f, -922337247494144.0f, 1e30f,
             std::numeric_limits<float>::max() }) {
        SCOPED_TRACE(price);
        EXPECT_THROW(Money::fromCatalogueFloat(price), ECatalogueError);
    }
}

TEST(Money, FromDecimalHalvesToEvenAndRefusesTheUnrepresentable)
{
    EXPECT_EQ(Money::fromDecimal(0.03125L)->ticks(), 312);
    EXPECT_EQ(Money::fromDecimal(0.03135L)->ticks(), 314);
    EXPECT_EQ(Money::fromDecimal(-0.00005L)->ticks(), 0);
    EXPECT_EQ(Money::fromDecimal(1.5L)->ticks(), 15000);
    EXPECT_EQ(Money::fromDecimal(std::numeric_limits<long double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(Money::fromDecimal(std::numeric_limits<long double>::infinity()), std::nullopt);
    EXPECT_EQ(Money::fromDecimal(1e16L), std::nullopt);
}

struct RoundCase {
    long double value;
    std::optional<std::int32_t> expected;
};

class RoundToInt32 : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt32, HalvesToEvenWithRangeCheck)
{
    EXPECT_EQ(roundToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToInt32,
    ::testing::Values(RoundCase{2.5L, 2}, RoundCase{3.5L, 4}, RoundCase{-2.5L, -2}, RoundCase{0.49999L, 0},
                      RoundCase{2147483647.4L, 2147483647}, RoundCase{2147483647.5L, std::nullopt},
                      RoundCase{-2147483648.5L, -2147483648}, RoundCase{-2147483648.6L, std::nullopt},
                      RoundCase{std::numeric_limits<long double>::quiet_NaN(), std::nullopt},
                      RoundCase{std::numeric_limits<long double>::infinity(), std::nullopt}));

struct FormatCase {
    long double value;
    const char* c;     // point-decimal locale
    const char* comma; // comma-decimal locale
};

class TwoDecimals : public ::testing::TestWithParam<FormatCase> {};

// The figure follows the locale it is given, and never the C library's
// locale the program runs under.
TEST_P(TwoDecimals, InBothLocales)
{
    const QLocale c(QLocale::C);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    for (const char* desktop : testutils::DesktopCLocales) {
        SCOPED_TRACE(desktop);
        const testutils::ScopedCLocale running(desktop);
        EXPECT_EQ(NumberFormat::twoDecimals(GetParam().value, c), GetParam().c);
        EXPECT_EQ(NumberFormat::twoDecimals(GetParam().value, spanish), GetParam().comma);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, TwoDecimals,
                         ::testing::Values(FormatCase{1234567.891L, "1234567.89", "1234567,89"},
                                           FormatCase{154.11L, "154.11", "154,11"},
                                           FormatCase{221.0L, "221.00", "221,00"},
                                           FormatCase{0.83f, "0.83", "0,83"},
                                           FormatCase{90.0L, "90.00", "90,00"},
                                           FormatCase{0.5L, "0.50", "0,50"},
                                           FormatCase{-3.14159L, "-3.14", "-3,14"},
                                           FormatCase{static_cast<float>(0.95f), "0.95", "0,95"},
                                           // Sixteen digits would be needed: the fifteenth is rounded.
                                           FormatCase{12345678901234.567L, "12345678901234.60", "12345678901234,60"},
                                           FormatCase{99999999999999.996L, "100000000000000.00", "100000000000000,00"},
                                           FormatCase{std::numeric_limits<long double>::quiet_NaN(), "", ""},
                                           FormatCase{std::numeric_limits<long double>::infinity(), "", ""}));

// Every two-decimal figure of the pages, the prompts and the report: the
// value to 15 significant digits, then to two decimals, an exact half away
// from zero. The binary neighbours of 2.675, 1.015 and 1.005 lie just below
// the half, those of 12.345 and 0.285 just above it; 0.125f and 136.125f are
// exact halves.
INSTANTIATE_TEST_SUITE_P(HalfCents, TwoDecimals,
                         ::testing::Values(FormatCase{2.675, "2.68", "2,68"}, FormatCase{1.015, "1.02", "1,02"},
                                           FormatCase{0.125, "0.13", "0,13"}, FormatCase{12.345, "12.35", "12,35"},
                                           FormatCase{-2.675, "-2.68", "-2,68"}, FormatCase{-1.015, "-1.02", "-1,02"},
                                           FormatCase{1.005, "1.01", "1,01"}, FormatCase{0.285, "0.29", "0,29"},
                                           FormatCase{2.675L, "2.68", "2,68"}, FormatCase{2.674999999L, "2.67", "2,67"},
                                           FormatCase{0.125f, "0.13", "0,13"}, FormatCase{136.125f, "136.13", "136,13"},
                                           FormatCase{-136.125f, "-136.13", "-136,13"},
                                           FormatCase{0.005, "0.01", "0,01"}, FormatCase{-0.005, "-0.01", "-0,01"},
                                           FormatCase{0.00499999, "0.00", "0,00"}, FormatCase{9.995, "10.00", "10,00"},
                                           FormatCase{999.995, "1000.00", "1000,00"},
                                           // A figure that rounds to zero reads as zero, without a sign.
                                           FormatCase{-0.001, "0.00", "0,00"}, FormatCase{-0.0L, "0.00", "0,00"},
                                           FormatCase{0.0L, "0.00", "0,00"},
                                           // The fifteenth digit rounded first, half away as well.
                                           FormatCase{0.0049999999999999999L, "0.01", "0,01"},
                                           FormatCase{123456789012344.5L, "123456789012345.00", "123456789012345,00"},
                                           FormatCase{-123456789012344.5L, "-123456789012345.00", "-123456789012345,00"},
                                           // From 1e15 on, the general form.
                                           FormatCase{1234567890123456.0L, "1.23456789012346E+15", "1,23456789012346E+15"},
                                           FormatCase{-1e15L, "-1E+15", "-1E+15"},
                                           FormatCase{999999999999999.7L, "1E+15", "1E+15"},
                                           FormatCase{-std::numeric_limits<long double>::infinity(), "", ""}));

TEST(NumberFormat, NoDecimalsRoundHalvesAwayToo)
{
    for (const char* desktop : testutils::DesktopCLocales) {
        SCOPED_TRACE(desktop);
        const testutils::ScopedCLocale running(desktop);
        EXPECT_EQ(NumberFormat::fixed(2.5L, 0, QLocale::c()), "3");
        EXPECT_EQ(NumberFormat::fixed(-2.5L, 0, QLocale::c()), "-3");
        EXPECT_EQ(NumberFormat::fixed(0.4999L, 0, QLocale::c()), "0");
        EXPECT_EQ(NumberFormat::fixed(1.0005L, 3, QLocale::c()), "1.001");
        EXPECT_EQ(NumberFormat::fixed(600.0L, 0, QLocale::c()), "600");
        EXPECT_EQ(NumberFormat::fixed(70.0L, 0, QLocale(QLocale::Spanish, QLocale::Spain)), "70");
    }
}

struct MoneyCase {
    std::int64_t ticks;
    const char* c;
    const char* comma;
};

class MoneyTwoDecimals : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyTwoDecimals, FromTheExactCount)
{
    const Money amount = Money::fromTicks(GetParam().ticks);
    for (const char* desktop : testutils::DesktopCLocales) {
        SCOPED_TRACE(desktop);
        const testutils::ScopedCLocale running(desktop);
        EXPECT_EQ(NumberFormat::money(amount, QLocale::c()), GetParam().c);
        EXPECT_EQ(NumberFormat::money(amount, QLocale(QLocale::Spanish, QLocale::Spain)), GetParam().comma);
    }
}

INSTANTIATE_TEST_SUITE_P(Amounts, MoneyTwoDecimals,
                         ::testing::Values(MoneyCase{26750, "2.68", "2,68"}, MoneyCase{-26750, "-2.68", "-2,68"},
                                           MoneyCase{10150, "1.02", "1,02"}, MoneyCase{1250, "0.13", "0,13"},
                                           MoneyCase{123450, "12.35", "12,35"}, MoneyCase{123449, "12.34", "12,34"},
                                           MoneyCase{12345601, "1234.56", "1234,56"}, MoneyCase{0, "0.00", "0,00"},
                                           MoneyCase{50, "0.01", "0,01"}, MoneyCase{-49, "0.00", "0,00"},
                                           MoneyCase{-50, "-0.01", "-0,01"}, MoneyCase{99995, "10.00", "10,00"},
                                           // Nineteen digits: the fifteenth is rounded first.
                                           MoneyCase{std::numeric_limits<std::int64_t>::max(), "922337203685478.00",
                                                     "922337203685478,00"},
                                           MoneyCase{std::numeric_limits<std::int64_t>::min(), "-922337203685478.00",
                                                     "-922337203685478,00"},
                                           MoneyCase{1234567890123449, "123456789012.35", "123456789012,35"}));

class General15 : public ::testing::TestWithParam<FormatCase> {};

TEST_P(General15, PaddedToTwoInBothLocales)
{
    const QLocale c(QLocale::C);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    for (const char* desktop : testutils::DesktopCLocales) {
        SCOPED_TRACE(desktop);
        const testutils::ScopedCLocale running(desktop);
        EXPECT_EQ(NumberFormat::general(GetParam().value, 2, c), GetParam().c);
        EXPECT_EQ(NumberFormat::general(GetParam().value, 2, spanish), GetParam().comma);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, General15,
                         ::testing::Values(FormatCase{7.5L, "7.5", "7,5"}, FormatCase{10.0L, "10", "10"},
                                           FormatCase{5.0L, " 5", " 5"},
                                           FormatCase{3.3f, "3.29999995231628", "3,29999995231628"},
                                           // Fixed notation down to a magnitude of 0.00001.
                                           FormatCase{0.00005L, "0.00005", "0,00005"},
                                           FormatCase{-0.0000123456789012345678L, "-0.0000123456789012346",
                                                      "-0,0000123456789012346"},
                                           FormatCase{0.0001L, "0.0001", "0,0001"},
                                           FormatCase{0.000009L, "9E-06", "9E-06"},
                                           FormatCase{0.0L, " 0", " 0"},
                                           FormatCase{154.11L, "154.11", "154,11"},
                                           FormatCase{1e15L, "1E+15", "1E+15"},
                                           FormatCase{-2.5e-7L, "-2.5E-07", "-2,5E-07"},
                                           FormatCase{std::numeric_limits<long double>::quiet_NaN(), "", ""}));

// The one general form, with its exponent spelled for the screens and the
// report (as printf does) or for the project file (shortest); nothing but
// the exponent differs, and nothing depends on the C library's locale.
TEST(GeneralForm, SpellsTheExponentAsAsked)
{
    const struct {
        long double value;
        const char* printf;
        const char* shortest;
    } cases[] = {
        { 1e15L, "1E+15", "1E15" },
        { 0.000009L, "9E-06", "9E-6" },
        { -2.5e-7L, "-2.5E-07", "-2.5E-7" },
        { 0.00001f, "9.99999974737875E-06", "9.99999974737875E-6" },
        { 2e15L, "2E+15", "2E15" },
        { 1e100L, "1E+100", "1E100" },
        { -1.5e-300L, "-1.5E-300", "-1.5E-300" },
        // Fifteen nines and more: the value rounded to 15 digits decides.
        { 999999999999999.6L, "1E+15", "1E15" },
        { 999999999999999.4L, "999999999999999", "999999999999999" },
        { 0.0000099999999999999996L, "0.00001", "0.00001" },
        { 0.00005L, "0.00005", "0.00005" },
        { 0.95f, "0.949999988079071", "0.949999988079071" },
        { 123456.7f, "123456.703125", "123456.703125" },
        { 1.0L, "1", "1" },
        { -0.0L, "-0", "-0" },
    };
    for (const char* desktop : testutils::DesktopCLocales) {
        const testutils::ScopedCLocale running(desktop);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(desktop) + " " + c.printf);
            EXPECT_EQ(CText::general15(c.value, CText::ExponentSpelling::Printf), c.printf);
            EXPECT_EQ(CText::general15(c.value, CText::ExponentSpelling::Shortest), c.shortest);
        }
    }
}

// A C number text in a locale's form: its point and every minus sign
// replaced, nothing else.
TEST(NumberFormat, LocalisesTheSeparatorsOnly)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QLocale swedish(QLocale::Swedish, QLocale::Sweden); // its minus sign is U+2212
    const struct {
        const char* text;
        QLocale locale;
        const char* localised;
    } cases[] = {
        { "-1.5E-06", QLocale::c(), "-1.5E-06" },
        { "-1.5E-06", spanish, "-1,5E-06" },
        { "-1.5E-06", swedish, "\u22121,5E\u221206" },
        { "1e+20", spanish, "1e+20" }, // the marker as it came
        { "1234567.5", QLocale(QLocale::German), "1234567,5" }, // no group separator
        { " 5", spanish, " 5" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumberFormat::localise(QString::fromLatin1(c.text), c.locale), QString::fromUtf8(c.localised));
    }
}

TEST(NumberFormat, NoDecimalsForTheTransformerRatio)
{
    EXPECT_EQ(NumberFormat::fixed(250.0L, 0, QLocale::c()), "250");
    EXPECT_EQ(NumberFormat::fixed(1500.0L, 0, QLocale(QLocale::German)), "1500"); // no group separator
}
