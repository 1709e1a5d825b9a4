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

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStackedWidget>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

// The document's title, also the print job's name. "versión 7" stays
// Spanish, and "Informe" has no English row: the title reads the same in
// both languages.
QString reportTitle()
{
    return TranslateText(QStringLiteral("Informe")) + QStringLiteral(" ") + QStringLiteral("TENVIK ")
        + QStringLiteral("versión 7");
}

// Every prepared sheet on its own A4 page of a PDF document, the whole
// paper used: the sheets carry their own margins.
QByteArray printDocument(const report::PreparedReport& prepared, const QString& title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Orvel Energía"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter;
        if (!painter.begin(&writer))
            throw std::runtime_error(std::strerror(ENOMEM));
        const QRectF paper(0, 0, writer.width(), writer.height());
        bool first = true;
        for (const report::PreparedPage& sheet : prepared.pages) {
            if (!first)
                writer.newPage();
            first = false;
            report::renderSheet(sheet, painter, paper);
        }
        painter.end();
    }
    return buffer.data();
}

// Draws the report and hands it to the printer chosen; any failure on the
// way is the printer's message with the reason given.
void printOn(const QString& printer, const report::PreparedReport& prepared, IPrinterService& printers)
{
    try {
        const QString title = reportTitle();
        printers.submitJob(printer, title, printDocument(prepared, title));
    } catch (const std::exception& failure) {
        QString reason = QString::fromUtf8(failure.what()).trimmed();
        // The message closes the sentence itself.
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        throw std::runtime_error(
            TranslateText(QStringLiteral("No se puede imprimir en «%1»: %2.")).arg(printer, reason).toStdString());
    }
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
    case TPrintChoice::to_printer:
        printOn(Device.Title, frxReport.prepared(), printers());
        break;
    case TPrintChoice::to_file:
        try {
            TfrxPDFExport filter(m_dialogs);
            filter.Title = reportTitle();
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
