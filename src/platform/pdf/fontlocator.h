#pragma once

#include <QString>

namespace pdf {

// A font face asked for by name.
struct FontRequest {
    QString family;
    bool bold = false;
    bool italic = false;
};

// Reads the font names the report uses: a family with a style in brackets
// ("Arial[Bold]", "Arial[Italic]", "Arial[BoldItalic]"), or a face's full
// name whose last words give its style ("Arial Negrita", "Arial Narrow
// Cursiva", "Arial Bold Italic").
FontRequest parseFontName(const QString& name);

// The installed TrueType file of that face, or empty. Fontconfig always
// answers with its nearest font: only a face of the family asked for (or of
// the metric-compatible family that stands in for it, Liberation Sans for
// Arial) in the style asked for is taken.
QString findTrueTypeFile(const FontRequest& request);

} // namespace pdf
