#pragma once

#include <QByteArray>

#include <optional>

namespace files {

// An open POSIX file descriptor, closed when this goes; -1 holds none.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_descriptor; }
    bool isOpen() const { return m_descriptor >= 0; }
    // Opens `name` for `access` (O_RDONLY or O_RDWR) and keeps it only when
    // it is a regular file, its size in `size`; an invalid descriptor
    // otherwise. The open does not wait (a named pipe put in the file's
    // place would keep it waiting for a writer or reader); the file is then
    // read and written with waits, since a network or FUSE file system may
    // answer a non-blocking read of a regular file with EAGAIN.
    static FileDescriptor openRegularFile(const QByteArray& name, int access, qint64& size);

    // The file from where it stands to its end, but never more than `limit`
    // bytes; `sizeHint` sizes the first read. Nothing when a read fails.
    std::optional<QByteArray> readToEnd(qint64 sizeHint, qint64 limit);
    // Closes now; false when close() reports an error (on NFS, a write that
    // failed on its way to the server). The descriptor is gone either way.
    bool close();

private:
    int m_descriptor = -1;
};

} // namespace files
