#include "money.h"

#include "catalogue.h"

#include <cmath>

std::optional<Money> Money::fromDecimal(long double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const long double scaled = std::nearbyintl(value * TicksPerUnit);
    // 2^63 is exactly representable; anything at or above it does not fit.
    if (scaled >= 9223372036854775808.0L || scaled < -9223372036854775808.0L)
        return std::nullopt;
    return fromTicks(static_cast<std::int64_t>(scaled));
}

Money Money::fromCatalogueFloat(float value)
{
    // A float times 10000 is exact in double's 53-bit mantissa for every
    // price a catalogue can hold.
    const double scaled = std::nearbyint(static_cast<double>(value) * TicksPerUnit);
    if (!std::isfinite(scaled) || scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0)
        throw ECatalogueError(QStringLiteral("El precio del catálogo no es válido."));
    return fromTicks(static_cast<std::int64_t>(scaled));
}
