#pragma once

#include <QByteArray>
#include <QString>

class TCProyect;

// The previous version's project file (".fac"), read only: a little-endian
// header of 616, 596 or 592 bytes chosen by its first two bytes, followed by
// 136-byte billing-period records.
//
// Both calls reset the project first and raise EInOutError with the format
// message for a file that cannot be read, is larger than
// MaximumOldFileSize, is shorter than its header, has an unknown tag, a
// length byte larger than its field, or an amount that is not finite or
// does not fit 32 bits. After a failure the project holds part of the file:
// read into a project of your own and keep it only on success.
constexpr qint64 MaximumOldFileSize = 4 * 1024 * 1024;

void OldFileOpen(TCProyect& CProyect, const QString& FileName);
void OldFileRead(TCProyect& CProyect, const QByteArray& contents);

// The text of a length-prefixed string field of `capacity` characters in the
// previous version's ANSI code page (cp1252). `field` must hold capacity + 1
// bytes; a length byte above the capacity refuses the file.
QString ShortAnsiToString(const unsigned char* field, int capacity);
