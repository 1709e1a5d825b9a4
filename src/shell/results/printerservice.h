#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>

// The installed printers as the print-destination dialog lists them, and
// the hand-over of a job to one of them. The program asks the system's
// printing service (CUPS); tests give their own.
class IPrinterService {
public:
    virtual ~IPrinterService() = default;

    // Reads the list afresh, so that printers added and a default changed
    // since the last look are seen.
    virtual void refresh() = 0;
    // The printers' names, in the system's order.
    virtual QStringList printerTitles() const = 0;
    // The position of the system's default printer in printerTitles(); -1
    // when there is none.
    virtual int defaultPrinterIndex() const = 0;
    // Hands `pdf` to the printer named `title` as one job of one copy named
    // `jobName`. Raises std::runtime_error with the printing system's own
    // reason (UTF-8) when the job is not taken.
    virtual void submitJob(const QString& title, const QString& jobName, const QByteArray& pdf) = 0;
};

// The system's printers, asked through a connection of our own to the CUPS
// server the desktop uses. Each call gives up once `bound` has passed, so
// that a server that does not answer cannot hold the window for long: the
// list is then empty, and the job is refused with a timeout.
class SystemPrinterService final : public IPrinterService {
public:
    static constexpr std::chrono::milliseconds defaultBound { 5000 };

    explicit SystemPrinterService(std::chrono::milliseconds bound = defaultBound) : m_bound(bound) {}

    void refresh() override;
    QStringList printerTitles() const override { return m_titles; }
    int defaultPrinterIndex() const override { return m_defaultIndex; }
    void submitJob(const QString& title, const QString& jobName, const QByteArray& pdf) override;

private:
    std::chrono::milliseconds m_bound;
    QStringList m_titles;
    int m_defaultIndex = -1;
};
