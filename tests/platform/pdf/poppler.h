#pragma once

#include "printqstring.h"

// Reading PDF files back with poppler-utils (pdfinfo, pdffonts, pdftotext,
// pdftoppm), run as child processes.

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

namespace poppler {

// Standard output of a poppler tool; throws std::runtime_error when the tool
// cannot be run or ends with a nonzero status.
QString run(const QString& program, const QStringList& arguments);

// pdfinfo's "Key: value" lines, values trimmed.
QMap<QString, QString> info(const QString& pdfPath);

struct Font {
    QString name; // with its subset prefix ("HPDFAA+LiberationSans")
    QString type; // "CID TrueType", "Type 1", ...
    bool embedded = false;
};
std::vector<Font> fonts(const QString& pdfPath);

// The text in reading layout (pdftotext -layout), or raw.
QString text(const QString& pdfPath, bool layout = false);
// The text of one page (1-based).
QString pageText(const QString& pdfPath, int page);

// One word with its box in points, from the page's top-left corner, y down.
struct Word {
    int page = 0; // 1-based
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};
std::vector<Word> words(const QString& pdfPath);

// The first word with that text; throws std::runtime_error when none.
Word findWord(const std::vector<Word>& words, const QString& text, int page = 0);

// Renders one page to `pngPath` at `dpi`.
void renderPage(const QString& pdfPath, int page, int dpi, const QString& pngPath);

} // namespace poppler
