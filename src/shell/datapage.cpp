#include "datapage.h"

#include "consumption.h"
#include "project.h"
#include "widgets/numberbox.h"
#include "widgets/toggleswitch.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <limits>

namespace {

struct GridColumn {
    const char* name;
    const char* header;
    int width; // 0: the width the other columns leave
};

constexpr std::array<GridColumn, 6> GridColumns { {
    { "PeriodColumn", "Mes/Bimestre", 129 },
    { "YearColumn", "Año", 103 },
    { "kwhtColumn", "kWh totales", 151 },
    { "kvarhColumn", "kVArh totales", 135 },
    { "PeakDemandColumn", "Máxima demanda (kW)", 151 },
    { "InputTransformerColumn", "Transformador de entrada (kVA)", 0 },
} };

QLabel* caption(QWidget* parent, const char* text, QWidget* buddy = nullptr)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QToolButton* entryButton(QWidget* parent, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(92, 32);
    button->setAutoRaise(false);
    return button;
}

} // namespace

DataPage::DataPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DataPage"));
    auto* layout = new QVBoxLayout(this);
    // Narrow side margins leave the billing grid room for its last column's
    // header beside a vertical scroll bar.
    layout->setContentsMargins(5, 6, 5, 4);
    layout->setSpacing(6);
    layout->addWidget(buildCustomerBand());
    layout->addWidget(buildOptionsBand());
    layout->addWidget(buildCalculationTypeBand());

    TabControlConsumption = new QStackedWidget(this);
    TabControlConsumption->setObjectName(QStringLiteral("TabControlConsumption"));
    TabControlConsumption->addWidget(buildConsumptionPanel());
    TabControlConsumption->addWidget(buildContractedPowerPanel());
    layout->addWidget(TabControlConsumption, 1);

    connect(BatteryType_ferimont, &QRadioButton::toggled, this, &DataPage::BatteryType_ferimontChange);
    connect(BatteryType_lumarest, &QRadioButton::toggled, this, &DataPage::BatteryType_lumarestChange);
    connect(BatteryType_battery, &QRadioButton::toggled, this, &DataPage::BatteryType_batteryChange);
    connect(CalculationType_consumption, &QRadioButton::toggled, this, &DataPage::CalculationType_consumptionChange);
    connect(CalculationType_contracted_power, &QRadioButton::toggled, this,
        &DataPage::CalculationType_contracted_powerChange);

    // clicked comes for the user's clicks only, and also on a button that
    // was already selected.
    for (QRadioButton* button : findChildren<QRadioButton*>())
        connect(button, &QRadioButton::clicked, this, &DataPage::calculationInputChanged);
    for (ToggleSwitch* toggle : { harmonics, HasInputTransformer })
        connect(toggle, &ToggleSwitch::clicked, this, &DataPage::calculationInputChanged);
    for (NumberBox* box : { ConsumptionList_WorkHours, MaximumPowerEdit, InputTransformerEdit })
        connect(box, &NumberBox::userEdited, this, &DataPage::calculationInputChanged);
    connect(ConsumptionList_Powerfactor, &DecimalBox::userEdited, this, &DataPage::calculationInputChanged);
    for (QLineEdit* edit :
        { BusinessNameEdit, UserNameEdit, AddressEdit, StateEdit, PlaceEdit, DistributionEdit, TelephoneEdit })
        connect(edit, &QLineEdit::textEdited, this, &DataPage::customerTextEdited);
}

QLineEdit* DataPage::customerEdit(const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    // A line edit cuts at 32767 characters by default; the texts have no
    // limit, and a longer one read from a file must be saved back whole.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QRadioButton* DataPage::radio(QWidget* parent, const char* name, const char* text)
{
    auto* button = new QRadioButton(QString::fromUtf8(text), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QWidget* DataPage::buildCustomerBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("CustomerLayout"));
    BusinessNameEdit = customerEdit("BusinessNameEdit");
    UserNameEdit = customerEdit("UserNameEdit");
    AddressEdit = customerEdit("AddressEdit");
    StateEdit = customerEdit("StateEdit");
    PlaceEdit = customerEdit("PlaceEdit");
    DistributionEdit = customerEdit("DistributionEdit");
    TelephoneEdit = customerEdit("TelephoneEdit");

    auto* grid = new QGridLayout(band);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(5);
    grid->addWidget(caption(band, "Empresa", BusinessNameEdit), 0, 0);
    grid->addWidget(BusinessNameEdit, 0, 1, 1, 4);
    grid->addWidget(caption(band, "Nombre del cliente", UserNameEdit), 1, 0);
    grid->addWidget(UserNameEdit, 1, 1);
    grid->addWidget(caption(band, "Dirección de la empresa", AddressEdit), 1, 3);
    grid->addWidget(AddressEdit, 1, 4);
    grid->addWidget(caption(band, "Provincia", StateEdit), 2, 0);
    grid->addWidget(StateEdit, 2, 1);
    grid->addWidget(caption(band, "Localidad/Población", PlaceEdit), 2, 3);
    grid->addWidget(PlaceEdit, 2, 4);
    grid->addWidget(caption(band, "Distribuidor", DistributionEdit), 3, 0);
    grid->addWidget(DistributionEdit, 3, 1);
    grid->addWidget(caption(band, "Teléfono", TelephoneEdit), 3, 3);
    grid->addWidget(TelephoneEdit, 3, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(2, 12);
    grid->setColumnStretch(4, 1);
    return band;
}

QWidget* DataPage::buildOptionsBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("OptionsLayout"));

    BatteryTypeGroupBox = new QGroupBox(QStringLiteral("Equipos a calcular "), band);
    BatteryTypeGroupBox->setObjectName(QStringLiteral("BatteryTypeGroupBox"));
    BatteryType_ferimont
        = radio(BatteryTypeGroupBox, "BatteryType_ferimont", "Filtro Economizador de Energía Ferimunt");
    BatteryType_lumarest = radio(BatteryTypeGroupBox, "BatteryType_lumarest", "Sistema de Ahorro Energético Lumarest");
    BatteryType_battery = radio(BatteryTypeGroupBox, "BatteryType_battery", "Baterías de Condensadores");
    auto* batteryLayout = new QVBoxLayout(BatteryTypeGroupBox);
    batteryLayout->addWidget(BatteryType_ferimont);
    batteryLayout->addWidget(BatteryType_lumarest);
    batteryLayout->addWidget(BatteryType_battery);

    TemperatureGroupBox = new QGroupBox(QStringLiteral("Temperatura de la instalación"), band);
    TemperatureGroupBox->setObjectName(QStringLiteral("TemperatureGroupBox"));
    Temperature_less_than_35 = radio(TemperatureGroupBox, "Temperature_less_than_35", "Menor de 35 ºC");
    Temperature_more_than_35 = radio(TemperatureGroupBox, "Temperature_more_than_35", "Mayor de 35 ºC");
    auto* temperatureLayout = new QHBoxLayout(TemperatureGroupBox);
    temperatureLayout->addWidget(Temperature_less_than_35);
    temperatureLayout->addWidget(Temperature_more_than_35);
    temperatureLayout->addStretch();

    FrequencyGroupBox = new QGroupBox(QStringLiteral("Frecuencia"), band);
    FrequencyGroupBox->setObjectName(QStringLiteral("FrequencyGroupBox"));
    Frequency_50hz = radio(FrequencyGroupBox, "Frequency_50hz", "50 Hz");
    Frequency_60hz = radio(FrequencyGroupBox, "Frequency_60hz", "60 Hz");
    auto* frequencyLayout = new QHBoxLayout(FrequencyGroupBox);
    frequencyLayout->addWidget(Frequency_50hz);
    frequencyLayout->addWidget(Frequency_60hz);
    frequencyLayout->addStretch();

    harmonics = new ToggleSwitch(band);
    harmonics->setObjectName(QStringLiteral("harmonics"));
    harmonicsLabel = caption(band, "Con armónicos de corriente", harmonics);
    harmonicsLabel->setObjectName(QStringLiteral("harmonicsLabel"));

    VoltageGroupBox = new QGroupBox(QStringLiteral("Voltios (para otros voltajes consultar)"), band);
    VoltageGroupBox->setObjectName(QStringLiteral("VoltageGroupBox"));
    Voltage_400 = radio(VoltageGroupBox, "Voltage_400", "400 volt");
    Voltage_480 = radio(VoltageGroupBox, "Voltage_480", "480 volt");
    Voltage_230 = radio(VoltageGroupBox, "Voltage_230", "230 volt");
    auto* voltageLayout = new QHBoxLayout(VoltageGroupBox);
    voltageLayout->addWidget(Voltage_400);
    voltageLayout->addWidget(Voltage_480);
    voltageLayout->addWidget(Voltage_230);
    voltageLayout->addStretch();

    auto* middle = new QVBoxLayout;
    middle->setSpacing(4);
    middle->addWidget(TemperatureGroupBox);
    middle->addWidget(FrequencyGroupBox);

    auto* harmonicsRow = new QHBoxLayout;
    harmonicsRow->setContentsMargins(6, 8, 6, 8);
    harmonicsRow->addWidget(harmonicsLabel);
    harmonicsRow->addStretch();
    harmonicsRow->addWidget(harmonics);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addLayout(harmonicsRow);
    right->addWidget(VoltageGroupBox);
    right->addStretch();

    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(BatteryTypeGroupBox, 5);
    row->addLayout(middle, 4);
    row->addLayout(right, 5);
    return band;
}

QWidget* DataPage::buildCalculationTypeBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("CalculationTypeLayout"));
    CalculationType_consumption = radio(band, "CalculationType_consumption", "Calcular en función del consumo");
    CalculationType_contracted_power
        = radio(band, "CalculationType_contracted_power", "Por potencia contratada o máximetro");
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(4, 2, 0, 2);
    row->setSpacing(30);
    row->addWidget(CalculationType_consumption);
    row->addWidget(CalculationType_contracted_power);
    row->addStretch();
    return band;
}

QWidget* DataPage::buildConsumptionPanel()
{
    CalculationType_consumption_tab = new QWidget(this);
    auto* panel = CalculationType_consumption_tab;
    panel->setObjectName(QStringLiteral("CalculationType_consumption_tab"));

    ConsumptionListGrid = new QTableWidget(0, static_cast<int>(GridColumns.size()), panel);
    ConsumptionListGrid->setObjectName(QStringLiteral("ConsumptionListGrid"));
    ConsumptionListGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ConsumptionListGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ConsumptionListGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ConsumptionListGrid->setAlternatingRowColors(true);
    ConsumptionListGrid->setShowGrid(true);
    ConsumptionListGrid->setWordWrap(false);
    ConsumptionListGrid->verticalHeader()->hide();
    ConsumptionListGrid->verticalHeader()->setDefaultSectionSize(22);
    ConsumptionListGrid->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < static_cast<int>(GridColumns.size()); ++column) {
        const GridColumn& layout = GridColumns[static_cast<std::size_t>(column)];
        auto* header = new QTableWidgetItem(QString::fromUtf8(layout.header));
        header->setData(Qt::UserRole, QLatin1String(layout.name));
        ConsumptionListGrid->setHorizontalHeaderItem(column, header);
        if (layout.width > 0)
            ConsumptionListGrid->setColumnWidth(column, layout.width);
        else
            ConsumptionListGrid->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    }
    connect(ConsumptionListGrid, &QTableWidget::cellDoubleClicked, this,
        [this](int row, int /*column*/) { emit consumptionRowDoubleClicked(row); });
    connect(ConsumptionListGrid, &QTableWidget::itemSelectionChanged, this, &DataPage::consumptionSelectionChanged);

    m_addButton = entryButton(panel, "EntryAddButton");
    m_editButton = entryButton(panel, "EntryEditButton");
    m_deleteButton = entryButton(panel, "EntryDeleteButton");
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();

    ConsumptionList_PeriodTypeGroupBox = new QGroupBox(QStringLiteral("Tipo de lectura"), panel);
    ConsumptionList_PeriodTypeGroupBox->setObjectName(QStringLiteral("ConsumptionList_PeriodTypeGroupBox"));
    ConsumptionList_PeriodType_monthly
        = radio(ConsumptionList_PeriodTypeGroupBox, "ConsumptionList_PeriodType_monthly", "Mensual");
    ConsumptionList_PeriodType_bimonthly
        = radio(ConsumptionList_PeriodTypeGroupBox, "ConsumptionList_PeriodType_bimonthly", "Bimestral");
    auto* periodLayout = new QHBoxLayout(ConsumptionList_PeriodTypeGroupBox);
    periodLayout->setContentsMargins(8, 2, 8, 4);
    periodLayout->addWidget(ConsumptionList_PeriodType_monthly);
    periodLayout->addWidget(ConsumptionList_PeriodType_bimonthly);

    ConsumptionList_WorkHours = new NumberBox("ConsumptionList_WorkHours", 0, 744, panel);
    ConsumptionList_WorkHours->setMinimumWidth(110);
    ConsumptionList_Powerfactor = new DecimalBox("ConsumptionList_Powerfactor", 0.0, 1.0, panel);
    ConsumptionList_Powerfactor->setSingleStep(0.1);
    ConsumptionList_Powerfactor->setMinimumWidth(110);

    auto* figures = new QHBoxLayout;
    figures->setSpacing(10);
    figures->addWidget(ConsumptionList_PeriodTypeGroupBox);
    figures->addSpacing(16);
    figures->addWidget(caption(panel, "Horas de trabajo mensuales", ConsumptionList_WorkHours));
    figures->addWidget(ConsumptionList_WorkHours);
    figures->addSpacing(16);
    figures->addWidget(caption(panel, "Factor de potencia deseado", ConsumptionList_Powerfactor));
    figures->addWidget(ConsumptionList_Powerfactor);
    figures->addStretch();

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->addWidget(ConsumptionListGrid, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addLayout(figures, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);
    return panel;
}

QWidget* DataPage::buildContractedPowerPanel()
{
    CalculationType_contracted_power_tab = new QWidget(this);
    auto* panel = CalculationType_contracted_power_tab;
    panel->setObjectName(QStringLiteral("CalculationType_contracted_power_tab"));

    MaximumPowerEdit = new NumberBox("MaximumPowerEdit", 0, NumberBox::FieldMaximum, panel);
    MaximumPowerEdit->setMinimumWidth(110);
    HasInputTransformer = new ToggleSwitch(panel);
    HasInputTransformer->setObjectName(QStringLiteral("HasInputTransformer"));
    InputTransformerEdit = new NumberBox("InputTransformerEdit", 0, NumberBox::FieldMaximum, panel);
    InputTransformerEdit->setMinimumWidth(110);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 10, 4, 4);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    grid->addWidget(caption(panel, "Potencia contratada o máximetro (kW)", MaximumPowerEdit), 0, 0);
    grid->addWidget(MaximumPowerEdit, 0, 1);
    grid->addWidget(caption(panel, "Dispone de transformador de entrada propio", HasInputTransformer), 1, 0);
    grid->addWidget(HasInputTransformer, 1, 1, Qt::AlignLeft);
    grid->addWidget(caption(panel, "Transformador de entrada (KVA)", InputTransformerEdit), 2, 0);
    grid->addWidget(InputTransformerEdit, 2, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    return panel;
}

void DataPage::LoadProjectData(const TCProyect& project)
{
    BusinessNameEdit->setText(project.BusinessName());
    UserNameEdit->setText(project.UserName());
    AddressEdit->setText(project.Address());
    StateEdit->setText(project.State());
    PlaceEdit->setText(project.Place());
    TelephoneEdit->setText(project.Telephone());
    DistributionEdit->setText(project.Distribution());

    // A value outside its enumeration selects nothing: the group keeps its
    // previous selection.
    switch (project.CalculationType()) {
    case TCalculationType::consumption:
        CalculationType_consumption->setChecked(true);
        break;
    case TCalculationType::contracted_power:
        CalculationType_contracted_power->setChecked(true);
        break;
    }
    switch (project.BatteryType()) {
    case TBatteryType::ferimont:
        BatteryType_ferimont->setChecked(true);
        break;
    case TBatteryType::lumarest:
        BatteryType_lumarest->setChecked(true);
        break;
    case TBatteryType::battery:
        BatteryType_battery->setChecked(true);
        break;
    }
    switch (project.Temperature()) {
    case TTemperature::less_than_35:
        Temperature_less_than_35->setChecked(true);
        break;
    case TTemperature::greater_than_35:
        Temperature_more_than_35->setChecked(true);
        break;
    }
    switch (project.Voltage()) {
    case TVoltage::v400:
        Voltage_400->setChecked(true);
        break;
    case TVoltage::v480:
        Voltage_480->setChecked(true);
        break;
    case TVoltage::v230:
        Voltage_230->setChecked(true);
        break;
    }
    switch (project.Frequency()) {
    case TFrequency::f50Hz:
        Frequency_50hz->setChecked(true);
        break;
    case TFrequency::f60Hz:
        Frequency_60hz->setChecked(true);
        break;
    }
    harmonics->setChecked(project.Harmonics());
    MaximumPowerEdit->setValue(project.MaximumPower());
    HasInputTransformer->setChecked(project.HasInputTransformer());
    InputTransformerEdit->setValue(project.InputTransformer());
    const TConsumptionList& list = project.ConsumptionList();
    switch (list.PeriodType()) {
    case TPeriodType::monthly:
        ConsumptionList_PeriodType_monthly->setChecked(true);
        break;
    case TPeriodType::bimonthly:
        ConsumptionList_PeriodType_bimonthly->setChecked(true);
        break;
    }
    ConsumptionList_Powerfactor->setValue(static_cast<double>(list.Powerfactor()));
    ConsumptionList_WorkHours->setValue(list.WorkHours());
    ShowConsumptionList(list);
}

void DataPage::StoreCustomerData(TCProyect& project) const
{
    project.setBusinessName(BusinessNameEdit->text());
    project.setUserName(UserNameEdit->text());
    project.setAddress(AddressEdit->text());
    project.setState(StateEdit->text());
    project.setPlace(PlaceEdit->text());
    project.setTelephone(TelephoneEdit->text());
    project.setDistribution(DistributionEdit->text());
}

void DataPage::StoreProjectData(TCProyect& project) const
{
    StoreCustomerData(project);
    project.setCalculationType(
        CalculationType_consumption->isChecked() ? TCalculationType::consumption : TCalculationType::contracted_power);
    if (BatteryType_ferimont->isChecked())
        project.setBatteryType(TBatteryType::ferimont);
    else if (BatteryType_battery->isChecked())
        project.setBatteryType(TBatteryType::battery);
    else if (BatteryType_lumarest->isChecked())
        project.setBatteryType(TBatteryType::lumarest);
    project.setTemperature(
        Temperature_less_than_35->isChecked() ? TTemperature::less_than_35 : TTemperature::greater_than_35);
    if (Voltage_400->isChecked())
        project.setVoltage(TVoltage::v400);
    else if (Voltage_480->isChecked())
        project.setVoltage(TVoltage::v480);
    else if (Voltage_230->isChecked())
        project.setVoltage(TVoltage::v230);
    project.setFrequency(Frequency_50hz->isChecked() ? TFrequency::f50Hz : TFrequency::f60Hz);
    project.setHarmonics(harmonics->isChecked());
    // Whole-number boxes hold integers, so there is nothing left to round.
    project.setMaximumPower(MaximumPowerEdit->value());
    project.setHasInputTransformer(HasInputTransformer->isChecked());
    project.setInputTransformer(InputTransformerEdit->value());
    TConsumptionList& list = project.ConsumptionList();
    list.setPeriodType(ConsumptionList_PeriodType_monthly->isChecked() ? TPeriodType::monthly : TPeriodType::bimonthly);
    // Every typed decimal is kept; the field is single precision.
    list.setPowerfactor(static_cast<float>(ConsumptionList_Powerfactor->value()));
    list.setWorkHours(ConsumptionList_WorkHours->value());
}

namespace {

// Holds the grid's painting until the refill is over, also when it fails.
class UpdateBlock {
public:
    explicit UpdateBlock(QWidget* widget)
        : m_widget(widget)
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdateBlock() { m_widget->setUpdatesEnabled(true); }
    UpdateBlock(const UpdateBlock&) = delete;
    UpdateBlock& operator=(const UpdateBlock&) = delete;

private:
    QWidget* m_widget;
};

} // namespace

void DataPage::ShowConsumptionList(const TConsumptionList& list)
{
    const UpdateBlock block(ConsumptionListGrid);
    ConsumptionListGrid->setRowCount(list.Count());
    for (int row = 0; row < list.Count(); ++row) {
        const TConsumption& period = list[row];
        const std::array<QString, 6> cells {
            period.Period(),
            QString::number(period.Year()),
            QString::number(period.kwht()),
            QString::number(period.kvarh()),
            QString::number(period.PeakDemand()),
            QString::number(period.InputTransformer()),
        };
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(cells[static_cast<std::size_t>(column)]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ConsumptionListGrid->setItem(row, column, item);
        }
    }
}

void DataPage::SetInstallationOptionsEnabled(bool Enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*> { TemperatureGroupBox, Temperature_less_than_35,
             Temperature_more_than_35, VoltageGroupBox, Voltage_400, Voltage_480, Voltage_230, FrequencyGroupBox,
             Frequency_50hz, Frequency_60hz, harmonicsLabel, harmonics })
        control->setEnabled(Enabled);
}

int DataPage::selectedConsumptionRow() const
{
    const QModelIndexList rows = ConsumptionListGrid->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

QString DataPage::maximumPowerText() const
{
    return MaximumPowerEdit->text();
}

bool DataPage::hasInputTransformer() const
{
    return HasInputTransformer->isChecked();
}

QString DataPage::inputTransformerText() const
{
    return InputTransformerEdit->text();
}

void DataPage::BatteryType_ferimontChange(bool checked)
{
    if (checked)
        SetInstallationOptionsEnabled(false);
}

void DataPage::BatteryType_lumarestChange(bool checked)
{
    if (checked)
        SetInstallationOptionsEnabled(false);
}

void DataPage::BatteryType_batteryChange(bool checked)
{
    if (checked)
        SetInstallationOptionsEnabled(true);
}

void DataPage::CalculationType_consumptionChange(bool checked)
{
    if (checked)
        TabControlConsumption->setCurrentWidget(CalculationType_consumption_tab);
}

void DataPage::CalculationType_contracted_powerChange(bool checked)
{
    if (checked)
        TabControlConsumption->setCurrentWidget(CalculationType_contracted_power_tab);
}
