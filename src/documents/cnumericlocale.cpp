#include "cnumericlocale.h"

#include <new>

namespace {

// The thread's locale with its numeric part taken from "C": dates, texts and
// messages stay as they were.
locale_t cNumericOf(locale_t current)
{
    const locale_t copy = duplocale(current);
    if (copy == locale_t {})
        throw std::bad_alloc();
    const locale_t numeric = newlocale(LC_NUMERIC_MASK, "C", copy);
    if (numeric == locale_t {}) {
        freelocale(copy);
        throw std::bad_alloc();
    }
    return numeric;
}

} // namespace

CNumericLocale::CNumericLocale()
    : m_numeric(cNumericOf(uselocale(locale_t {})))
    , m_previous(uselocale(m_numeric))
{
}

CNumericLocale::~CNumericLocale()
{
    uselocale(m_previous);
    freelocale(m_numeric);
}
