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

} // namespace CText
