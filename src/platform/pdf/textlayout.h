#pragma once

#include "pdfdocument.h"

#include <QString>

#include <functional>
#include <vector>

namespace pdf {

// The vertical measures of a font at the size in use, in points: ascent
// above the baseline (positive) and descent below it (negative).
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    double lineHeight() const { return ascent - descent; }
};

struct TextBox {
    double left = 0;
    double top = 0; // y grows upwards: the box reaches down to top - height
    double width = 0;
    double height = 0;
};

// One line of a laid-out text: where its baseline starts.
struct PlacedLine {
    QString text;
    double x = 0;
    double baseline = 0;
};

// Width in points of a text in the font and size in use.
using TextMeasure = std::function<double(const QString&)>;

// Breaks text into lines: a new line at every line break, and between words
// where the next word would pass the width. A word wider than the box stays
// whole on a line of its own. Runs of blanks between words count as one.
std::vector<QString> breakLines(const QString& text, double width, const TextMeasure& measure);

// The smallest size a single-line text is drawn at: below it a printed
// text is no longer readable.
inline constexpr double MinimumTextSize = 6.0;

// The longest leading part of one line, in whole characters, that is no
// wider than `width`.
QString cutToWidth(const QString& line, double width, const TextMeasure& measure);

// A single-line text as it is drawn in a box `width` wide: its size, and its
// text with every line still wider than the box at that size cut at the
// box's edge. The size is `size` itself, or smaller in proportion when its
// widest line is wider, so that a long figure shows whole instead of being
// cut or running over its neighbours; never smaller than MinimumTextSize
// (nor larger than `size`). `measure` gives widths at `size`.
struct SingleLineFit {
    double size = 0;
    QString text;
};
SingleLineFit fitSingleLine(const QString& text, double width, double size, const TextMeasure& measure);

// Breaks and places text in a box. Lines are one line height apart; the
// block is placed against the box's top or bottom edge or centred between
// them, each line against the left or right edge or centred. A block taller
// than the box runs past the edge it is not aligned to. A single-line text
// breaks only at its line breaks. `metrics` place the lines vertically and
// `measure` horizontally: a single-line text drawn smaller than its size
// keeps the baselines of its size, in line with its neighbours.
std::vector<PlacedLine> layoutText(const QString& text, const TextBox& box, TextAlign align,
    VerticalAlign verticalAlign, const LineMetrics& metrics, const TextMeasure& measure,
    TextWrap wrap = TextWrap::Wrap);

} // namespace pdf
