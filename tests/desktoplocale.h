#pragma once

#include <QLocale>

#include <string>

namespace testutils {

// Sets the C library's locale of the whole process to `name` (as Qt's
// application object does from the environment on a desktop) while it
// lives, and puts back the one before. Throws std::runtime_error when the
// machine has no such locale: a test about a Spanish desktop must not pass
// by running under C.
class ScopedCLocale {
public:
    explicit ScopedCLocale(const char* name);
    ~ScopedCLocale();

    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    std::string m_previous;
};

// Makes `locale` Qt's default locale, the one every widget and figure of the
// program formats and reads numbers by, while it lives.
class ScopedDefaultLocale {
public:
    explicit ScopedDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedDefaultLocale() { QLocale::setDefault(m_previous); }

    ScopedDefaultLocale(const ScopedDefaultLocale&) = delete;
    ScopedDefaultLocale& operator=(const ScopedDefaultLocale&) = delete;

private:
    QLocale m_previous;
};

// The locale of a Spanish desktop, and the two C locales a result must not
// depend on.
inline constexpr const char* SpanishCLocale = "es_ES.UTF-8";
inline constexpr const char* DesktopCLocales[] = { "C.UTF-8", SpanishCLocale };

} // namespace testutils
