// Saves that the file system makes fail, or nearly fail, for real: a
// file-size limit, a full file system, a folder that takes no new files.
// Each save runs in a child process, so that its limit, its identity and its
// mounts stay out of the test process; the child reports through its exit
// code what it found.

#include "documentfixtures.h"
#include "dskproject.h"
#include "exceptions.h"
#include "fileparse.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using docfixtures::FileFolder;
using docfixtures::SettingsStore;
using testutils::ScriptedDialogs;

namespace {

const QString SaveMessage = QStringLiteral("Ha ocurrido un error al guardar el archivo, verifique que tiene los "
                                           "permisos necesarios en la carpeta destino.");

// What a child found, one bit per broken promise; 0 when every one held.
enum Broken : int {
    NotRefused = 1 << 0,
    OtherMessage = 1 << 1,
    Refused = 1 << 2,
    SavedFlagChanged = 1 << 3,
    FileNameChanged = 1 << 4,
    OldFileChanged = 1 << 5,
    OtherFilesInFolder = 1 << 6,
    ChildFailed = 1 << 7, // set alone: the child could not prepare the case
};
constexpr int ChildCannotRun = 77; // the machine does not allow the case

std::string describe(int code)
{
    if (code == ChildFailed)
        return "the child could not prepare the case";
    if (code > 0xFF)
        return "the child ended by signal " + std::to_string(code - 0x100);
    static const char* const names[]
        = { "the save was not refused", "another message was raised", "the save was refused", "IsSaved changed",
              "FileName changed", "the old file changed", "other files were left in the folder" };
    std::string text;
    for (int bit = 0; bit < 7; ++bit) {
        if (code & (1 << bit))
            text += std::string(text.empty() ? "" : "; ") + names[bit];
    }
    return text;
}

// Runs `body` in a child process and returns its result, or 0x100 plus the
// signal that ended it.
int inChild(const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0)
        return ChildFailed;
    if (pid == 0) {
        int code = ChildFailed;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) { }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 0x100 + WTERMSIG(status);
}

// A document saved once under "anterior.tvk" and then changed, so that a
// failed save must keep IsSaved false and FileName "anterior.tvk".
class SaveFailure : public ::testing::Test {
protected:
    SaveFailure()
        : document(nullptr, &dialogs, store.open())
    {
        dialogs.fileAnswers.push_back(folder.path("anterior.tvk"));
        document.Save();
        docfixtures::fillProject(document);
        document.setIsSaved(false);
    }

    void addPeriods(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto period = std::make_unique<TConsumption>();
            period->setKwht(100000 + i);
            period->setCostActiveTerm(9000 + i);
            document.ConsumptionList().Add(std::move(period));
        }
    }

    // Saves through the dialog to `target` and returns what broke.
    int saveExpectingTheMessage(const QString& target)
    {
        dialogs.fileAnswers.push_back(target);
        int broken = 0;
        try {
            document.Save();
            broken |= NotRefused;
        } catch (const EInOutError& e) {
            if (e.message() != SaveMessage)
                broken |= OtherMessage;
        }
        if (document.IsSaved())
            broken |= SavedFlagChanged;
        if (document.FileName() != folder.path("anterior.tvk"))
            broken |= FileNameChanged;
        return broken;
    }

    SettingsStore store;
    FileFolder folder;
    ScriptedDialogs dialogs;
    TDskProject document;
};

QByteArray oldContents()
{
    TCProyect project(nullptr);
    project.setBusinessName(QStringLiteral("old"));
    return TFileParse(&project).fileContents();
}

QStringList filesIn(const QString& path)
{
    return QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

// The writes stop at the limit: the temporary file is cut short or stays
// empty, and none of it may take the old file's place.
TEST_F(SaveFailure, AFileSizeLimitKeepsTheOldFileWhole)
{
    const struct {
        rlim_t limit;
        int extraPeriods;
    } cases[] = {
        { 0, 0 }, // nothing can be written at all
        { 1000, 0 }, // about 1650 bytes to write
        { 4096, 20 }, // one page of a larger text
        { 20000, 100 }, // more than Qt's own write buffer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.limit) + " bytes allowed");
        addPeriods(c.extraPeriods);
        ASSERT_GT(TFileParse(&document).fileContents().size(), static_cast<qsizetype>(c.limit));
        const QByteArray old = oldContents();
        const QString target = folder.write("obra.tvk", old);

        const int code = inChild([&] {
            const rlimit limit { c.limit, c.limit };
            if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return static_cast<int>(ChildFailed);
            return saveExpectingTheMessage(target);
        });
        EXPECT_EQ(code, 0) << describe(code);
        EXPECT_EQ(testutils::readFile(target), old);
        EXPECT_EQ(filesIn(folder.path("")), QStringList({ "anterior.tvk", "obra.tvk" }));
    }
}

// A tmpfs of two pages, mounted in the child's own mount namespace: the old
// file takes one, the new text needs more than the other.
TEST_F(SaveFailure, AFullFileSystemKeepsTheOldFileWhole)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root; not tested on this machine";
    addPeriods(20);
    const QString disk = folder.path("disk");
    ASSERT_TRUE(QDir().mkpath(disk));

    for (const bool filled : { false, true }) {
        SCOPED_TRACE(filled ? "no space left at all" : "one page left");
        const int code = inChild([&] {
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || mount("tenvik-test", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=8k,mode=0700") != 0)
                return ChildCannotRun;
            const QByteArray old = oldContents();
            const QString target = disk + "/obra.tvk";
            if (!writeFile(target, old))
                return static_cast<int>(ChildFailed);
            if (filled && !writeFile(disk + "/filler", QByteArray(4096, 'x')))
                return static_cast<int>(ChildFailed);
            const QStringList before = filesIn(disk);

            int broken = saveExpectingTheMessage(target);
            if (testutils::readFile(target) != old)
                broken |= OldFileChanged;
            if (filesIn(disk) != before)
                broken |= OtherFilesInFolder;
            return broken;
        });
        if (code == ChildCannotRun)
            GTEST_SKIP() << "no private mount namespace here (unshare or mount refused); not tested on this machine";
        EXPECT_EQ(code, 0) << describe(code);
    }
}

// A shared folder where the user may write the file but create nothing: the
// save writes the file in place.
TEST_F(SaveFailure, AFolderThatTakesNoNewFilesIsWrittenInPlace)
{
    const QString shared = folder.path("shared");
    ASSERT_TRUE(QDir().mkpath(shared));
    const QString target = shared + "/obra.tvk";
    ASSERT_TRUE(writeFile(target, QByteArray(20000, 'x'))); // longer than the new text
    const bool root = geteuid() == 0;
    // As root, the child takes the identity of "nobody", to whom the folder
    // is closed for writing; otherwise the folder is closed to its owner.
    ASSERT_EQ(chmod(folder.path("").toLocal8Bit().constData(), 0711), 0);
    ASSERT_EQ(chmod(shared.toLocal8Bit().constData(), root ? 0755 : 0555), 0);
    ASSERT_EQ(chmod(target.toLocal8Bit().constData(), 0666), 0);

    const int code = inChild([&] {
        if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            return static_cast<int>(ChildFailed);
        dialogs.fileAnswers.push_back(target);
        int broken = 0;
        try {
            document.Save();
        } catch (const EInOutError&) {
            broken |= Refused;
        }
        if (!document.IsSaved())
            broken |= SavedFlagChanged;
        if (document.FileName() != target)
            broken |= FileNameChanged;
        return broken;
    });
    chmod(shared.toLocal8Bit().constData(), 0700);
    chmod(folder.path("").toLocal8Bit().constData(), 0700);
    EXPECT_EQ(code, 0) << describe(code);
    EXPECT_EQ(testutils::readFile(target), TFileParse(&document).fileContents());
    EXPECT_EQ(filesIn(shared), QStringList({ "obra.tvk" }));
}
