#include "textlayout.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <limits>

namespace pdf {

namespace {

// Widths are sums of glyph widths in thousandths of the font size; this
// keeps a line that fits exactly from being broken by rounding.
constexpr double WidthTolerance = 1e-6;

void breakParagraph(const QString& paragraph, double width, const TextMeasure& measure, std::vector<QString>& lines)
{
    const QStringList words = paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString line;
    for (const QString& word : words) {
        if (line.isEmpty()) {
            line = word;
            continue;
        }
        const QString candidate = line + QLatin1Char(' ') + word;
        // At an unbounded width (a single-line text) no line is ever too
        // wide: nothing is measured.
        if (!std::isinf(width) && measure(candidate) > width + WidthTolerance) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    lines.push_back(line);
}

} // namespace

std::vector<QString> breakLines(const QString& text, double width, const TextMeasure& measure)
{
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normalized.replace(QLatin1Char('\t'), QLatin1Char(' '));

    std::vector<QString> lines;
    for (const QString& paragraph : normalized.split(QLatin1Char('\n')))
        breakParagraph(paragraph, width, measure, lines);
    return lines;
}

namespace {

// A single-line text's lines: broken at its line breaks only.
std::vector<QString> singleLines(const QString& text, const TextMeasure& measure)
{
    return breakLines(text, std::numeric_limits<double>::infinity(), measure);
}

double fitSize(const std::vector<QString>& lines, double width, double size, const TextMeasure& measure)
{
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, measure(line));
    if (width <= 0 || widest <= width + WidthTolerance)
        return size;
    return std::max(size * width / widest, std::min(size, MinimumTextSize));
}

} // namespace

QString cutToWidth(const QString& line, double width, const TextMeasure& measure)
{
    if (measure(line) <= width + WidthTolerance)
        return line;
    // Widths grow with every character: the last boundary that fits, found
    // by halving the range of character boundaries.
    std::vector<qsizetype> boundaries;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        boundaries.push_back(at);
    std::size_t low = 0; // characters that surely fit
    std::size_t high = boundaries.size(); // the whole line, which does not
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        if (measure(line.left(boundaries[middle - 1])) <= width + WidthTolerance)
            low = middle;
        else
            high = middle;
    }
    return low == 0 ? QString() : line.left(boundaries[low - 1]);
}

SingleLineFit fitSingleLine(const QString& text, double width, double size, const TextMeasure& measure)
{
    const std::vector<QString> lines = singleLines(text, measure);
    const double fitted = fitSize(lines, width, size, measure);
    const double scale = fitted / size;
    const TextMeasure measureFitted = [&](const QString& line) { return measure(line) * scale; };
    QStringList shown;
    for (const QString& line : lines)
        shown.push_back(width > 0 ? cutToWidth(line, width, measureFitted) : line);
    return { fitted, shown.join(QLatin1Char('\n')) };
}

std::vector<PlacedLine> layoutText(const QString& text, const TextBox& box, TextAlign align,
    VerticalAlign verticalAlign, const LineMetrics& metrics, const TextMeasure& measure, TextWrap wrap)
{
    const double breakWidth = wrap == TextWrap::Wrap ? box.width : std::numeric_limits<double>::infinity();
    const std::vector<QString> lines = breakLines(text, breakWidth, measure);
    const double lineHeight = metrics.lineHeight();
    const double blockHeight = lineHeight * static_cast<double>(lines.size());

    double blockTop = box.top;
    switch (verticalAlign) {
    case VerticalAlign::Top:
        break;
    case VerticalAlign::Bottom:
        blockTop = box.top - box.height + blockHeight;
        break;
    case VerticalAlign::Center:
        blockTop = box.top - (box.height - blockHeight) / 2;
        break;
    }

    std::vector<PlacedLine> placed;
    placed.reserve(lines.size());
    double baseline = blockTop - metrics.ascent;
    for (const QString& line : lines) {
        double x = box.left;
        if (align != TextAlign::Left) {
            const double free = box.width - measure(line);
            x += align == TextAlign::Right ? free : free / 2;
        }
        placed.push_back({ line, x, baseline });
        baseline -= lineHeight;
    }
    return placed;
}

} // namespace pdf
