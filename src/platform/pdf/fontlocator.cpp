#include "fontlocator.h"

#include <QFileInfo>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <memory>

namespace pdf {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// Families that Debian replaces by metric-compatible ones.
QString metricAlias(const QString& family)
{
    const QString key = family.toCaseFolded();
    if (key == QLatin1String("arial"))
        return QStringLiteral("Liberation Sans");
    if (key == QLatin1String("arial narrow"))
        return QStringLiteral("Liberation Sans Narrow");
    if (key == QLatin1String("times new roman"))
        return QStringLiteral("Liberation Serif");
    if (key == QLatin1String("courier new"))
        return QStringLiteral("Liberation Mono");
    return {};
}

bool isBoldWord(const QString& word)
{
    return word.compare(QLatin1String("Bold"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("Negrita"), Qt::CaseInsensitive) == 0;
}

bool isItalicWord(const QString& word)
{
    return word.compare(QLatin1String("Italic"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("Cursiva"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("Oblique"), Qt::CaseInsensitive) == 0;
}

bool familyMatches(FcPattern* match, const QString& wanted)
{
    const QString alias = metricAlias(wanted);
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        const QString family = QString::fromUtf8(reinterpret_cast<const char*>(value));
        if (family.compare(wanted, Qt::CaseInsensitive) == 0
            || (!alias.isEmpty() && family.compare(alias, Qt::CaseInsensitive) == 0))
            return true;
    }
    return false;
}

bool styleMatches(FcPattern* match, const FontRequest& request)
{
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    return (weight >= FC_WEIGHT_DEMIBOLD) == request.bold && (slant != FC_SLANT_ROMAN) == request.italic;
}

// A single-face TrueType file, the kind the PDF library embeds.
QString trueTypeFile(FcPattern* match)
{
    FcChar8* format = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    if (FcPatternGetString(match, FC_FONTFORMAT, 0, &format) != FcResultMatch
        || qstrcmp(reinterpret_cast<const char*>(format), "TrueType") != 0
        || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || index != 0)
        return {};
    const QString path = QString::fromUtf8(reinterpret_cast<const char*>(file));
    if (!path.endsWith(QLatin1String(".ttf"), Qt::CaseInsensitive) || !QFileInfo(path).isFile())
        return {};
    return path;
}

} // namespace

FontRequest parseFontName(const QString& name)
{
    FontRequest request;
    QString family = name.trimmed();
    const qsizetype open = family.indexOf(QLatin1Char('['));
    if (open >= 0 && family.endsWith(QLatin1Char(']'))) {
        const QString style = family.mid(open + 1, family.size() - open - 2);
        request.bold = style.contains(QLatin1String("Bold"), Qt::CaseInsensitive);
        request.italic = style.contains(QLatin1String("Italic"), Qt::CaseInsensitive);
        request.family = family.left(open).trimmed();
        return request;
    }
    QStringList words = family.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (words.size() > 1) {
        if (isBoldWord(words.last()))
            request.bold = true;
        else if (isItalicWord(words.last()))
            request.italic = true;
        else
            break;
        words.removeLast();
    }
    request.family = words.join(QLatin1Char(' '));
    return request;
}

QString findTrueTypeFile(const FontRequest& request)
{
    if (request.family.isEmpty())
        return {};
    Pattern pattern(FcPatternCreate());
    if (!pattern)
        return {};
    const QByteArray family = request.family.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match || !familyMatches(match.get(), request.family) || !styleMatches(match.get(), request))
        return {};
    return trueTypeFile(match.get());
}

} // namespace pdf
