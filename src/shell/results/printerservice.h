#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

// The installed printers as the print-destination dialog lists them. The
// program reads them from the system (QPrinterInfo, through CUPS); tests
// give their own.
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
    // A printer device for the named printer, ready to paint on.
    virtual std::unique_ptr<QPrinter> createPrinter(const QString& title) = 0;
};

// The system's printers.
class SystemPrinterService final : public IPrinterService {
public:
    SystemPrinterService() { refresh(); }

    void refresh() override;
    QStringList printerTitles() const override { return m_titles; }
    int defaultPrinterIndex() const override { return m_defaultIndex; }
    std::unique_ptr<QPrinter> createPrinter(const QString& title) override;

private:
    QStringList m_titles;
    int m_defaultIndex = -1;
};
