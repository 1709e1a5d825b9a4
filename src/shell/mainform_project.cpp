// The main window's creation and its project actions: New, Open, Save, Exit,
// Options, Help and the footer links.
#include "mainform.h"

#include "configform.h"
#include "datapage.h"
#include "detailpage.h"
#include "dskproject.h"
#include "exceptions.h"
#include "interfacelanguage.h"
#include "pictures.h"
#include "reportfilling.h"
#include "reportlayout.h"
#include "resultsview.h"
#include "statictexts.h"
#include "translation.h"
#include "widgets/linklabel.h"
#include "widgets/numberbox.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>

#include <iterator>

void TMainForm::FormCreate(Environment& environment)
{
    m_reportLayout = std::make_unique<ReportLayout>();
    DskProject = std::make_unique<TDskProject>(m_dataModule, m_dialogs, std::move(environment.settings));
    m_reportLayout->setConsumptionList(&DskProject->ConsumptionList());

    const QString systemLanguage
        = environment.systemLanguage.isEmpty() ? Translation::systemLanguageCode() : environment.systemLanguage;
    setInterfaceLanguage(Translation::englishChosen(DskProject->LangOS(), DskProject->Language(), systemLanguage));
    translateStaticTexts(this);
    m_reportTexts = LangTextReport(*DskProject, m_reportLayout->frxReport());
    installResults();

    // The numbers in the descriptions are the program versions of the two
    // formats: 7 writes ".tvk", 6 wrote ".fac".
    const QString files = TranslateText(QStringLiteral("Archivos de Tenvik"));
    const QString tvk = QStringLiteral(".tvk");
    DskProject->setDialogSaveFilterName(files + QStringLiteral(" (*") + tvk + QStringLiteral(";*.fac)|*") + tvk
        + QStringLiteral(";*.fac|") + files + QStringLiteral(" 7 (*") + tvk + QStringLiteral(")|*") + tvk
        + QStringLiteral("|") + files + QStringLiteral(" 6 (*.fac)|*.fac"));
    DskProject->setDialogOpenFilterName(files + QStringLiteral(" 7 (*") + tvk + QStringLiteral(")|*") + tvk);

    ResetView();
    LoadProjectData();
    updateActions();
    focusFirstCustomerText();
}

void TMainForm::focusFirstCustomerText()
{
    // Taken when the window is next active, if it is not now.
    m_dataPage->businessNameEdit()->setFocus(Qt::OtherFocusReason);
}

void TMainForm::NewActionExecute()
{
    DskProject->New();
    ResetView();
    LoadProjectData();
    focusFirstCustomerText();
}

void TMainForm::OpenActionExecute()
{
    try {
        if (DskProject->Open()) {
            ResetView();
            LoadProjectData();
            focusFirstCustomerText();
        }
    } catch (...) {
        throw EInOutError(TranslateText(QStringLiteral("El archivo no tiene un formato válido.")));
    }
}

void TMainForm::SaveActionExecute()
{
    try {
        commitTypedNumber(this);
        StoreProjectData();
        DskProject->Save();
    } catch (...) {
        throw EInOutError(TranslateText(QStringLiteral(
            "Ha ocurrido un error al guardar el archivo, verifique que tiene los permisos necesarios en la carpeta "
            "destino.")));
    }
}

void TMainForm::ExitActionExecute()
{
    close();
}

void TMainForm::ConfigActionExecute()
{
    // The new choice applies at the next start; the running texts stay.
    ShowConfigForm(*DskProject, this);
}

void TMainForm::HelpActionExecute()
{
    // The saved language alone chooses the file, whatever the interface shows.
    const QString folder = m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    const QString file
        = DskProject->Language() == TAppLanguage::es ? QStringLiteral("tenvik.chm") : QStringLiteral("tenvik_en.chm");
    const QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(file));
    if (m_openUrl)
        m_openUrl(url);
    else
        QDesktopServices::openUrl(url); // a missing file is not reported
}

void TMainForm::Label16Click()
{
    const QUrl url = QUrl::fromUserInput(Label16->text());
    if (m_openUrl)
        m_openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

void TMainForm::Label42Click()
{
    const QUrl url(QStringLiteral("mailto:") + Label42->text());
    if (m_openUrl)
        m_openUrl(url);
    else
        QDesktopServices::openUrl(url);
}

void TMainForm::installResults()
{
    ResultsView::DataPageHooks hooks;
    hooks.StoreCustomerData = [this] { StoreCustomerData(); };
    hooks.StoreProjectData = [this] { StoreProjectData(); };
    hooks.contractedPowerInputs = [this] {
        return ResultsPage::DataPageInputs { m_dataPage->maximumPowerText(), m_dataPage->hasInputTransformer(),
            m_dataPage->inputTransformerText() };
    };
    m_results = new ResultsView(*DskProject, *m_dialogs, Pages, std::move(hooks), this);
    m_results->resultsPage()->setMarks(ImageList::icon(13), ImageList::icon(14));
    // The pages are built after the bottom bar; in screen order the detail
    // page's buttons come before the back and calculate buttons.
    const DetailPage& detail = *m_results->detailPage();
    QWidget* const chain[] = { detail.BatteryPriceButton, detail.TransformerPriceButton, detail.ConductorLengthButton,
        detail.ConductorPriceButton, BackButton, FindBatteryButton };
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    m_results->setReport(m_reportLayout.get(), m_reportTexts);
    connect(m_results, &ResultsView::stateChanged, this, &TMainForm::updateActions);
    connect(FindBatteryAction, &QAction::triggered, this,
        [this] { runAction([this] { m_results->FindBatteryActionExecute(); }); });
    connect(BackAction, &QAction::triggered, this, [this] { runAction([this] { m_results->BackActionExecute(); }); });
    connect(PrintAction, &QAction::triggered, this, [this] { runAction([this] { m_results->PrintActionExecute(); }); });
}
