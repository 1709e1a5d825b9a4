#include "testutils.h"

#include <QDirIterator>
#include <QFile>

#include <csignal>
#include <cstdio>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

namespace testutils {

void buildDatabase(const QString& path, const QString& sql)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create test database");
    }
    char* error = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_exec(db, text.constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("test database SQL failed: " + message);
}

TemporaryCatalogue::TemporaryCatalogue(const QString& sql)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    buildDatabase(path(), sql);
}

QString catalogueSchemaSql()
{
    QString sql;
    for (const char* table : { "bb", "bb6", "bbf", "bbe" })
        sql += QStringLiteral("CREATE TABLE %1 (code TEXT, type TEXT, volt INTEGER, power REAL, price REAL, "
                              "automatic INTEGER, harmonic INTEGER, transform INTEGER, steps TEXT, dim TEXT);\n")
                   .arg(QLatin1String(table));
    sql += QStringLiteral("CREATE TABLE cond (gauge REAL, current REAL, price REAL);\n"
                          "CREATE TABLE trans (type TEXT, a REAL, price REAL);\n"
                          "CREATE TABLE description (type TEXT, image BLOB, name TEXT, text_es TEXT, text_en TEXT);\n");
    return sql;
}

QString tinyPngSqlLiteral()
{
    // A valid 1 × 1 RGBA PNG.
    return QStringLiteral("X'89504E470D0A1A0A0000000D49484452000000010000000108060000001F15C4890000000D49444154789C"
                          "63F8CFC0F01F00050001FF89993D1D0000000049454E44AE426082'");
}

QString testOutputFolder()
{
    QString folder = qEnvironmentVariable("TENVIK_TEST_OUTPUT");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("tenvik-test-output"));
    QDir().mkpath(folder);
    return folder;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList everythingIn(const QString& folder)
{
    const QDir base(folder);
    QStringList names;
    QDirIterator it(
        folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << base.relativeFilePath(it.next());
    names.sort();
    return names;
}

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

std::string describeChildResult(int code, std::initializer_list<const char*> names)
{
    if (code == ChildFailed)
        return "the child could not prepare the case";
    if (code > 0xFF)
        return "the child ended by signal " + std::to_string(code - 0x100);
    std::string text;
    int bit = 0;
    for (const char* name : names) {
        if (code & (1 << bit++))
            text += std::string(text.empty() ? "" : "; ") + name;
    }
    return text;
}

bool limitFileSize(unsigned long long bytes)
{
    const rlimit limit { static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes) };
    return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

namespace {

bool writeProcFile(const char* name, const QByteArray& text)
{
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A mount namespace of the process's own. Without root, inside a user
// namespace of its own too, in which the user is root and may mount.
bool enterOwnMountNamespace()
{
    if (geteuid() == 0)
        return unshare(CLONE_NEWNS) == 0;
    const QByteArray uid = QByteArray::number(geteuid());
    const QByteArray gid = QByteArray::number(getegid());
    return unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeProcFile("/proc/self/setgroups", "deny")
        && writeProcFile("/proc/self/uid_map", "0 " + uid + " 1") && writeProcFile("/proc/self/gid_map", "0 " + gid + " 1");
}

} // namespace

bool mountSmallFileSystem(const QString& folder, const char* size)
{
    const QByteArray options = QByteArray("size=") + size + ",mode=0700";
    return enterOwnMountNamespace() && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
        && mount("tenvik-test", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
}

namespace {

template <typename T> T takeAnswer(std::deque<T>& answers, const char* what)
{
    if (answers.empty())
        throw std::runtime_error(std::string("unexpected dialog: ") + what);
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

bool ScriptedDialogs::askYesNo(const QString& text)
{
    questions.push_back(text);
    return takeAnswer(yesNoAnswers, "yes/no question");
}

std::optional<QString> ScriptedDialogs::inputQuery(const QString& caption, const QString& prompt, const QString& value)
{
    prompts.push_back({ caption, prompt, value });
    return takeAnswer(inputAnswers, "input prompt");
}

std::optional<QString> ScriptedDialogs::getOpenFileName(const QString& filter)
{
    fileRequests.push_back({ false, QString(), filter, QString(), false });
    return takeAnswer(fileAnswers, "open dialog");
}

std::optional<QString> ScriptedDialogs::getSaveFileName(
    const QString& fileName, const QString& filter, const QString& defaultSuffix, bool overwritePrompt)
{
    fileRequests.push_back({ true, fileName, filter, defaultSuffix, overwritePrompt });
    return takeAnswer(fileAnswers, "save dialog");
}

} // namespace testutils
