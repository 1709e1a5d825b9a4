// What a project save that the file system makes fail, for real, does to
// the document and what it tells the user; how the file itself is kept is the
// file-writing routine's own test (tests/platform/files). Each save runs in a
// child process, which reports through its exit code what it found.

#include "documentfixtures.h"
#include "dskproject.h"
#include "exceptions.h"
#include "fileparse.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using docfixtures::FileFolder;
using docfixtures::SettingsStore;
using testutils::ChildFailed;
using testutils::filesIn;
using testutils::inChild;
using testutils::ScriptedDialogs;
using testutils::writeFile;

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
};

std::string describe(int code)
{
    return testutils::describeChildResult(code,
        { "the save was not refused", "another message was raised", "the save was refused", "IsSaved changed",
            "FileName changed" });
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

} // namespace

// A save cut short by a file-size limit tells the user so and leaves the
// document as it was: not saved, under its earlier name, the old file whole.
TEST_F(SaveFailure, AFileSizeLimitRaisesTheSaveMessage)
{
    addPeriods(20);
    const QByteArray old = oldContents();
    const QString target = folder.write("obra.tvk", old);
    const qsizetype size = TFileParse(&document).fileContents().size();
    const int code = inChild([&] {
        if (!testutils::limitFileSize(static_cast<unsigned long long>(size - 1)))
            return ChildFailed;
        return saveExpectingTheMessage(target);
    });
    EXPECT_EQ(code, 0) << describe(code);
    EXPECT_EQ(testutils::readFile(target), old);
    EXPECT_EQ(filesIn(folder.path("")), QStringList({ "anterior.tvk", "obra.tvk" }));
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
            return ChildFailed;
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
