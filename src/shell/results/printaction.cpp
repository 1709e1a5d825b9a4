// Printing the report for the candidate on the detail page: fill, prepare,
// ask where to, then print on a printer or export to a PDF file.
#include "resultsview.h"

#include "detailpage.h"
#include "dialogservice.h"
#include "dskproject.h"
#include "errorreport.h"
#include "printerform.h"
#include "printerservice.h"
#include "renderer.h"
#include "reportfilling.h"
#include "reportlayout.h"
#include "translation.h"
#include "ufrxPDFExport.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QStackedWidget>

#include <stdexcept>

namespace {

// Every prepared sheet on its own page of the printer, the whole paper
// used: the sheets carry their own margins.
void printSheets(const report::PreparedReport& prepared, QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(
            TranslateText(QStringLiteral("No se puede imprimir en «%1».")).arg(printer.printerName()).toStdString());
    const QRectF paper(QPointF(0, 0), printer.paperRect(QPrinter::DevicePixel).size());
    bool first = true;
    for (const report::PreparedPage& sheet : prepared.pages) {
        if (!first)
            printer.newPage();
        first = false;
        report::renderSheet(sheet, painter, paper);
    }
    painter.end();
}

} // namespace

void ResultsView::setReport(ReportLayout* layout, const TReportTexts& texts)
{
    m_report = layout;
    m_reportTexts = std::make_unique<TReportTexts>(texts);
    if (m_report) {
        m_report->setChart(m_resultsPage->Chart1);
        m_report->setConsumptionList(&m_document.ConsumptionList());
    }
}

void ResultsView::PrintActionExecute()
{
    TBattery* battery = activeBattery();
    if (!m_report || !battery)
        return;
    report::Report& frxReport = m_report->frxReport();
    MakeReport(m_document, frxReport, battery, m_reportTexts ? *m_reportTexts : TReportTexts());
    frxReport.PrepareReport();

    TPrinterDevice Device;
    switch (ShowPrinterForm(Device, printers(), m_stacks.MainTabControl->window())) {
    case TPrintChoice::to_printer: {
        const std::unique_ptr<QPrinter> printer = printers().createPrinter(Device.Title);
        printSheets(frxReport.prepared(), *printer);
        break;
    }
    case TPrintChoice::to_file:
        try {
            TfrxPDFExport filter(m_dialogs);
            // "versión 7" stays Spanish, and "Informe" has no English row:
            // the title reads the same in both languages.
            filter.Title = TranslateText(QStringLiteral("Informe")) + QStringLiteral(" ") + QStringLiteral("TENVIK ")
                + QStringLiteral("versión 7");
            filter.Version = QStringLiteral("7.1.0");
            filter.Author = QStringLiteral("Orvel Energía");
            filter.Creator = QStringLiteral("Orvel Energía");
            frxReport.Export(filter);
        } catch (const std::exception& e) {
            m_dialogs.showMessage(IDialogService::MessageKind::Error, TranslateText(failureMessage(e)));
        }
        break;
    case TPrintChoice::cancelled:
        break;
    }
}
