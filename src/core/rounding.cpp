#include "rounding.h"

#include <cfenv>
#include <cmath>

std::optional<std::int32_t> roundToInt32(long double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the current mode, which the program never leaves
    // from its default: to nearest, halves to even.
    const long double rounded = std::nearbyintl(value);
    if (rounded < -2147483648.0L || rounded > 2147483647.0L)
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}
