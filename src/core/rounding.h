#pragma once

#include <cstdint>
#include <optional>

// Rounds to the nearest 32-bit integer, halves to the even neighbour.
// A value that is not finite or whose rounded value lies outside the int32
// range is refused: converting it would be undefined.
std::optional<std::int32_t> roundToInt32(long double value);

// The 32-bit wrap of a 64-bit product, for the figures the calculation takes
// "in 32-bit integers" (C++20 defines the conversion as modular).
inline std::int32_t wrapToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(value);
}
