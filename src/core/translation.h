#pragma once

#include "enumerations.h"

#include <QLocale>
#include <QString>

// The program's one text lookup. Every text is written in Spanish; while the
// English table is in force, a text with a row in it shows in English.
// The table in force is chosen once, at start-up, and holds for the run.

// The text to show for `Text` under the table in force. Never fails.
QString TranslateText(const QString& Text);

namespace Translation {

bool englishInForce();
void setEnglishInForce(bool inForce);

// The start-up rule of the interface language, for the splash and the main
// window alike: English exactly when the interface follows the operating
// system and its language is "en", or does not follow it and the chosen
// language is not Spanish (a stored code other than 0 and 1 counts as
// English, as every language test of the program takes it).
bool englishChosen(bool langOS, TAppLanguage language, const QString& systemLanguage);

// The two-letter language code of the user's locale (the desktop's by
// default); "en" when it gives none (the C locale).
QString systemLanguageCode(const QLocale& system = QLocale::system());

} // namespace Translation
