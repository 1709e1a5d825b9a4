#pragma once

#include <QByteArray>
#include <QString>

// The whole of a project file, as both readers take it. Raises EInOutError
// with the format message for anything that is not a regular file (a folder,
// a named pipe, a device: reading one could block or never end), for a file
// that cannot be read, and for one larger than `maximumSize`, which is left
// unread.
QByteArray readProjectFile(const QString& fileName, qint64 maximumSize);
