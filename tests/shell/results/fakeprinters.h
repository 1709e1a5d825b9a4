#pragma once

#include "printerservice.h"

#include <QFile>

#include <stdexcept>

// Printers given by the test. `refreshes` counts the fresh reads; a job is
// written as its PDF to `outputFile`, and `printedOn` and `jobNames` record
// the printer it was meant for and its name. With `refusal` set, every job
// is refused with that reason.
class FakePrinters final : public IPrinterService {
public:
    FakePrinters(QStringList titles, int defaultIndex) : titles(std::move(titles)), defaultIndex(defaultIndex) {}

    void refresh() override { ++refreshes; }
    QStringList printerTitles() const override { return titles; }
    int defaultPrinterIndex() const override { return defaultIndex; }
    void submitJob(const QString& title, const QString& jobName, const QByteArray& pdf) override
    {
        if (!refusal.isEmpty())
            throw std::runtime_error(refusal.toStdString());
        printedOn.append(title);
        jobNames.append(jobName);
        QFile file(outputFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
            throw std::runtime_error(file.errorString().toStdString());
    }

    QStringList titles;
    int defaultIndex = -1;
    int refreshes = 0;
    QString outputFile;
    QString refusal;
    QStringList printedOn;
    QStringList jobNames;
};
