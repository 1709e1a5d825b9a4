#include "filedescriptor.h"

#include <utility>

#include <fcntl.h>
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

bool FileDescriptor::makeBlocking()
{
    const int flags = ::fcntl(m_descriptor, F_GETFL);
    return flags >= 0 && ((flags & O_NONBLOCK) == 0 || ::fcntl(m_descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0);
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
