#pragma once

#include "enumerations.h"

#include <QString>

// The program's one text lookup. Every text is written in Spanish; while the
// English table is in force, a text with a row in it shows in English.
// The table in force is chosen once, at start-up, and holds for the run.

// The text to show for `Text` under the table in force. Never fails.
QString TranslateText(const QString& Text);

// The Spanish design text behind a shown text: the key of the first row whose
// English text equals `shown`, or `shown` itself. Used when a window's static
// texts are refreshed after the table in force has changed.
QString UntranslateText(const QString& shown);

namespace Translation {

bool englishInForce();
void setEnglishInForce(bool inForce);

// The start-up rule: English exactly when the interface follows the
// operating system and its language is "en", or does not follow it and the
// chosen language is English.
bool englishChosen(bool langOS, TAppLanguage language, const QString& systemLanguage);

// The two-letter language code of the user's default locale; "en" when the
// system gives none (the C locale).
QString systemLanguageCode();

} // namespace Translation
