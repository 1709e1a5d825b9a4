#pragma once

#include <QString>

#include <cstddef>

// Windows code page 1252, the ANSI code page the previous version wrote its
// texts in. Our own table, so the result never depends on the machine.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same number, as Windows maps them.
char16_t cp1252ToUnicode(unsigned char byte);

QString cp1252ToString(const unsigned char* bytes, std::size_t length);
