#pragma once

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
    // Turns O_NONBLOCK off; false when the flags cannot be read or set. A
    // file opened without waiting (a named pipe in its place would keep a
    // blocking open waiting) is then read with waits: a network or FUSE
    // file system may answer a non-blocking read of a regular file with
    // EAGAIN.
    bool makeBlocking();
    // Closes now; false when close() reports an error (on NFS, a write that
    // failed on its way to the server). The descriptor is gone either way.
    bool close();

private:
    int m_descriptor = -1;
};

} // namespace files
