#include "filereading.h"

#include "filemessages.h"

#include <QFile>
#include <QFileInfo>

QByteArray readProjectFile(const QString& fileName, qint64 maximumSize)
{
    // Asked before opening: opening a named pipe waits for a writer.
    if (!QFileInfo(fileName).isFile())
        FileMessages::raiseInvalidFormat();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        FileMessages::raiseInvalidFormat();
    QByteArray contents = file.read(maximumSize + 1);
    if (contents.size() > maximumSize || file.error() != QFileDevice::NoError)
        FileMessages::raiseInvalidFormat();
    return contents;
}
