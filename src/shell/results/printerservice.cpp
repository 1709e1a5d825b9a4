#include "printerservice.h"

#include <QPrinterInfo>

void SystemPrinterService::refresh()
{
    m_titles = QPrinterInfo::availablePrinterNames();
    m_defaultIndex = static_cast<int>(m_titles.indexOf(QPrinterInfo::defaultPrinterName()));
}
