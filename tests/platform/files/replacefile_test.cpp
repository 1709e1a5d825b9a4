// Files replaced while the file system makes the writing fail for real: a
// file-size limit, a full file system, a folder that takes no new files.
// Each case that changes limits, identity or mounts runs in a child process,
// which reports through its exit code what it found.

#include "replacefile.h"
#include "testutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

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
                return ChildFailed;
            const QByteArray old = pattern(4000, 'z');
            const QString target = disk + QStringLiteral("/obra.tvk");
            if (!writeFile(target, old)
                || (filled && !writeFile(disk + QStringLiteral("/filler"), QByteArray(4096, 'x'))))
                return ChildFailed;
            return replaceExpectingRefusal(target, pattern(3 * 4096 + 100, 'a'), old);
        });
        EXPECT_EQ(code, 0) << describe(code);
    }
}

// A shared folder where the user may write the file but create nothing: the
// file is written in place. The old contents are read first and written back
// when the new ones cannot be written; a file that cannot be read is not
// written at all. Either failure is still reported.
TEST_F(ReplaceFile, AFolderThatTakesNoNewFilesHasTheFileWrittenInPlace)
{
    const QString shared = path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const QString target = shared + QStringLiteral("/obra.tvk");
    const QByteArray contents = pattern(30000, 'a');
    const bool root = geteuid() == 0;
    // As root, the child takes the identity of "nobody", to whom the folder
    // is closed for writing; otherwise the folder is closed to its owner
    // while the child runs.
    ASSERT_EQ(chmod(QFile::encodeName(path(QString())).constData(), 0711), 0);
    const auto closeFolder = [&](bool closed) {
        return chmod(QFile::encodeName(shared).constData(), closed && !root ? 0555 : 0755) == 0;
    };
    const auto asOtherUser
        = [root] { return !root || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0); };

    const struct {
        const char* name;
        qsizetype oldSize;
        mode_t mode;
        qsizetype limit; // -1: none
        bool refused;
    } cases[] = {
        { "the whole file fits, over a longer old one", 40000, 0666, -1, false },
        { "the whole file fits, over a shorter old one", 10000, 0666, -1, false },
        { "a file-size limit cuts it, the old file longer than the limit", 40000, 0666, 20000, true },
        { "a file-size limit cuts it, the old file shorter than the limit", 10000, 0666, 20000, true },
        { "a file-size limit allows nothing at all", 10000, 0666, 0, true },
        { "the old file may be written but not read", 40000, 0222, -1, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray old = pattern(c.oldSize, 'z');
        ASSERT_TRUE(writeFile(target, old));
        ASSERT_EQ(chmod(QFile::encodeName(target).constData(), c.mode), 0);
        ASSERT_TRUE(closeFolder(true));
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
        ASSERT_TRUE(closeFolder(false));
        ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0644), 0);
        EXPECT_EQ(code, 0) << describe(code);
        EXPECT_EQ(readFile(target), c.refused ? old : contents);
        EXPECT_EQ(filesIn(shared), QStringList({ QStringLiteral("obra.tvk") }));
    }
    chmod(QFile::encodeName(shared).constData(), 0700);
    chmod(QFile::encodeName(path(QString())).constData(), 0700);
}

// Names up to the longest the file system takes (255 bytes) are saved, new
// or replaced: the temporary name beside the file must fit as well. A name
// of multi-byte characters is cut for it between characters.
TEST_F(ReplaceFile, NamesUpToTheLongestAllowedAreSaved)
{
    const QByteArray contents = pattern(100, 'a');
    QList<QByteArray> names;
    for (qsizetype length = 249; length <= 255; ++length)
        names << QByteArray(length - 4, 'n') + ".tvk";
    QByteArray accented = "a";
    for (int i = 0; i < 125; ++i)
        accented += "\xc3\xb1"; // ñ
    names << accented + ".tvk";
    for (const QByteArray& name : names) {
        SCOPED_TRACE(std::to_string(name.size()) + " bytes");
        const QString target = path(QFile::decodeName(name));
        for (const char* step : { "a new file", "an existing file" }) {
            SCOPED_TRACE(step);
            EXPECT_NO_THROW(files::replaceFile(target, contents));
            EXPECT_EQ(readFile(target), contents);
            EXPECT_EQ(filesIn(path(QString())), QStringList({ QFile::decodeName(name) }));
        }
        ASSERT_TRUE(QFile::remove(target));
    }

    // One byte more is more than the file system takes.
    EXPECT_THROW(files::replaceFile(path(QString(252, QLatin1Char('n')) + QStringLiteral(".tvk")), contents),
        files::WriteFailed);
    EXPECT_TRUE(filesIn(path(QString())).isEmpty());
}

// Links are followed as the kernel follows them when the file is opened:
// every link of the chain, each link's text taken against its own folder,
// the folders' own links included. The file at the end takes the contents
// and every link stays a link; the end of a dangling link is created; a loop
// is refused and nothing is written.
TEST_F(ReplaceFile, LinksAreFollowedToTheRealFile)
{
    struct Case {
        const char* name;
        QStringList folders;
        QStringList files; // each holds old contents of its own
        QList<QPair<QString, QString>> links; // link, text
        QString saved; // the path given
        QString written; // the file that takes the contents; empty: refused
    };
    const Case cases[] = {
        { "a relative link reached through a linked folder", { "x/y", "x/c", "c" }, { "x/c/p.tvk", "c/p.tvk" },
            { { "b", "x/y" }, { "x/y/p.tvk", "../c/p.tvk" } }, "b/p.tvk", "x/c/p.tvk" },
        { "a chain of links", {}, { "real.tvk" }, { { "l1", "l2" }, { "l2", "real.tvk" } }, "l1", "real.tvk" },
        { "a chain through folders, each text against its own folder", { "d" }, { "r.tvk", "d/r.tvk" },
            { { "l1", "d/l2" }, { "d/l2", "r.tvk" } }, "l1", "d/r.tvk" },
        { "an absolute link", { "d" }, { "d/real.tvk" }, { { "abs", "@/d/real.tvk" } }, "abs", "d/real.tvk" },
        { "a dangling link", { "nuevo" }, {}, { { "n", "nuevo/obra.tvk" } }, "n", "nuevo/obra.tvk" },
        { "a dangling chain", {}, {}, { { "m1", "m2" }, { "m2", "creado.tvk" } }, "m1", "creado.tvk" },
        { "a loop of two links", {}, {}, { { "a", "b" }, { "b", "a" } }, "a", "" },
        { "a link to itself", {}, {}, { { "s", "s" } }, "s", "" },
        { "a loop of linked folders", {}, {}, { { "lp", "lp" } }, "lp/obra.tvk", "" },
    };
    const QByteArray contents = pattern(500, 'a');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const auto at = [&dir](const QString& name) { return dir.filePath(name); };
        for (const QString& folder : c.folders)
            ASSERT_TRUE(QDir().mkpath(at(folder)));
        for (const QString& file : c.files)
            ASSERT_TRUE(writeFile(at(file), "old " + file.toUtf8()));
        for (const auto& [link, text] : c.links) {
            const QString resolvedText = text.startsWith(QLatin1Char('@')) ? dir.path() + text.mid(1) : text;
            ASSERT_EQ(symlink(QFile::encodeName(resolvedText).constData(), QFile::encodeName(at(link)).constData()), 0);
        }
        const QStringList before = testutils::everythingIn(dir.path());

        if (c.written.isEmpty()) {
            EXPECT_THROW(files::replaceFile(at(c.saved), contents), files::WriteFailed);
            EXPECT_EQ(testutils::everythingIn(dir.path()), before);
        } else {
            EXPECT_NO_THROW(files::replaceFile(at(c.saved), contents));
            EXPECT_EQ(readFile(at(c.written)), contents);
            QStringList expected = before;
            if (!expected.contains(c.written)) {
                expected << c.written;
                expected.sort();
            }
            EXPECT_EQ(testutils::everythingIn(dir.path()), expected);
        }
        for (const QString& file : c.files) {
            if (file != c.written) {
                EXPECT_EQ(readFile(at(file)), "old " + file.toUtf8()) << file.toStdString();
            }
        }
        for (const auto& [link, text] : c.links)
            EXPECT_TRUE(QFileInfo(at(link)).isSymLink()) << link.toStdString();
    }
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
