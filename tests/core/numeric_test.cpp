#include "catalogue.h"
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

TEST_P(TwoDecimals, InBothLocales)
{
    const QLocale c(QLocale::C);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    EXPECT_EQ(NumberFormat::twoDecimals(GetParam().value, c), GetParam().c);
    EXPECT_EQ(NumberFormat::twoDecimals(GetParam().value, spanish), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(Values, TwoDecimals,
                         ::testing::Values(FormatCase{1234567.891L, "1234567.89", "1234567,89"},
                                           FormatCase{0.5L, "0.50", "0,50"},
                                           FormatCase{-3.14159L, "-3.14", "-3,14"},
                                           FormatCase{static_cast<float>(0.95f), "0.95", "0,95"},
                                           // Sixteen digits would be needed: the fifteenth is rounded.
                                           FormatCase{12345678901234.567L, "12345678901234.60", "12345678901234,60"},
                                           FormatCase{99999999999999.996L, "100000000000000.00", "100000000000000,00"},
                                           FormatCase{std::numeric_limits<long double>::quiet_NaN(), "", ""},
                                           FormatCase{std::numeric_limits<long double>::infinity(), "", ""}));

class General15 : public ::testing::TestWithParam<FormatCase> {};

TEST_P(General15, PaddedToTwoInBothLocales)
{
    const QLocale c(QLocale::C);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    EXPECT_EQ(NumberFormat::general(GetParam().value, 2, c), GetParam().c);
    EXPECT_EQ(NumberFormat::general(GetParam().value, 2, spanish), GetParam().comma);
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
                                           FormatCase{std::numeric_limits<long double>::quiet_NaN(), "", ""}));

TEST(NumberFormat, NoDecimalsForTheTransformerRatio)
{
    EXPECT_EQ(NumberFormat::fixed(250.0L, 0, QLocale::c()), "250");
    EXPECT_EQ(NumberFormat::fixed(1500.0L, 0, QLocale(QLocale::German)), "1500"); // no group separator
}
