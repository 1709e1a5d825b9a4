#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The number forms of the power factor in the project file.
namespace DecimalText {

// The exact value of a JSON number's text, rounded to four decimals (halves
// to the even neighbour) and given as a count of ten-thousandths: the
// program's fixed-point reading of a decimal. Works on the digits, so
// 0.12345 gives 1234 and 0.03125 gives 312 although neither is exact in
// binary. Nothing when the text is no number or the value does not fit the
// signed 64-bit count.
std::optional<std::int64_t> toTicks(std::string_view text);

// A count of ten-thousandths as the nearest float (the division taken in
// extended precision, then rounded once to single precision).
float ticksToFloat(std::int64_t ticks);

// A float written in the program's general form (CText::general15),
// widened exactly, with the exponent spelled shortest ("1.5E-6", "2E15") and
// either zero as "0". So 0.95f gives "0.949999988079071" and 1 gives "1".
// The value must be finite.
std::string general15(float value);

} // namespace DecimalText
