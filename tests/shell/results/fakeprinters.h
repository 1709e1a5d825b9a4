#pragma once

#include "printerservice.h"

// Printers given by the test. `refreshes` counts the fresh reads.
class FakePrinters final : public IPrinterService {
public:
    FakePrinters(QStringList titles, int defaultIndex) : titles(std::move(titles)), defaultIndex(defaultIndex) {}

    void refresh() override { ++refreshes; }
    QStringList printerTitles() const override { return titles; }
    int defaultPrinterIndex() const override { return defaultIndex; }

    QStringList titles;
    int defaultIndex = -1;
    int refreshes = 0;
};
