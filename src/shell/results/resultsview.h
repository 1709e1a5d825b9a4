#pragma once

#include "pagestacks.h"
#include "priceprompts.h"
#include "resultspage.h"

#include <QObject>

#include <functional>
#include <memory>

class DetailPage;
class IDialogService;
class IPrinterService;
class ReportLayout;
struct TReportTexts;
class QAction;
class QStackedWidget;
class TBattery;
class TDskProject;

// The calculation, back and print actions of the main window and the two
// results pages they lead to, which this creates inside the main window's
// result pages. The main window hands over its page stacks and the data
// page's store operations, and calls the handlers from its actions.
class ResultsView : public QObject {
    Q_OBJECT
public:
    // What the data page does for the calculation.
    struct DataPageHooks {
        std::function<void()> StoreCustomerData;
        std::function<void()> StoreProjectData;
        // The contracted-power controls as they stand.
        std::function<ResultsPage::DataPageInputs()> contractedPowerInputs;
    };

    // Creates the results and detail pages inside BatteryTabItem and
    // BatteryDetailTabItem. Document, dialogs and stacks must outlive this.
    ResultsView(TDskProject& document, IDialogService& dialogs, const PageStacks& stacks, DataPageHooks hooks,
        QObject* parent = nullptr);
    ~ResultsView() override;

    ResultsPage* resultsPage() const { return m_resultsPage; }
    DetailPage* detailPage() const { return m_detailPage; }

    // The candidate shown on the detail page, which printing reports on;
    // the detail page holds it.
    TBattery* activeBattery() const;
    // The view reset of creation, New and Open: the data page in front, the
    // results on their list page, no active candidate.
    void resetView();

    void FindBatteryActionExecute();
    void FindBatteryActionUpdate(QAction& action) const;
    void BackActionExecute();
    void BackActionUpdate(QAction& action) const;
    // The report to print (not owned) and the fixed texts kept from its
    // translation. The results chart is what the report draws.
    void setReport(ReportLayout* layout, const TReportTexts& texts);
    // The installed printers; the system's by default. Not owned.
    void setPrinterService(IPrinterService* printers);

    // Fills and prepares the report for the active candidate, asks for the
    // destination, then prints or exports. Failures outside the export are
    // left to the caller's error report.
    void PrintActionExecute();
    // Enabled exactly while the detail page is on screen.
    void PrintActionUpdate(QAction& action) const;

    void ShowResults();
    void BatteryListViewItemClickEx(TBattery* battery);
    void ShowBatteryDetail(TBattery& Battery);

    bool detailPageShown() const;

signals:
    // The page, the flags or the active candidate changed: action states
    // must be evaluated again.
    void stateChanged();

private:
    IPrinterService& printers();
    void onValueStored(PriceField field);

    TDskProject& m_document;
    IDialogService& m_dialogs;
    PageStacks m_stacks;
    DataPageHooks m_hooks;
    ResultsPage* m_resultsPage = nullptr;
    DetailPage* m_detailPage = nullptr;
    ReportLayout* m_report = nullptr;
    std::unique_ptr<TReportTexts> m_reportTexts;
    std::unique_ptr<IPrinterService> m_systemPrinters;
    IPrinterService* m_printers = nullptr;
};
