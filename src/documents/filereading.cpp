#include "filereading.h"

#include "filedescriptor.h"
#include "filemessages.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray readProjectFile(const QString& fileName, qint64 maximumSize)
{
    // Opened without waiting, and only then asked what it is: a named pipe
    // put in the file's place after a check of the name would keep a
    // blocking open waiting for a writer.
    files::FileDescriptor file(::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status { };
    if (!file.isOpen() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || !file.makeBlocking())
        FileMessages::raiseInvalidFormat();
    // Room for the size the file has now and one byte more, which tells of
    // a file grown meanwhile; never more than one byte past the limit.
    const qint64 limit = maximumSize + 1;
    QByteArray contents(std::min<qint64>(status.st_size + 1, limit), Qt::Uninitialized);
    qsizetype size = 0;
    while (size < limit) {
        if (size == contents.size())
            contents.resize(std::min<qint64>(2 * contents.size(), limit));
        const ssize_t read
            = ::read(file.get(), contents.data() + size, static_cast<std::size_t>(contents.size() - size));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            FileMessages::raiseInvalidFormat();
        if (read == 0)
            break;
        size += read;
    }
    if (size > maximumSize)
        FileMessages::raiseInvalidFormat();
    contents.truncate(size);
    return contents;
}
