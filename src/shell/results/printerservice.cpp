#include "printerservice.h"

#include <QPrinter>
#include <QPrinterInfo>

void SystemPrinterService::refresh()
{
    m_titles = QPrinterInfo::availablePrinterNames();
    m_defaultIndex = static_cast<int>(m_titles.indexOf(QPrinterInfo::defaultPrinterName()));
}

std::unique_ptr<QPrinter> SystemPrinterService::createPrinter(const QString& title)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(title);
    return printer;
}
