// The program under a limit on file size (ulimit -f): the start-up catches
// the signal the limit sends, so that a save past it fails with the save
// message instead of ending the program. The real program is started to find
// its handler; a save past the limit runs in a child process that sets the
// limit and runs the start-up's routine, never the signal itself.

#include "application.h"
#include "dskproject.h"
#include "exceptions.h"
#include "filemessages.h"
#include "fileparse.h"
#include "testutils.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <optional>

#include <sys/resource.h>

using testutils::ChildFailed;
using testutils::inChild;

namespace {

// One of the signal masks of /proc/PID/status ("SigIgn", "SigCgt"), or none
// when the process or the line is gone.
std::optional<unsigned long long> signalMask(qint64 pid, const QByteArray& name)
{
    const QByteArray status = testutils::readFile(QStringLiteral("/proc/%1/status").arg(pid));
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(name + ':')) {
            bool ok = false;
            const unsigned long long mask = line.mid(name.size() + 1).trimmed().toULongLong(&ok, 16);
            if (ok)
                return mask;
        }
    }
    return std::nullopt;
}

constexpr unsigned long long bit(int signal)
{
    return 1ULL << (signal - 1);
}

} // namespace

// The program catches the signal with a handler: not ignored, which would
// pass on to the programs it starts (the help viewer) through exec.
TEST(FileSizeLimit, TheProgramCatchesTheSignalFromItsStart)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    program.setProcessEnvironment(environment);
    program.setProgram(QStringLiteral(TENVIK_PROGRAM));
    program.start();
    ASSERT_TRUE(program.waitForStarted()) << program.errorString().toStdString();

    std::optional<unsigned long long> caught;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        caught = signalMask(program.processId(), "SigCgt");
        if (!caught || (*caught & bit(SIGXFSZ)))
            break;
        QThread::msleep(20);
    }
    const std::optional<unsigned long long> ignored = signalMask(program.processId(), "SigIgn");
    const QProcess::ProcessState state = program.state();
    program.kill();
    program.waitForFinished();

    ASSERT_EQ(state, QProcess::Running) << "the program ended: " << program.readAllStandardError().toStdString();
    ASSERT_TRUE(caught && ignored);
    EXPECT_TRUE(*caught & bit(SIGXFSZ)) << "no handler for SIGXFSZ";
    EXPECT_FALSE(*ignored & bit(SIGXFSZ)) << "SIGXFSZ is ignored";
}

// A save that a file-size limit cuts short: with the start-up's handler it
// fails with the save message, the old file whole and no file left beside
// it; without it the limit ends the process, which shows the limit is met.
TEST(FileSizeLimit, ASavePastTheLimitShowsTheSaveMessage)
{
    enum Broken : int {
        NotRefused = 1 << 0,
        OtherMessage = 1 << 1,
        SavedFlagChanged = 1 << 2,
        NotTheDefaultAction = 1 << 3,
    };
    QTemporaryDir dir;
    QTemporaryDir settingsDir;
    ASSERT_TRUE(dir.isValid() && settingsDir.isValid());
    const QString target = dir.filePath(QStringLiteral("obra.tvk"));
    const QString settings = settingsDir.filePath(QStringLiteral("settings.ini"));
    const QByteArray old = "old project";

    for (const bool startUp : { true, false }) {
        SCOPED_TRACE(startUp ? "with the start-up's handler" : "without it");
        ASSERT_TRUE(testutils::writeFile(target, old));
        const int code = inChild([&] {
            testutils::ScriptedDialogs dialogs;
            TDskProject document(nullptr, &dialogs, std::make_unique<QSettings>(settings, QSettings::IniFormat));
            document.setBusinessName(QStringLiteral("Talleres Peña"));
            const qsizetype size = TFileParse(&document).fileContents().size();
            struct sigaction current { };
            if (sigaction(SIGXFSZ, nullptr, &current) != 0)
                return ChildFailed;
            if (current.sa_handler != SIG_DFL)
                return int(NotTheDefaultAction);
            const rlimit limit { static_cast<rlim_t>(size / 2), static_cast<rlim_t>(size / 2) };
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return ChildFailed;
            if (startUp)
                catchFileSizeSignal();
            dialogs.fileAnswers.push_back(target);
            try {
                document.Save();
                return int(NotRefused);
            } catch (const EInOutError& e) {
                return (e.message() == FileMessages::saveFailed() ? 0 : int(OtherMessage))
                    | (document.IsSaved() ? int(SavedFlagChanged) : 0);
            }
        });
        EXPECT_EQ(testutils::readFile(target), old);
        if (startUp) {
            EXPECT_EQ(code, 0) << testutils::describeChildResult(code,
                { "the save was not refused", "another message was raised", "IsSaved changed",
                    "the child did not start with the signal's default action" });
            EXPECT_EQ(testutils::filesIn(dir.path()).join(QLatin1Char(' ')).toStdString(), "obra.tvk");
        } else {
            EXPECT_EQ(code, 0x100 + SIGXFSZ);
            for (const QString& name : testutils::filesIn(dir.path())) {
                if (name.startsWith(QStringLiteral("obra.tvk.")))
                    QFile::remove(dir.filePath(name));
            }
        }
    }
}
