// Files replaced while the file system makes the writing fail for real: a
// file-size limit, a full file system, a folder that takes no new files.
// Each case that changes limits, identity or mounts runs in a child process,
// which reports through its exit code what it found.

#include "replacefile.h"
#include "testutils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using testutils::ChildCannotRun;
using testutils::ChildFailed;
using testutils::filesIn;
using testutils::inChild;
using testutils::readFile;
using testutils::writeFile;

namespace {

// What a child found, one bit per broken promise; 0 when every one held.
enum Broken : int {
    NotRefused = 1 << 0,
    Refused = 1 << 1,
    OldFileChanged = 1 << 2,
    OtherFilesInFolder = 1 << 3,
};

std::string describe(int code)
{
    return testutils::describeChildResult(code,
        { "the write was not refused", "the write was refused", "the old file changed",
            "other files were left in the folder" });
}

// Bytes that differ from one position to the next, so that a cut or a
// shifted copy never matches.
QByteArray pattern(qsizetype size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
    return bytes;
}

// Replaces `target` with `contents` and returns what broke, for a write that
// must be refused and leave `old` in place with no other file beside it.
int replaceExpectingRefusal(const QString& target, const QByteArray& contents, const QByteArray& old)
{
    const QStringList before = filesIn(QFileInfo(target).path());
    int broken = 0;
    try {
        files::replaceFile(target, contents);
        broken |= NotRefused;
    } catch (const files::WriteFailed&) {
    }
    if (readFile(target) != old)
        broken |= OldFileChanged;
    if (filesIn(QFileInfo(target).path()) != before)
        broken |= OtherFilesInFolder;
    return broken;
}

class ReplaceFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

// The writes stop at the limit, from nothing at all to the very last byte:
// the new file is cut short or stays empty, and none of it may take the old
// file's place. At the limit itself everything fits.
TEST_F(ReplaceFile, AFileSizeLimitKeepsTheOldFileWhole)
{
    const QByteArray contents = pattern(50000, 'a'); // more than one write buffer of Qt's or the C library's
    const QByteArray old = pattern(60000, 'z'); // longer: a cut new file must not pass for it either
    const qsizetype limits[]
        = { 0, 1, 4095, 4096, 16384, contents.size() / 2, contents.size() - 2, contents.size() - 1 };
    const QString target = path(QStringLiteral("informe.pdf"));
    for (const qsizetype limit : limits) {
        SCOPED_TRACE(std::to_string(limit) + " bytes allowed");
        ASSERT_TRUE(writeFile(target, old));
        const int code = inChild([&] {
            if (!testutils::limitFileSize(static_cast<unsigned long long>(limit)))
                return ChildFailed;
            return replaceExpectingRefusal(target, contents, old);
        });
        EXPECT_EQ(code, 0) << describe(code);
        EXPECT_EQ(readFile(target), old);
        EXPECT_EQ(filesIn(path(QString())), QStringList({ QStringLiteral("informe.pdf") }));
    }

    SCOPED_TRACE("exactly the bytes to write allowed");
    const int code = inChild([&] {
        if (!testutils::limitFileSize(static_cast<unsigned long long>(contents.size())))
            return ChildFailed;
        files::replaceFile(target, contents);
        return 0;
    });
    EXPECT_EQ(code, 0) << describe(code);
    EXPECT_EQ(readFile(target), contents);
    EXPECT_EQ(filesIn(path(QString())), QStringList({ QStringLiteral("informe.pdf") }));
}

// A tmpfs of two pages, mounted in the child's own mount namespace: the old
// file takes one, the new contents need more than the other.
TEST_F(ReplaceFile, AFullFileSystemKeepsTheOldFileWhole)
{
    const QString disk = path(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    for (const bool filled : { false, true }) {
        SCOPED_TRACE(filled ? "no space left at all" : "one page left");
        const int code = inChild([&] {
            if (!testutils::mountSmallFileSystem(disk, "8k"))
                return ChildCannotRun;
            const QByteArray old = pattern(4000, 'z');
            const QString target = disk + QStringLiteral("/obra.tvk");
            if (!writeFile(target, old)
                || (filled && !writeFile(disk + QStringLiteral("/filler"), QByteArray(4096, 'x'))))
                return ChildFailed;
            return replaceExpectingRefusal(target, pattern(3 * 4096 + 100, 'a'), old);
        });
        if (code == ChildCannotRun)
            GTEST_SKIP() << "no small file system here (mounting needs root and a private mount namespace); "
                            "a full disk is not tested on this machine";
        EXPECT_EQ(code, 0) << describe(code);
    }
}

// A shared folder where the user may write the file but create nothing: the
// file is written in place. A failure there is still reported, though the
// old contents are gone by then.
TEST_F(ReplaceFile, AFolderThatTakesNoNewFilesHasTheFileWrittenInPlace)
{
    const QString shared = path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const QString target = shared + QStringLiteral("/obra.tvk");
    const QByteArray contents = pattern(30000, 'a');
    const bool root = geteuid() == 0;
    // As root, the child takes the identity of "nobody", to whom the folder
    // is closed for writing; otherwise the folder is closed to its owner.
    ASSERT_EQ(chmod(QFile::encodeName(path(QString())).constData(), 0711), 0);
    ASSERT_EQ(chmod(QFile::encodeName(shared).constData(), root ? 0755 : 0555), 0);
    const auto asOtherUser
        = [root] { return !root || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0); };

    const struct {
        const char* name;
        qsizetype limit; // -1: none
        bool refused;
    } cases[] = {
        { "the whole file fits", -1, false },
        { "a file-size limit cuts it", 20000, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Longer than the new contents, so that a file not emptied first shows.
        ASSERT_TRUE(writeFile(target, pattern(40000, 'z')));
        ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0666), 0);
        const int code = inChild([&] {
            if (!asOtherUser() || (c.limit >= 0 && !testutils::limitFileSize(static_cast<unsigned long long>(c.limit))))
                return ChildFailed;
            try {
                files::replaceFile(target, contents);
                return c.refused ? int(NotRefused) : 0;
            } catch (const files::WriteFailed&) {
                return c.refused ? 0 : int(Refused);
            }
        });
        EXPECT_EQ(code, 0) << describe(code);
        EXPECT_EQ(readFile(target), c.refused ? contents.left(c.limit) : contents);
        EXPECT_EQ(filesIn(shared), QStringList({ QStringLiteral("obra.tvk") }));
    }
    chmod(QFile::encodeName(shared).constData(), 0700);
    chmod(QFile::encodeName(path(QString())).constData(), 0700);
}

// What an ordinary replacement keeps and what it refuses, without any limit.
TEST_F(ReplaceFile, ReplacesTheFileAndKeepsItsPermissionsAndLinks)
{
    const QByteArray contents = pattern(1000, 'a');

    // A new file, and an existing one whose permissions stay.
    const QString fresh = path(QStringLiteral("nuevo.tvk"));
    files::replaceFile(fresh, contents);
    EXPECT_EQ(readFile(fresh), contents);
    const QString existing = path(QStringLiteral("obra.tvk"));
    ASSERT_TRUE(writeFile(existing, "old"));
    ASSERT_EQ(chmod(QFile::encodeName(existing).constData(), 0640), 0);
    files::replaceFile(existing, contents);
    EXPECT_EQ(readFile(existing), contents);
    struct stat status { };
    ASSERT_EQ(stat(QFile::encodeName(existing).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    // A link keeps pointing at the file, which takes the contents.
    const QString link = path(QStringLiteral("enlace.tvk"));
    ASSERT_TRUE(QFile::link(existing, link));
    files::replaceFile(link, pattern(10, 'b'));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(existing), pattern(10, 'b'));

    // A folder in the way and a path through a file: refused, and nothing is
    // left behind.
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("carpeta"))));
    const QString pipe = path(QStringLiteral("tuberia"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QStringList before = filesIn(path(QString()));
    for (const QString& target : { path(QStringLiteral("carpeta")), existing + QStringLiteral("/dentro.tvk") }) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_THROW(files::replaceFile(target, contents), files::WriteFailed);
    }
    EXPECT_EQ(filesIn(path(QString())), before);
    EXPECT_EQ(readFile(existing), pattern(10, 'b'));

    // A named pipe gives way to the file without being opened, which would
    // wait for a reader.
    files::replaceFile(pipe, contents);
    EXPECT_TRUE(QFileInfo(pipe).isFile());
    EXPECT_EQ(readFile(pipe), contents);
}
