#include "replacefile.h"

#include "filedescriptor.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

// Every byte, or false at the first write the file system refuses (a full
// disk, a file-size limit): a short count is followed by another write, which
// then reports the error.
bool writeAll(int descriptor, QByteArrayView contents)
{
    const char* data = contents.data();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// The file's only sync. Some file systems report a full disk or a failed
// write only when the data leave the cache, and only a sync's result tells;
// a file system that cannot sync a file at all is taken at its word.
// QSaveFile::commit (Qt 6.4) syncs too but ignores the result, and does not
// sync at all in its direct-write mode: this is why the file is not written
// through QSaveFile, which would sync a replaced file a second time.
bool syncedToDisk(int descriptor)
{
    while (::fsync(descriptor) != 0) {
        if (errno == EINVAL || errno == ENOTSUP)
            return true;
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Closes the file in any case.
bool writeSyncAndClose(FileDescriptor& file, QByteArrayView contents)
{
    const bool done = writeAll(file.get(), contents) && syncedToDisk(file.get());
    return file.close() && done;
}

// A new, empty file beside `finalName` under a name no other file has, and
// that name; an invalid descriptor (errno set by open) when none can be made.
FileDescriptor createTemporary(const QByteArray& finalName, QByteArray& temporaryName)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = finalName + '.';
        for (int i = 0; i < 6; ++i)
            temporaryName += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
        // 0666 less the umask, as for any new file of the user's.
        const int descriptor = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return FileDescriptor(descriptor);
    }
    return FileDescriptor();
}

} // namespace

void replaceFile(const QString& path, QByteArrayView contents)
{
    const QFileInfo info(path);
    const QByteArray finalName = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : path);
    struct stat existing { };
    const bool exists = ::stat(finalName.constData(), &existing) == 0;
    // A file the user may not write is not replaced, though its folder would
    // allow it.
    if (exists && ::access(finalName.constData(), W_OK) != 0)
        throw WriteFailed();

    QByteArray temporaryName;
    FileDescriptor file = createTemporary(finalName, temporaryName);
    if (!file.isOpen()) {
        // Only a regular file is written in place: opening a named pipe
        // would wait for a reader.
        if (errno != EACCES || !exists || !S_ISREG(existing.st_mode))
            throw WriteFailed();
        FileDescriptor inPlace(::open(finalName.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (!inPlace.isOpen() || !writeSyncAndClose(inPlace, contents))
            throw WriteFailed();
        return;
    }
    // Not every file system keeps permissions (FAT refuses to change them):
    // the file is saved all the same.
    if (exists)
        static_cast<void>(::fchmod(file.get(), existing.st_mode & 07777));
    if (!writeSyncAndClose(file, contents) || ::rename(temporaryName.constData(), finalName.constData()) != 0) {
        ::unlink(temporaryName.constData());
        throw WriteFailed();
    }
}

} // namespace files
