// Opening and saving through the dialogs: the file names, the flags and
// what a failure leaves behind.

#include "desktoplocale.h"
#include "documentfixtures.h"
#include "dskproject.h"
#include "exceptions.h"
#include "fileparse.h"
#include "project.h"
#include "projectcomparison.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <span>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using docfixtures::FileFolder;
using docfixtures::SettingsStore;
using testutils::ScriptedDialogs;

namespace {

const QString FormatMessage = QStringLiteral("El archivo no tiene un formato válido.");
const QString SaveMessage = QStringLiteral("Ha ocurrido un error al guardar el archivo, verifique que tiene los "
                                           "permisos necesarios en la carpeta destino.");

class OpenAndSave : public ::testing::Test {
protected:
    OpenAndSave()
        : document(nullptr, &dialogs, store.open())
    {
        document.setDialogSaveFilterName(QStringLiteral("open filter"));
        document.setDialogOpenFilterName(QStringLiteral("save filter"));
    }

    // A project file holding one period, `business` as its customer and an
    // old version text.
    QString writeProjectFile(const QString& name, const QString& business)
    {
        TCProyect project(nullptr);
        project.setBusinessName(business);
        project.ConsumptionList().Add(std::make_unique<TConsumption>());
        QByteArray text = TFileParse(&project).fileContents();
        text.replace("\"7.1.0\"", "\"7.0.9\"");
        return folder.write(name, text);
    }

    // The document's file contents, its file name and its flags, to compare
    // before and after an operation that must change nothing.
    QByteArray snapshot()
    {
        return TFileParse(&document).fileContents() + document.FileName().toUtf8() + (document.IsSaved() ? "S" : "s")
            + (document.ValidCalculation() ? "V" : "v") + document.Version().toUtf8();
    }

    void expectFailure(const std::function<void()>& operation, const QString& message)
    {
        try {
            operation();
            ADD_FAILURE() << "no failure";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.message(), message);
        }
    }

    SettingsStore store;
    FileFolder folder;
    ScriptedDialogs dialogs;
    TDskProject document;
};

// Opens a named pipe for writing whenever a reader waits on it, and closes
// it at once: a reader that opens the pipe then reads an empty file instead
// of waiting for ever.
class PipeWriter {
public:
    explicit PipeWriter(const QString& path)
        : m_path(QFile::encodeName(path))
        , m_thread([this] { run(); })
    {
    }
    ~PipeWriter()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    void run()
    {
        while (!m_stop) {
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    QByteArray m_path;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

// Two old-format fixtures: a minimal valid file and one with an unknown tag.
QByteArray oldFile(std::uint16_t tag)
{
    QByteArray bytes(616, '\0');
    bytes[0] = static_cast<char>(tag & 0xFF);
    bytes[1] = static_cast<char>(tag >> 8);
    bytes[3] = 'F'; // BusinessName "F"
    bytes[2] = 1;
    return bytes;
}

} // namespace

TEST_F(OpenAndSave, CancelledOpenChangesNothing)
{
    docfixtures::fillProject(document);
    document.setIsSaved(true);
    const QByteArray before = snapshot();
    for (const auto& answer : { std::optional<QString>(), std::optional<QString>(QString()) }) {
        dialogs.fileAnswers.push_back(answer);
        EXPECT_FALSE(document.Open());
    }
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_FALSE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "open filter"); // the crosswise name
}

TEST_F(OpenAndSave, OpeningACurrentFileReplacesTheProject)
{
    docfixtures::fillProject(document);
    document.setIsSaved(true);
    document.setValidCalculation(true);
    for (const QString& name : { QStringLiteral("a.tvk"), QStringLiteral("b.TvK") }) {
        SCOPED_TRACE(name.toStdString());
        const QString path = writeProjectFile(name, name);
        dialogs.fileAnswers.push_back(path);
        EXPECT_TRUE(document.Open());
        EXPECT_EQ(document.BusinessName(), name);
        EXPECT_TRUE(document.UserName().isEmpty());
        EXPECT_EQ(document.BatteryType(), TBatteryType::ferimont);
        EXPECT_EQ(document.ConsumptionList().Count(), 1);
        EXPECT_EQ(document.FileName(), path);
        EXPECT_EQ(document.Version(), "7.0.9");
        EXPECT_FALSE(document.IsSaved());
        EXPECT_FALSE(document.ValidCalculation());
    }
}

TEST_F(OpenAndSave, OpeningAnOldFileLeavesNoFileName)
{
    docfixtures::fillProject(document);
    dialogs.fileAnswers.push_back(writeProjectFile("first.tvk", "first"));
    ASSERT_TRUE(document.Open());
    document.setVersion("x");
    document.setPlace("Dos Hermanas");
    document.setIsSaved(true);
    document.setValidCalculation(true);
    dialogs.fileAnswers.push_back(folder.write("old.FAC", oldFile(100)));
    EXPECT_TRUE(document.Open());
    EXPECT_EQ(document.BusinessName(), "F");
    EXPECT_EQ(document.ConsumptionList().Count(), 0);
    EXPECT_TRUE(document.Place().isEmpty());
    EXPECT_TRUE(document.FileName().isEmpty());
    EXPECT_EQ(document.Version(), "7.1.0");
    EXPECT_FALSE(document.IsSaved());
    EXPECT_FALSE(document.ValidCalculation());

    dialogs.fileAnswers.push_back(std::nullopt);
    document.Save();
    EXPECT_TRUE(dialogs.fileRequests.back().fileName.isEmpty());
}

// A failed open leaves the project, its file name and its flags as they were.
TEST_F(OpenAndSave, FailedOpenLeavesEverythingAsBefore)
{
    dialogs.fileAnswers.push_back(writeProjectFile("loaded.tvk", "loaded"));
    ASSERT_TRUE(document.Open());
    document.setIsSaved(true);
    document.setValidCalculation(true);
    document.setMaximumPower(77);
    const QByteArray before = snapshot();

    const QByteArray halfGood = "{\"BusinessName\": \"new\", \"Consumption\": {\"ConsumptionItems\": "
                                "[{\"Year\": 1}, {\"Year\": \"x\"}]}}";
    const QString failing[] = {
        folder.write("bad.tvk", halfGood), folder.write("broken.tvk", "{\"BusinessName\": \"new\","),
        folder.write("old.tvk", oldFile(100)), // a previous-version file under the current extension
        folder.write("badtag.fac", oldFile(99)), folder.write("short.fac", oldFile(100).left(615)),
        folder.write("project.txt", TFileParse(&document).fileContents()),
        folder.write("noextension", TFileParse(&document).fileContents()), folder.path("missing.tvk"),
        folder.path("missing.fac"),
        folder.path(""), // the folder itself
        folder.path("folder.tvk"), folder.path("folder.fac"),
    };
    QDir(folder.path("")).mkdir("folder.tvk");
    QDir(folder.path("")).mkdir("folder.fac");
    // Neither a pipe nor a device is a project file, whatever it is named.
    std::vector<std::unique_ptr<PipeWriter>> writers;
    for (const char* name : { "pipe.tvk", "pipe.fac" }) {
        ASSERT_EQ(mkfifo(QFile::encodeName(folder.path(name)).constData(), 0600), 0);
        writers.push_back(std::make_unique<PipeWriter>(folder.path(name)));
    }
    ASSERT_TRUE(QFile::link("/dev/null", folder.path("null.tvk")));
    ASSERT_TRUE(QFile::link("/dev/null", folder.path("null.fac")));
    const QString special[]
        = { folder.path("pipe.tvk"), folder.path("pipe.fac"), folder.path("null.tvk"), folder.path("null.fac") };
    for (const auto& paths : { std::span<const QString>(failing), std::span<const QString>(special) }) {
        for (const QString& path : paths) {
            SCOPED_TRACE(path.toStdString());
            dialogs.fileAnswers.push_back(path);
            expectFailure([&] { document.Open(); }, FormatMessage);
            EXPECT_EQ(snapshot(), before);
        }
    }
}

TEST_F(OpenAndSave, SaveGivesTheNameTheCurrentExtension)
{
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {
        { "uno", "uno.tvk" },
        { "dos.txt", "dos.tvk" },
        { "tres.fac", "tres.tvk" },
        { "cuatro.TVK", "cuatro.TVK" },
        { "cinco.v2.txt", "cinco.v2.tvk" },
        { "carpeta.nueva/seis", "carpeta.nueva/seis.tvk" },
        { "obra.", "obra.tvk" }, // an empty extension is replaced like any other
        { "carpeta.nueva/siete.", "carpeta.nueva/siete.tvk" },
    };
    QDir(folder.path("")).mkdir("carpeta.nueva");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.fileAnswers.push_back(folder.path(c.typed));
        document.Save();
        EXPECT_EQ(document.FileName(), folder.path(c.written));
        EXPECT_TRUE(document.IsSaved());
        EXPECT_EQ(testutils::readFile(folder.path(c.written)), TFileParse(&document).fileContents());
        if (QString(c.typed) != c.written) {
            EXPECT_FALSE(QFileInfo::exists(folder.path(c.typed)));
        }
        document.setIsSaved(false);
    }
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(OpenAndSave, SaveShowsTheDialogWithTheLastNameAndKeepsTheCalculationFlag)
{
    document.setVersion("6.0"); // read from an older file; never written
    dialogs.fileAnswers.push_back(folder.path("first.tvk"));
    document.Save();
    EXPECT_TRUE(testutils::readFile(folder.path("first.tvk")).contains("\r\n  \"Version\": \"7.1.0\",\r\n"));
    document.setValidCalculation(true);
    dialogs.fileAnswers.push_back(folder.path("first.tvk"));
    document.Save();
    EXPECT_TRUE(document.ValidCalculation());
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_TRUE(dialogs.fileRequests[0].fileName.isEmpty());
    EXPECT_EQ(dialogs.fileRequests[1].fileName, folder.path("first.tvk"));
    for (const auto& request : dialogs.fileRequests) {
        EXPECT_TRUE(request.save);
        EXPECT_EQ(request.filter, "save filter");
        EXPECT_EQ(request.defaultSuffix, ".tvk");
        EXPECT_TRUE(request.overwritePrompt);
    }
}

TEST_F(OpenAndSave, NewForgetsTheFileNameSoTheNextSaveStartsEmpty)
{
    dialogs.fileAnswers.push_back(folder.path("first.tvk"));
    document.Save();
    ASSERT_EQ(document.FileName(), folder.path("first.tvk"));
    document.New();
    EXPECT_TRUE(document.FileName().isEmpty());
    dialogs.fileAnswers.push_back(std::nullopt);
    document.Save();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_TRUE(dialogs.fileRequests[1].fileName.isEmpty());
}

TEST_F(OpenAndSave, CancelledSaveWritesNothing)
{
    document.setValidCalculation(true);
    const QByteArray before = snapshot();
    dialogs.fileAnswers.push_back(std::nullopt);
    document.Save();
    dialogs.fileAnswers.push_back(QString());
    document.Save();
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(QDir(folder.path("")).entryList(QDir::Files).isEmpty());
}

// The dialog asked about the name the user chose; the file that would be
// replaced under the changed name is asked about once more.
TEST_F(OpenAndSave, ReplacingAFileTheDialogDidNotShowIsAskedFirst)
{
    const QString existing = folder.write("obra.tvk", "old contents");
    document.setBusinessName("new");

    dialogs.fileAnswers.push_back(folder.path("obra.txt"));
    dialogs.yesNoAnswers.push_back(false);
    document.Save();
    EXPECT_EQ(testutils::readFile(existing), "old contents");
    EXPECT_FALSE(document.IsSaved());
    EXPECT_TRUE(document.FileName().isEmpty());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].contains(existing));

    dialogs.fileAnswers.push_back(folder.path("obra.txt"));
    dialogs.yesNoAnswers.push_back(true);
    document.Save();
    EXPECT_EQ(testutils::readFile(existing), TFileParse(&document).fileContents());
    EXPECT_EQ(document.FileName(), existing);
    EXPECT_TRUE(document.IsSaved());

    // The dialog's own question covered this one.
    dialogs.fileAnswers.push_back(existing);
    document.Save();
    EXPECT_EQ(dialogs.questions.size(), 2u);
}

TEST_F(OpenAndSave, FailedSaveKeepsTheOldFileTheNameAndTheFlag)
{
    dialogs.fileAnswers.push_back(folder.path("kept.tvk"));
    document.Save();
    const QByteArray written = testutils::readFile(folder.path("kept.tvk"));
    document.setIsSaved(false);

    // A parent that is a regular file cannot hold anything.
    const QString blocker = folder.write("blocker", "x");
    dialogs.fileAnswers.push_back(blocker + "/obra.tvk");
    expectFailure([&] { document.Save(); }, SaveMessage);
    EXPECT_FALSE(document.IsSaved());
    EXPECT_EQ(document.FileName(), folder.path("kept.tvk"));

    // A project the format cannot carry leaves the old file whole.
    document.ConsumptionList().setPowerfactor(std::numeric_limits<float>::quiet_NaN());
    dialogs.fileAnswers.push_back(folder.path("kept.tvk"));
    expectFailure([&] { document.Save(); }, SaveMessage);
    EXPECT_EQ(testutils::readFile(folder.path("kept.tvk")), written);
    EXPECT_FALSE(document.IsSaved());
    EXPECT_EQ(QDir(folder.path("")).entryList(QDir::Files).size(), 2); // no temporary left behind
}

TEST_F(OpenAndSave, SavedFileOpensAsTheSameProject)
{
    docfixtures::fillProject(document);
    dialogs.fileAnswers.push_back(folder.path("round"));
    document.Save();
    const QByteArray saved = TFileParse(&document).fileContents();
    document.New();
    dialogs.fileAnswers.push_back(folder.path("round.tvk"));
    ASSERT_TRUE(document.Open());
    EXPECT_EQ(TFileParse(&document).fileContents(), saved);
    EXPECT_EQ(document.ConsumptionList().Count(), 3);
}

// On a Spanish desktop, whose C library writes and reads numbers with a
// decimal comma, a saved project opens again as it was, whatever its power
// factor.
TEST_F(OpenAndSave, SavedFileOpensAgainOnASpanishDesktop)
{
    const testutils::ScopedCLocale desktop(testutils::SpanishCLocale);
    for (const float powerFactor : { 0.95f, 0.83f, 1.0f, 0.9999f, 0.0001f, 0.5f }) {
        SCOPED_TRACE(powerFactor);
        docfixtures::fillProject(document);
        document.ConsumptionList().setPowerfactor(powerFactor);
        dialogs.fileAnswers.push_back(folder.path("desktop.tvk"));
        document.Save();
        const QByteArray saved = TFileParse(&document).fileContents();
        TCProyect before(nullptr);
        TFileParse(&before).readContents(saved);

        document.New();
        dialogs.fileAnswers.push_back(folder.path("desktop.tvk"));
        ASSERT_TRUE(document.Open());
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(document.ConsumptionList().Powerfactor(), powerFactor);
        EXPECT_TRUE(sameFileContents(document, before));
        EXPECT_EQ(TFileParse(&document).fileContents(), saved);
    }
}

// The writer and the reader agree on the largest file: a project that just
// fits is saved and opens again; one byte more is refused before the old
// file is touched.
TEST_F(OpenAndSave, AProjectTheReaderWouldRefuseIsNotSaved)
{
    dialogs.fileAnswers.push_back(folder.path("kept.tvk"));
    document.Save();
    const QByteArray written = testutils::readFile(folder.path("kept.tvk"));
    const qsizetype room = TFileParse::MaximumFileSize - written.size();

    document.setBusinessName(QString(room, QLatin1Char('a')));
    dialogs.fileAnswers.push_back(folder.path("largest.tvk"));
    document.Save();
    EXPECT_EQ(QFileInfo(folder.path("largest.tvk")).size(), TFileParse::MaximumFileSize);
    document.New();
    dialogs.fileAnswers.push_back(folder.path("largest.tvk"));
    ASSERT_TRUE(document.Open());
    EXPECT_EQ(document.BusinessName().size(), room);

    document.setBusinessName(document.BusinessName() + QLatin1Char('a'));
    document.setIsSaved(false);
    dialogs.fileAnswers.push_back(folder.path("kept.tvk"));
    expectFailure([&] { document.Save(); }, SaveMessage);
    EXPECT_EQ(testutils::readFile(folder.path("kept.tvk")), written);
    EXPECT_FALSE(document.IsSaved());
    EXPECT_EQ(document.FileName(), folder.path("largest.tvk"));
    EXPECT_EQ(QDir(folder.path("")).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A save through links writes the file at the end of the chain, and the
// document keeps the name the user chose; a loop of links is a failed save.
TEST_F(OpenAndSave, SaveThroughLinksWritesTheLinkedFileUnderTheChosenName)
{
    ASSERT_TRUE(QDir(folder.path("")).mkpath("proyectos/2026"));
    const QString real = folder.write("proyectos/2026/obra.tvk", "old");
    ASSERT_EQ(symlink("2026/obra.tvk", QFile::encodeName(folder.path("proyectos/actual.tvk")).constData()), 0);
    ASSERT_EQ(symlink("proyectos/actual.tvk", QFile::encodeName(folder.path("obra.tvk")).constData()), 0);
    dialogs.fileAnswers.push_back(folder.path("obra.tvk"));
    document.Save();
    EXPECT_EQ(document.FileName(), folder.path("obra.tvk"));
    EXPECT_TRUE(document.IsSaved());
    EXPECT_EQ(testutils::readFile(real), TFileParse(&document).fileContents());
    EXPECT_TRUE(QFileInfo(folder.path("obra.tvk")).isSymLink());
    EXPECT_TRUE(QFileInfo(folder.path("proyectos/actual.tvk")).isSymLink());

    document.setIsSaved(false);
    ASSERT_EQ(symlink("bucle2.tvk", QFile::encodeName(folder.path("bucle1.tvk")).constData()), 0);
    ASSERT_EQ(symlink("bucle1.tvk", QFile::encodeName(folder.path("bucle2.tvk")).constData()), 0);
    dialogs.fileAnswers.push_back(folder.path("bucle1.tvk"));
    expectFailure([&] { document.Save(); }, SaveMessage);
    EXPECT_FALSE(document.IsSaved());
    EXPECT_EQ(document.FileName(), folder.path("obra.tvk"));
    EXPECT_TRUE(QFileInfo(folder.path("bucle1.tvk")).isSymLink());
    EXPECT_TRUE(QFileInfo(folder.path("bucle2.tvk")).isSymLink());
}
