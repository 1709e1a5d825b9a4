#include "desktoplocale.h"

#include <clocale>
#include <stdexcept>

namespace testutils {

ScopedCLocale::ScopedCLocale(const char* name)
    : m_previous(std::setlocale(LC_ALL, nullptr))
{
    if (!std::setlocale(LC_ALL, name))
        throw std::runtime_error(
            std::string("the C library has no locale ") + name + " on this machine (scripts/test.sh makes it)");
}

ScopedCLocale::~ScopedCLocale()
{
    std::setlocale(LC_ALL, m_previous.c_str());
}

} // namespace testutils
