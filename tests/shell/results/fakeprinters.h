#pragma once

#include "printerservice.h"

#include <QPrinter>

// Printers given by the test. `refreshes` counts the fresh reads; what is
// printed goes to a PDF file at `outputFile`, and `printedOn` records the
// printer it was meant for.
class FakePrinters final : public IPrinterService {
public:
    FakePrinters(QStringList titles, int defaultIndex) : titles(std::move(titles)), defaultIndex(defaultIndex) {}

    void refresh() override { ++refreshes; }
    QStringList printerTitles() const override { return titles; }
    int defaultPrinterIndex() const override { return defaultIndex; }
    std::unique_ptr<QPrinter> createPrinter(const QString& title) override
    {
        printedOn.append(title);
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(outputFile);
        return printer;
    }

    QStringList titles;
    int defaultIndex = -1;
    int refreshes = 0;
    QString outputFile;
    QStringList printedOn;
};
