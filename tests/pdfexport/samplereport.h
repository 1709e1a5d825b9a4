#pragma once

// A prepared two-page report shaped like the program's own: page headers
// with the emblem, the customer and equipment blocks, a silver heading, the
// billing table with framed cells, italic notes and page footers.

#include "preparedreport.h"

namespace sample {

// Sheet size in report pixels (A4 at 96 to the inch).
inline constexpr double SheetWidth = 794;
inline constexpr double SheetHeight = 1123;

// Where two of its texts lie, in report pixels: the left-aligned label
// "Empresa:" and the right-aligned price value "1234,56" on the first sheet.
inline constexpr double CompanyLabelLeft = 37.795;
inline constexpr double CompanyLabelTop = 37.795 + 25 * 3.7795 + 5 * 3.7795;
inline constexpr double PriceValueRight = 37.795 + 71 * 3.7795;
inline constexpr double PriceValueTop = 37.795 + 25 * 3.7795 + 172 * 3.7795;

report::PreparedReport twoPageReport();

} // namespace sample
