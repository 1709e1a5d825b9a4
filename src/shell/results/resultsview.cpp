#include "resultsview.h"

#include "batterylistmodel.h"
#include "detailpage.h"
#include "dialogservice.h"
#include "dskproject.h"
#include "exceptions.h"
#include "printerservice.h"
#include "reportfilling.h"
#include "translation.h"
#include "widgets/numberbox.h"

#include <QAction>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// Puts `page` into `container`, filling it.
void install(QWidget* container, QWidget* page)
{
    auto* layout = qobject_cast<QVBoxLayout*>(container->layout());
    if (!layout) {
        layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(page);
}

} // namespace

ResultsView::ResultsView(
    TDskProject& document, IDialogService& dialogs, const PageStacks& stacks, DataPageHooks hooks, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_stacks(stacks)
    , m_hooks(std::move(hooks))
{
    m_resultsPage = new ResultsPage(document, stacks.BatteryTabItem);
    install(stacks.BatteryTabItem, m_resultsPage);
    m_detailPage = new DetailPage(document, dialogs, stacks.BatteryDetailTabItem);
    install(stacks.BatteryDetailTabItem, m_detailPage);

    connect(m_resultsPage, &ResultsPage::batteryClicked, this, &ResultsView::BatteryListViewItemClickEx);
    connect(m_detailPage, &DetailPage::valueStored, this, &ResultsView::onValueStored);
}

void ResultsView::setPrinterService(IPrinterService* printers)
{
    m_printers = printers;
}

IPrinterService& ResultsView::printers()
{
    // The system's list is first read when the first print asks for it.
    if (!m_printers) {
        if (!m_systemPrinters)
            m_systemPrinters = std::make_unique<SystemPrinterService>();
        m_printers = m_systemPrinters.get();
    }
    return *m_printers;
}

ResultsView::~ResultsView() = default;

TBattery* ResultsView::activeBattery() const
{
    return m_detailPage->ActiveBattery();
}

void ResultsView::resetView()
{
    m_detailPage->resetActiveBattery();
    // New and Open empty the selection the list refers to.
    m_resultsPage->batteryListModel()->clear();
    m_stacks.MainTabControl->setCurrentWidget(m_stacks.DataTab);
    m_stacks.ResultTabControl->setCurrentWidget(m_stacks.BatteryTabItem);
    emit stateChanged();
}

bool ResultsView::detailPageShown() const
{
    return m_stacks.MainTabControl->currentWidget() == m_stacks.ResultData
        && m_stacks.ResultTabControl->currentWidget() == m_stacks.BatteryDetailTabItem;
}

void ResultsView::FindBatteryActionExecute()
{
    try {
        commitTypedNumber(m_stacks.MainTabControl->window());
        if (m_document.ValidCalculation()) {
            m_hooks.StoreCustomerData();
        } else {
            m_hooks.StoreProjectData();
            // The run frees the candidates, also when it then fails: neither
            // the active one nor the list may outlive them. Only a list click
            // sets the active one again, and only the detail page prints.
            m_detailPage->resetActiveBattery();
            m_resultsPage->batteryListModel()->clear();
            m_document.Execute();
            try {
                ShowResults();
            } catch (...) {
                // A page left half filled is no result to show: the next
                // press calculates and fills it again.
                m_document.setValidCalculation(false);
                throw;
            }
        }
        m_stacks.MainTabControl->setCurrentWidget(m_stacks.ResultData);
    } catch (const ESelectionErrorException& e) {
        m_dialogs.showMessage(IDialogService::MessageKind::Error, TranslateText(e.message()));
    } catch (const ESelectionInfoException& e) {
        m_dialogs.showMessage(IDialogService::MessageKind::Information, TranslateText(e.message()));
    } catch (...) {
        m_dialogs.showMessage(IDialogService::MessageKind::Plain,
            TranslateText(QStringLiteral("Ha ocurrido un error al procesar los datos.")));
    }
    emit stateChanged();
}

void ResultsView::FindBatteryActionUpdate(QAction& action) const
{
    action.setText(
        TranslateText(m_document.ValidCalculation() ? QStringLiteral("Resultados") : QStringLiteral("Calcular")));
    action.setEnabled(m_stacks.MainTabControl->currentWidget() == m_stacks.DataTab);
}

void ResultsView::BackActionExecute()
{
    if (m_stacks.MainTabControl->currentWidget() == m_stacks.ResultData
        && m_stacks.ResultTabControl->currentWidget() == m_stacks.BatteryTabItem)
        m_stacks.MainTabControl->setCurrentWidget(m_stacks.DataTab);
    else
        m_stacks.ResultTabControl->setCurrentWidget(m_stacks.BatteryTabItem);
    emit stateChanged();
}

void ResultsView::BackActionUpdate(QAction& action) const
{
    action.setEnabled(m_stacks.MainTabControl->currentWidget() == m_stacks.ResultData);
}

void ResultsView::PrintActionUpdate(QAction& action) const
{
    action.setEnabled(detailPageShown());
}

void ResultsView::ShowResults()
{
    m_stacks.ResultTabControl->setCurrentWidget(m_stacks.BatteryTabItem);
    m_resultsPage->ShowPreliminar(
        m_hooks.contractedPowerInputs ? m_hooks.contractedPowerInputs() : ResultsPage::DataPageInputs {});
    m_resultsPage->ShowConsumptionChart();
    m_resultsPage->ShowBatteryList();
}

void ResultsView::BatteryListViewItemClickEx(TBattery* battery)
{
    if (!battery)
        return;
    ShowBatteryDetail(*battery);
    m_stacks.ResultTabControl->setCurrentWidget(m_stacks.BatteryDetailTabItem);
    emit stateChanged();
}

void ResultsView::ShowBatteryDetail(TBattery& Battery)
{
    m_detailPage->ShowBatteryDetail(Battery);
}

void ResultsView::onValueStored(PriceField field)
{
    m_document.setIsSaved(false);
    if (field == PriceField::BatteryPrice) {
        // The list shows no price, but it is rebuilt from the records as
        // they now are; a failure here ends the prompt like a bad answer.
        try {
            m_resultsPage->ShowBatteryList();
        } catch (...) {
            m_dialogs.showMessage(
                IDialogService::MessageKind::Plain, TranslateText(QStringLiteral("El valor entrado no es válido.")));
        }
    }
    emit stateChanged();
}
