#pragma once

#include <locale.h>

// While it lives, the calling thread reads and writes numbers by the C
// locale's rules ("." as the decimal point), whatever locale the process
// runs under; the thread's previous locale is back when it goes, on every
// path out. For libraries that read numbers through the C library (the JSON
// reader hands on number texts with the C library's decimal point in them).
// Other threads are not touched.
class CNumericLocale {
public:
    CNumericLocale();
    ~CNumericLocale();

    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_numeric;
    locale_t m_previous;
};
