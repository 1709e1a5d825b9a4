#include "cupsserver.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

#include <cups/cups.h>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// A port nobody listens on now: the kernel's choice for port 0.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return ok;
}

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// cupsd runs its jobs as lp: the folders it writes to are lp's group's.
bool makeServerFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return false;
    const QByteArray native = QFile::encodeName(path);
    const group* lp = ::getgrnam("lp");
    if (lp && ::chown(native.constData(), 0, lp->gr_gid) != 0)
        return false;
    return ::chmod(native.constData(), 0775) == 0;
}

} // namespace

CupsServer::CupsServer(const QStringList& queues, const QString& defaultQueue)
{
    if (!start())
        return;
    for (const QString& queue : queues) {
        QString output;
        if (!run(QStringLiteral("lpadmin"),
                { QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("file:///dev/null"), QStringLiteral("-m"), QStringLiteral("raw") },
                &output)) {
            m_error = QStringLiteral("lpadmin -p %1: %2").arg(queue, output);
            return;
        }
    }
    QString output;
    if (!defaultQueue.isEmpty() && !run(QStringLiteral("lpadmin"), { QStringLiteral("-d"), defaultQueue }, &output))
        m_error = QStringLiteral("lpadmin -d: ") + output;
}

CupsServer::~CupsServer()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    resume();
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(10000)) {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
}

QString CupsServer::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

bool CupsServer::start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const QString root = m_dir.path();
    ::chmod(QFile::encodeName(root).constData(), 0755);
    for (const char* folder : { "spool", "tmp", "state", "cache" }) {
        if (!makeServerFolder(m_dir.filePath(QString::fromLatin1(folder)))) {
            m_error = QStringLiteral("cannot make the server's folders");
            return false;
        }
    }
    m_port = freePort();
    const QString conf = QStringLiteral("Listen 127.0.0.1:%1\n"
                                        "Browsing No\n"
                                        "WebInterface No\n"
                                        "PreserveJobFiles Yes\n"
                                        "PreserveJobHistory Yes\n"
                                        "LogLevel warn\n"
                                        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                        "<Policy default>\n  JobPrivateAccess all\n  JobPrivateValues none\n"
                                        "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                             .arg(m_port);
    const QString files
        = QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nStateDir %1/state\nCacheDir %1/cache\n"
                         "AccessLog %1/access_log\nErrorLog %1/error_log\nPageLog %1/page_log\n"
                         "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\nFileDevice Yes\nUser lp\nGroup lp\n")
              .arg(root);
    if (!m_port || !writeText(m_dir.filePath(QStringLiteral("cupsd.conf")), conf)
        || !writeText(m_dir.filePath(QStringLiteral("cups-files.conf")), files)) {
        m_error = QStringLiteral("cannot write the server's configuration");
        return false;
    }

    // The printing library reads the server's address once per process;
    // the test names it afresh for each server.
    ::setenv("CUPS_SERVER", address().toUtf8().constData(), 1);
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
    cupsSetServer(address().toUtf8().constData());

    m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_daemon.start(QStringLiteral("/usr/sbin/cupsd"),
        { QStringLiteral("-f"), QStringLiteral("-c"), m_dir.filePath(QStringLiteral("cupsd.conf")),
            QStringLiteral("-s"), m_dir.filePath(QStringLiteral("cups-files.conf")) });
    if (!m_daemon.waitForStarted(10000)) {
        m_error = QStringLiteral("cupsd did not start: ") + m_daemon.errorString();
        return false;
    }
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (accepts(m_port))
            return true;
        if (m_daemon.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    QFile log(m_dir.filePath(QStringLiteral("error_log")));
    log.open(QIODevice::ReadOnly);
    m_error = QStringLiteral("cupsd does not answer: ") + QString::fromUtf8(log.readAll());
    return false;
}

QStringList CupsServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), address());
    return env.toStringList();
}

bool CupsServer::run(const QString& tool, const QStringList& arguments, QString* errorOutput) const
{
    QProcess process;
    process.setEnvironment(environment());
    process.start(tool, arguments);
    const bool finished = process.waitForFinished(30000);
    if (errorOutput)
        *errorOutput = QString::fromUtf8(process.readAllStandardError()).trimmed();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void CupsServer::stop()
{
    if (m_daemon.state() != QProcess::NotRunning && !m_stopped) {
        ::kill(static_cast<pid_t>(m_daemon.processId()), SIGSTOP);
        m_stopped = true;
    }
}

void CupsServer::resume()
{
    if (m_stopped) {
        ::kill(static_cast<pid_t>(m_daemon.processId()), SIGCONT);
        m_stopped = false;
    }
}

QStringList CupsServer::documents() const
{
    QDir spool(m_dir.filePath(QStringLiteral("spool")));
    QStringList found;
    for (const QString& name : spool.entryList({ QStringLiteral("d*-001") }, QDir::Files, QDir::Name))
        found.append(spool.filePath(name));
    return found;
}

QString CupsServer::jobAttribute(int id, const QString& name) const
{
    QProcess process;
    process.setEnvironment(environment());
    process.start(QStringLiteral("ipptool"),
        { QStringLiteral("-tv"), QStringLiteral("ipp://%1/jobs/%2").arg(address()).arg(id),
            QStringLiteral("get-job-attributes.test") });
    if (!process.waitForFinished(30000))
        return QString();
    // Lines read "        copies (integer) = 1".
    const QString prefix = name + QStringLiteral(" (");
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(prefix)) {
            const qsizetype equals = trimmed.indexOf(QStringLiteral(" = "));
            return equals < 0 ? QString() : trimmed.mid(equals + 3);
        }
    }
    return QString();
}
