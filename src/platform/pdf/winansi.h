#pragma once

#include <QByteArray>
#include <QString>

namespace pdf {

// Text for the standard fonts, which are drawn with WinAnsiEncoding (Windows
// code page 1252). A character that code page lacks becomes "?".
QByteArray toWinAnsi(const QString& text);

} // namespace pdf
