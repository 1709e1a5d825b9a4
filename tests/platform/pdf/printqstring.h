#pragma once

#include <QString>

#include <ostream>

// Readable QStrings in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
