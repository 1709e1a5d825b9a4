#pragma once

#include <QByteArray>
#include <QString>

namespace pdf {

// Text for fonts drawn with WinAnsiEncoding (Windows code page 1252): the
// standard fonts always, TrueType fonts for texts that code page holds. A
// character that code page lacks becomes "?".
QByteArray toWinAnsi(const QString& text);

// Whether code page 1252 holds every character of the text.
bool isWinAnsi(const QString& text);

} // namespace pdf
