#include "filereading.h"

#include "filedescriptor.h"
#include "filemessages.h"

#include <QFile>

#include <optional>
#include <utility>

#include <fcntl.h>

QByteArray readProjectFile(const QString& fileName, qint64 maximumSize)
{
    qint64 size = 0;
    files::FileDescriptor file = files::FileDescriptor::openRegularFile(QFile::encodeName(fileName), O_RDONLY, size);
    if (!file.isOpen())
        FileMessages::raiseInvalidFormat();
    // One byte past the limit tells of a file too large, or grown meanwhile.
    std::optional<QByteArray> contents = file.readToEnd(size, maximumSize + 1);
    if (!contents || contents->size() > maximumSize)
        FileMessages::raiseInvalidFormat();
    return *std::move(contents);
}
