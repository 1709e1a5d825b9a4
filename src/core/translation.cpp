#include "translation.h"

#include "translationtable.h"

#include <QHash>
#include <QLocale>

namespace {

// The table in force: the one piece of process-wide state of the lookup.
bool g_englishInForce = false;

const QHash<QString, QString>& englishLookup()
{
    static const QHash<QString, QString> lookup = [] {
        QHash<QString, QString> table;
        const auto addRows = [&table](const auto& rows) {
            for (const TranslationRow& row : rows) {
                const QString key = QString::fromUtf16(row.spanish);
                if (!table.contains(key)) // the first row wins
                    table.insert(key, QString::fromUtf16(row.english));
            }
        };
        addRows(EnglishTable);
        addRows(ProgramTexts);
        return table;
    }();
    return lookup;
}

} // namespace

QString TranslateText(const QString& Text)
{
    if (Text.isEmpty() || !g_englishInForce)
        return Text;
    return englishLookup().value(Text, Text);
}

namespace Translation {

bool englishInForce()
{
    return g_englishInForce;
}

void setEnglishInForce(bool inForce)
{
    g_englishInForce = inForce;
}

bool englishChosen(bool langOS, TAppLanguage language, const QString& systemLanguage)
{
    if (langOS)
        return systemLanguage == QLatin1String("en");
    return language != TAppLanguage::es;
}

QString systemLanguageCode(const QLocale& system)
{
    if (system.language() == QLocale::C || system.language() == QLocale::AnyLanguage)
        return QStringLiteral("en");
    const QString name = system.name(); // "es_ES"
    const QString code = name.section(QLatin1Char('_'), 0, 0);
    return code.isEmpty() ? QStringLiteral("en") : code;
}

} // namespace Translation
