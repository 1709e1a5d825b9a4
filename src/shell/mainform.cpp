#include "mainform.h"

#include "datapage.h"
#include "dialogservice.h"
#include "dskproject.h"
#include "errorreport.h"
#include "pictures.h"
#include "reportlayout.h"
#include "resultsview.h"
#include "translation.h"
#include "widgets/linklabel.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Our own sample footer texts; they have no row in the translation table.
const char* const RightsText = "© 2026 Orvel Energía. Todos los derechos reservados.";
const char* const TelephoneText = "Atención al cliente: +34 900 000 000";
const char* const EmailText = "info@orvel.example";
const char* const WebText = "www.orvel.example";

QAction* makeAction(QObject* owner, const char* name, const char* text, const char* category, int image)
{
    auto* action = new QAction(QString::fromUtf8(text), owner);
    action->setObjectName(QLatin1String(name));
    action->setProperty("category", QLatin1String(category));
    action->setProperty("imageIndex", image);
    action->setIcon(ImageList::icon(image));
    return action;
}

QToolButton* barButton(QWidget* parent, QAction* action)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(action->objectName().replace(QLatin1String("Action"), QLatin1String("Button")));
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(40, 40));
    button->setFixedSize(80, 80);
    button->setAutoRaise(true);
    // Mouse only, like any tool bar: on the Tab chain a stray Space would run
    // New, which drops the project without a question.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QWidget* emptyPage(QWidget* parent, const char* name)
{
    auto* page = new QWidget(parent);
    page->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return page;
}

QFrame* separatorLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TMainForm::TMainForm(Environment environment, QWidget* parent)
    : QMainWindow(parent,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_dialogs(environment.dialogs)
    , m_dataModule(environment.dataModule)
    , m_programFolder(environment.programFolder)
    , m_openUrl(environment.openUrl)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tenvik versión 7"));

    buildActions();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopLayout());
    layout->addWidget(separatorLine(client));
    layout->addWidget(buildPages(), 1);
    layout->addWidget(separatorLine(client));
    layout->addWidget(buildBottomLayout());
    client->setFixedSize(ClientSize);
    // The client area scrolls only where the screen cannot hold the window
    // (see fitToScreen); elsewhere the scroll area is exactly its size.
    m_clientScroll = new QScrollArea(this);
    m_clientScroll->setObjectName(QStringLiteral("ClientScrollArea"));
    m_clientScroll->setFrameShape(QFrame::NoFrame);
    m_clientScroll->setFocusPolicy(Qt::NoFocus);
    m_clientScroll->setWidget(client);
    setCentralWidget(m_clientScroll);
    // A fixed size is what every window manager honours as "no maximise":
    // the hints alone leave the button on some.
    setFixedSize(ClientSize);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate(environment);
}

TMainForm::~TMainForm() = default;

void TMainForm::buildActions()
{
    NewAction = makeAction(this, "NewAction", "Nuevo", "Menu", 0);
    OpenAction = makeAction(this, "OpenAction", "Abrir", "Menu", 1);
    SaveAction = makeAction(this, "SaveAction", "Guardar", "Menu", 2);
    PrintAction = makeAction(this, "PrintAction", "Imprimir", "Menu", 3);
    ConfigAction = makeAction(this, "ConfigAction", "Opciones", "Menu", 4);
    HelpAction = makeAction(this, "HelpAction", "Ayuda", "Menu", 5);
    ExitAction = makeAction(this, "ExitAction", "Salir", "Menu", 6);
    FindBatteryAction = makeAction(this, "FindBatteryAction", "Calcular", "BottomMenu", 7);
    BackAction = makeAction(this, "BackAction", "Atras", "BottomMenu", 8);
    EntryAddAction = makeAction(this, "EntryAddAction", "Añadir", "EntriesMenu", 9);
    EntryDeleteAction = makeAction(this, "EntryDeleteAction", "Eliminar", "EntriesMenu", 11);
    EntryEditAction = makeAction(this, "EntryEditAction", "Editar", "EntriesMenu", 10);

    connect(NewAction, &QAction::triggered, this, [this] { runAction([this] { NewActionExecute(); }); });
    connect(OpenAction, &QAction::triggered, this, [this] { runAction([this] { OpenActionExecute(); }); });
    connect(SaveAction, &QAction::triggered, this, [this] { runAction([this] { SaveActionExecute(); }); });
    connect(ConfigAction, &QAction::triggered, this, [this] { runAction([this] { ConfigActionExecute(); }); });
    connect(HelpAction, &QAction::triggered, this, [this] { runAction([this] { HelpActionExecute(); }); });
    connect(ExitAction, &QAction::triggered, this, [this] { runAction([this] { ExitActionExecute(); }); });
    connect(EntryAddAction, &QAction::triggered, this, [this] { runAction([this] { EntryAddActionExecute(); }); });
    connect(EntryEditAction, &QAction::triggered, this, [this] { runAction([this] { EntryEditActionExecute(); }); });
    connect(
        EntryDeleteAction, &QAction::triggered, this, [this] { runAction([this] { EntryDeleteActionExecute(); }); });
}

QWidget* TMainForm::buildTopLayout()
{
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("TopLayout"));
    top->setFixedHeight(100);
    auto* logo = new QLabel(top);
    logo->setObjectName(QStringLiteral("ImageLogo"));
    logo->setPixmap(Pictures::logo());
    logo->setFixedSize(260, 90);

    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(5, 5, 8, 5);
    row->setSpacing(4);
    row->addWidget(logo);
    row->addStretch();
    for (QAction* action : { NewAction, OpenAction, SaveAction, PrintAction, ConfigAction, HelpAction, ExitAction })
        row->addWidget(barButton(top, action));
    return top;
}

QWidget* TMainForm::buildPages()
{
    Pages.MainTabControl = new QStackedWidget(this);
    Pages.MainTabControl->setObjectName(QStringLiteral("MainTabControl"));
    Pages.DataTab = emptyPage(Pages.MainTabControl, "DataTab");
    m_dataPage = new DataPage(Pages.DataTab);
    Pages.DataTab->layout()->addWidget(m_dataPage);
    Pages.ResultData = emptyPage(Pages.MainTabControl, "ResultData");
    Pages.ResultTabControl = new QStackedWidget(Pages.ResultData);
    Pages.ResultTabControl->setObjectName(QStringLiteral("ResultTabControl"));
    Pages.BatteryTabItem = emptyPage(Pages.ResultTabControl, "BatteryTabItem");
    Pages.BatteryDetailTabItem = emptyPage(Pages.ResultTabControl, "BatteryDetailTabItem");
    Pages.ResultTabControl->addWidget(Pages.BatteryTabItem);
    Pages.ResultTabControl->addWidget(Pages.BatteryDetailTabItem);
    Pages.ResultData->layout()->addWidget(Pages.ResultTabControl);
    Pages.MainTabControl->addWidget(Pages.DataTab);
    Pages.MainTabControl->addWidget(Pages.ResultData);

    m_dataPage->entryAddButton()->setDefaultAction(EntryAddAction);
    m_dataPage->entryEditButton()->setDefaultAction(EntryEditAction);
    m_dataPage->entryDeleteButton()->setDefaultAction(EntryDeleteAction);
    connect(m_dataPage, &DataPage::customerTextEdited, this, &TMainForm::ValidSaveChange);
    connect(m_dataPage, &DataPage::calculationInputChanged, this, &TMainForm::ValidCalculationChange);
    connect(m_dataPage, &DataPage::consumptionRowDoubleClicked, this,
        [this](int row) { runAction([this, row] { ConsumptionListGridCellDblClick(row); }); });
    connect(m_dataPage, &DataPage::consumptionSelectionChanged, this, &TMainForm::updateActions);
    connect(Pages.MainTabControl, &QStackedWidget::currentChanged, this, &TMainForm::updateActions);
    connect(Pages.ResultTabControl, &QStackedWidget::currentChanged, this, &TMainForm::updateActions);
    return Pages.MainTabControl;
}

QWidget* TMainForm::buildBottomLayout()
{
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("BottomLayout"));
    bottom->setFixedHeight(64);

    auto* rights = new QLabel(QString::fromUtf8(RightsText), bottom);
    rights->setObjectName(QStringLiteral("RightsLabel"));
    auto* telephone = new QLabel(QString::fromUtf8(TelephoneText), bottom);
    telephone->setObjectName(QStringLiteral("TelephoneLabel"));
    Label42 = new LinkLabel(QString::fromUtf8(EmailText), bottom);
    Label42->setObjectName(QStringLiteral("Label42"));
    Label16 = new LinkLabel(QString::fromUtf8(WebText), bottom);
    Label16->setObjectName(QStringLiteral("Label16"));
    connect(Label16, &LinkLabel::clicked, this, [this] { runAction([this] { Label16Click(); }); });
    connect(Label42, &LinkLabel::clicked, this, [this] { runAction([this] { Label42Click(); }); });

    auto* links = new QHBoxLayout;
    links->setSpacing(16);
    links->addWidget(Label42);
    links->addWidget(Label16);
    links->addStretch();
    auto* footer = new QVBoxLayout;
    footer->setSpacing(1);
    footer->addStretch();
    footer->addWidget(rights);
    footer->addWidget(telephone);
    footer->addLayout(links);
    footer->addStretch();

    auto* separator = new QFrame(bottom);
    separator->setObjectName(QStringLiteral("BottomSeparator"));
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setFixedHeight(40);

    // The back button shows its own text, "Atrás", left of its picture.
    BackButton = new QToolButton(bottom);
    BackButton->setObjectName(QStringLiteral("BackButton"));
    BackButton->setText(QStringLiteral("Atrás"));
    BackButton->setIcon(BackAction->icon());
    BackButton->setIconSize(QSize(36, 36));
    BackButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    BackButton->setLayoutDirection(Qt::RightToLeft);
    BackButton->setFixedSize(140, 64);
    BackButton->setAutoRaise(true);
    connect(BackButton, &QToolButton::clicked, BackAction, &QAction::trigger);

    FindBatteryButton = new QToolButton(bottom);
    FindBatteryButton->setObjectName(QStringLiteral("FindBatteryButton"));
    FindBatteryButton->setDefaultAction(FindBatteryAction);
    FindBatteryButton->setIconSize(QSize(36, 36));
    FindBatteryButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FindBatteryButton->setFixedSize(140, 64);
    FindBatteryButton->setAutoRaise(true);

    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(10, 0, 4, 0);
    row->setSpacing(6);
    row->addLayout(footer, 1);
    row->addWidget(separator);
    row->addWidget(BackButton);
    row->addWidget(FindBatteryButton);
    return bottom;
}

void TMainForm::updateActions()
{
    // Calculate, Back and Print follow the results' rules for the page shown.
    m_results->FindBatteryActionUpdate(*FindBatteryAction);
    m_results->BackActionUpdate(*BackAction);
    m_results->PrintActionUpdate(*PrintAction);
    BackButton->setEnabled(BackAction->isEnabled());
    const bool rowSelected = m_dataPage->selectedConsumptionRow() != -1;
    EntryEditAction->setEnabled(rowSelected);
    EntryDeleteAction->setEnabled(rowSelected);
}

void TMainForm::runAction(const std::function<void()>& work)
{
    runReported(*m_dialogs, work);
    updateActions();
}

void TMainForm::ResetView()
{
    m_results->resetView();
}

TBattery* TMainForm::activeBattery() const
{
    return m_results->activeBattery();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && !m_fitted) {
        m_fitted = true;
        fitToScreen();
    }
}

bool TMainForm::event(QEvent* event)
{
    // A window manager reports the frame only once it has taken the window
    // in, which is done by the time the window is first activated.
    if (event->type() == QEvent::WindowActivate && m_fitted && !m_frameChecked) {
        m_frameChecked = true;
        if (windowHandle() && windowHandle()->frameMargins() != m_fittedFrame)
            fitToScreen();
    }
    return QMainWindow::event(event);
}

void TMainForm::fitToScreen()
{
    QScreen* shownOn = screen();
    if (!shownOn)
        return;
    m_fittedFrame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QRect area = shownOn->availableGeometry();
    const QSize room = area.size().shrunkBy(m_fittedFrame);
    // A scroll bar takes room from the other direction, which may then need
    // one too.
    const int bar = m_clientScroll->verticalScrollBar()->sizeHint().width();
    bool tooLow = ClientSize.height() > room.height();
    const bool tooNarrow = ClientSize.width() + (tooLow ? bar : 0) > room.width();
    tooLow = tooLow || (tooNarrow && ClientSize.height() + bar > room.height());
    if (!tooLow && !tooNarrow) {
        setFixedSize(ClientSize);
        return;
    }
    const QSize wanted(ClientSize.width() + (tooLow ? bar : 0), ClientSize.height() + (tooNarrow ? bar : 0));
    const QSize fitted = wanted.boundedTo(room);
    setFixedSize(fitted);
    const QSize framed = fitted.grownBy(m_fittedFrame);
    move(area.x() + (area.width() - framed.width()) / 2, area.y() + (area.height() - framed.height()) / 2);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Only the saved flag counts; an outdated calculation does not.
    if (DskProject->IsSaved()) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_dialogs->askYesNo(TranslateText(QStringLiteral("¿Está usted seguro que desea salir sin guardar?"))))
        emit terminateRequested();
}

void TMainForm::ValidSaveChange()
{
    DskProject->setIsSaved(false);
}

void TMainForm::ValidCalculationChange()
{
    DskProject->setValidCalculation(false);
    updateActions();
}

void TMainForm::LoadProjectData()
{
    m_dataPage->LoadProjectData(*DskProject);
}

void TMainForm::StoreCustomerData()
{
    m_dataPage->StoreCustomerData(*DskProject);
}

void TMainForm::StoreProjectData()
{
    m_dataPage->StoreProjectData(*DskProject);
}

void TMainForm::ShowConsumptionList()
{
    m_dataPage->ShowConsumptionList(DskProject->ConsumptionList());
}
