#pragma once

#include "pagestacks.h"
#include "reportfilling.h"

#include <QMainWindow>
#include <QMargins>
#include <QSettings>
#include <QUrl>

#include <functional>
#include <memory>

class DataPage;
class IDbDataModule;
class IDialogService;
class LinkLabel;
class QAction;
class QScrollArea;
class QStackedWidget;
class QToolButton;
class ReportLayout;
class ResultsView;
class TBattery;
class TDskProject;

// The program's working window. It owns the one project document of the run
// and shows the data page (DataTab) or the results (ResultData, whose
// ResultTabControl shows the candidate list BatteryTabItem or one candidate
// in detail BatteryDetailTabItem); both page stacks change by code only.
// Every action's enabled state is evaluated in updateActions, which runs
// whenever something it reads changes; Calculate, Back and Print follow the
// results' own rules.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // What the window needs from the program; tests give their own.
    struct Environment {
        IDbDataModule* dataModule = nullptr; // null when the catalogue could not be opened
        IDialogService* dialogs = nullptr; // required, not owned
        std::unique_ptr<QSettings> settings; // the language settings; null: the program's store
        QString systemLanguage; // the system's two-letter code; empty: asked of the locale
        QString programFolder; // where the help files lie; empty: the executable's folder
        std::function<void(const QUrl&)> openUrl; // the shell's "open"; empty: QDesktopServices
    };

    explicit TMainForm(Environment environment, QWidget* parent = nullptr);
    ~TMainForm() override;

    TDskProject& project() { return *DskProject; }
    IDialogService& dialogs() { return *m_dialogs; }
    DataPage& dataPage() { return *m_dataPage; }
    // The report of the run (frxReport with its billing data set), serving
    // the project's billing periods.
    ReportLayout& reportLayout() { return *m_reportLayout; }
    // What translating the report's fixed texts at creation kept, for every
    // later filling of the report.
    const TReportTexts& reportTexts() const { return m_reportTexts; }

    // The page stacks and pages, handed to the results view.
    PageStacks Pages;

    // The results and detail pages with the calculate, back and print
    // actions' work.
    ResultsView& results() { return *m_results; }

    // The action list. Calculate, Back and Print are not connected here.
    QAction* NewAction = nullptr;
    QAction* OpenAction = nullptr;
    QAction* SaveAction = nullptr;
    QAction* PrintAction = nullptr;
    QAction* ConfigAction = nullptr;
    QAction* HelpAction = nullptr;
    QAction* ExitAction = nullptr;
    QAction* FindBatteryAction = nullptr;
    QAction* BackAction = nullptr;
    QAction* EntryAddAction = nullptr;
    QAction* EntryDeleteAction = nullptr;
    QAction* EntryEditAction = nullptr;

    QToolButton* FindBatteryButton = nullptr;
    QToolButton* BackButton = nullptr;

    // The candidate shown on the detail page (not owned), as the results
    // hold it.
    TBattery* activeBattery() const;

    // Data page, main window side (the page holds the controls).
    void LoadProjectData();
    void StoreCustomerData();
    void StoreProjectData();
    void ShowConsumptionList();
    // The data page, the results on the list page, no active candidate.
    void ResetView();

    // Evaluates every action's enabled rule (and the calculate action's
    // text) again.
    void updateActions();
    // Runs an action's work: a failure reaches the standard error report,
    // and the actions are evaluated again afterwards.
    void runAction(const std::function<void()>& work);

    // Project actions.
    void NewActionExecute();
    void OpenActionExecute();
    void SaveActionExecute();
    void ExitActionExecute();
    void HelpActionExecute();
    void ConfigActionExecute();
    void Label16Click();
    void Label42Click();

    // Billing periods.
    void EntryAddActionExecute();
    void EntryEditActionExecute();
    void EntryDeleteActionExecute();
    void ConsumptionListGridCellDblClick(int Row);

    // Flags cleared by the user's edits on the data page.
    void ValidSaveChange();
    void ValidCalculationChange();

signals:
    // The user confirmed leaving an unsaved project: the program ends.
    void terminateRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The client area's fixed size, which the window has wherever the screen
    // holds it.
    static constexpr QSize ClientSize { 994, 757 };

    // Where the screen's available area cannot hold the window with its
    // frame, shows it there at the largest size that fits, its client area
    // scrolled; elsewhere keeps the client area's size.
    void fitToScreen();
    void buildActions();
    QWidget* buildTopLayout();
    QWidget* buildPages();
    QWidget* buildBottomLayout();
    void FormCreate(Environment& environment);
    void installResults();
    // Puts the focus into the business name, as creation, New and Open do.
    void focusFirstCustomerText();
    void editPeriodAt(int row);

    std::unique_ptr<TDskProject> DskProject;
    // After the document: released first, as it reads the document's list.
    std::unique_ptr<ReportLayout> m_reportLayout;
    TReportTexts m_reportTexts;
    IDialogService* m_dialogs = nullptr;
    IDbDataModule* m_dataModule = nullptr;
    QString m_programFolder;
    std::function<void(const QUrl&)> m_openUrl;
    DataPage* m_dataPage = nullptr;
    LinkLabel* Label16 = nullptr; // web address
    LinkLabel* Label42 = nullptr; // e-mail
    ResultsView* m_results = nullptr;
    QScrollArea* m_clientScroll = nullptr;
    bool m_fitted = false;
    bool m_frameChecked = false;
    QMargins m_fittedFrame;
};
