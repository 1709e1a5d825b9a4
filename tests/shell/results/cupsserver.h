#pragma once

// A CUPS server of the test's own: cupsd on a free port of 127.0.0.1 with
// its configuration, spool and logs in a temporary folder, and raw queues
// that keep every submitted document in the spool.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class CupsServer {
public:
    // Starts the server with `queues` (raw, accepting, printing to
    // /dev/null) and `defaultQueue` as the server's default, and points this
    // process's printing library and the tools it starts at it. Check
    // `error()` before use.
    CupsServer(const QStringList& queues, const QString& defaultQueue);
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // Empty once the server answers with its queues in place.
    QString error() const { return m_error; }
    QString address() const;

    // Runs a CUPS tool (lpadmin, cupsreject, lp...) against this server;
    // false when it fails, with its standard error in `errorOutput`.
    bool run(const QString& tool, const QStringList& arguments, QString* errorOutput = nullptr) const;

    // Stops and resumes the server's process (SIGSTOP, SIGCONT): a stopped
    // server takes connections and never answers them.
    void stop();
    void resume();

    // The documents submitted, as the server keeps them (dNNNNN-001), in
    // the order of their jobs.
    QStringList documents() const;
    // One attribute of job `id` as ipptool prints it ("1" for copies, the
    // text of a name); empty when the job lacks it.
    QString jobAttribute(int id, const QString& name) const;

private:
    bool start();
    QStringList environment() const;

    QTemporaryDir m_dir;
    int m_port = 0;
    QProcess m_daemon;
    bool m_stopped = false;
    QString m_error;
};
