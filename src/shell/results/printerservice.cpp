#include "printerservice.h"

#include <cups/cups.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// How long one wait on the server lasts before the deadline is looked at.
constexpr double waitStep = 0.25;

// A connection of our own to the desktop's CUPS server, every wait on which
// gives up once the deadline has passed. libcups' shared connection waits
// as long as the server does, and its helpers that look a printer up fall
// back on that connection, so only plain IPP requests go out on this one.
class CupsConnection {
public:
    explicit CupsConnection(std::chrono::milliseconds bound)
        : m_deadline(Clock::now() + bound)
    {
        m_http = httpConnect2(
            cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, static_cast<int>(bound.count()), nullptr);
        m_connectError = m_http ? 0 : errno;
        if (m_http)
            httpSetTimeout(m_http, waitStep, &CupsConnection::goOn, this);
    }
    ~CupsConnection()
    {
        if (m_http)
            httpClose(m_http);
    }
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    http_t* http() const { return m_http; }

    // The reason of the last failure on this connection, in the printing
    // system's words where it has some.
    std::string failure() const
    {
        if (Clock::now() >= m_deadline)
            return std::strerror(ETIMEDOUT);
        if (!m_http)
            return std::strerror(m_connectError ? m_connectError : ECONNREFUSED);
        return cupsLastErrorString();
    }

private:
    static int goOn(http_t*, void* self)
    {
        return Clock::now() < static_cast<CupsConnection*>(self)->m_deadline ? 1 : 0;
    }

    Clock::time_point m_deadline;
    http_t* m_http = nullptr;
    int m_connectError = 0;
};

struct DestsDeleter {
    int count;
    void operator()(cups_dest_t* dests) const { cupsFreeDests(count, dests); }
};

// The document in an anonymous file, which the request reads from.
class MemoryFile {
public:
    explicit MemoryFile(const QByteArray& bytes)
        : m_fd(::memfd_create("tenvik-report", MFD_CLOEXEC))
    {
        qsizetype written = 0;
        while (m_fd >= 0 && written < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw std::runtime_error(std::strerror(n < 0 ? errno : EIO));
            written += n;
        }
        if (m_fd < 0 || ::lseek(m_fd, 0, SEEK_SET) != 0)
            throw std::runtime_error(std::strerror(errno));
    }
    ~MemoryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

void SystemPrinterService::refresh()
{
    m_titles.clear();
    m_defaultIndex = -1;
    CupsConnection connection(m_bound);
    if (!connection.http())
        return;
    cups_dest_t* raw = nullptr;
    const int count = cupsGetDests2(connection.http(), &raw);
    const std::unique_ptr<cups_dest_t, DestsDeleter> dests(raw, DestsDeleter { count });
    for (int i = 0; i < count; ++i) {
        QString title = QString::fromUtf8(dests.get()[i].name);
        if (dests.get()[i].instance)
            title += QLatin1Char('/') + QString::fromUtf8(dests.get()[i].instance);
        if (dests.get()[i].is_default)
            m_defaultIndex = static_cast<int>(m_titles.size());
        m_titles.append(title);
    }
}

void SystemPrinterService::submitJob(const QString& title, const QString& jobName, const QByteArray& pdf)
{
    // An instance ("queue/instance") prints on its queue.
    const QByteArray queue = title.section(QLatin1Char('/'), 0, 0).toUtf8();
    MemoryFile document(pdf);
    CupsConnection connection(m_bound);
    if (!connection.http())
        throw std::runtime_error(connection.failure());

    const QByteArray resource = "/printers/" + queue;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(
        HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(), "%s", resource.constData());
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, jobName.toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, CUPS_FORMAT_PDF);
    // Stated, so that a queue whose default is more copies prints one.
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_INTEGER, "copies", 1);
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, "iso_a4_210x297mm");

    // The request is consumed by the call.
    ipp_t* response = cupsDoIORequest(connection.http(), request, resource.constData(), document.fd(), -1);
    const bool taken = response && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING;
    ippDelete(response);
    if (!taken)
        throw std::runtime_error(connection.failure());
}
