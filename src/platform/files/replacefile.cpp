#include "replacefile.h"

#include "filedescriptor.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

// As many links as the kernel follows in one path before it reports a loop.
constexpr int MaximumLinks = 40;

// The real folder of an existing folder, every link in it followed; empty
// when there is none (missing, not a folder, a loop of links).
QByteArray realFolder(const QByteArray& folder)
{
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.constData(), nullptr), &std::free);
    struct stat status { };
    if (!real || ::stat(real.get(), &status) != 0 || !S_ISDIR(status.st_mode))
        return {};
    return QByteArray(real.get());
}

// The file a write to `path` reaches, as the kernel resolves it: the links
// in its folders and then the chain of links at its end, each link's text
// taken against the real folder of that link. The file need not exist: the
// end of a dangling link is the file a save creates. Empty for a loop of
// links, a folder that does not exist and a path that names no file.
QByteArray resolvedTarget(QByteArray path)
{
    for (int links = 0; links <= MaximumLinks; ++links) {
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArray name = path.mid(slash + 1);
        if (name.isEmpty() || name == "." || name == "..")
            return {};
        QByteArray file = realFolder(slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash));
        if (file.isEmpty())
            return {};
        if (!file.endsWith('/'))
            file += '/';
        file += name;
        struct stat status { };
        if (::lstat(file.constData(), &status) != 0)
            return errno == ENOENT ? file : QByteArray();
        if (!S_ISLNK(status.st_mode))
            return file;
        QByteArray text(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(file.constData(), text.data(), static_cast<std::size_t>(text.size()));
        if (length <= 0 || length >= text.size())
            return {};
        text.truncate(length);
        path = text.startsWith('/') ? text : file.left(file.lastIndexOf('/') + 1) + text;
    }
    return {};
}

// Every byte from `offset` on, or false at the first write the file system
// refuses (a full disk, a file-size limit): a short count is followed by
// another write, which then reports the error.
bool writeAll(int descriptor, QByteArrayView contents, off_t offset = -1)
{
    const char* data = contents.data();
    qsizetype left = contents.size();
    while (left > 0) {
        const auto count = static_cast<std::size_t>(left);
        const ssize_t written
            = offset < 0 ? ::write(descriptor, data, count) : ::pwrite(descriptor, data, count, offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
        if (offset >= 0)
            offset += written;
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

// The longest file name the folder takes; the kernel's limit when the file
// system does not say.
qsizetype longestName(const QByteArray& folder)
{
    const long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<qsizetype>(longest) : NAME_MAX;
}

// A new, empty file beside `finalName` under a name no other file has, and
// that name; an invalid descriptor (errno set by open) when none can be made.
// The name is the final one with a dot and six letters added, its own part
// shortened where that would make it longer than the folder allows.
FileDescriptor createTemporary(const QByteArray& finalName, QByteArray& temporaryName)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static constexpr qsizetype Added = 7;
    const qsizetype slash = finalName.lastIndexOf('/');
    const QByteArray folder = finalName.left(slash + 1);
    const QByteArray name = finalName.mid(folder.size());
    qsizetype kept = std::min(name.size(), longestName(folder) - Added);
    // Not inside a character's UTF-8 bytes, so that a name left behind
    // still shows whole.
    while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80)
        --kept;
    if (kept <= 0) {
        errno = ENAMETOOLONG;
        return FileDescriptor();
    }
    const QByteArray stem = folder + name.left(kept) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName = stem;
        for (int i = 0; i < 6; ++i)
            temporaryName += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
        // 0666 less the umask, as for any new file of the user's.
        const int descriptor = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return FileDescriptor(descriptor);
    }
    return FileDescriptor();
}

// For a folder that takes no new files: the new contents are written over
// the old ones, which are read whole first and written back when the new
// ones cannot be written. The file is not emptied before: the new bytes
// replace old ones where they can, so that writing the old ones back never
// needs more room or a larger size than the file had.
void writeInPlace(const QByteArray& finalName, QByteArrayView contents)
{
    qint64 size = 0;
    FileDescriptor file = FileDescriptor::openRegularFile(finalName, O_RDWR, size);
    const std::optional<QByteArray> read
        = file.isOpen() ? file.readToEnd(size, std::numeric_limits<qint64>::max()) : std::nullopt;
    if (!read)
        throw WriteFailed();
    const QByteArray& old = *read;
    if (writeAll(file.get(), contents, 0) && ::ftruncate(file.get(), contents.size()) == 0 && syncedToDisk(file.get())
        && file.close())
        return;
    if (file.isOpen()) {
        // As far as the file system lets: past a file-size limit the old
        // bytes were never overwritten.
        writeAll(file.get(), old, 0);
        static_cast<void>(::ftruncate(file.get(), old.size()));
        syncedToDisk(file.get());
    }
    throw WriteFailed();
}

} // namespace

void replaceFile(const QString& path, QByteArrayView contents)
{
    const QByteArray finalName = resolvedTarget(QFile::encodeName(path));
    if (finalName.isEmpty())
        throw WriteFailed();
    struct stat existing { };
    const bool exists = ::stat(finalName.constData(), &existing) == 0;
    // A file the user may not write is not replaced, though its folder would
    // allow it.
    if (exists && ::access(finalName.constData(), W_OK) != 0)
        throw WriteFailed();

    QByteArray temporaryName;
    FileDescriptor file = createTemporary(finalName, temporaryName);
    if (!file.isOpen()) {
        // Only a regular file is written in place.
        if (errno != EACCES || !exists || !S_ISREG(existing.st_mode))
            throw WriteFailed();
        writeInPlace(finalName, contents);
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
