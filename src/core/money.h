#pragma once

#include <QtGlobal>

#include <compare>
#include <cstdint>
#include <optional>

// A money amount: a signed 64-bit count of ten-thousandths (four decimals).
class Money {
public:
    static constexpr std::int64_t TicksPerUnit = 10000;

    constexpr Money() = default;
    static constexpr Money fromTicks(std::int64_t ticks)
    {
        Money m;
        m.m_ticks = ticks;
        return m;
    }

    // value × 10000 rounded to the nearest count, halves to even; nothing
    // when the value is not finite or does not fit the 64-bit count.
    static std::optional<Money> fromDecimal(long double value);

    // A catalogue price, read as single precision: the float widened to
    // double, times 10000 (exact), rounded halves to even. So 1234.56 is
    // held as 1234.5601 and 99.99 as 99.99. A price that is no number or
    // does not fit the 64-bit count fails the catalogue read: it raises
    // ECatalogueError rather than becoming a price of 0.
    static Money fromCatalogueFloat(float value);

    constexpr std::int64_t ticks() const { return m_ticks; }
    long double toLongDouble() const { return static_cast<long double>(m_ticks) / TicksPerUnit; }
    double toDouble() const { return static_cast<double>(toLongDouble()); }

    constexpr auto operator<=>(const Money&) const = default;

private:
    std::int64_t m_ticks = 0;
};
