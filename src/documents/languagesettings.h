#pragma once

#include "enumerations.h"

#include <QString>

class QSettings;

// The interface-language choice kept between runs: section "language",
// "auto" (the interface follows the system's language) as the text "1" or
// "0", and "code" (the chosen language's number) as an integer.
namespace LanguageSettings {

struct Choice {
    bool langOS = true;
    TAppLanguage language = TAppLanguage::es;
};

// A stored value as a number: a text taken as a decimal integer, an integer
// as it is; `fallback` when the value is absent, is a text that is no
// integer, or is of any other kind.
int readNumber(const QSettings& settings, const QString& key, int fallback);

// "auto" is true for any number but 0; "code" keeps its low 8 bits, so a
// stored 2 is held as 2 (the program takes every non-zero language as
// English).
Choice read(const QSettings& settings);

// "code" keeps the type it was stored with: a code stored as text is
// written back as text.
void write(QSettings& settings, const Choice& choice);

} // namespace LanguageSettings
