#pragma once

#include <array>

struct TranslationRow {
    const char16_t* spanish;
    const char16_t* english;
};

extern const std::array<TranslationRow, 133> EnglishTable;

// Texts this program shows beyond the table above (questions and failures of
// its own), with their English forms. Looked up after the table above.
extern const std::array<TranslationRow, 3> ProgramTexts;
