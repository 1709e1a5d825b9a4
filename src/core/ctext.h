#pragma once

#include <charconv>
#include <string>
#include <string_view>

// Numbers written as printf writes them in the C locale ("." as the decimal
// point, "e±dd" as the exponent), whatever locale the process runs under:
// the start of every figure the program shows or stores.
namespace CText {

std::string write(long double value, std::chars_format format, int precision);

// The power of ten of a text in the scientific form `write` gives.
int exponentOf(std::string_view scientific);

// How the general form spells its power of ten.
enum class ExponentSpelling {
    Printf, // "1E+15", "9E-06": a sign and at least two digits, as printf's %G
    Shortest, // "1E15", "9E-6"
};

// The program's general form: 15 significant digits, trailing zeros and a
// trailing point dropped; fixed notation from a magnitude of 0.00001 (a
// decade further down than printf's %g) up to 1e15, scientific with an
// upper-case "E" outside that, the magnitude being that of the value rounded
// to 15 digits. A zero keeps its sign. The value must be finite.
std::string general15(long double value, ExponentSpelling spelling);

} // namespace CText
