#pragma once

#include <array>

struct TranslationRow {
    const char16_t* spanish;
    const char16_t* english;
};

extern const std::array<TranslationRow, 133> EnglishTable;
