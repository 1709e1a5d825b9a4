#include "filedescriptor.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

FileDescriptor::~FileDescriptor()
{
    close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
{
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        close();
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

FileDescriptor FileDescriptor::openRegularFile(const QByteArray& name, int access, qint64& size)
{
    FileDescriptor file(::open(name.constData(), access | O_NONBLOCK | O_CLOEXEC));
    struct stat status { };
    if (!file.isOpen() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return FileDescriptor();
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return FileDescriptor();
    size = status.st_size;
    return file;
}

std::optional<QByteArray> FileDescriptor::readToEnd(qint64 sizeHint, qint64 limit)
{
    // Room for the size given and one byte more, which tells of a file grown
    // meanwhile without a second read.
    QByteArray contents(std::clamp<qint64>(sizeHint + 1, 1, std::max<qint64>(limit, 1)), Qt::Uninitialized);
    qsizetype size = 0;
    while (size < limit) {
        if (size == contents.size())
            contents.resize(std::min<qint64>(2 * contents.size(), limit));
        const ssize_t read
            = ::read(m_descriptor, contents.data() + size, static_cast<std::size_t>(contents.size() - size));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return std::nullopt;
        if (read == 0)
            break;
        size += read;
    }
    contents.truncate(size);
    return contents;
}

bool FileDescriptor::close()
{
    if (m_descriptor < 0)
        return true;
    // Not retried on EINTR: Linux has closed the descriptor already, and a
    // second close could close one another thread has just opened.
    return ::close(std::exchange(m_descriptor, -1)) == 0;
}

} // namespace files
